#include "devicelink/MountWatcher.h"

#include <QSocketNotifier>

MountWatcher::MountWatcher(const QString &mountTable, const QString &gvfsDir, QObject *parent)
    : MountWatch(parent), m_table(mountTable), m_gvfsDir(gvfsDir)
{
    // The file stays open: the kernel signals on this descriptor, and only on a change after
    // the last poll of it, so an idle table costs nothing.
    if (m_table.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_lastTable = m_table.readAll();
        m_notifier = new QSocketNotifier(m_table.handle(), QSocketNotifier::Exception, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &MountWatcher::tableSignalled);
    }
    connect(&m_gvfs, &QFileSystemWatcher::directoryChanged, this, &MountWatch::mountsChanged);
    watchGvfs();
}

void MountWatcher::tableSignalled()
{
    // A file in /proc has no size: it is read again from the start until it ends.
    if (!m_table.isOpen() || !m_table.seek(0))
        return;
    const QByteArray table = m_table.readAll();
    if (table == m_lastTable)
        return;
    m_lastTable = table;
    // GVfs's own folder is a mount; it may have just appeared.
    watchGvfs();
    emit mountsChanged();
}

void MountWatcher::watchGvfs()
{
    if (!m_gvfsDir.isEmpty() && m_gvfs.directories().isEmpty())
        m_gvfs.addPath(m_gvfsDir); // fails quietly while the folder is not there
}
