#include "platform/DirListing.h"
#include "platform/PathMapper.h"
#include "platform/WineRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21\n\n#arch=win64\n\n";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestWinePaths : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readInstallPath_data();
    void readInstallPath();
    void missingRegistryFile();
    void mapping_data();
    void mapping();
    void listing_data();
    void listing();
    void listingContinues();
    void wildcard_data();
    void wildcard();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_prefix;
};

void TestWinePaths::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_prefix = m_dir->filePath(QStringLiteral("prefix"));
    const QString suite = m_prefix + QStringLiteral("/drive_c/Program Files/KVQ/Suite");
    writeFile(suite + QStringLiteral("/razevo/system.cif"), QByteArray(256, '\0'));
    writeFile(suite + QStringLiteral("/razevo/Weekly.CIF"), QByteArray(76, '\0'));
    writeFile(suite + QStringLiteral("/sound/b.snd"), "x");
    writeFile(suite + QStringLiteral("/sound/A.SND"), "x");
    writeFile(suite + QStringLiteral("/sound/c.sndx"), "x");
    writeFile(suite + QStringLiteral("/sound/.hidden.snd"), "x");
    QDir().mkpath(suite + QStringLiteral("/sound/d.snd")); // a directory with a file's name
    QDir().mkpath(m_prefix + QStringLiteral("/dosdevices"));
    QFile::link(QStringLiteral("../drive_c"), m_prefix + QStringLiteral("/dosdevices/c:"));
}

void TestWinePaths::readInstallPath_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("installPath");

    const QByteArray key =
        "[Software\\\\KVQ\\\\Veltrix-e\\\\PC] 1764950400\n#time=1db5e0a7c0e4a00\n";
    QTest::newRow("trailing backslash removed") << key + "\"InstallDir\"=\"C:\\\\Suite\\\\\"\n"
                                                << true << QStringLiteral("C:\\Suite");
    QTest::newRow("only one of two removed") << key + "\"InstallDir\"=\"C:\\\\Suite\\\\\\\\\"\n"
                                             << true << QStringLiteral("C:\\Suite\\");
    QTest::newRow("blanks kept, names case-insensitive")
        << QByteArray("[software\\\\kvq\\\\VELTRIX-E\\\\pc] 1\n\"installdir\"=\" D:\\\\My "
                      "\\\"Apps\\\" \"\n")
        << true << QStringLiteral(" D:\\My \"Apps\" ");
    QTest::newRow("expandable string") << key + "\"InstallDir\"=str(2):\"C:\\\\Suite\"\n"
                                       << true << QStringLiteral("C:\\Suite");
    QTest::newRow("unicode escape becomes ANSI")
        << key + "\"InstallDir\"=\"C:\\\\Caf\\x00e9\\\\\\x4e2d\"\n"
        << true << QStringLiteral("C:\\Café\\?");
    QTest::newRow("other values around") << key + "\"Version\"=dword:00000204\n\"Blob\"=hex:01,02,"
                                                  "\\\n  03\n\"InstallDir\"=\"E:\\\\X\"\n"
                                         << true << QStringLiteral("E:\\X");
    QTest::newRow("empty value ends") << key + "\"InstallDir\"=\"\"\n" << false << QString();
    QTest::newRow("binary value ends") << key + "\"InstallDir\"=hex:43,3a,00\n"
                                       << false << QString();
    QTest::newRow("value missing") << key + "\"Other\"=\"C:\\\\Suite\"\n" << false << QString();
    QTest::newRow("key missing")
        << QByteArray("[Software\\\\KVQ\\\\Veltrix-e] 1\n\"InstallDir\"=\"C:\\\\Suite\"\n") << false
        << QString();
    QTest::newRow("value under a later key does not count")
        << key + "[Software\\\\Other] 1\n\"InstallDir\"=\"C:\\\\Suite\"\n"
        << false << QString();
    QTest::newRow("unterminated string") << key + "\"InstallDir\"=\"C:\\\\Suite\n"
                                         << false << QString();
}

void TestWinePaths::readInstallPath()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, found);
    QFETCH(QString, installPath);
    const QString reg = m_dir->filePath(QStringLiteral("user.reg"));
    writeFile(reg, kHeader + body);
    const auto result = ReadInstallPath(reg);
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(*result, installPath);
}

void TestWinePaths::missingRegistryFile()
{
    QVERIFY(!ReadInstallPath(m_dir->filePath(QStringLiteral("nowhere/user.reg"))));
}

void TestWinePaths::mapping_data()
{
    QTest::addColumn<QString>("windowsPath");
    QTest::addColumn<QString>("hostSuffix"); // relative to the prefix; "" = refused

    QTest::newRow("mixed case finds existing names")
        << QStringLiteral("c:\\PROGRAM FILES\\kvq\\suite\\RAZEVO\\System.cif")
        << QStringLiteral("/dosdevices/c:/Program Files/KVQ/Suite/razevo/system.cif");
    QTest::newRow("missing tail kept as given")
        << QStringLiteral("C:\\Program Files\\KVQ\\Suite\\dockman\\Cache")
        << QStringLiteral("/dosdevices/c:/Program Files/KVQ/Suite/dockman/Cache");
    QTest::newRow("doubled and forward separators")
        << QStringLiteral("C:\\\\Program Files/KVQ\\\\Suite")
        << QStringLiteral("/dosdevices/c:/Program Files/KVQ/Suite");
    QTest::newRow("dot-dot stops at the drive root")
        << QStringLiteral("C:\\..\\..\\Program Files")
        << QStringLiteral("/dosdevices/c:/Program Files");
    QTest::newRow("other drive") << QStringLiteral("Q:\\x") << QStringLiteral("/dosdevices/q:/x");
    QTest::newRow("no drive") << QStringLiteral("Program Files\\KVQ") << QString();
    QTest::newRow("drive-relative") << QStringLiteral("C:Suite") << QString();
    QTest::newRow("UNC") << QStringLiteral("\\\\server\\share") << QString();
    QTest::newRow("wildcard") << QStringLiteral("C:\\*.snd") << QString();
    QTest::newRow("control character") << QStringLiteral("C:\\a\tb") << QString();
    QTest::newRow("NUL") << QStringLiteral("C:\\a") + QChar(0) + QStringLiteral("b") << QString();
}

void TestWinePaths::mapping()
{
    QFETCH(QString, windowsPath);
    QFETCH(QString, hostSuffix);
    const PathMapper mapper(m_prefix);
    QCOMPARE(mapper.toHost(windowsPath), hostSuffix.isEmpty() ? QString() : m_prefix + hostSuffix);
}

void TestWinePaths::listing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("attributes");
    QTest::addColumn<QString>("first");

    const QString suite = QStringLiteral("C:\\Program Files\\KVQ\\Suite\\");
    QTest::newRow("directory with directory attribute")
        << suite + QStringLiteral("RAZEVO") << 16 << QStringLiteral("razevo");
    QTest::newRow("directory without it") << suite + QStringLiteral("razevo") << 0 << QString();
    QTest::newRow("file, other case")
        << suite + QStringLiteral("razevo\\weekly.cif") << 0 << QStringLiteral("Weekly.CIF");
    QTest::newRow("pattern, sorted, case-insensitive")
        << suite + QStringLiteral("sound\\*.snd") << 0 << QStringLiteral("A.SND");
    QTest::newRow("question mark")
        << suite + QStringLiteral("sound\\?.sndx") << 0 << QStringLiteral("c.sndx");
    QTest::newRow("no match") << suite + QStringLiteral("sound\\*.wav") << 0 << QString();
    QTest::newRow("missing drive") << QStringLiteral("K:\\razevo") << 16 << QString();
    QTest::newRow("missing directory")
        << suite + QStringLiteral("nothing\\*.snd") << 0 << QString();
    QTest::newRow("wildcard in a directory") << QStringLiteral("C:\\Prog*\\KVQ") << 16 << QString();
    QTest::newRow("bad character") << suite + QStringLiteral("sound\\a|b") << 0 << QString();
    QTest::newRow("empty") << QString() << 16 << QString();
    QTest::newRow("drive root") << QStringLiteral("C:\\") << 16 << QStringLiteral("Program Files");
}

void TestWinePaths::listing()
{
    QFETCH(QString, path);
    QFETCH(int, attributes);
    QFETCH(QString, first);
    const PathMapper mapper(m_prefix);
    QCOMPARE(DirOrEmpty(mapper, path, attributes), first);
}

void TestWinePaths::listingContinues()
{
    const PathMapper mapper(m_prefix);
    DirListing listing(mapper);
    QStringList names{
        listing.first(QStringLiteral("C:\\Program Files\\KVQ\\Suite\\sound\\*.snd"), 0)};
    for (QString name = listing.next(); !name.isEmpty(); name = listing.next())
        names << name;
    // Hidden files and directories are left out of a plain-file listing.
    QCOMPARE(names, (QStringList{QStringLiteral("A.SND"), QStringLiteral("b.snd")}));
    QCOMPARE(listing.next(), QString());

    listing.first(QStringLiteral("C:\\Program Files\\KVQ\\Suite\\sound\\*.snd"), 16);
    QCOMPARE(listing.next(), QStringLiteral("b.snd"));
    QCOMPARE(listing.next(), QStringLiteral("d.snd"));
}

void TestWinePaths::wildcard_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("matches");
    QTest::newRow("star") << QStringLiteral("*") << QStringLiteral("anything") << true;
    QTest::newRow("suffix") << QStringLiteral("*.snd") << QStringLiteral("x.SND") << true;
    QTest::newRow("suffix longer")
        << QStringLiteral("*.snd") << QStringLiteral("x.snd.bak") << false;
    QTest::newRow("backtracking") << QStringLiteral("*a*b") << QStringLiteral("xaxxab") << true;
    QTest::newRow("question needs one") << QStringLiteral("a?") << QStringLiteral("a") << false;
    QTest::newRow("many stars") << QStringLiteral("***a***") << QStringLiteral("bab") << true;
}

void TestWinePaths::wildcard()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, matches);
    QCOMPARE(matchesWildcard(pattern, name), matches);
}

QTEST_GUILESS_MAIN(TestWinePaths)
#include "tst_winepaths.moc"
