#include "gui/RaiseWindow.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <QtTest>

#include <cstring>
#include <iostream>

namespace {

const QString InstanceName = QStringLiteral("quorix");
constexpr int DuplicateExit = 3;

// This test program doubles as the "other" Quorix process:
//   --second DIR   starts as a later copy would and exits 3 when told it is a duplicate;
//   --hold DIR     becomes the running copy and waits to be killed.
int runChild(const char *mode, const char *dir)
{
    SingleInstance instance(InstanceName, QString::fromLocal8Bit(dir));
    const SingleInstance::Result result = instance.tryStart();
    if (std::strcmp(mode, "--second") == 0)
        return result == SingleInstance::Duplicate ? DuplicateExit : 0;
    if (result != SingleInstance::Primary)
        return 1;
    std::cout << "ready" << std::endl;
    for (;;)
        QThread::sleep(1);
}

// A start in dir is the primary one; each later start is a duplicate that asks it to show.
void expectPrimaryAskedByLaterStarts(const QString &dir, int laterStarts)
{
    SingleInstance primary(InstanceName, dir);
    QCOMPARE(primary.tryStart(), SingleInstance::Primary);
    QSignalSpy asked(&primary, &SingleInstance::showRequested);
    std::vector<std::unique_ptr<SingleInstance>> later;
    for (int i = 1; i <= laterStarts; ++i) {
        later.push_back(std::make_unique<SingleInstance>(InstanceName, dir));
        QCOMPARE(later.back()->tryStart(), SingleInstance::Duplicate);
        QTRY_COMPARE(asked.count(), i);
    }
}

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void secondProcessRaisesTheFirst();
    void secondObjectInOneProcessIsADuplicate();
    void instanceCanStartAgainAfterTheFirstEnded();
    void crashedInstanceDoesNotBlockTheNext();
    void unusableRuntimeDirStillStarts();
    void defaultRuntimeDirIsXdgRuntimeDir();

private:
    QProcess *startChild(const QString &mode);

    std::unique_ptr<QTemporaryDir> m_runtime;
};

void SingleInstanceTest::init()
{
    m_runtime = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtime->isValid());
}

QProcess *SingleInstanceTest::startChild(const QString &mode)
{
    auto *process = new QProcess(this);
    process->setProgram(QCoreApplication::applicationFilePath());
    process->setArguments({mode, m_runtime->path()});
    process->start();
    return process;
}

void SingleInstanceTest::secondProcessRaisesTheFirst()
{
    SingleInstance first(InstanceName, m_runtime->path());
    QCOMPARE(first.tryStart(), SingleInstance::Primary);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quorix"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.showMinimized();
    QTRY_VERIFY(window.isMinimized());
    QSignalSpy asked(&first, &SingleInstance::showRequested);
    connect(&first, &SingleInstance::showRequested, &window,
            [&window] { RestoreAndRaise(&window); });

    const QStringList before = QDir(m_runtime->path()).entryList(QDir::Files | QDir::System);
    QProcess *second = startChild(QStringLiteral("--second"));
    QVERIFY(second->waitForStarted());
    QTRY_COMPARE(second->state(), QProcess::NotRunning);

    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), DuplicateExit);
    // The later copy ends silently and leaves nothing behind.
    QCOMPARE(second->readAllStandardOutput(), QByteArray());
    QCOMPARE(second->readAllStandardError(), QByteArray());
    QCOMPARE(QDir(m_runtime->path()).entryList(QDir::Files | QDir::System), before);

    QTRY_COMPARE(asked.count(), 1);
    QTRY_VERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
}

void SingleInstanceTest::secondObjectInOneProcessIsADuplicate()
{
    expectPrimaryAskedByLaterStarts(m_runtime->path(), 2);
}

void SingleInstanceTest::instanceCanStartAgainAfterTheFirstEnded()
{
    {
        SingleInstance first(InstanceName, m_runtime->path());
        QCOMPARE(first.tryStart(), SingleInstance::Primary);
    }
    expectPrimaryAskedByLaterStarts(m_runtime->path(), 1);
}

void SingleInstanceTest::crashedInstanceDoesNotBlockTheNext()
{
    QProcess *holder = startChild(QStringLiteral("--hold"));
    QVERIFY(holder->waitForReadyRead(10000));
    QCOMPARE(holder->readAllStandardOutput().trimmed(), QByteArray("ready"));

    SingleInstance whileRunning(InstanceName, m_runtime->path());
    QCOMPARE(whileRunning.tryStart(), SingleInstance::Duplicate);

    // Killed outright, the holder leaves its lock file and socket behind.
    holder->kill();
    QVERIFY(holder->waitForFinished());
    QVERIFY(QFile::exists(whileRunning.lockFilePath()));
    expectPrimaryAskedByLaterStarts(m_runtime->path(), 1);
}

void SingleInstanceTest::unusableRuntimeDirStillStarts()
{
    SingleInstance first(InstanceName, m_runtime->filePath(QStringLiteral("no/such/dir")));
    QCOMPARE(first.tryStart(), SingleInstance::Primary);
}

void SingleInstanceTest::defaultRuntimeDirIsXdgRuntimeDir()
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
    const SingleInstance inRuntime;
    QCOMPARE(QFileInfo(inRuntime.lockFilePath()).absolutePath(), m_runtime->path());

    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->filePath(QStringLiteral("gone"))));
    const SingleInstance inTemp;
    QCOMPARE(QFileInfo(inTemp.lockFilePath()).absolutePath(), QDir::tempPath());
    // The temporary directory is shared, so the user is part of the name.
    QVERIFY(QFileInfo(inTemp.lockFilePath()).fileName() != QStringLiteral("quorix.lock"));
    qputenv("XDG_RUNTIME_DIR", saved);
}

int main(int argc, char *argv[])
{
    if (argc >= 3 &&
        (std::strcmp(argv[1], "--second") == 0 || std::strcmp(argv[1], "--hold") == 0)) {
        QCoreApplication app(argc, argv);
        return runChild(argv[1], argv[2]);
    }
    QApplication app(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
