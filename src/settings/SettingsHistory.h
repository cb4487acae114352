#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QProcessEnvironment>
#include <QString>

#include <functional>
#include <optional>

// The device's two settings records as they were before each write to the device, so any of
// them can be put back. One folder per snapshot, named by its local time (YYYYMMDD-HHMMSS, then
// -2, -3 ... for more within one second), holding system.ini and weekly.ini. A pair equal to the
// newest snapshot is not stored again, and only the newest kKeep are kept.
class SettingsHistory
{
public:
    static constexpr int kKeep = 100;

    struct Snapshot
    {
        QString id;
        QDateTime time; // the local time the id names
        QString systemFile;
        QString weeklyFile;
    };
    using Clock = std::function<QDateTime()>;

    explicit SettingsHistory(QString folder, Clock clock = &QDateTime::currentDateTime);

    // $XDG_DATA_HOME/quorix/history, else $HOME/.local/share/quorix/history.
    static QString folderFrom(const QProcessEnvironment &env);
    const QString &folder() const { return m_folder; }

    // Keeps the pair as the newest snapshot and returns the id holding it (the newest one's
    // when that holds the same); empty, with the reason in *error, when it cannot be kept.
    QString store(const QByteArray &system, const QByteArray &weekly, QString *error);

    // Removes what a killed write left behind; store() does it too.
    void removeLeftovers() const;

    // Newest first. Folders that are not snapshots are left alone.
    QList<Snapshot> list() const;
    std::optional<Snapshot> find(const QString &id) const;
    // Both records of a snapshot; false when one is missing or not of its record's size.
    static bool read(const Snapshot &snapshot, QByteArray &system, QByteArray &weekly);

private:
    std::optional<Snapshot> snapshotOf(const QString &id) const;
    void removeStaging() const;
    QString keep(const QByteArray &system, const QByteArray &weekly, QString *error);
    void prune() const;

    QString m_folder;
    Clock m_clock;
};
