#include "devicelink/DirectoryDeviceLink.h"
#include "support/FaultTools.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

namespace {

} // namespace

class TestDirectoryDeviceLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void namesMatchWhateverTheirCase_data();
    void namesMatchWhateverTheirCase();
    void exactSpellingWins();
    void refused_data();
    void refused();
    void getFileWritesTheWholeFileOrNothing();
    void putFileReplacesTheDeviceFile();
    void listing_data();
    void listing();
    void longListingEndsAtAWholeName();
    void release_data();
    void release();
    void rootComesFromEnvironmentOrSettings();

private:
    QString pcHost(const QString &relative) const { return m_prefix + "/drive_c/" + relative; }

    QTemporaryDir m_home; // HOME and the settings of this run
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_root;
    QString m_outside;
    QString m_prefix;
    std::unique_ptr<PathMapper> m_mapper;
    DeviceLinkSettings m_settings;
    std::unique_ptr<DirectoryDeviceLink> m_link;
    int m_asked = 0;
    bool m_release = true;
};

void TestDirectoryDeviceLink::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(QSettings(QStringLiteral("Rovoveri"), QStringLiteral("Rovoveri"))
                .fileName()
                .startsWith(m_home.path()));
}

// A device tree, a directory beside it that must stay out of reach, and a Wine prefix for PC paths.
void TestDirectoryDeviceLink::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    m_root = m_tmp->filePath("device");
    m_outside = m_tmp->filePath("outside");
    m_prefix = m_tmp->filePath("prefix");
    QVERIFY(writeFile(m_root + "/SYSTEM/System.ini", "system"));
    QVERIFY(writeFile(m_root + "/SYSTEM/Sound/Chime.SND", "chime"));
    QVERIFY(writeFile(m_outside + "/secret.txt", "secret"));
    QVERIFY(QFile::link(m_outside, m_root + "/escape"));
    QVERIFY(QFile::link(m_tmp->filePath("gone"), m_root + "/dangling"));
    QVERIFY(QDir().mkpath(m_prefix + "/drive_c/Suite"));
    QVERIFY(QDir().mkpath(m_prefix + "/dosdevices"));
    QVERIFY(QFile::link("../drive_c", m_prefix + "/dosdevices/c:"));

    m_mapper = std::make_unique<PathMapper>(m_prefix);
    m_settings = {m_root, false};
    m_asked = 0;
    m_release = true;
    m_link = std::make_unique<DirectoryDeviceLink>(
        *m_mapper, [this] { return m_settings; }, DirectoryDeviceLink::Hooks{{}, [this] {
                                                                                 ++m_asked;
                                                                                 return m_release;
                                                                             }});
}

void TestDirectoryDeviceLink::namesMatchWhateverTheirCase_data()
{
    QTest::addColumn<QString>("devicePath");
    QTest::addColumn<QByteArray>("fetched"); // empty = not fetched

    QTest::newRow("as the program names it") << "\\system\\system.ini" << QByteArray("system");
    QTest::newRow("upper case") << "\\SYSTEM\\SYSTEM.INI" << QByteArray("system");
    QTest::newRow("nested") << "\\system\\sound\\chime.snd" << QByteArray("chime");
    QTest::newRow("forward slashes") << "/system/sound/CHIME.snd" << QByteArray("chime");
    QTest::newRow("no leading backslash") << "system\\system.ini" << QByteArray("system");
    QTest::newRow("doubled backslash") << "\\system\\\\system.ini" << QByteArray("system");
    QTest::newRow("missing file") << "\\system\\weekly.ini" << QByteArray();
    QTest::newRow("a directory") << "\\system\\sound" << QByteArray();
}

void TestDirectoryDeviceLink::namesMatchWhateverTheirCase()
{
    QFETCH(QString, devicePath);
    QFETCH(QByteArray, fetched);

    const QString pc = pcHost("Suite/got.bin");
    const std::int32_t r = m_link->Vlt_GetFile("C:\\Suite\\got.bin", devicePath, -1);
    QCOMPARE(r == vlt::Ok, !fetched.isEmpty());
    QCOMPARE(readFile(pc), fetched.isEmpty() ? QByteArray("<missing>") : fetched);
    QCOMPARE(m_link->Vlt_IsExist(devicePath) != 0,
             !fetched.isEmpty() || devicePath.endsWith("sound"));
}

void TestDirectoryDeviceLink::exactSpellingWins()
{
    QVERIFY(writeFile(m_root + "/SYSTEM/Sound/chime.snd", "lower"));
    QCOMPARE(m_link->Vlt_GetFile("C:\\Suite\\a", "\\system\\sound\\chime.snd", -1), vlt::Ok);
    QCOMPARE(readFile(pcHost("Suite/a")), QByteArray("lower"));
    QCOMPARE(m_link->Vlt_GetFile("C:\\Suite\\b", "\\system\\sound\\Chime.SND", -1), vlt::Ok);
    QCOMPARE(readFile(pcHost("Suite/b")), QByteArray("chime"));
}

void TestDirectoryDeviceLink::refused_data()
{
    QTest::addColumn<QString>("root"); // the device root, beside the others; empty = none set
    QTest::addColumn<QString>("devicePath");
    QTest::addColumn<int>("code");

    auto escape = [](const char *name, const QString &path) {
        QTest::newRow(name) << "device" << path << int(vlt::PathRefused);
    };
    escape("parent of the root", "\\..\\outside\\secret.txt");
    escape("up and out", "\\system\\..\\..\\outside\\secret.txt");
    escape("relative parent", "..\\outside\\secret.txt");
    escape("parent inside the tree", "\\system\\..\\system\\system.ini");
    escape("mixed separators", "\\system/../../outside/secret.txt");
    escape("drive letter", "C:\\outside\\secret.txt");
    escape("stream name", "\\system\\system.ini:extra");
    escape("NUL inside", QString("\\system\\sys") + QChar(0) + "tem.ini");
    escape("wildcard", "\\system\\*.ini");
    escape("link out of the tree", "\\escape\\secret.txt");
    escape("dangling link", "\\dangling\\new.txt");
    for (const char *root : {"", "device-unplugged", "outside/secret.txt"})
        QTest::addRow("unreachable, root '%s'", root)
            << root << "\\system\\system.ini" << int(vlt::Unreachable);
}

// Every call is refused, and neither the PC nor the device nor what lies beside it changes.
void TestDirectoryDeviceLink::refused()
{
    QFETCH(QString, root);
    QFETCH(QString, devicePath);
    QFETCH(int, code);
    m_settings.deviceRoot = root.isEmpty() ? QString() : m_tmp->filePath(root);
    QVERIFY(writeFile(pcHost("Suite/payload"), "payload"));

    QCOMPARE(m_link->rootProblem().isEmpty(), code == vlt::PathRefused);
    QCOMPARE(m_link->Vlt_GetFile("C:\\Suite\\got", devicePath, -1), code);
    QVERIFY(!QFileInfo::exists(pcHost("Suite/got")));
    QCOMPARE(m_link->Vlt_GetFile("C:\\Suite\\payload", devicePath, -1), code);
    QCOMPARE(readFile(pcHost("Suite/payload")), QByteArray("payload"));
    QCOMPARE(m_link->Vlt_PutFile(devicePath, "C:\\Suite\\payload", -1), code);
    QCOMPARE(m_link->Vlt_IsExist(devicePath), 0);
    std::array<char, 64> buffer{};
    QCOMPARE(m_link->Vlt_DirByExt(devicePath, "txt", buffer, 63), 0);
    if (code == vlt::Unreachable) {
        QCOMPARE(m_link->Vlt_IsExist("\\system"), 0);
        QCOMPARE(m_link->Vlt_DirByExt("\\system\\sound", "snd", buffer, 63), 0);
    }

    QCOMPARE(QDir(m_outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"secret.txt"});
    QCOMPARE(readFile(m_outside + "/secret.txt"), QByteArray("secret"));
    QVERIFY(!QFileInfo::exists(m_tmp->filePath("gone")));
    QCOMPARE(readFile(m_root + "/SYSTEM/System.ini"), QByteArray("system"));
}

void TestDirectoryDeviceLink::getFileWritesTheWholeFileOrNothing()
{
    // The load passes a blank-padded field; the cache directory does not exist yet.
    const QString field =
        QString("C:\\suite\\Dockman\\cache\\system\\system.ini").leftJustified(200);
    QCOMPARE(m_link->Vlt_GetFile(field, "\\system\\system.ini", -1), vlt::Ok);
    const QString cached = pcHost("Suite/Dockman/cache/system/system.ini");
    QCOMPARE(readFile(cached), QByteArray("system"));
    QCOMPARE(field.size(), 200); // the caller's argument is left alone

    QVERIFY(writeFile(cached, "an older and longer copy of the file"));
    QCOMPARE(m_link->Vlt_GetFile(field, "\\system\\system.ini", -1), vlt::Ok);
    QCOMPARE(readFile(cached), QByteArray("system"));

    QVERIFY(m_link->Vlt_GetFile(field, "\\system\\weekly.ini", -1) != vlt::Ok);
    QCOMPARE(readFile(cached), QByteArray("system"));
    QCOMPARE(QDir(QFileInfo(cached).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"system.ini"});
}

void TestDirectoryDeviceLink::putFileReplacesTheDeviceFile()
{
    QVERIFY(writeFile(pcHost("Suite/new.ini"), QByteArray(256, 'n')));
    QCOMPARE(m_link->Vlt_PutFile("\\system\\system.ini", "C:\\Suite\\NEW.INI", -1), vlt::Ok);
    // The file the device has is replaced, not joined by one spelled differently.
    QCOMPARE(QDir(m_root + "/SYSTEM").entryList(QDir::Files | QDir::Hidden),
             QStringList{"System.ini"});
    QCOMPARE(readFile(m_root + "/SYSTEM/System.ini"), QByteArray(256, 'n'));

    QCOMPARE(m_link->Vlt_PutFile("\\system\\weekly.ini", "C:\\Suite\\absent.ini", -1),
             vlt::NotFound);
    QVERIFY(!QFileInfo::exists(m_root + "/SYSTEM/weekly.ini"));

    QCOMPARE(m_link->Vlt_PutFile("\\system\\apps\\check.exf", "C:\\Suite\\new.ini", -1), vlt::Ok);
    QCOMPARE(readFile(m_root + "/SYSTEM/apps/check.exf"), QByteArray(256, 'n'));
    QVERIFY(m_link->Vlt_PutFile("\\system\\sound", "C:\\Suite\\new.ini", -1) != vlt::Ok);
}

void TestDirectoryDeviceLink::listing_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("maxChars");
    QTest::addColumn<QByteArray>("text");

    auto row = [](const char *name, const QStringList &files, int maxChars, const char *text) {
        QTest::newRow(name) << files << maxChars << QByteArray(text);
    };
    row("sorted, extension in any case", {"b.snd", "A.SND", "c.wav", "d.snd.bak", "e.snd/"}, 1024,
        "A.SND\tb.snd");
    row("hidden files left out", {".x.snd", "a.snd"}, 1024, "a.snd");
    row("a tab in a name", {"a\tb.snd", "c.snd"}, 1024, "c.snd");
    row("names without an ANSI spelling", {QStringLiteral("日本.snd"), QStringLiteral("été.snd")},
        1024, "\xE9t\xE9.snd");
    row("cut before a name that does not fit", {"aaaa.snd", "bb.snd"}, 14, "aaaa.snd");
    row("exactly full", {"aaaa.snd", "bb.snd"}, 15, "aaaa.snd\tbb.snd");
    row("empty directory", {}, 1024, "");
}

void TestDirectoryDeviceLink::listing()
{
    QFETCH(QStringList, files);
    QFETCH(int, maxChars);
    QFETCH(QByteArray, text);

    const QString dir = m_root + "/SYSTEM/Sound";
    QVERIFY(QDir(dir).removeRecursively());
    QVERIFY(QDir().mkpath(dir));
    for (const QString &f : files) {
        if (f.endsWith('/'))
            QVERIFY(QDir().mkpath(dir + '/' + f));
        else
            QVERIFY(writeFile(dir + '/' + f, "x"));
    }

    std::array<char, 1025> buffer;
    buffer.fill('#');
    const std::int32_t n = m_link->Vlt_DirByExt("\\system\\sound", "snd", buffer, maxChars);
    QCOMPARE(n, text.size());
    QCOMPARE(QByteArray(buffer.data(), n), text);
}

void TestDirectoryDeviceLink::longListingEndsAtAWholeName()
{
    const QString dir = m_root + "/SYSTEM/Sound";
    QVERIFY(QFile::remove(dir + "/Chime.SND"));
    for (int i = 0; i < 120; ++i)
        QVERIFY(writeFile(dir + QStringLiteral("/TUNE%1.snd").arg(i, 4, 10, QChar('0')), "x"));

    std::array<char, 1025> buffer{};
    const std::int32_t n = m_link->Vlt_DirByExt("\\system\\sound", "snd", buffer, 1024);
    QCOMPARE(n, 78 * 13 - 1); // 78 names of 12 characters and the tabs between them
    const QList<QByteArray> names = QByteArray(buffer.data(), n).split('\t');
    for (const QByteArray &name : names)
        QVERIFY2(QFileInfo::exists(dir + '/' + QString::fromLatin1(name)), name.constData());
}

void TestDirectoryDeviceLink::release_data()
{
    QTest::addColumn<bool>("ask");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("released");
    QTest::addColumn<int>("asked");

    QTest::newRow("not asking") << false << false << true << 0;
    QTest::newRow("asked, Yes") << true << true << true << 1;
    QTest::newRow("asked, No") << true << false << false << 1;
}

void TestDirectoryDeviceLink::release()
{
    QFETCH(bool, ask);
    QFETCH(bool, answer);
    QFETCH(bool, released);
    QFETCH(int, asked);

    m_settings.askBeforeRelease = ask;
    m_release = answer;
    QCOMPARE(vlt::low16(m_link->Vlt_DoDisconnect()) == 0, released);
    QCOMPARE(m_asked, asked);
}

void TestDirectoryDeviceLink::rootComesFromEnvironmentOrSettings()
{
    DeviceLinkSettings{m_root, true}.save();
    QCOMPARE(QSettings("Rovoveri", "Rovoveri").value("Link/DeviceRoot").toString(), m_root);

    QProcessEnvironment env;
    DirectoryDeviceLink fromSettings(*m_mapper, DirectoryDeviceLink::settingsFrom(env));
    QVERIFY(fromSettings.rootProblem().isEmpty());
    QCOMPARE(fromSettings.Vlt_IsExist("\\system\\sound\\chime.snd"), 1);

    env.insert("TAVION_DEVICE_ROOT", m_outside);
    DirectoryDeviceLink fromEnvironment(*m_mapper, DirectoryDeviceLink::settingsFrom(env));
    QCOMPARE(fromEnvironment.Vlt_IsExist("\\system\\sound\\chime.snd"), 0);
    QCOMPARE(fromEnvironment.Vlt_IsExist("\\secret.txt"), 1);
    QVERIFY(DirectoryDeviceLink::settingsFrom(env)().askBeforeRelease);

    // A root changed in the settings counts at the next call.
    DeviceLinkSettings{m_outside, false}.save();
    QCOMPARE(fromSettings.Vlt_IsExist("\\secret.txt"), 1);
}

QTEST_GUILESS_MAIN(TestDirectoryDeviceLink)
#include "tst_directorydevicelink.moc"
