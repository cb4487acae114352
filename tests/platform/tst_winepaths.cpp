#include "platform/DirListing.h"
#include "platform/WineRegistry.h"
#include "support/TestFiles.h"

#include <QTest>

class TestWinePaths : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestSuite> m_suite;

private slots:
    void init()
    {
        m_suite = std::make_unique<TestSuite>(false);
        for (const char *name : {"razevo/system.cif", "razevo/SYSTEM.CIF", "razevo/Weekly.CIF",
                                 "sound/b.snd", "sound/A.SND", "sound/c.sndx", "sound/.h.snd"})
            QVERIFY(writeFile(m_suite->suite(QString::fromLatin1(name)), "x"));
        QVERIFY(QDir().mkpath(m_suite->suite(QStringLiteral("sound/d.snd"))));
    }

    void readInstallPath_data()
    {
        QTest::addColumn<QByteArray>("values");
        QTest::addColumn<QString>("installPath");
        const auto row = [](const char *name, const QByteArray &values, const char *path) {
            QTest::newRow(name) << "[sOFTWARE\\\\kvq\\\\Veltrix-E\\\\PC] 17\n" + values
                                << QString::fromUtf8(path);
        };
        row("trailing backslash removed", "\"InstallDir\"=\"C:\\\\Suite\\\\\"", "C:\\Suite");
        row("blanks, quotes", "\"installdir\"=\" D:\\\\My \\\"A\\\" \"", " D:\\My \"A\" ");
        row("expandable string", "\"InstallDir\"=str(2):\"C:\\\\Suite\"", "C:\\Suite");
        row("escapes", "\"InstallDir\"=\"C:\\\\Caf\\x00e9\\\\\\x4e2d\\101\"", "C:\\Café\\?A");
        row("other values", "\"B\"=hex:01,\\\n  02\n\"InstallDir\"=\"E:\\\\X\"\n@=\"\"", "E:\\X");
        row("empty value", "\"InstallDir\"=\"\"", "<none>");
        row("binary value", "\"InstallDir\"=hex:43,3a,00", "<none>");
        row("under a later key", "[Software\\\\Other] 1\n\"InstallDir\"=\"C:\\\\Suite\"", "<none>");
        row("unterminated string", "\"InstallDir\"=\"C:\\\\Suite", "<none>");
    }
    void readInstallPath()
    {
        QFETCH(QByteArray, values);
        QFETCH(QString, installPath);
        QVERIFY(writeFile(m_suite->userReg(), "WINE REGISTRY Version 2\n\n" + values + '\n'));
        QCOMPARE(ReadInstallPath(m_suite->userReg()).value_or("<none>"), installPath);
    }

    void mapping_data()
    {
        QTest::addColumn<QString>("windowsPath");
        QTest::addColumn<QString>("host"); // below dosdevices; empty: refused
        const auto row = [](const char *name, const QString &path, const char *host) {
            QTest::newRow(name) << path << QString::fromLatin1(host);
        };
        row("any case", "c:\\SUITE\\RAZEVO\\weekly.CIF", "c:/Suite/razevo/Weekly.CIF");
        row("missing tail kept, any separators", "C:\\\\suite/dockman\\Cache\\",
            "c:/Suite/dockman/Cache");
        row("dot-dot stops at the drive root", "C:\\..\\..\\Suite", "c:/Suite");
        row("other drive", "Q:\\x", "q:/x");
        row("no drive", "Suite\\razevo", "");
        row("drive-relative", "C:Suite", "");
        row("wildcard", "C:\\*.snd", "");
        row("NUL", QStringLiteral("C:\\a") + QChar(0) + u'b', "");
    }
    void mapping()
    {
        QFETCH(QString, windowsPath);
        QFETCH(QString, host);
        const QString mapped = PathMapper(m_suite->prefix()).toHost(windowsPath);
        QCOMPARE(QString(mapped).remove(m_suite->prefix() + "/dosdevices/"), host);
    }

    void listing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("attributes"); // 16: directories too
        QTest::addColumn<QString>("names");
        const auto row = [](const char *name, const char *path, int attributes, const char *names) {
            QTest::newRow(name) << path << attributes << names;
        };
        row("sorted, any case, no hidden files", "C:\\Suite\\sound\\*.snd", 0, "A.SND b.snd");
        row("directories asked for", "C:\\Suite\\sound\\*.SND", 16, "A.SND b.snd d.snd");
        row("directory, not asked for", "C:\\Suite\\RAZEVO", 0, "");
        row("file, other case", "C:\\Suite\\razevo\\weekly.cif", 0, "Weekly.CIF");
        row("exact spelling first", "C:\\Suite\\razevo\\system.cif", 0, "system.cif SYSTEM.CIF");
        row("exact first, upper", "C:\\Suite\\razevo\\SYSTEM.CIF", 0, "SYSTEM.CIF system.cif");
        row("*.* takes names without a dot", "C:\\Suite\\*.*", 16, "razevo sound");
        row("wildcard in a directory", "C:\\Sui*\\razevo", 16, "");
        row("bad character", "C:\\Suite\\sound\\a|b", 0, "");
        row("a bare drive lists its root", "C:", 16, "Suite");
        row("backtracking", "C:\\Suite\\sound\\*a*D", 0, "A.SND");
        row("stars at the end match nothing", "C:\\Suite\\sound\\b.snd**", 0, "b.snd");
        row("'?' is one character", "C:\\Suite\\sound\\b.snd?", 0, "");
    }
    void listing()
    {
        QFETCH(QString, path);
        QFETCH(int, attributes);
        QFETCH(QString, names);
        const PathMapper mapper(m_suite->prefix());
        DirListing listing(mapper);
        QStringList listed;
        for (QString name = listing.first(path, attributes); !name.isEmpty(); name = listing.next())
            listed << name;
        QCOMPARE(listed.join(u' '), names);
    }
};

QTEST_GUILESS_MAIN(TestWinePaths)
#include "tst_winepaths.moc"
