#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

class QSocketNotifier;

// Says when the mounted file systems may have changed, so the Tavions present can be looked
// for again. The window listens to this, so tests can stand in a plain MountWatch they
// trigger themselves.
class MountWatch : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void mountsChanged();
};

// Learns of mount changes without looking again and again: the kernel wakes a reader of the
// mount table (mountinfo signals a change to poll as a priority event), and GVfs mounts come
// and go as entries of its folder, which an inotify watch reports.
class MountWatcher : public MountWatch
{
    Q_OBJECT

public:
    // gvfsDir may be empty (no runtime folder) or not there yet (GVfs not running).
    MountWatcher(const QString &mountTable, const QString &gvfsDir, QObject *parent = nullptr);

    // What the kernel's signal runs: reads the mount table again and tells when it differs
    // from the last reading.
    void tableSignalled();

private:
    void watchGvfs();

    QFile m_table;
    QByteArray m_lastTable;
    QSocketNotifier *m_notifier = nullptr;
    QString m_gvfsDir;
    QFileSystemWatcher m_gvfs;
};
