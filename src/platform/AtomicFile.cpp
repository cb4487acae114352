#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTemporarySuffix = QStringLiteral(".quorix-tmp");

QString describe(const QString &path, int code)
{
    return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code));
}

// Temporary files of earlier writes that were killed before their rename.
void removeLeftovers(const QString &folder)
{
    const QStringList names = QDir(folder).entryList({QStringLiteral(".*") + kTemporarySuffix},
                                                     QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        QFile::remove(folder + u'/' + name);
}

} // namespace

AtomicFile::AtomicFile(const QString &hostPath)
    : m_target(QFileInfo(hostPath).absoluteFilePath()), m_temporary(temporaryPath(hostPath))
{
}

AtomicFile::~AtomicFile()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(QFile::encodeName(m_temporary).constData());
    }
}

QString AtomicFile::temporaryPath(const QString &hostPath)
{
    const QFileInfo info(hostPath);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + kTemporarySuffix;
}

bool AtomicFile::fail(QString *error, int code)
{
    if (error)
        *error = describe(m_temporary, code);
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    ::unlink(QFile::encodeName(m_temporary).constData());
    return false;
}

bool AtomicFile::open(QString *error)
{
    removeLeftovers(QFileInfo(m_target).absolutePath());
    m_written = 0;
    // The new file keeps the permissions of the one it replaces.
    mode_t mode = 0666;
    struct stat old
    {
    };
    if (::stat(QFile::encodeName(m_target).constData(), &old) == 0)
        mode = old.st_mode & 07777;
    m_fd = ::open(QFile::encodeName(m_temporary).constData(),
                  O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, mode);
    return m_fd >= 0 || fail(error, errno);
}

bool AtomicFile::write(QByteArrayView bytes, QString *error)
{
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, static_cast<std::size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(error, n == 0 ? ENOSPC : errno);
        data += n;
        left -= n;
        m_written += n;
    }
    return true;
}

bool AtomicFile::commit(QString *error)
{
    if (m_modified) {
        const qint64 ms = m_modified->toMSecsSinceEpoch();
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {static_cast<time_t>(ms / 1000), (ms % 1000) * 1000000}};
        if (::futimens(m_fd, times) != 0)
            return fail(error, errno);
    }
    if (::fsync(m_fd) != 0)
        return fail(error, errno);
    // The size on the storage is the proof that every byte arrived.
    struct stat written
    {
    };
    if (::fstat(m_fd, &written) != 0 || written.st_size != m_written)
        return fail(error, ENOSPC);
    const int fd = m_fd;
    m_fd = -1;
    // close() reports late write errors of some file systems (network and FUSE mounts).
    if (::close(fd) != 0)
        return fail(error, errno);
    if (::rename(QFile::encodeName(m_temporary).constData(),
                 QFile::encodeName(m_target).constData()) != 0)
        return fail(error, errno);
    return syncFolder(QFileInfo(m_target).absolutePath(), error);
}

bool writeFileAtomically(const QString &hostPath, QByteArrayView bytes, QString *error)
{
    AtomicFile file(hostPath);
    return file.open(error) && file.write(bytes, error) && file.commit(error);
}

namespace {

// True when the target already holds the source's bytes under the source's time, as an
// earlier copy left it: writing it again would change nothing but cost two syncs to storage.
bool holdsCopyOf(QFile &source, const QDateTime &modified, const QString &toHost)
{
    QFile target(toHost);
    if (!target.open(QIODevice::ReadOnly) || target.size() != source.size() ||
        target.fileTime(QFileDevice::FileModificationTime) != modified)
        return false;
    char ours[16 * 1024];
    char theirs[sizeof ours];
    bool same = true;
    for (qint64 got = 1; same && got > 0;) {
        got = source.read(ours, sizeof ours);
        same = got >= 0 && target.read(theirs, sizeof theirs) == got &&
               std::memcmp(ours, theirs, std::size_t(got)) == 0;
    }
    source.seek(0);
    return same;
}

} // namespace

bool copyFileReplacing(const QString &fromHost, const QString &toHost, bool keepModified,
                       QString *error)
{
    QFile source(fromHost);
    auto sourceFailed = [&] {
        if (error)
            *error = source.fileName() + QStringLiteral(": ") + source.errorString();
        return false;
    };
    if (!source.open(QIODevice::ReadOnly))
        return sourceFailed();
    const QDateTime modified = source.fileTime(QFileDevice::FileModificationTime);
    if (keepModified && holdsCopyOf(source, modified, toHost))
        return true;

    AtomicFile target(toHost);
    // A copy with a fresh time would look newer than its source on the next comparison.
    if (keepModified)
        target.setModified(modified);
    if (!target.open(error))
        return false;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = source.read(chunk, sizeof chunk);
        if (got < 0)
            return sourceFailed();
        if (got == 0)
            break;
        if (!target.write(QByteArrayView(chunk, got), error))
            return false;
    }
    return target.commit(error);
}

bool syncFolder(const QString &folder, QString *error)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = describe(folder, errno);
        return false;
    }
    // Some file systems (FUSE mounts among them) cannot flush a folder; their renames are as
    // durable as they get.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    const int code = errno;
    ::close(fd);
    if (!synced && error)
        *error = describe(folder, code);
    return synced;
}
