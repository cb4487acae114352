// The real quorixctl killed at each write, fsync and rename in turn (strace injects SIGKILL at
// the N-th call, for N = 1, 2, ... until the command gets through): every record file on the
// device and on the PC is its complete old or new image, snapshots are whole, only temporary
// files of fixed names remain, and the next run removes them and completes.

#include "settings/SettingsHistory.h"

#include "support/TestFiles.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

constexpr int kKilled = -1;
const QByteArray kOldSystem(256, 'o'), kOldWeekly(76, 'o');
const QByteArray kNewSystem(256, 'n'), kNewWeekly(76, 'n');

QByteArray withContrast7(QByteArray system)
{
    return system.replace(8, 2, QByteArray("\x07\x00", 2));
}

} // namespace

class TestKillMatrix : public QObject
{
    Q_OBJECT

private slots:
    void killedAtEachCall_data();
    void killedAtEachCall();

private:
    void prepare();
    // The exit code, or kKilled.
    int run(const QStringList &args, const QString &syscall, int n);
    // Every name under the test folder is one the program owns, temporary ones only if allowed.
    void verifyNames(bool temporaryAllowed);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestKillMatrix::killedAtEachCall_data()
{
    QTest::addColumn<QStringList>("args"); // %1 = the PC folder
    QTest::addColumn<QByteArray>("deviceSystem");
    QTest::addColumn<QByteArray>("deviceWeekly");
    QTest::addColumn<QByteArray>("pcSystem");

    const QList<std::tuple<const char *, QStringList, QByteArray, QByteArray, QByteArray>> commands{
        {"push", {u"push"_s, u"%1"_s}, kNewSystem, kNewWeekly, kNewSystem},
        {"device set",
         {u"device"_s, u"set"_s, u"Contrast=7"_s},
         withContrast7(kOldSystem),
         kOldWeekly,
         kNewSystem},
        {"restore", {u"restore"_s, u"20240501-120000"_s}, kNewSystem, kNewWeekly, kNewSystem},
        {"set",
         {u"set"_s, u"%1/system.ini"_s, u"Contrast=7"_s},
         kOldSystem,
         kOldWeekly,
         withContrast7(kNewSystem)},
    };
    for (const auto &[name, args, system, weekly, pc] : commands) {
        for (const char *syscall : {"write", "fsync", "rename"})
            QTest::addRow("%s at %s", name, syscall)
                << (QStringList(args) << QString::fromLatin1(syscall)) << system << weekly << pc;
    }
}

void TestKillMatrix::killedAtEachCall()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, deviceSystem);
    QFETCH(QByteArray, deviceWeekly);
    QFETCH(QByteArray, pcSystem);
    const QString syscall = args.takeLast();

    for (int n = 1;; ++n) {
        prepare();
        const QString pc = m_dir->filePath(u"pc"_s);
        QStringList command = args;
        command.replaceInStrings(u"%1"_s, pc);
        const int code = run(command, syscall, n);
        const bool killed = code == kKilled;
        const QString where = u"%1 at %2 #%3"_s.arg(command.join(u' '), syscall).arg(n);
        QVERIFY2(killed || code == 0, qPrintable(where));
        const QByteArray system = readFile(m_dir->filePath(u"device/system/system.ini"_s));
        const QByteArray weekly = readFile(m_dir->filePath(u"device/system/weekly.ini"_s));
        const QByteArray pcFile = readFile(pc + u"/system.ini"_s);
        QVERIFY2(system == kOldSystem || system == deviceSystem, qPrintable(where));
        QVERIFY2(weekly == kOldWeekly || weekly == deviceWeekly, qPrintable(where));
        QVERIFY2(pcFile == kNewSystem || pcFile == pcSystem, qPrintable(where));
        SettingsHistory history(m_dir->filePath(u"data/quorix/history"_s));
        for (const auto &snapshot : history.list()) {
            QByteArray s, w;
            QVERIFY2(SettingsHistory::read(snapshot, s, w), qPrintable(where));
        }
        verifyNames(killed);
        if (killed) // the next run clears up and gets through
            QCOMPARE(run(command, {}, 0), 0);
        QCOMPARE(readFile(m_dir->filePath(u"device/system/system.ini"_s)), deviceSystem);
        QCOMPARE(readFile(m_dir->filePath(u"device/system/weekly.ini"_s)), deviceWeekly);
        QCOMPARE(readFile(pc + u"/system.ini"_s), pcSystem);
        verifyNames(false);
        if (!killed)
            break;
    }
}

void TestKillMatrix::prepare()
{
    // A kill does not care where the files are; in memory the many flushes cost nothing.
    m_dir = QFileInfo(u"/dev/shm"_s).isWritable()
                ? std::make_unique<QTemporaryDir>(u"/dev/shm/tst_killmatrix-XXXXXX"_s)
                : std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(m_dir->filePath(u"device/system"_s)));
    QVERIFY(QDir().mkpath(m_dir->filePath(u"pc"_s)));
    QVERIFY(writeFile(m_dir->filePath(u"device/system/system.ini"_s), kOldSystem));
    QVERIFY(writeFile(m_dir->filePath(u"device/system/weekly.ini"_s), kOldWeekly));
    QVERIFY(writeFile(m_dir->filePath(u"pc/system.ini"_s), kNewSystem));
    QVERIFY(writeFile(m_dir->filePath(u"pc/weekly.ini"_s), kNewWeekly));
    SettingsHistory history(m_dir->filePath(u"data/quorix/history"_s),
                            [] { return QDateTime(QDate(2024, 5, 1), QTime(12, 0)); });
    QString error;
    QVERIFY2(!history.store(kNewSystem, kNewWeekly, &error).isEmpty(), qPrintable(error));
}

int TestKillMatrix::run(const QStringList &args, const QString &syscall, int n)
{
    const QString strace = QStandardPaths::findExecutable(u"strace"_s);
    QProcess p;
    QProcessEnvironment env;
    env.insert(u"HOME"_s, m_dir->path());
    env.insert(u"XDG_CONFIG_HOME"_s, m_dir->filePath(u"config"_s));
    env.insert(u"XDG_DATA_HOME"_s, m_dir->filePath(u"data"_s));
    env.insert(u"TAVION_DEVICE_ROOT"_s, m_dir->filePath(u"device"_s));
    p.setProcessEnvironment(env);
    if (syscall.isEmpty()) {
        p.start(QStringLiteral(QUORIXCTL), args);
    } else {
        if (strace.isEmpty())
            qFatal("strace is needed (scripts/install-deps.sh installs it)");
        p.start(strace, QStringList{u"-f"_s, u"-qq"_s, u"-o"_s, u"/dev/null"_s, u"-e"_s,
                                    u"trace="_s + syscall, u"-e"_s,
                                    u"inject=%1:signal=SIGKILL:when=%2"_s.arg(syscall).arg(n),
                                    QStringLiteral(QUORIXCTL)} +
                            args);
    }
    p.waitForFinished(60000);
    if (p.exitStatus() == QProcess::CrashExit || p.exitCode() == 128 + SIGKILL)
        return kKilled;
    if (p.exitCode() != 0)
        qWarning() << args << p.readAllStandardError();
    return p.exitCode();
}

void TestKillMatrix::verifyNames(bool temporaryAllowed)
{
    static const QRegularExpression owned(
        u"^(device|system|pc|config|data|quorix|history|transfer|\\.lock|\\d{8}-\\d{6}(-\\d+)?|"
        "(system|weekly)\\.ini)$"_s);
    static const QRegularExpression temporary(
        u"^(\\.(system|weekly)\\.ini\\.quorix-tmp|\\.snapshot\\.quorix-tmp)$"_s);
    QDirIterator it(m_dir->path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.nextFileInfo().fileName();
        QVERIFY2(owned.match(name).hasMatch() ||
                     (temporaryAllowed && temporary.match(name).hasMatch()),
                 qPrintable(it.filePath()));
    }
}

QTEST_GUILESS_MAIN(TestKillMatrix)
#include "tst_killmatrix.moc"
