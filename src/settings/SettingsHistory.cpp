#include "settings/SettingsHistory.h"

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"
#include "platform/AtomicFile.h"
#include "platform/FileLock.h"
#include "platform/Installation.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

namespace {

const QString kSystemName = QStringLiteral("system.ini");
const QString kWeeklyName = QStringLiteral("weekly.ini");
const QString kIdFormat = QStringLiteral("yyyyMMdd-HHmmss");
// A snapshot is written here and renamed to its id when whole; a killed write leaves it for the
// next one to remove.
const QString kStaging = QStringLiteral(".snapshot.quorix-tmp");
const QString kLock = QStringLiteral(".lock");

// Ids sort by their second, then by the number that follows it (-10 after -9).
std::pair<QString, int> sortKey(const QString &id)
{
    const qsizetype dash = id.indexOf(u'-', 9);
    return dash < 0 ? std::pair{id, 1} : std::pair{id.left(dash), id.mid(dash + 1).toInt()};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

SettingsHistory::SettingsHistory(QString folder, Clock clock)
    : m_folder(std::move(folder)), m_clock(std::move(clock))
{
}

QString SettingsHistory::folderFrom(const QProcessEnvironment &env)
{
    return xdgDataHome(env) + QStringLiteral("/quorix/history");
}

std::optional<SettingsHistory::Snapshot> SettingsHistory::snapshotOf(const QString &id) const
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{8}-\\d{6})(-[1-9]\\d{0,5})?$"));
    const auto match = pattern.match(id);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime time = QDateTime::fromString(match.captured(1), kIdFormat);
    const QString dir = m_folder + u'/' + id;
    if (!time.isValid() || !QFileInfo(dir).isDir())
        return std::nullopt;
    return Snapshot{id, time, dir + u'/' + kSystemName, dir + u'/' + kWeeklyName};
}

QList<SettingsHistory::Snapshot> SettingsHistory::list() const
{
    QList<Snapshot> snapshots;
    for (const QString &name : QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (auto s = snapshotOf(name))
            snapshots << *s;
    }
    std::sort(snapshots.begin(), snapshots.end(),
              [](const Snapshot &a, const Snapshot &b) { return sortKey(a.id) > sortKey(b.id); });
    return snapshots;
}

std::optional<SettingsHistory::Snapshot> SettingsHistory::find(const QString &id) const
{
    return snapshotOf(id);
}

bool SettingsHistory::read(const Snapshot &snapshot, QByteArray &system, QByteArray &weekly)
{
    system = readAll(snapshot.systemFile);
    weekly = readAll(snapshot.weeklyFile);
    return system.size() == qsizetype(SystemRecord::Size) &&
           weekly.size() == qsizetype(WeeklyRecord::Size);
}

QString SettingsHistory::store(const QByteArray &system, const QByteArray &weekly, QString *error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    if (!QDir().mkpath(m_folder)) {
        *error = m_folder + QStringLiteral(": cannot create the folder");
        return {};
    }
    // The window and quorixctl may both keep snapshots at the same moment.
    FileLock lock(m_folder + u'/' + kLock);
    if (!lock.lock(10000)) {
        *error = m_folder + QStringLiteral(": the history is in use by another program");
        return {};
    }
    removeStaging();
    const QList<Snapshot> existing = list();
    if (!existing.isEmpty()) {
        QByteArray newestSystem, newestWeekly;
        if (read(existing.first(), newestSystem, newestWeekly) && newestSystem == system &&
            newestWeekly == weekly)
            return existing.first().id;
    }
    const QString id = keep(system, weekly, error);
    if (!id.isEmpty())
        prune();
    return id;
}

QString SettingsHistory::keep(const QByteArray &system, const QByteArray &weekly, QString *error)
{
    const QString staging = m_folder + u'/' + kStaging;
    if (!QDir().mkdir(staging)) {
        *error = staging + QStringLiteral(": cannot create the folder");
        return {};
    }
    if (!writeFileAtomically(staging + u'/' + kSystemName, system, error) ||
        !writeFileAtomically(staging + u'/' + kWeeklyName, weekly, error))
        return {};

    const QString base = m_clock().toString(kIdFormat);
    QString id = base;
    for (int n = 2; QFileInfo::exists(m_folder + u'/' + id); ++n)
        id = base + u'-' + QString::number(n);
    // rename(2), as for every file Quorix replaces; the lock keeps others from taking the id.
    if (::rename(QFile::encodeName(staging).constData(),
                 QFile::encodeName(m_folder + u'/' + id).constData()) != 0) {
        *error = m_folder + u'/' + id + QStringLiteral(": cannot be created");
        return {};
    }
    if (!syncFolder(m_folder, error))
        return {};
    return id;
}

void SettingsHistory::removeLeftovers() const
{
    if (!QFileInfo::exists(m_folder + u'/' + kStaging))
        return;
    FileLock lock(m_folder + u'/' + kLock);
    if (lock.lock(10000))
        removeStaging();
}

void SettingsHistory::removeStaging() const
{
    QDir(m_folder + u'/' + kStaging).removeRecursively();
}

void SettingsHistory::prune() const
{
    const QList<Snapshot> snapshots = list();
    for (qsizetype i = kKeep; i < snapshots.size(); ++i)
        QDir(m_folder + u'/' + snapshots[i].id).removeRecursively();
}
