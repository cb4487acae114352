// Which installation the program works with: the suite when its prefix names one, else Quorix's
// own, else none; and the own installation's folders are private.

#include "platform/Installation.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

class TestInstallation : public QObject
{
    Q_OBJECT

private slots:
    void source_data()
    {
        QTest::addColumn<QByteArray>("userReg"); // "-": no file
        QTest::addColumn<bool>("ownFactoryFiles");
        QTest::addColumn<QString>("found"); // suite, own, or the start of the problem
        QTest::addColumn<QString>("defaultSystemFile");
        const QByteArray key = "[Software\\\\KVQ\\\\Veltrix-e\\\\PC] 1\n";
        QTest::newRow("suite") << key + "\"InstallDir\"=\"C:\\\\Suite\"" << true << u"suite"_s
                               << u"C:\\Suite\\razevo\\system.cif"_s;
        QTest::newRow("no user.reg")
            << QByteArray("-") << true << u"own"_s << u"own/factory/system.cif"_s;
        QTest::newRow("no key") << QByteArray("WINE REGISTRY Version 2\n") << true << u"own"_s
                                << u"own/factory/system.cif"_s;
        QTest::newRow("empty value")
            << key + "\"InstallDir\"=\"\"" << true << u"own"_s << u"own/factory/system.cif"_s;
        QTest::newRow("broken: neither")
            << QByteArray("-") << false
            << u"suite installation not found: no InstallDir under HKEY_CURRENT_USER"_s
            << QString();
    }
    void source()
    {
        QFETCH(QByteArray, userReg);
        QFETCH(bool, ownFactoryFiles);
        QFETCH(QString, found);
        QFETCH(QString, defaultSystemFile);
        TestSuite suite(false);
        if (userReg != "-")
            QVERIFY(writeFile(suite.userReg(), userReg));
        if (ownFactoryFiles)
            QVERIFY(suite.writeOwnFactoryFiles("s", "w"));
        InstallationPlaces places = suite.places();
        places.factoryDirs.prepend(suite.dir.filePath(u"elsewhere"_s)); // first match wins

        QString problem;
        const auto installation = FindInstallation(places, &problem);
        if (!installation) {
            QVERIFY2(problem.startsWith(found), qPrintable(problem));
            QVERIFY(problem.contains(u"own/factory"_s));
            return;
        }
        const bool own = installation->source == Installation::Source::Own;
        QCOMPARE(own ? u"own"_s : u"suite"_s, found);
        QCOMPARE(installation->paths.OwnInstallation, own);
        const QString system = QString::fromStdString(installation->paths.DefaultSystemFile);
        QCOMPARE(own ? QDir(suite.dir.path()).relativeFilePath(system) : system, defaultSystemFile);
        if (own) {
            QCOMPARE(installation->paths.CacheSystemFile,
                     suite.dir.filePath(u"own/cache/system/system.ini"_s).toStdString());
            QCOMPARE(installation->paths.PcIniDir,
                     suite.dir.filePath(u"own/data/backup"_s).toStdString());
            QVERIFY(installation->paths.CheckFileSource.empty());
        }
    }

    void ownFoldersArePrivate()
    {
        TestSuite suite(false);
        QVERIFY(suite.writeOwnFactoryFiles("s", "w"));
        const auto installation = FindInstallation(suite.places(), nullptr);
        QVERIFY(installation && CreateOwnFolders(installation->paths));
        for (const char *dir : {"own/cache", "own/cache/system/sound", "own/data/backup"})
            QCOMPARE(QFileInfo(suite.dir.filePath(QString::fromLatin1(dir))).permissions() & 0x0077,
                     QFileDevice::Permissions());
    }
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
