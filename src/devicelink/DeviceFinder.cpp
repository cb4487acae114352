#include "devicelink/DeviceFinder.h"

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"
#include "devicelink/DeviceLink.h"
#include "devicelink/EntryMatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cctype>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

const QString kByLabel = QStringLiteral("/dev/disk/by-label");

struct Mount
{
    QString point;
    QString source;
};

// The mount table writes space, tab, newline and backslash as three octal digits ("\040").
QString unescapeMountField(const QByteArray &field)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QByteArray digits = field.mid(i + 1, 3);
        bool ok = field[i] == '\\' && digits.size() == 3;
        for (char d : digits)
            ok = ok && d >= '0' && d <= '7';
        if (ok) {
            bytes += char(digits.toInt(nullptr, 8));
            i += 3;
        } else {
            bytes += field[i];
        }
    }
    return QFile::decodeName(bytes);
}

// udev writes the characters a device name may not hold as "\xNN" (a space is "\x20").
QString unescapeLabel(const QString &name)
{
    QByteArray bytes = QFile::encodeName(name);
    for (qsizetype i = bytes.indexOf("\\x"); i >= 0; i = bytes.indexOf("\\x", i + 1)) {
        const QByteArray digits = bytes.mid(i + 2, 2);
        if (digits.size() == 2 && std::isxdigit(uchar(digits[0])) &&
            std::isxdigit(uchar(digits[1])))
            bytes.replace(i, 4, QByteArray(1, char(digits.toInt(nullptr, 16))));
    }
    return QString::fromUtf8(bytes);
}

// Mount point and source of each line of a mountinfo file: "36 35 98:0 / /media/x rw,nosuid
// shared:1 - vfat /dev/sdb1 rw"; the optional fields end at the lone "-".
QList<Mount> readMountTable(const QString &path)
{
    QFile file(path);
    QList<Mount> mounts;
    if (!file.open(QIODevice::ReadOnly))
        return mounts;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-", 6);
        if (dash < 0 || dash + 2 >= fields.size())
            continue;
        mounts.append({unescapeMountField(fields[4]), unescapeMountField(fields[dash + 2])});
    }
    return mounts;
}

// The label of the file system mounted from source: named by the source itself
// (/dev/disk/by-label/NAME) or by the udev link that leads to the same device; null when neither.
QString labelOf(const QString &source, const QString &base)
{
    if (source.startsWith(kByLabel + u'/'))
        return unescapeLabel(source.mid(kByLabel.size() + 1));
    const QString device =
        source.startsWith(u'/') ? QFileInfo(base + source).canonicalFilePath() : QString();
    if (device.isEmpty())
        return {};
    const QDir labels(base + kByLabel);
    for (const QString &name :
         labels.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (QFileInfo(labels.filePath(name)).canonicalFilePath() == device)
            return unescapeLabel(name);
    }
    return {};
}

// The size of the file a device path names below folder, its names matched as the link matches
// them; -1 when there is no such file.
qint64 sizeBelow(const QString &folder, const QString &devicePath)
{
    QString host = folder;
    for (const QString &part : devicePath.split(u'\\', Qt::SkipEmptyParts)) {
        const QString entry = matchEntry(host, part);
        if (entry.isEmpty())
            return -1;
        host += u'/' + entry;
    }
    const QFileInfo info(host);
    return info.isFile() ? info.size() : -1;
}

bool isTavion(const QString &folder)
{
    return sizeBelow(folder, kDeviceSystemFile) == qint64(SystemRecord::Size) &&
           sizeBelow(folder, kDeviceWeeklyFile) == qint64(WeeklyRecord::Size);
}

// Where to look: a mount point, or a folder whose every entry is a mount (GVfs).
struct Probe
{
    QString folder;
    bool entries = false;
    QString source; // of the mount table; empty for GVfs
};

QStringList tavionsOf(const Probe &probe)
{
    if (!probe.entries)
        return isTavion(probe.folder) ? QStringList{probe.folder} : QStringList{};
    QStringList found;
    for (const QString &name :
         QDir(probe.folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (isTavion(probe.folder + u'/' + name))
            found << probe.folder + u'/' + name;
    }
    return found;
}

// The answers of the probes, shared with the threads that look. A thread that is still waiting
// for a dead network mount when the time is up keeps this alive on its own and finds nobody
// listening when (if ever) it returns.
struct Answers
{
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<QStringList>> found;
    std::size_t pending = 0;
};

// Each probe runs in a thread of its own, because a stat or a listing on a stale network mount
// can block in the kernel for minutes and nothing can cancel it. The caller waits until the
// time limit at most; threads still blocked then are detached and their answers dropped. They
// hold only their own copies and the shared Answers, so it is safe to leave them behind (a
// QThread could not be: destroying one that still runs ends the program).
std::vector<std::optional<QStringList>> runProbes(const QList<Probe> &probes,
                                                  std::chrono::milliseconds timeLimit)
{
    auto answers = std::make_shared<Answers>();
    answers->found.resize(std::size_t(probes.size()));
    answers->pending = answers->found.size();
    for (std::size_t i = 0; i < answers->found.size(); ++i) {
        auto look = [answers, i, probe = probes[qsizetype(i)]] {
            QStringList found = tavionsOf(probe);
            std::lock_guard lock(answers->mutex);
            answers->found[i] = std::move(found);
            --answers->pending;
            answers->changed.notify_all();
        };
        try {
            std::thread(std::move(look)).detach();
        } catch (const std::system_error &) { // no thread to be had: that mount stays unknown
            std::lock_guard lock(answers->mutex);
            --answers->pending;
        }
    }
    std::unique_lock lock(answers->mutex);
    answers->changed.wait_for(lock, timeLimit, [&] { return answers->pending == 0; });
    return answers->found;
}

} // namespace

DeviceFinder::Places DeviceFinder::Places::fromEnvironment(const QProcessEnvironment &env)
{
    Places places;
    places.user = env.value(QStringLiteral("USER"));
    places.runtimeDir = env.value(QStringLiteral("XDG_RUNTIME_DIR"));
    return places;
}

DeviceFinder::DeviceFinder(Places places, std::chrono::milliseconds timeLimit)
    : m_places(std::move(places)), m_timeLimit(timeLimit)
{
}

QList<FoundDevice> DeviceFinder::find() const
{
    QStringList mediaFolders{QStringLiteral("/media"), QStringLiteral("/mnt")};
    if (!m_places.user.isEmpty() && !m_places.user.contains(u'/'))
        mediaFolders << QStringLiteral("/media/") + m_places.user
                     << QStringLiteral("/run/media/") + m_places.user;

    const QString &base = m_places.systemRoot;
    QList<Probe> probes;
    QSet<QString> seen;
    for (const Mount &mount : readMountTable(m_places.mountTable)) {
        if (mediaFolders.contains(QFileInfo(mount.point).path()) && !seen.contains(mount.point)) {
            seen.insert(mount.point);
            probes.append({base + mount.point, false, mount.source});
        }
    }
    // GVfs shows each of its mounts as a folder in its own FUSE mount, not in the mount table.
    if (!m_places.runtimeDir.isEmpty())
        probes.append({base + m_places.runtimeDir + QStringLiteral("/gvfs"), true, {}});

    const auto answers = runProbes(probes, m_timeLimit);
    QList<FoundDevice> devices;
    for (qsizetype i = 0; i < probes.size(); ++i) {
        for (const QString &root : answers[std::size_t(i)].value_or(QStringList{}))
            devices.append({root, labelOf(probes[i].source, base)});
    }
    return devices;
}

bool DeviceFinder::holdsTavion(const QString &folder) const
{
    const auto answers = runProbes({Probe{folder, false, {}}}, m_timeLimit);
    return !answers.front().value_or(QStringList{}).isEmpty();
}
