#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class DeviceLink;
class PathMapper;
class SettingsHistory;

// The two settings records as whole files.
struct RecordPair
{
    QByteArray system;
    QByteArray weekly;
    friend bool operator==(const RecordPair &, const RecordPair &) = default;
};

// The steps of every write of settings to the device: fetch what the device holds, keep it in
// the history, send, and read back what arrived. Records travel through two PC files (Windows
// or host paths, as the link takes them). Each step reports its failure in problem().
class DeviceTransfer
{
public:
    DeviceTransfer(DeviceLink &link, const PathMapper &mapper, QString systemFile,
                   QString weeklyFile);

    // Both records as the device holds them now, left in the two PC files.
    std::optional<RecordPair> fetch();
    // Keeps the pair as a snapshot; false when the history cannot take it.
    bool keep(SettingsHistory &history, const RecordPair &records);
    // Sends a PC file to the device.
    bool send(const QString &devicePath, const QString &pcFile);
    // True when the device now holds exactly `expected`.
    bool readBack(const RecordPair &expected);

    const QString &problem() const { return m_problem; }
    // The snapshot kept by keep().
    const QString &snapshotId() const { return m_snapshotId; }

private:
    std::optional<QByteArray> fetchOne(const QString &devicePath, const QString &pcFile);

    DeviceLink &m_link;
    const PathMapper &m_mapper;
    QString m_systemFile;
    QString m_weeklyFile;
    QString m_problem;
    QString m_snapshotId;
};
