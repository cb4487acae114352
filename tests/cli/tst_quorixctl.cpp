// quorixctl command lines: exit codes, messages, output, and every record file left its old or its
// new image, also when a folder refuses writes, is full or is gone.

#include "cli/CliContext.h"
#include "support/FaultTools.h"

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"

#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace faults;

namespace {

SystemRecord deviceSystem()
{
    SystemRecord r;
    r.set(SystemField::Contrast, 16);
    r.set(SystemField::PowerOnHour, 7);
    r.setUserName("My PC");
    return r;
}

WeeklyRecord deviceWeekly()
{
    WeeklyRecord r;
    r.setHour(1, 12);
    r.setSoundName(2, "MARCH");
    return r;
}

const QDateTime kLongAgo(QDate(2020, 1, 1), QTime(0, 0)); // no command wrote such a file

} // namespace

class TestQuorixCtl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The link's own settings, in a test folder, name no device folder.
        qputenv("HOME", m_home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
    }
    void init();
    void runs_data();
    void runs();

private:
    QString path(const QString &relative) const { return m_suite->dir.filePath(relative); }
    // The record files of the device, the PC folder and the loose files: D the device's image
    // as it was, R rewritten with it, P the PC's image, N another whole record, ? a stub,
    // - no file, / a folder.
    QString images() const
    {
        QString letters;
        for (const QString &dir : QStringList{"device/system/", "pc/", "files/"}) {
            for (const QString &name : QStringList{"system.ini", "weekly.ini"}) {
                const QByteArray bytes = readFile(path(dir) + name);
                const QByteArray device =
                    name.startsWith(u's') ? bytesOf(deviceSystem()) : bytesOf(deviceWeekly());
                if (bytes == "<missing>" || bytes == "<directory>")
                    letters += bytes == "<missing>" ? u'-' : u'/';
                else if (bytes == device)
                    letters += QFileInfo(path(dir) + name).lastModified() == kLongAgo ? u'D' : u'R';
                else if (bytes.size() != device.size())
                    letters += u'?';
                else
                    letters += bytes.count('P') == bytes.size() ? u'P' : u'N';
            }
            letters += u' ';
        }
        return letters.trimmed();
    }

    QTemporaryDir m_home;
    std::unique_ptr<TestSuite> m_suite;
};

void TestQuorixCtl::init()
{
    m_suite = std::make_unique<TestSuite>(false);
    SystemRecord counting;
    for (std::size_t i = 0; i < counting.bytes.size(); ++i)
        counting.bytes[i] = std::uint8_t(i); // so each field shows where it is read from
    const std::pair<QString, QByteArray> files[] = {
        {"device/system/system.ini", bytesOf(deviceSystem())},
        {"device/system/weekly.ini", bytesOf(deviceWeekly())},
        {"files/system.ini", bytesOf(deviceSystem())},
        {"files/weekly.ini", bytesOf(deviceWeekly())},
        {"pc/system.ini", QByteArray(256, 'P')},
        {"pc/weekly.ini", QByteArray(76, 'P')},
        {"files/counting.ini", bytesOf(counting)},
        {"files/odd.bin", QByteArray(100, '\x01')},
        {"files/in.snd", QByteArray("\x07\x00\x01\x00\x00\x11\xff\xff", 8)},
        {"files/tempo0.snd", QByteArray("\x07\x00\x00\x00\xff\xff", 6)},
        {"files/tune.txt", "d=4,o=5,b=120:c,p"}};
    for (const auto &[name, bytes] : files) {
        QFile f(path(name));
        QVERIFY(writeFile(path(name), bytes) && f.open(QIODevice::ReadWrite) &&
                f.setFileTime(kLongAgo, QFileDevice::FileModificationTime));
    }
}

void TestQuorixCtl::runs_data()
{
    QTest::addColumn<QString>("line");    // commands split by " ; "; {t} = the test's folder
    QTest::addColumn<int>("code");        // of the last command, as are the message and the output
    QTest::addColumn<QString>("message"); // a part of what is printed on stderr
    QTest::addColumn<QString>("out");     // all of stdout; up to "..." only its start
    QTest::addColumn<QString>("images");
    QTest::addColumn<QString>("setup");

    auto row = [](const char *name, const QString &line, int code, const QString &message,
                  const QString &out = "", const QString &images = "DD PP DD",
                  const QString &setup = "") {
        QTest::newRow(name) << line << code << message << out << images << setup;
    };
    const QString set = "set {t}/files/system.ini Contrast=20 ", kept = "; file left unchanged";
    const QString diffSystem = " ; diff {t}/device/system/system.ini {t}/files/system.ini";
    row("show system, in file order", "show {t}/files/counting.ini", 0, "",
        R"({"record":"system","Opaque00":"000102030405","Hidden06":1798,"Contrast":2312,)"
        R"("Hidden10":2826,"Hidden12":3340,"Hidden14":3854,"Hidden16":4368,"Hidden18":4882,)"
        R"("Opaque20":"1415161718191a1b","Hidden28":7452,...)");
    row("show weekly", "show {t}/files/weekly.ini", 0, "",
        R"({"record":"weekly","AlarmEntry":[{"Repeat":0,"Hour":0,"Minute":0,)"
        R"("SoundNameBytes":"0000000000000000","SoundName":""},{"Repeat":0,"Hour":12,...)");
    row("show --system whatever the size", "show --system {t}/files/odd.bin", 0, "",
        R"({"record":"system","Opaque00":"010101010101","Hidden06":257,...)");
    row("set weekly",
        "set {t}/files/weekly.ini AlarmEntry[2].Hour=7 RepeatIndex[1]=0x2 "
        "AlarmEntry[3].SoundName=Zoë"
        " ; diff {t}/device/system/weekly.ini {t}/files/weekly.ini",
        1, "",
        "AlarmEntry[2].Hour\t0\t7\nAlarmEntry[3].SoundName\t\"\"\t\"Zoë\"\nRepeatIndex[1]\t0\t2\n",
        "DD PP DN");
    row("set system",
        "set --raw {t}/files/system.ini Opaque00=00000000000A Contrast=-32768 UserName=Zoë" +
            diffSystem,
        1, "", "byte 5\t0x00\t0x0a\nContrast\t16\t-32768\nUserName\t\"My PC\"\t\"Zoë\"\n",
        "DD PP ND");
    row("diff bytes behind a name",
        "set --raw {t}/files/system.ini UserNameBytes=4d7920504300410000000000" + diffSystem, 1, "",
        "byte 106\t0x00\t0x41\n", "DD PP ND");
    row("diff equal", "diff {t}/files/system.ini {t}/device/system/system.ini", 0, "");
    row("snd2wav", "snd2wav {t}/files/in.snd {t}/files/Klänge_ü.wav", 0, "");
    row("paths", "paths", 0, "",
        R"({"Suite":"wine","WinePrefix":"{t}/prefix","InstallPath":{"windows":"C:\\Suite",)"
        R"("host":"{t}/prefix/dosdevices/c:/Suite"},...)",
        "DD PP DD", "installed");

    row("usage", "", 2, "usage: quorixctl COMMAND [ARGS]\n  quorixctl show [--system");
    row("unknown command", "frobnicate", 2, "quorixctl: unknown command 'frobnicate'\n");
    row("snd2wav IN", "snd2wav {t}/files/in.snd", 2, "usage: quorixctl snd2wav IN.snd OUT.wav\n");
    row("pull DIR DIR", "pull a b", 2, "quorixctl: usage: quorixctl pull DIR\n");
    row("device wipe", "device wipe", 2,
        "usage: quorixctl device show | quorixctl device set [--raw] NAME=VALUE... | quorixctl "
        "device "
        "find | quorixctl device wait [--timeout SECONDS]\n");
    row("diff A", "diff a", 2, "quorixctl: usage: quorixctl diff A B\n");
    row("show missing file", "show {t}/none.ini", 1, "quorixctl: {t}/none.ini: ");
    row("show neither record", "show {t}/files/odd.bin", 1,
        "quorixctl: {t}/files/odd.bin: 100 bytes is neither a system record (256) nor a weekly "
        "record (76); use --system or --weekly\n");
    // A good assignment before the bad one is not written either.
    row("set out of range", set + "Contrast=32768", 1,
        "field 'Contrast': '32768' is not a whole number in -32768..32767" + kept);
    row("set long text", set + "UserName=ABCDEFGHIJKLM", 1,
        "field 'UserName': longer than 12 characters" + kept);
    row("set not Windows-1252", set + "UserName=Ωmega", 1,
        "field 'UserName': 'Ωmega' has characters Windows-1252 cannot store" + kept);
    row("set short hex", "set --raw {t}/files/system.ini Opaque00=0102", 1,
        "quorixctl: {t}/files/system.ini: field 'Opaque00': needs exactly 12 hex digits" + kept);
    // Only values the window could set, and no field without a control unless --raw.
    row("set outside its rule", set + "Contrast=999", 1,
        "quorixctl: {t}/files/system.ini: Contrast: 999 is outside 10..22" + kept);
    row("set hidden field", set + "Hidden06=2", 1,
        "field 'Hidden06' has no control in the window; only --raw (for experts) changes it" +
            kept);
    row("check two fields",
        "set --raw {t}/files/weekly.ini AlarmEntry[1].Hour=77 AlarmEntry[2].SoundName=A:B ; "
        "check {t}/files/weekly.ini",
        1, "",
        "AlarmEntry[1].Hour\t77\t0..23\nAlarmEntry[2].SoundName\t\"A:B\"\tempty or a device "
        "sound name of at most 8 Windows-1252 bytes\n",
        "DD PP DN");
    row("set no field", set + "HourlyChime=1", 1, "field 'HourlyChime': no such field" + kept);
    // An option that contradicts the file's size would rewrite it at the other size.
    row("set --weekly on a system file", "set --weekly {t}/files/system.ini HourlyChime=1", 1,
        "{t}/files/system.ini");
    row("snd2wav bad tempo keeps OUT", "snd2wav {t}/files/tempo0.snd {t}/files/weekly.ini", 1,
        "quorixctl snd2wav: {t}/files/tempo0.snd: tempo 0 is outside 1..32\n");
    row("snd2wav OUT folder missing", "snd2wav {t}/files/in.snd {t}/missing/out.wav", 1,
        "quorixctl snd2wav: {t}/missing/out.wav: cannot write the WAV file\n");
    row("diff kinds", "diff {t}/files/system.ini {t}/files/weekly.ini", 2,
        "quorixctl: diff: {t}/files/system.ini and {t}/files/weekly.ini are records of different "
        "kinds\n");
    // Without the suite, Quorix's own folders; the factory files are the build tree's.
    row("paths, no suite", "paths", 0, "",
        R"({"Suite":"own","WinePrefix":null,"InstallPath":{"host":"{t}/data/quorix"},)"
        R"("ProgramDir":{"host":...)");
    const QString put = "sounds put {t}/files/in.snd ; ";
    row("melody import, show",
        "melody import {t}/files/tune.txt {t}/files/t.snd ; melody show {t}/files/t.snd", 0, "",
        "tempo 32\n38 1 3 # C5\nrest 1\n");
    row("melody import refused", "melody import {t}/files/odd.bin {t}/files/t.snd", 1,
        "quorixctl melody: {t}/files/odd.bin: at character 101: expected NAME:DEFAULTS:NOTES or "
        "DEFAULTS:NOTES; nothing written\n");
    row("sounds put, get", put + "sounds get in {t}/files/got.snd ; melody show {t}/files/got.snd",
        0, "", "tempo 1\n0 1 1 # A#1\n");
    row("sounds put over refused", put + "sounds put {t}/files/in.snd IN.snd", 1,
        "quorixctl: sounds put: \\system\\sound\\IN.snd is already on the device (use "
        "--replace)\n");
    row("sounds remove keeps it", put + "sounds remove in", 0, "",
        "kept the device's melody in {t}/data/quorix/history/sounds/IN-...");
    row("history after sounds kept", put + "sounds put {t}/files/in.snd --replace ; history", 0, "",
        "[]\n");
    row("sounds get missing", "sounds get IN {t}/files/got.snd", 1,
        "quorixctl: sounds get: \\system\\sound\\IN.snd is not on the device\n");
    row("sounds put long name", "sounds put {t}/files/in.snd LONGERTHAN8", 1,
        "the melody name 'LONGERTHAN8' must be 1 to 8 bytes long\n");
    row("sounds frob", "sounds frob", 2, "quorixctl: usage: quorixctl sounds [put FILE.snd");

    const QString pull = "pull {t}/pc", push = "push {t}/pc", fetching = "quorixctl: fetching ";
    row("pull", pull, 0, "", "", "DD DD DD");
    row("pull no system.ini", pull, 4,
        fetching + "\\system\\system.ini from the device failed: no such file\n", "", "-D PP DD",
        "no-device-system");
    row("pull no weekly.ini", pull, 4, fetching + "\\system\\weekly.ini", "", "D- PP DD",
        "no-device-weekly");
    row("pull DIR read-only", pull, 1, "quorixctl: pull: cannot put system.ini into {t}/pc\n", "",
        "DD // DD", "pc-readonly");
    row("pull DIR full", pull, 4, fetching + "\\system\\system.ini", "", "DD PP DD", "pc-full");
    row("push warns", push, 0,
        "quorixctl: push: warning: Contrast is 20560, not 10..22; sent as it is\n", "", "PP PP DD");
    row("push to a device without records", push, 0,
        "quorixctl: push: the device holds no settings yet; nothing to keep in the history\n", "",
        "PP PP DD", "blank-device");
    // A write to the device keeps the device's records as a snapshot first.
    row("history after a push", push + " ; history", 0, "", "[{\"id\":\"...", "PP PP DD");
    row("restore unknown", "restore 20240501-120000", 1, "20240501-120000");
    row("push long weekly.ini", push, 1, "push: {t}/pc/weekly.ini is 77 bytes, not 76\n", "",
        "DD P? DD", "long-weekly");
    // The device's records are read (and kept) before anything is sent.
    row("push device refuses weekly.ini", push, 4,
        "quorixctl: push: fetching \\system\\weekly.ini from the device failed", "", "D/ PP DD",
        "device-weekly-folder");
    // With no folder set, the one Tavion mounted is used and named; of two, none is guessed.
    row("sounds, the Tavion found", "sounds", 0,
        "quorixctl: using the Tavion found at {t}/gvfs/TAVION\n",
        "Alarm.snd\nchime.SND\nMARCH.snd\n", "DD PP DD", "found");
    row("device find", "device find", 0, "", "[{\"root\":\"{t}/gvfs/TAVION\",\"label\":null}]\n",
        "DD PP DD", "found");
    row("device wait, one there", "device wait", 0, "",
        "[{\"root\":\"{t}/gvfs/TAVION\",\"label\":null}]\n", "DD PP DD", "found");
    row("device wait, none plugged in", "device wait --timeout 1", 4,
        "quorixctl: device wait: no Tavion was plugged in within 1 second\n", "", "DD PP DD",
        "unmounted");
    row("two found", "sounds", 4, "2 Tavions are plugged in ({t}/gvfs/TAVION, {t}/gvfs/TAVION2)",
        "", "DD PP DD", "found-two");
    row("device show", "device show", 0, "",
        R"({"system":{"record":"system","Opaque00":"000000000000","Hidden06":0,"Contrast":16,...)");
    row("device set system",
        "device set PowerOnHour=9 ; diff {t}/files/system.ini {t}/device/system/system.ini", 1, "",
        "PowerOnHour\t7\t9\n", "ND PP DD");
    row("device set both",
        "device set UserName=Zoë HourlyChime=1 ; diff {t}/files/weekly.ini "
        "{t}/device/system/weekly.ini",
        1, "", "HourlyChime\t0\t1\n", "NN PP DD");
    row("device set nothing new", "device set Contrast=16", 0, "");
    row("device set bad value", "device set HourlyChime=1 PowerOnHour=nine", 1,
        "quorixctl: device set: field 'PowerOnHour': 'nine' is not a whole number in "
        "-32768..32767; nothing was sent\n");
    row("device set names first", "device set PowerOnHour=9 Volume=3", 1,
        "quorixctl: device set: field 'Volume': no such field\n", "", "DD PP DD", "unplugged");
    row("device set values first", "device set StandbyMode=9", 1,
        "quorixctl: device set: StandbyMode: 9 is outside 0..2; nothing was sent\n", "", "DD PP DD",
        "unplugged");
    row("device set device read-only", "device set Contrast=18", 4,
        "quorixctl: device set: " + fetching.mid(11) + "\\system\\system.ini", "", "// PP DD",
        "device-readonly");
    // A folder set but not there is not replaced by the Tavion found; the step named is the
    // line but its last word.
    for (const QString &line :
         QStringList{"pull {t}/pc", "push {t}/pc", "sounds -", "sounds remove X", "device show -",
                     "device set Contrast=18"})
        row(qPrintable(line + ", unplugged"), QString(line).remove(" -"), 4,
            "quorixctl: " + line.section(u' ', 0, -2) +
                ": device folder {t}/unplugged is not there\n",
            "", "DD PP DD", "unplugged");
}

void TestQuorixCtl::runs()
{
    QFETCH(QString, line);
    QFETCH(QString, setup);
    const QString t = m_suite->dir.path(), device = path("device/system"), pc = path("pc");
    const QStringList names{"system.ini", "weekly.ini"}, blocks{"", "readonly", "full", "missing"};
    std::unique_ptr<FileSizeLimit> limit;
    if (const qsizetype block = blocks.indexOf(setup.section(u'-', 1)); block > 0)
        applyBlock(setup.startsWith(u"pc-") ? pc : device, Block(block), names, limit);
    if (setup.startsWith(u"no-"))
        QVERIFY(QFile::remove(device + '/' + setup.section(u'-', 2) + ".ini"));
    if (setup == u"blank-device")
        QVERIFY(QFile::remove(device + "/system.ini") && QFile::remove(device + "/weekly.ini"));
    if (setup == u"device-weekly-folder")
        QVERIFY(QFile::remove(device + "/weekly.ini") && QDir().mkpath(device + "/weekly.ini"));
    QVERIFY(setup != u"long-weekly" || writeFile(pc + "/weekly.ini", QByteArray(77, 'P')));
    for (const QString &sound :
         QStringList{"MARCH.snd", "chime.SND", "notes.txt", ".hidden.snd", "Alarm.snd"})
        QVERIFY(!setup.startsWith(u"found") || writeFile(device + "/sound/" + sound, "snd"));
    QVERIFY(setup != u"installed" || m_suite->install());

    QVERIFY(setup == u"unmounted" ||
            (QDir().mkpath(t + "/gvfs") && QFile::link(m_suite->device(), t + "/gvfs/TAVION")));
    QVERIFY(setup != u"found-two" || QFile::link(m_suite->device(), t + "/gvfs/TAVION2"));
    const QString root = setup == u"unplugged" ? t + "/unplugged" : m_suite->device();
    QProcessEnvironment env;
    env.insert("XDG_RUNTIME_DIR", t); // GVfs mounts are looked for in gvfs/ there
    env.insert("TAVION_DEVICE_ROOT", setup.startsWith(u"found") ? QString() : root);
    env.insert("WINEPREFIX", m_suite->prefix());
    env.insert("XDG_DATA_HOME", t + "/data");
    env.insert("XDG_CACHE_HOME", t + "/cache");
    QString printed, complaint;
    int code = 0;
    for (const QString &command : line.split(" ; ")) {
        printed.clear(), complaint.clear();
        QTextStream out(&printed), err(&complaint);
        CliContext ctx{out, err, env};
        code =
            runQuorixCtl(QString(command).replace("{t}", t).split(u' ', Qt::SkipEmptyParts), ctx);
    }
    limit.reset();

    QTEST(code, "code");
    QTEST(images(), "images");
    QFETCH(QString, message);
    QVERIFY2(complaint.contains(message.replace("{t}", t)), qPrintable(complaint));
    QFETCH(QString, out);
    out.replace("{t}", t);
    QVERIFY2(out.endsWith("...") ? printed.startsWith(out.chopped(3)) : printed == out,
             qPrintable(printed));
    QCOMPARE(strayFiles(device, names) + strayFiles(pc, names), QStringList());
}

QTEST_GUILESS_MAIN(TestQuorixCtl)
#include "tst_quorixctl.moc"
