#include "platform/SingleInstance.h"

#include "platform/FileLock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray ShowRequest = QByteArrayLiteral("show\n");
constexpr int ConnectTimeoutMs = 1000;
// A running copy may hold the lock but not yet listen; a later start retries this long.
constexpr int ListenWaitMs = 2000;
// A request is one short line; a client that sends more is not one of ours.
constexpr qsizetype MaxPending = 64;

// The socket's address; false when the path does not fit in one.
bool socketAddress(const QString &path, sockaddr_un *address)
{
    const QByteArray encoded = QFile::encodeName(path);
    *address = {};
    address->sun_family = AF_UNIX;
    if (encoded.isEmpty() || std::size_t(encoded.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, encoded.constData(), std::size_t(encoded.size()));
    return true;
}

} // namespace

QString SingleInstance::defaultRuntimeDir()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    return QDir::tempPath();
}

SingleInstance::SingleInstance(const QString &name, const QString &runtimeDir, QObject *parent)
    : QObject(parent)
{
    QString dir = runtimeDir;
    QString base = name;
    if (dir.isEmpty()) {
        dir = defaultRuntimeDir();
        // The temporary directory is shared by all users; the runtime directory is not.
        if (dir == QDir::tempPath())
            base += QLatin1Char('-') + QString::number(::getuid());
    }
    m_lockPath = QDir(dir).filePath(base + QStringLiteral(".lock"));
    m_socketPath = QDir(dir).filePath(base + QStringLiteral(".socket"));
}

SingleInstance::~SingleInstance()
{
    if (m_serverFd >= 0) {
        ::close(m_serverFd);
        ::unlink(QFile::encodeName(m_socketPath).constData());
    }
}

SingleInstance::Result SingleInstance::tryStart()
{
    m_lock = std::make_unique<FileLock>(m_lockPath);
    if (m_lock->lock(0)) {
        listen();
        return Primary;
    }
    if (!m_lock->takenByAnother())
        return Primary; // no usable runtime directory: start unguarded
    askRunningInstanceToShow();
    return Duplicate;
}

void SingleInstance::listen()
{
    sockaddr_un address{};
    if (!socketAddress(m_socketPath, &address))
        return;
    // We own the lock, so a socket left by a crashed copy can go.
    ::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    // Only this user may connect (the runtime directory is private already; /tmp is not).
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, 0600) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    m_serverFd = fd;
    auto *notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SingleInstance::acceptClients);
}

void SingleInstance::askRunningInstanceToShow() const
{
    sockaddr_un address{};
    if (!socketAddress(m_socketPath, &address))
        return;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return;
        const timeval timeout{ConnectTimeoutMs / 1000, (ConnectTimeoutMs % 1000) * 1000};
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
            // The request fits the socket's buffer; the running copy reads it after we end.
            while (::write(fd, ShowRequest.constData(), std::size_t(ShowRequest.size())) < 0 &&
                   errno == EINTR) {
            }
            ::close(fd);
            return;
        }
        ::close(fd);
        if (waited.elapsed() >= ListenWaitMs)
            return;
        QThread::msleep(50);
    }
}

void SingleInstance::acceptClients()
{
    for (;;) {
        const int fd = ::accept4(m_serverFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            return; // EAGAIN: no one else is waiting
        }
        auto *notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
        auto pending = std::make_shared<QByteArray>();
        connect(notifier, &QSocketNotifier::activated, this,
                [this, fd, notifier, pending] { readClient(fd, notifier, pending.get()); });
        // The request may have arrived together with the connection.
        readClient(fd, notifier, pending.get());
    }
}

void SingleInstance::readClient(int fd, QSocketNotifier *notifier, QByteArray *pending)
{
    if (!notifier->isEnabled())
        return; // already closed
    for (;;) {
        char buffer[256];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return; // the rest comes later
        if (got > 0) {
            pending->append(buffer, got);
            qsizetype end;
            while ((end = pending->indexOf('\n')) >= 0) {
                if (pending->left(end + 1) == ShowRequest)
                    emit showRequested();
                pending->remove(0, end + 1);
            }
            if (pending->size() <= MaxPending)
                continue;
        }
        // End of the request, a read error, or a line too long to be one: done with it.
        notifier->setEnabled(false);
        notifier->deleteLater();
        ::close(fd);
        return;
    }
}
