#include "platform/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <unistd.h>

namespace {

const QByteArray ShowRequest = QByteArrayLiteral("show\n");
constexpr int ConnectTimeoutMs = 1000;
// A running copy may hold the lock but not yet listen; a later start retries this long.
constexpr int ListenWaitMs = 2000;

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
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Only a dead owner makes the lock stale, never its age: the program may run for days.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server != nullptr) {
        m_server->close();
        QLocalServer::removeServer(m_socketPath);
    }
}

SingleInstance::Result SingleInstance::tryStart()
{
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError) {
            askRunningInstanceToShow();
            return Duplicate;
        }
        return Primary;
    }

    // We own the lock, so a socket left by a crashed copy can go.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::readRequests);
    m_server->listen(m_socketPath);
    return Primary;
}

void SingleInstance::askRunningInstanceToShow() const
{
    QElapsedTimer waited;
    waited.start();
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(ConnectTimeoutMs))
            break;
        if (waited.elapsed() >= ListenWaitMs)
            return;
        QThread::msleep(50);
    }
    socket.write(ShowRequest);
    socket.waitForBytesWritten(ConnectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(ConnectTimeoutMs);
}

void SingleInstance::readRequests()
{
    while (QLocalSocket *client = m_server->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        const auto handle = [this, client] {
            while (client->canReadLine()) {
                if (client->readLine() == ShowRequest)
                    emit showRequested();
            }
        };
        connect(client, &QLocalSocket::readyRead, this, handle);
        // The request may have arrived together with the connection.
        handle();
    }
}
