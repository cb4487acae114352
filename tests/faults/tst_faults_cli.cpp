// quorixctl push, pull and device set while the device or the PC folder refuses writes, is full
// or is gone: a message naming the step, the documented exit code, no crash, and every record
// file on either side is its complete old image or its complete new one.

#include "faults/FaultTools.h"

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

QByteArray image(qsizetype size, char marker)
{
    return QByteArray(size, marker);
}

const QByteArray kDeviceSystem = image(256, '\x33'), kDeviceWeekly = image(76, '\x33');
const QByteArray kPcSystem = image(256, '\x11'), kPcWeekly = image(76, '\x11');

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
    writeAll(m_deviceDir + QStringLiteral("/system.ini"), kDeviceSystem);
    writeAll(m_deviceDir + QStringLiteral("/weekly.ini"), kDeviceWeekly);
    writeAll(m_pcDir + QStringLiteral("/system.ini"), kPcSystem);
    writeAll(m_pcDir + QStringLiteral("/weekly.ini"), kPcWeekly);
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

    const int device = ExitDeviceFailure;
    QTest::newRow("push, device read-only")
        << "push"
        << "device" << Block::ReadOnly << device << "sending system.ini";
    QTest::newRow("push, device full") << "push"
                                       << "device" << Block::Full << device << "sending system.ini";
    QTest::newRow("push, device gone")
        << "push"
        << "device" << Block::Missing << device << "push: device folder";
    QTest::newRow("push, PC folder gone")
        << "push"
        << "pc" << Block::Missing << int(ExitBadInput) << "is missing";
    QTest::newRow("pull, PC read-only") << "pull"
                                        << "pc" << Block::ReadOnly << int(ExitBadInput) << "pull:";
    QTest::newRow("pull, PC full")
        << "pull"
        << "pc" << Block::Full << device << "fetching \\system\\system.ini";
    QTest::newRow("pull, PC folder gone")
        << "pull"
        << "pc" << Block::Missing << int(ExitBadInput) << "is not a directory";
    QTest::newRow("pull, device gone")
        << "pull"
        << "device" << Block::Missing << device << "pull: device folder";
    // As root the device files are taken by folders, so the fetch already fails.
    QTest::newRow("device set, device read-only")
        << "set"
        << "device" << Block::ReadOnly << device << (isRoot() ? "fetching" : "sending system.ini");
    QTest::newRow("device set, full") << "set"
                                      << "device" << Block::Full << device << "fetching";
    QTest::newRow("device set, device gone")
        << "set"
        << "device" << Block::Missing << device << "device set: device folder";
    QTest::newRow("control: push") << "push"
                                   << "device" << Block::None << int(ExitOk) << "";
    QTest::newRow("control: pull") << "pull"
                                   << "pc" << Block::None << int(ExitOk) << "";
}

void TestFaultsCli::commandWhenAFolderRefuses()
{
    QFETCH(QString, command);
    QFETCH(QString, place);
    QFETCH(Block, how);
    QFETCH(int, exitCode);
    QFETCH(QString, says);

    const QString dir = place == u"device" ? m_deviceDir : m_pcDir;
    QStringList taken;
    switch (how) {
    case Block::None:
        break;
    case Block::ReadOnly:
        taken = makeReadOnly(dir, kFiles);
        break;
    case Block::Full:
        m_limit = std::make_unique<FileSizeLimit>(100);
        break;
    case Block::Missing:
        QDir(QFileInfo(dir).path()).removeRecursively();
        break;
    }

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
    const struct
    {
        QString dir;
        QList<QByteArray> system, weekly;
    } sides[] = {{m_deviceDir, deviceSystem, deviceWeekly}, {m_pcDir, pcSystem, pcWeekly}};
    for (const auto &side : sides) {
        if (!QFileInfo(side.dir).isDir())
            continue;
        for (int i = 0; i < 2; ++i) {
            const QString path = side.dir + u'/' + kFiles[i];
            QList<QByteArray> allowed = i == 0 ? side.system : side.weekly;
            if (side.dir == dir && taken.contains(kFiles[i]))
                allowed = {QByteArrayLiteral("<directory>")};
            const QByteArray actual = readAll(path);
            QVERIFY2(isOneOf(actual, allowed),
                     qPrintable(QStringLiteral("%1: %2 bytes, neither old nor new")
                                    .arg(path)
                                    .arg(actual.size())));
        }
        QCOMPARE(strayFiles(side.dir, kFiles), QStringList());
    }
    if (code == ExitOk) {
        const QString to = command == u"push" ? m_deviceDir : m_pcDir;
        QCOMPARE(readAll(to + QStringLiteral("/system.ini")),
                 command == u"push" ? kPcSystem : kDeviceSystem);
    }
}

QTEST_GUILESS_MAIN(TestFaultsCli)
#include "tst_faults_cli.moc"
