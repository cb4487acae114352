#pragma once

#include <QObject>
#include <QString>

#include <memory>

class FileLock;
class QSocketNotifier;

// Keeps Quorix to one running copy per user. The first start holds a FileLock and listens on
// a local socket beside it; a later start finds the lock taken, asks the running copy through
// the socket to show its window, and is told to end. The lock ends with its process however
// that ends; a plain POSIX socket keeps Qt Network and its libraries out of the start.
//
//     SingleInstance instance;
//     if (instance.tryStart() == SingleInstance::Duplicate)
//         return 0; // the running copy comes to the front; this one writes nothing
//     connect(&instance, &SingleInstance::showRequested, ...);
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum Result
    {
        Primary,   // this process is the running instance
        Duplicate, // another one runs and was asked to show itself
    };

    // The lock and the socket live in runtimeDir; by default $XDG_RUNTIME_DIR, else the
    // temporary directory with the user id in the names.
    explicit SingleInstance(const QString &name = QStringLiteral("quorix"),
                            const QString &runtimeDir = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Call once, before the main window is built. When the lock cannot be made at all (no
    // writable runtime directory) the program still starts, unguarded.
    Result tryStart();

    QString lockFilePath() const { return m_lockPath; }
    QString socketPath() const { return m_socketPath; }

    static QString defaultRuntimeDir();

signals:
    // A later start asked this instance to restore its window and bring it to the front.
    void showRequested();

private:
    void listen();
    void askRunningInstanceToShow() const;
    void acceptClients();
    void readClient(int fd, QSocketNotifier *notifier, QByteArray *pending);

    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<FileLock> m_lock;
    int m_serverFd = -1;
};
