#include "cli/CliContext.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int code;
    QString out;
    QString err;
};

Run quorixctl(const QStringList &args, const QProcessEnvironment &env = {})
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliContext ctx{outStream, errStream, env};
    const int code = runQuorixCtl(args, ctx);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

} // namespace

class TestRecordCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void showSystemKeepsFileOrder();
    void showWeekly();
    void setChangesOnlyNamedFields();
    void setRefuses_data();
    void setRefuses();
    void wrongSizeNeedsOption();
    void usageAndMissingFiles_data();
    void usageAndMissingFiles();
    void pathsNeedsInstallation();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_system;
    QString m_weekly;
};

void TestRecordCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_system = m_dir->filePath(QStringLiteral("system.ini"));
    m_weekly = m_dir->filePath(QStringLiteral("weekly.ini"));
    QByteArray system(256, '\0');
    system[0] = '\xAB';
    system[8] = 16;
    system[30] = '\xFF'; // StandbyMode -1
    system[31] = '\xFF';
    system.replace(100, 11, "My Computer");
    QVERIFY(writeFile(m_system, system));
    QByteArray weekly(76, '\0');
    weekly[2] = 7;
    weekly.replace(6, 6, "ALARM1");
    weekly[64] = 2;
    weekly[72] = 0x45;
    QVERIFY(writeFile(m_weekly, weekly));
}

void TestRecordCommands::showSystemKeepsFileOrder()
{
    const Run r = quorixctl({QStringLiteral("show"), m_system});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.startsWith(QStringLiteral(
        R"({"record":"system","Opaque00":"ab0000000000","Hidden06":0,"Contrast":16,)")));
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(json.value(QStringLiteral("StandbyMode")).toInt(), -1);
    QCOMPARE(json.value(QStringLiteral("UserName")).toString(), QStringLiteral("My Computer"));
    QCOMPARE(json.value(QStringLiteral("UserNameBytes")).toString(),
             QStringLiteral("4d7920436f6d707574657200"));
    QCOMPARE(json.value(QStringLiteral("Opaque112")).toString().size(), 288);
    QVERIFY(r.out.indexOf(QStringLiteral("\"Hidden66\"")) <
            r.out.indexOf(QStringLiteral("\"Opaque68\"")));
}

void TestRecordCommands::showWeekly()
{
    const Run r = quorixctl({QStringLiteral("show"), m_weekly});
    QCOMPARE(r.code, 0);
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(json.value(QStringLiteral("record")).toString(), QStringLiteral("weekly"));
    const QJsonArray entries = json.value(QStringLiteral("AlarmEntry")).toArray();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries[0].toObject().value(QStringLiteral("Hour")).toInt(), 7);
    QCOMPARE(entries[0].toObject().value(QStringLiteral("SoundName")).toString(),
             QStringLiteral("ALARM1"));
    QCOMPARE(entries[0].toObject().value(QStringLiteral("SoundNameBytes")).toString(),
             QStringLiteral("414c41524d310000"));
    QCOMPARE(json.value(QStringLiteral("RepeatIndex")).toArray(), (QJsonArray{0, 0, 2, 0}));
    QCOMPARE(json.value(QStringLiteral("WeekdayMask")).toArray(), (QJsonArray{0, 0, 69, 0}));
}

void TestRecordCommands::setChangesOnlyNamedFields()
{
    const QByteArray before = readFile(m_weekly);
    const Run r = quorixctl(
        {QStringLiteral("set"), m_weekly, QStringLiteral("AlarmEntry[2].Hour=7"),
         QStringLiteral("RepeatIndex[1]=2"), QStringLiteral("AlarmEntry[3].SoundName=Zoë")});
    QCOMPARE(r.code, 0);
    QByteArray expected = before;
    expected[30] = 7;
    expected[62] = 2;
    expected.replace(48, 8, QByteArray("Zo\xEB\0\0\0\0\0", 8));
    QCOMPARE(readFile(m_weekly), expected);

    QCOMPARE(quorixctl({QStringLiteral("set"), m_system, QStringLiteral("UserName=Bob"),
                        QStringLiteral("Opaque00=010203040506"), QStringLiteral("Contrast=-32768")})
                 .code,
             0);
    const QByteArray system = readFile(m_system);
    QCOMPARE(system.size(), 256);
    QCOMPARE(system.mid(100, 12), QByteArray("Bob\0\0\0\0\0\0\0\0\0", 12));
    QCOMPARE(system.left(6), QByteArray("\x01\x02\x03\x04\x05\x06"));
    QCOMPARE(system.mid(8, 2), QByteArray("\x00\x80", 2));
}

void TestRecordCommands::setRefuses_data()
{
    QTest::addColumn<QString>("assignment");
    QTest::addColumn<QString>("named");
    QTest::newRow("out of range") << QStringLiteral("Contrast=32768") << QStringLiteral("Contrast");
    QTest::newRow("not a number") << QStringLiteral("KeyChirp=on") << QStringLiteral("KeyChirp");
    QTest::newRow("text too long")
        << QStringLiteral("UserName=ABCDEFGHIJKLM") << QStringLiteral("UserName");
    QTest::newRow("not Windows-1252")
        << QStringLiteral("UserName=Ωmega") << QStringLiteral("UserName");
    QTest::newRow("short hex") << QStringLiteral("Opaque00=0102") << QStringLiteral("Opaque00");
    QTest::newRow("bad hex") << QStringLiteral("Opaque00=zz0000000000")
                             << QStringLiteral("Opaque00");
    QTest::newRow("unknown name") << QStringLiteral("Volume=3") << QStringLiteral("Volume");
    QTest::newRow("weekly name on system")
        << QStringLiteral("HourlyChime=1") << QStringLiteral("HourlyChime");
    QTest::newRow("no equals") << QStringLiteral("Contrast") << QStringLiteral("Contrast");
}

void TestRecordCommands::setRefuses()
{
    QFETCH(QString, assignment);
    QFETCH(QString, named);
    const QByteArray before = readFile(m_system);
    // A good assignment before the bad one must not be written either.
    const Run r =
        quorixctl({QStringLiteral("set"), m_system, QStringLiteral("Contrast=20"), assignment});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(named) && r.err.contains(m_system), qPrintable(r.err));
    QCOMPARE(readFile(m_system), before);
}

void TestRecordCommands::wrongSizeNeedsOption()
{
    const QString odd = m_dir->filePath(QStringLiteral("odd.bin"));
    QVERIFY(writeFile(odd, QByteArray(100, '\x01')));
    Run r = quorixctl({QStringLiteral("show"), odd});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("100 bytes")));

    r = quorixctl({QStringLiteral("show"), QStringLiteral("--system"), odd});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.contains(QStringLiteral("\"Contrast\":257")));
    QVERIFY(r.out.contains(QStringLiteral("\"Opaque112\":\"0000")));

    // An option that contradicts a record's size would rewrite the file at the other size.
    const QByteArray system = readFile(m_system);
    r = quorixctl({QStringLiteral("set"), QStringLiteral("--weekly"), m_system,
                   QStringLiteral("HourlyChime=1")});
    QCOMPARE(r.code, 1);
    QCOMPARE(readFile(m_system), system);
}

void TestRecordCommands::usageAndMissingFiles_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("nothing") << QStringList{} << 2;
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << 2;
    QTest::newRow("show without file") << QStringList{QStringLiteral("show")} << 2;
    QTest::newRow("set without assignment")
        << QStringList{QStringLiteral("set"), QStringLiteral("x")} << 2;
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("show"), QStringLiteral("--big"), QStringLiteral("x")} << 2;
    QTest::newRow("missing file") << QStringList{QStringLiteral("show"),
                                                 QStringLiteral("/nonexistent/system.ini")}
                                  << 1;
}

void TestRecordCommands::usageAndMissingFiles()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    const Run r = quorixctl(args);
    QCOMPARE(r.code, code);
    QVERIFY(!r.err.isEmpty());
    QVERIFY(r.out.isEmpty());
}

void TestRecordCommands::pathsNeedsInstallation()
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("WINEPREFIX"), m_dir->filePath(QStringLiteral("prefix")));
    QCOMPARE(quorixctl({QStringLiteral("paths")}, env).code, 3);

    QDir().mkpath(m_dir->filePath(QStringLiteral("prefix")));
    writeFile(m_dir->filePath(QStringLiteral("prefix/user.reg")),
              "WINE REGISTRY Version 2\n[Software\\\\KVQ\\\\Veltrix-e\\\\PC] 1\n"
              "\"InstallDir\"=\"C:\\\\Suite\\\\\"\n");
    const Run r = quorixctl({QStringLiteral("paths")}, env);
    QCOMPARE(r.code, 0);
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(json.value(QStringLiteral("PcIniDir"))
                 .toObject()
                 .value(QStringLiteral("windows"))
                 .toString(),
             QStringLiteral("C:\\Suite\\userdata\\ini"));
    QCOMPARE(json.value(QStringLiteral("CheckFileCopy"))
                 .toObject()
                 .value(QStringLiteral("host"))
                 .toString(),
             m_dir->filePath(
                 QStringLiteral("prefix/dosdevices/c:/Suite/dockman/cache/system/apps/check.exf")));
}

QTEST_GUILESS_MAIN(TestRecordCommands)
#include "tst_recordcommands.moc"
