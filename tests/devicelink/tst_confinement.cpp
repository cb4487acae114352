// Hostile names from the device, the records or the user never make the link or the path
// mapping read or write outside the device root and the suite's folders.

#include "support/FaultTools.h"
#include "support/TestFiles.h"

#include "devicelink/DirectoryDeviceLink.h"
#include "devicelink/SoundList.h"
#include "platform/DirListing.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace faults;

namespace {

// Every file below dir with its content, to see what changed.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readFile(path));
    }
    return files;
}

} // namespace

class TestConfinement : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void soundNameStaysInside_data();
    void soundNameStaysInside();

private:
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_root, m_prefix;
    std::unique_ptr<PathMapper> m_mapper;
    std::unique_ptr<DirectoryDeviceLink> m_link;
};

void TestConfinement::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    // The device tree sits inside a folder that also holds files it must never reach.
    m_root = m_tmp->filePath(QStringLiteral("outer/tavion"));
    m_prefix = m_tmp->filePath(QStringLiteral("prefix"));
    QVERIFY(writeFile(m_root + QStringLiteral("/system/sound/DING.snd"),
                      QByteArray("\x07\x00\x10\x00\xff\xff", 6)));
    QVERIFY(writeFile(m_tmp->filePath(QStringLiteral("outer/x.snd")), "secret beside the device"));
    QVERIFY(writeFile(m_tmp->filePath(QStringLiteral("x.snd")), "secret above the device"));
    QVERIFY(writeFile(m_prefix + QStringLiteral("/drive_c/Suite/dockman/cache/system/sound/.keep"),
                      {}));
    QVERIFY(writeFile(m_prefix + QStringLiteral("/drive_c/x.snd"), "secret on drive C"));
    QVERIFY(QDir().mkpath(m_prefix + QStringLiteral("/dosdevices")));
    QVERIFY(QFile::link(QStringLiteral("../drive_c"), m_prefix + QStringLiteral("/dosdevices/c:")));
    // A link inside the device that points out of it.
    QVERIFY(QFile::link(m_tmp->filePath(QStringLiteral("outer")),
                        m_root + QStringLiteral("/system/sound/out")));

    m_mapper = std::make_unique<PathMapper>(m_prefix);
    const QString root = m_root;
    m_link = std::make_unique<DirectoryDeviceLink>(*m_mapper, [root] {
        return DeviceLinkSettings{root, false};
    });
}

void TestConfinement::soundNameStaysInside_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("climbing with backslashes") << QStringLiteral("..\\..\\x");
    QTest::newRow("climbing with slashes") << QStringLiteral("../../x");
    QTest::newRow("climbing past the drive") << QStringLiteral("..\\..\\..\\..\\..\\..\\x");
    QTest::newRow("climbing from inside") << QStringLiteral("a\\..\\..\\..\\..\\x");
    QTest::newRow("absolute host path") << QStringLiteral("@TMP/x"); // the test's own folder
    QTest::newRow("drive path") << QStringLiteral("C:\\x");
    QTest::newRow("device namespace") << QStringLiteral("\\\\?\\C:\\x");
    QTest::newRow("through a link out") << QStringLiteral("out\\x");
    QTest::newRow("long name") << QString(300, u'a');
    QTest::newRow("very long name") << QString(70000, u'b');
    QTest::newRow("NUL inside") << QStringLiteral("DING") + QChar(0) + QStringLiteral("..\\..\\x");
    QTest::newRow("control characters") << QStringLiteral("DI\x01NG\r\n");
    QTest::newRow("only dots") << QStringLiteral("..");
}

void TestConfinement::soundNameStaysInside()
{
    QFETCH(QString, name);
    name.replace(QStringLiteral("@TMP"), m_tmp->path());

    const QString cacheDir = QStringLiteral("C:\\Suite\\dockman\\cache\\system\\sound");
    const QString pcPath = cacheDir + u'\\' + name + QStringLiteral(".snd");
    const QString devicePath = QStringLiteral("\\system\\sound\\") + name + QStringLiteral(".snd");
    const auto before = snapshot(m_tmp->path());

    // The mapped PC path never leaves drive C, whatever the name holds.
    const QString pcHost = m_mapper->toHost(pcPath);
    QVERIFY2(pcHost.isEmpty() || pcHost.startsWith(m_prefix + QStringLiteral("/dosdevices/c:/")),
             qPrintable(pcHost));

    // Fetching and sending either fail or stay inside the device root and the cache.
    const std::int32_t fetched = m_link->Vlt_GetFile(pcPath, devicePath, -1);
    QVERIFY(writeFile(m_prefix + QStringLiteral("/drive_c/Suite/dockman/cache/system/sound/ok.snd"),
                      "pc"));
    const std::int32_t sent =
        m_link->Vlt_PutFile(devicePath, cacheDir + QStringLiteral("\\ok.snd"), -1);
    QFile::remove(m_prefix + QStringLiteral("/drive_c/Suite/dockman/cache/system/sound/ok.snd"));
    const auto host = m_link->hostPathOf(devicePath);
    if (host)
        QVERIFY2(QDir::cleanPath(*host).startsWith(QFileInfo(m_root).canonicalFilePath() + u'/'),
                 qPrintable(*host));

    const auto after = snapshot(m_tmp->path());
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const bool inDevice = it.key().startsWith(m_root + u'/');
        const bool inCache =
            it.key().startsWith(m_prefix + QStringLiteral("/drive_c/Suite/dockman/cache/"));
        if (!inDevice && !inCache)
            QVERIFY2(before.value(it.key()) == it.value(),
                     qPrintable(it.key() + QStringLiteral(" changed")));
    }
    // No new file holds what lies outside: nothing was fetched from there.
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            QVERIFY2(!it.value().startsWith("secret"), qPrintable(it.key()));
    }
    // A refused name is refused by both directions alike.
    QCOMPARE(fetched == vlt::PathRefused, vlt::low16(sent) == vlt::PathRefused);
}

QTEST_GUILESS_MAIN(TestConfinement)
#include "tst_confinement.moc"
