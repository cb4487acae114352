// quorixctl push, pull and device set while the device or the PC folder refuses writes, is full
// or is gone: a message naming the step, the documented exit code, no crash, and every record
// file on either side is its complete old image or its complete new one.

#include "support/FaultTools.h"
#include "support/TestFiles.h"

#include "cli/CliContext.h"
#include "cli/Commands.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace faults;

namespace {

const QStringList kFiles{QStringLiteral("system.ini"), QStringLiteral("weekly.ini")};

const QByteArray kDeviceSystem(256, '\x33'), kDeviceWeekly(76, '\x33');
const QByteArray kPcSystem(256, '\x11'), kPcWeekly(76, '\x11');

} // namespace

class TestFaultsCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void commandWhenAFolderRefuses_data();
    void commandWhenAFolderRefuses();

private:
    int quorixctl(const QStringList &args, QString &err);

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_deviceDir, m_pcDir;
    std::unique_ptr<FileSizeLimit> m_limit;
};

void TestFaultsCli::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + QStringLiteral("/config")).toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
}

void TestFaultsCli::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    m_deviceDir = m_tmp->filePath(QStringLiteral("tavion/system"));
    m_pcDir = m_tmp->filePath(QStringLiteral("pc/records"));
    QVERIFY(writeFile(m_deviceDir + QStringLiteral("/system.ini"), kDeviceSystem));
    QVERIFY(writeFile(m_deviceDir + QStringLiteral("/weekly.ini"), kDeviceWeekly));
    QVERIFY(writeFile(m_pcDir + QStringLiteral("/system.ini"), kPcSystem));
    QVERIFY(writeFile(m_pcDir + QStringLiteral("/weekly.ini"), kPcWeekly));
}

void TestFaultsCli::cleanup()
{
    m_limit.reset();
    restoreWritable(m_deviceDir);
    restoreWritable(m_pcDir);
}

int TestFaultsCli::quorixctl(const QStringList &args, QString &err)
{
    QString out;
    QTextStream outStream(&out), errStream(&err);
    QProcessEnvironment env;
    env.insert(QStringLiteral("TAVION_DEVICE_ROOT"), m_tmp->filePath(QStringLiteral("tavion")));
    env.insert(QStringLiteral("HOME"), m_home.path());
    env.insert(QStringLiteral("WINEPREFIX"), m_tmp->filePath(QStringLiteral("prefix")));
    CliContext ctx{outStream, errStream, env};
    const int code = runQuorixCtl(args, ctx);
    errStream.flush();
    return code;
}

void TestFaultsCli::commandWhenAFolderRefuses_data()
{
    QTest::addColumn<QString>("command"); // push, pull, set
    QTest::addColumn<QString>("place");   // device, pc
    QTest::addColumn<Block>("how");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");

    auto row = [](const char *command, const char *place, Block how, int code, const char *says) {
        const char *state[] = {"fine", "read-only", "full", "gone"};
        QTest::addRow("%s, %s %s", command, place, state[int(how)])
            << QString::fromLatin1(command) << QString::fromLatin1(place) << how << code
            << QString::fromLatin1(says);
    };
    const int device = ExitDeviceFailure, bad = ExitBadInput;
    // As root the device files are taken by folders, so the fetch before the push already fails.
    row("push", "device", Block::ReadOnly, device, isRoot() ? "fetching" : "sending system.ini");
    row("push", "device", Block::Full, device, "fetching");
    row("push", "device", Block::Missing, device, "push: device folder");
    row("push", "pc", Block::Missing, bad, "is missing");
    row("pull", "pc", Block::ReadOnly, bad, "pull:");
    row("pull", "pc", Block::Full, device, "fetching \\system\\system.ini");
    row("pull", "pc", Block::Missing, bad, "is not a directory");
    row("pull", "device", Block::Missing, device, "pull: device folder");
    // As root the device files are taken by folders, so the fetch already fails.
    row("set", "device", Block::ReadOnly, device, isRoot() ? "fetching" : "sending system.ini");
    row("set", "device", Block::Full, device, "fetching");
    row("set", "device", Block::Missing, device, "device set: device folder");
    row("push", "device", Block::None, ExitOk, "");
    row("pull", "pc", Block::None, ExitOk, "");
}

void TestFaultsCli::commandWhenAFolderRefuses()
{
    QFETCH(QString, command);
    QFETCH(QString, place);
    QFETCH(Block, how);
    QFETCH(int, exitCode);
    QFETCH(QString, says);

    const QString dir = place == u"device" ? m_deviceDir : m_pcDir;
    const QStringList taken = applyBlock(dir, how, kFiles, m_limit);

    QStringList args{command};
    if (command == u"set")
        args = {QStringLiteral("device"), QStringLiteral("set"), QStringLiteral("Contrast=5"),
                QStringLiteral("AlarmEntry[0].Hour=7")};
    else
        args << m_pcDir;
    QString err;
    const int code = quorixctl(args, err);
    m_limit.reset();
    restoreWritable(dir);

    QCOMPARE(code, exitCode);
    QVERIFY2(err.contains(says), qPrintable(err));

    // What each side may hold afterwards.
    QList<QByteArray> deviceSystem{kDeviceSystem}, deviceWeekly{kDeviceWeekly};
    QList<QByteArray> pcSystem{kPcSystem}, pcWeekly{kPcWeekly};
    if (command == u"push") {
        deviceSystem << kPcSystem;
        deviceWeekly << kPcWeekly;
    } else if (command == u"pull") {
        pcSystem << kDeviceSystem;
        pcWeekly << kDeviceWeekly;
    } else {
        // device set changes two bytes of each record; the rest stays the device's.
        QByteArray s = kDeviceSystem, w = kDeviceWeekly;
        s[8] = 5;
        s[9] = 0;
        w[2] = 7;
        w[3] = 0;
        deviceSystem << s;
        deviceWeekly << w;
    }
    verifyWhole(m_deviceDir, kFiles, {deviceSystem, deviceWeekly},
                dir == m_deviceDir ? taken : QStringList());
    verifyWhole(m_pcDir, kFiles, {pcSystem, pcWeekly}, dir == m_pcDir ? taken : QStringList());
    if (code == ExitOk) {
        const QString to = command == u"push" ? m_deviceDir : m_pcDir;
        QCOMPARE(readFile(to + QStringLiteral("/system.ini")),
                 command == u"push" ? kPcSystem : kDeviceSystem);
    }
}

QTEST_GUILESS_MAIN(TestFaultsCli)
#include "tst_faults_cli.moc"
