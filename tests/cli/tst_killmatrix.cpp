// The real quorixctl killed at each write, fsync and rename in turn (strace injects SIGKILL at
// the N-th call, N = 1, 2, ... until the command gets through): each device file is its whole
// old or new image, snapshots are whole, a temporary file remains only under its fixed name,
// and the next run clears it and gets through.

#include "settings/SettingsHistory.h"

#include "support/TestFiles.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

const QByteArray kOld = QByteArray(256, 'o') + QByteArray(76, 'o');
const QByteArray kNew = QByteArray(256, 'n') + QByteArray(76, 'n');

class TestKillMatrix : public QObject
{
    Q_OBJECT

private slots:
    void killedAtEachCall_data();
    void killedAtEachCall();
};

void TestKillMatrix::killedAtEachCall_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("syscall");
    QTest::addColumn<QByteArray>("after"); // the device's records once the command got through
    const std::tuple<const char *, QStringList, QByteArray> commands[] = {
        {"push", {u"push"_s, u"new"_s}, kNew},
        {"device set",
         {u"device"_s, u"set"_s, u"Contrast=18"_s},
         QByteArray(kOld).replace(8, 2, QByteArray("\x12\x00", 2))},
        {"restore", {u"restore"_s, u"20240501-120000"_s}, kNew}};
    for (const auto &[name, args, after] : commands) {
        for (const char *call : {"write", "fsync", "rename"})
            QTest::addRow("%s at %s", name, call) << args << QString::fromLatin1(call) << after;
    }
}

void TestKillMatrix::killedAtEachCall()
{
    QFETCH(QStringList, args);
    QFETCH(QString, syscall);
    QFETCH(QByteArray, after);
    const QRegularExpression owned(u"^(\\w+|\\d{8}-\\d{6}(-\\d+)?|\\w+\\.ini|\\.lock)$"_s);
    const QRegularExpression temporary(u"^\\.(\\w+\\.ini|snapshot)\\.quorix-tmp$"_s);
    for (int n = 1; !QTest::currentTestFailed(); ++n) {
        // A kill does not care where the files are; in memory the many flushes cost nothing.
        QTemporaryDir dir(QFileInfo(u"/dev/shm"_s).isWritable() ? u"/dev/shm/kill-XXXXXX"_s
                                                                : QString());
        for (const auto &[file, bytes] :
             {std::pair{u"dev/system/system.ini"_s, kOld.left(256)},
              {u"dev/system/weekly.ini"_s, kOld.mid(256)},
              {u"new/system.ini"_s, kNew.left(256)},
              {u"new/weekly.ini"_s, kNew.mid(256)},
              {u"data/quorix/history/20240501-120000/system.ini"_s, kNew.left(256)},
              {u"data/quorix/history/20240501-120000/weekly.ini"_s, kNew.mid(256)}})
            QVERIFY(writeFile(dir.filePath(file), bytes));
        // quorixctl killed at the call numbered `at`, 65535 = never (install-deps.sh has strace).
        auto run = [&](int at) {
            QProcessEnvironment env;
            env.insert(u"HOME"_s, dir.path());
            env.insert(u"XDG_DATA_HOME"_s, dir.filePath(u"data"_s));
            env.insert(u"TAVION_DEVICE_ROOT"_s, dir.filePath(u"dev"_s));
            // A sanitizer build's leak check cannot run under strace (it needs ptrace itself).
            env.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s);
            QProcess p;
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(dir.path());
            p.start(QStandardPaths::findExecutable(u"strace"_s),
                    QStringList{u"-f"_s, u"-qq"_s, u"-o"_s, u"/dev/null"_s, u"-e"_s,
                                u"trace="_s + syscall, u"-e"_s,
                                u"inject=%1:signal=SIGKILL:when=%2"_s.arg(syscall).arg(at),
                                QStringLiteral(QUORIXCTL)} +
                        args);
            p.waitForFinished(60000);
            return p.exitStatus() == QProcess::CrashExit || p.exitCode() == 137 ? -1 : p.exitCode();
        };
        const int code = run(n);
        const QByteArray system = readFile(dir.filePath(u"dev/system/system.ini"_s));
        const QByteArray weekly = readFile(dir.filePath(u"dev/system/weekly.ini"_s));
        QVERIFY2(code == -1 || code == 0, qPrintable(QString::number(n)));
        QVERIFY2((QByteArrayList{after.left(256), kOld.left(256)}.contains(system) &&
                  QByteArrayList{after.mid(256), kOld.mid(256)}.contains(weekly)),
                 qPrintable(QString::number(n)));
        for (int pass = code == -1 ? 0 : 1; pass < 2; ++pass) {
            QByteArray s, w;
            for (const auto &kept : SettingsHistory(dir.filePath(u"data/quorix/history"_s)).list())
                QVERIFY(SettingsHistory::read(kept, s, w));
            QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString name = it.nextFileInfo().fileName();
                QVERIFY2(owned.match(name).hasMatch() ||
                             (pass == 0 && temporary.match(name).hasMatch()),
                         qPrintable(it.filePath()));
            }
            if (pass == 0) // the next run clears up and gets through
                QCOMPARE(run(65535), 0);
        }
        QCOMPARE(readFile(dir.filePath(u"dev/system/system.ini"_s)) +
                     readFile(dir.filePath(u"dev/system/weekly.ini"_s)),
                 after);
        if (code == 0) { // and it was killed at least once: it does flush and rename
            QVERIFY(n > 1);
            break;
        }
    }
}

QTEST_GUILESS_MAIN(TestKillMatrix)
#include "tst_killmatrix.moc"
