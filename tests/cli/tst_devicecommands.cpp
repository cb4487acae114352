#include "cli/CliContext.h"
#include "support/FaultTools.h"
#include "support/TestFiles.h"

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

struct Run
{
    int code;
    QString out;
    QString err;
};

SystemRecord deviceSystem()
{
    SystemRecord r;
    r.set(SystemField::Contrast, 16);
    r.set(SystemField::PowerOnHour, 7);
    r.setUserName("My Computer");
    r.bytes[200] = 0x5A;
    return r;
}

WeeklyRecord deviceWeekly()
{
    WeeklyRecord r;
    r.setHour(1, 12);
    r.setSoundName(2, "MARCH");
    return r;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

const QDateTime kLongAgo(QDate(2020, 1, 1), QTime(0, 0));

} // namespace

class TestDeviceCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void usage_data();
    void usage();
    void unreachable_data();
    void unreachable();
    void pull_data();
    void pull();
    void push_data();
    void push();
    void sounds_data();
    void sounds();
    void deviceShowMatchesShow();
    void deviceSet_data();
    void deviceSet();
    void snapshots();
    void diff_data();
    void diff();

private:
    Run quorixctl(const QStringList &args) const;
    QString device(const QString &relative) const { return m_root + u'/' + relative; }
    void age(const QString &path) const;

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_root;
    QString m_dir; // the DIR of pull and push
    QProcessEnvironment m_env;
};

void TestDeviceCommands::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(QSettings("Rovoveri", "Rovoveri").fileName().startsWith(m_home.path()));
}

void TestDeviceCommands::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    m_root = m_tmp->filePath("gvfs/TAVION");
    m_dir = m_tmp->filePath("dir");
    QVERIFY(QDir().mkpath(m_dir));
    QVERIFY(writeFile(device("system/system.ini"), bytesOf(deviceSystem())));
    QVERIFY(writeFile(device("system/weekly.ini"), bytesOf(deviceWeekly())));
    age(device("system/system.ini"));
    age(device("system/weekly.ini"));

    m_env = QProcessEnvironment();
    m_env.insert("TAVION_DEVICE_ROOT", m_root);
    m_env.insert("HOME", m_home.path());
    m_env.insert("XDG_DATA_HOME", m_tmp->filePath("data"));
    m_env.insert("WINEPREFIX", m_tmp->filePath("prefix"));
}

Run TestDeviceCommands::quorixctl(const QStringList &args) const
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliContext ctx{outStream, errStream, m_env};
    const int code = runQuorixCtl(args, ctx);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

// An old time marks a device file that no command has rewritten.
void TestDeviceCommands::age(const QString &path) const
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(kLongAgo, QFileDevice::FileModificationTime));
}

void TestDeviceCommands::usage_data()
{
    QTest::addColumn<QStringList>("args");
    for (const char *line : {"pull", "pull a b", "push", "sounds x", "device", "device show x",
                             "device wipe", "device set", "diff a", "history x", "restore"})
        QTest::newRow(line) << QString::fromLatin1(line).split(u' ');
}

void TestDeviceCommands::usage()
{
    QFETCH(QStringList, args);
    const Run r = quorixctl(args);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains("usage"), qPrintable(r.err));
    QCOMPARE(readFile(device("system/system.ini")), bytesOf(deviceSystem()));
}

void TestDeviceCommands::unreachable_data()
{
    QTest::addColumn<QStringList>("args"); // the step named in the message is all but the last
    for (const char *line :
         {"pull {dir}", "push {dir}", "sounds -", "device show -", "device set Contrast=3"})
        QTest::newRow(line) << QString::fromLatin1(line).split(u' ');
}

void TestDeviceCommands::unreachable()
{
    QFETCH(QStringList, args);
    const QString step = args.mid(0, args.size() - 1).join(u' ');
    if (args.last() == u"-")
        args.removeLast();
    args.replaceInStrings("{dir}", m_dir);
    QVERIFY(writeFile(m_dir + "/system.ini", bytesOf(SystemRecord{})));
    QVERIFY(writeFile(m_dir + "/weekly.ini", bytesOf(WeeklyRecord{})));

    m_env.insert("XDG_RUNTIME_DIR", m_tmp->path());
    for (const bool rootSet : {true, false}) {
        // Set but unplugged (a Tavion found does not count), or unset with two found: none guessed.
        m_env.insert("TAVION_DEVICE_ROOT", rootSet ? m_tmp->filePath("unplugged") : QString());
        if (!rootSet)
            QVERIFY(QFile::link(m_root, m_tmp->filePath("gvfs/TAVION2")));
        const Run r = quorixctl(args);
        QCOMPARE(r.code, 4);
        QVERIFY2(r.err.startsWith("quorixctl: " + step + ':'), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readFile(m_dir + "/system.ini"), bytesOf(SystemRecord{}));
        QCOMPARE(entries(m_dir).size(), 2);
    }
}

void TestDeviceCommands::pull_data()
{
    QTest::addColumn<QString>("missingOnDevice");
    QTest::addColumn<bool>("dirThere");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    QTest::newRow("both fetched") << QString() << true << 0 << QString();
    QTest::newRow("no system.ini on the device")
        << "system/system.ini" << true << 4 << "fetching \\system\\system.ini";
    QTest::newRow("no weekly.ini on the device")
        << "system/weekly.ini" << true << 4 << "fetching \\system\\weekly.ini";
    QTest::newRow("DIR missing") << QString() << false << 1 << "not a directory";
}

void TestDeviceCommands::pull()
{
    QFETCH(QString, missingOnDevice);
    QFETCH(bool, dirThere);
    QFETCH(int, code);
    QFETCH(QString, message);

    if (!missingOnDevice.isEmpty())
        QVERIFY(QFile::remove(device(missingOnDevice)));
    const QString dir = dirThere ? m_dir : m_tmp->filePath("nowhere");
    QVERIFY(writeFile(m_dir + "/system.ini", "old system"));
    QVERIFY(writeFile(m_dir + "/weekly.ini", "old weekly"));

    const Run r = quorixctl({"pull", dir});

    QCOMPARE(r.code, code);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    // Both files arrive, or DIR keeps what it had.
    QCOMPARE(readFile(m_dir + "/system.ini"), code == 0 ? bytesOf(deviceSystem()) : "old system");
    QCOMPARE(readFile(m_dir + "/weekly.ini"), code == 0 ? bytesOf(deviceWeekly()) : "old weekly");
    QCOMPARE(entries(m_dir), (QStringList{"system.ini", "weekly.ini"}));
    QVERIFY(!QFileInfo::exists(m_tmp->filePath("nowhere")));
}

void TestDeviceCommands::push_data()
{
    QTest::addColumn<int>("systemSize");
    QTest::addColumn<int>("weeklySize"); // -1 = no file
    QTest::addColumn<bool>("weeklyBlocked");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("systemSent");

    auto row = [](const char *name, int system, int weekly, bool blocked, int code,
                  const char *message, bool systemSent) {
        QTest::newRow(name) << system << weekly << blocked << code << QString::fromLatin1(message)
                            << systemSent;
    };
    row("both sent", 256, 76, false, 0, "", true);
    row("system.ini too short", 255, 76, false, 1, "255 bytes, not 256", false);
    row("weekly.ini too long", 256, 77, false, 1, "77 bytes, not 76", false);
    row("no weekly.ini", 256, -1, false, 1, "weekly.ini is missing", false);
    // The device's records are fetched (and kept) before anything is sent.
    row("weekly.ini on the device unreadable", 256, 76, true, 4, "fetching \\system\\weekly.ini",
        false);
}

void TestDeviceCommands::push()
{
    QFETCH(int, systemSize);
    QFETCH(int, weeklySize);
    QFETCH(bool, weeklyBlocked);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(bool, systemSent);

    const QByteArray system(systemSize, 's');
    const QByteArray weekly(std::max(weeklySize, 0), 'w');
    QVERIFY(writeFile(m_dir + "/system.ini", system));
    if (weeklySize >= 0)
        QVERIFY(writeFile(m_dir + "/weekly.ini", weekly));
    if (weeklyBlocked) {
        QVERIFY(QFile::remove(device("system/weekly.ini")));
        QVERIFY(QDir().mkpath(device("system/weekly.ini")));
    }

    const Run r = quorixctl({"push", m_dir});

    QCOMPARE(r.code, code);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(readFile(device("system/system.ini")), systemSent ? system : bytesOf(deviceSystem()));
    if (!weeklyBlocked)
        QCOMPARE(readFile(device("system/weekly.ini")),
                 code == 0 ? weekly : bytesOf(deviceWeekly()));
    QCOMPARE(entries(device("system")), (QStringList{"system.ini", "weekly.ini"}));
}

void TestDeviceCommands::sounds_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("out");
    QTest::newRow("no sound directory") << QStringList() << QString();
    QTest::newRow("sound files only, in listing order")
        << QStringList{"MARCH.snd", "chime.SND", "notes.txt", "Alarm.snd"}
        << "Alarm.snd\nchime.SND\nMARCH.snd\n";
}

void TestDeviceCommands::sounds()
{
    QFETCH(QStringList, files);
    QFETCH(QString, out);
    for (const QString &f : files)
        QVERIFY(writeFile(device("system/sound/" + f), "x"));

    m_env.remove("TAVION_DEVICE_ROOT"); // nothing set: the one Tavion found (in GVfs) is used
    m_env.insert("XDG_RUNTIME_DIR", m_tmp->path());

    const Run r = quorixctl({"sounds"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, out);
    QCOMPARE(r.err, "quorixctl: using the Tavion found at " + m_root + '\n');
    const QString json = R"([{"root":")" + m_root + R"(","label":null}])";
    QCOMPARE(quorixctl({"device", "find"}).out, json + '\n');
}

void TestDeviceCommands::deviceShowMatchesShow()
{
    const Run r = quorixctl({"device", "show"});
    QCOMPARE(r.code, 0);
    const QJsonObject both = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const Run system = quorixctl({"show", device("system/system.ini")});
    const Run weekly = quorixctl({"show", device("system/weekly.ini")});
    QCOMPARE(both.value("system"), QJsonDocument::fromJson(system.out.toUtf8()).object());
    QCOMPARE(both.value("weekly"), QJsonDocument::fromJson(weekly.out.toUtf8()).object());
    QCOMPARE(both.keys(), (QStringList{"system", "weekly"}));
    QVERIFY(r.out.startsWith(R"({"system":{"record":"system",)"));
}

void TestDeviceCommands::deviceSet_data()
{
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<QString>("missingOnDevice");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("systemSent");
    QTest::addColumn<bool>("weeklySent");

    auto row = [](const char *name, const QStringList &assignments, const char *missing, int code,
                  bool systemSent, bool weeklySent) {
        QTest::newRow(name) << assignments << QString::fromLatin1(missing) << code << systemSent
                            << weeklySent;
    };
    row("a system field", {"PowerOnHour=9"}, "", 0, true, false);
    row("a weekly field", {"AlarmEntry[1].Hour=13"}, "", 0, false, true);
    row("one of each", {"UserName=Zoë", "HourlyChime=1"}, "", 0, true, true);
    row("nothing really changes", {"Contrast=16"}, "", 0, false, false);
    row("unknown field", {"PowerOnHour=9", "Volume=3"}, "", 1, false, false);
    row("bad value", {"HourlyChime=1", "PowerOnHour=nine"}, "", 1, false, false);
    row("not NAME=VALUE", {"PowerOnHour"}, "", 1, false, false);
    row("names are checked before the device is asked", {"Volume=3"}, "system/weekly.ini", 1, false,
        false);
    row("weekly.ini not on the device", {"PowerOnHour=9"}, "system/weekly.ini", 4, false, false);
}

void TestDeviceCommands::deviceSet()
{
    QFETCH(QStringList, assignments);
    QFETCH(QString, missingOnDevice);
    QFETCH(int, code);
    QFETCH(bool, systemSent);
    QFETCH(bool, weeklySent);

    if (!missingOnDevice.isEmpty())
        QVERIFY(QFile::remove(device(missingOnDevice)));

    const Run r = quorixctl(QStringList{"device", "set"} + assignments);
    QCOMPARE(r.code, code);

    SystemRecord expectedSystem = deviceSystem();
    WeeklyRecord expectedWeekly = deviceWeekly();
    if (systemSent) {
        expectedSystem.set(SystemField::PowerOnHour, assignments.contains("PowerOnHour=9") ? 9 : 7);
        if (assignments.contains("UserName=Zoë"))
            expectedSystem.setUserName("Zo\xEB");
    }
    if (weeklySent) {
        if (assignments.contains("HourlyChime=1"))
            expectedWeekly.setHourlyChime(1);
        else
            expectedWeekly.setHour(1, 13);
    }
    QCOMPARE(readFile(device("system/system.ini")), bytesOf(expectedSystem));
    QCOMPARE(QFileInfo(device("system/system.ini")).lastModified() == kLongAgo, !systemSent);
    if (missingOnDevice.isEmpty()) {
        QCOMPARE(readFile(device("system/weekly.ini")), bytesOf(expectedWeekly));
        QCOMPARE(QFileInfo(device("system/weekly.ini")).lastModified() == kLongAgo, !weeklySent);
    }
}

void TestDeviceCommands::diff_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");

    const QByteArray system = bytesOf(deviceSystem());
    const QByteArray weekly = bytesOf(deviceWeekly());
    auto changed = [](QByteArray bytes, int offset, const QByteArray &with) {
        return bytes.replace(offset, with.size(), with);
    };

    QTest::newRow("equal") << system << system << 0 << QString();
    QTest::newRow("a number") << system << changed(system, 34, QByteArray("\x06\x00", 2)) << 1
                              << "PowerOnHour\t7\t6\n";
    QTest::newRow("negative number")
        << system << changed(system, 30, "\xFF\xFF") << 1 << "StandbyMode\t0\t-1\n";
    QTest::newRow("user name as text")
        << system << changed(system, 100, QByteArray("Demo\0\0\0\0\0\0\0", 11)) << 1
        << "UserName\t\"My Computer\"\t\"Demo\"\n";
    QTest::newRow("bytes behind the name")
        << changed(system, 100, QByteArray("Demo\0\0", 6))
        << changed(system, 100, QByteArray("Demo\0A", 6)) << 1 << "byte 105\t0x00\t0x41\n";
    QTest::newRow("opaque bytes by offset")
        << system << changed(changed(system, 200, "\x1F"), 255, "\x80") << 1
        << "byte 200\t0x5a\t0x1f\nbyte 255\t0x00\t0x80\n";
    QTest::newRow("weekly sound name") << weekly << changed(weekly, 34, "WALTZ") << 1
                                       << "AlarmEntry[2].SoundName\t\"MARCH\"\t\"WALTZ\"\n";
    QTest::newRow("kinds differ") << system << weekly << 2 << QString();
    QTest::newRow("not a record") << system << QByteArray(100, '\0') << 2 << QString();
    QTest::newRow("unreadable") << system << QByteArray("<missing>") << 2 << QString();
}

void TestDeviceCommands::diff()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(int, code);
    QFETCH(QString, out);

    QVERIFY(writeFile(m_dir + "/a", a));
    if (b != "<missing>")
        QVERIFY(writeFile(m_dir + "/b", b));

    const Run r = quorixctl({"diff", m_dir + "/a", m_dir + "/b"});
    QCOMPARE(r.code, code);
    QCOMPARE(r.out, out);
    QCOMPARE(r.err.isEmpty(), code != 2);
}

// push keeps the device's records as a snapshot; history lists it; diff takes its id for the
// record of the other argument's kind. (restore runs in the kill matrix.)
void TestDeviceCommands::snapshots()
{
    SystemRecord pushed = deviceSystem();
    pushed.set(SystemField::Contrast, 5);
    QVERIFY(writeFile(m_dir + "/system.ini", bytesOf(pushed)));
    QVERIFY(writeFile(m_dir + "/weekly.ini", bytesOf(deviceWeekly())));
    QCOMPARE(quorixctl({"push", m_dir}).code, 0);
    const QJsonObject kept =
        QJsonDocument::fromJson(quorixctl({"history"}).out.toUtf8()).array().at(0).toObject();
    const QString id = kept["id"].toString();
    QCOMPARE(
        QDateTime::fromString(kept["time"].toString(), Qt::ISODate).toString("yyyyMMdd-HHmmss"),
        id);
    QCOMPARE(quorixctl({"diff", id, m_dir + "/system.ini"}).out, "Contrast\t16\t5\n");
    QCOMPARE(quorixctl({"diff", m_dir + "/weekly.ini", id}).code, 0);
    QCOMPARE(quorixctl({"restore", "20240501-120000"}).code, 1);
}

QTEST_GUILESS_MAIN(TestDeviceCommands)
#include "tst_devicecommands.moc"
