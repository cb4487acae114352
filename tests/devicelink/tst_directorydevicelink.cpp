#include "devicelink/DirectoryDeviceLink.h"
#include "support/TestFiles.h"

#include <QDirIterator>
#include <QTest>

class TestDirectoryDeviceLink : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestSuite> m_suite;
    QString m_evil; // beside the device folder, its name starting with the folder's
    std::unique_ptr<PathMapper> m_mapper;
    DeviceLinkSettings m_settings;
    std::unique_ptr<DirectoryDeviceLink> m_link;
    int m_asked = 0;

    QString device(const QString &relative) const { return m_suite->device() + u'/' + relative; }
    auto get(const QString &pc, const QString &d) { return m_link->Vlt_GetFile(pc, d, kWholeFile); }
    auto put(const QString &d, const QString &pc) { return m_link->Vlt_PutFile(d, pc, kWholeFile); }

    // Every call is refused with `code`, and no file anywhere changes.
    void expectRefused(const QString &devicePath, std::int32_t code)
    {
        const auto snapshot = [this] {
            QStringList files;
            QDirIterator it(m_suite->dir.path(), QDir::Files | QDir::Hidden,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next() << QString::fromLatin1(readFile(it.filePath()));
            return files;
        };
        const QStringList before = snapshot();
        QCOMPARE(get("C:\\Suite\\got", devicePath), code);
        QCOMPARE(put(devicePath, "C:\\Suite\\payload"), code);
        QCOMPARE(m_link->Vlt_IsExist(devicePath), 0);
        std::array<char, 64> buffer{};
        QCOMPARE(m_link->Vlt_DirByExt(devicePath, "txt", buffer, 63), 0);
        QCOMPARE(snapshot(), before);
    }

private slots:
    // A device with links out of it: "escape" to the sibling m_evil, "dangling" to nothing.
    void init()
    {
        m_suite = std::make_unique<TestSuite>(false);
        m_evil = m_suite->device() + "-evil";
        QVERIFY(writeFile(device("SYSTEM/System.ini"), "system"));
        QVERIFY(writeFile(device("SYSTEM/Sound/Chime.SND"), "chime"));
        QVERIFY(writeFile(device("SYSTEM/Sound/chime.snd"), "lower"));
        QVERIFY(writeFile(m_evil + "/secret.txt", "secret"));
        QVERIFY(writeFile(m_suite->suite("payload"), "payload"));
        QVERIFY(QFile::link(m_evil, device("escape")));
        QVERIFY(QFile::link(m_suite->dir.filePath("gone"), device("dangling")));
        m_mapper = std::make_unique<PathMapper>(m_suite->prefix());
        m_settings = {m_suite->device(), false};
        m_asked = 0;
        const auto mayRelease = [this] { return ++m_asked == 1; }; // Yes, then No
        m_link = std::make_unique<DirectoryDeviceLink>(
            *m_mapper, [this] { return m_settings; }, DirectoryDeviceLink::Hooks{{}, mayRelease});
    }

    // Names match whatever their case, the exact spelling first, and a host path stays inside the
    // device. A fetched file replaces the PC file whole; a failed fetch leaves it as it was.
    void fetchFromDevice()
    {
        const auto fetch = [this](const QString &devicePath) {
            const QByteArray code = QByteArray::number(get("C:\\Suite\\got", devicePath));
            return code + ' ' + readFile(m_suite->suite("got"));
        };
        QCOMPARE(fetch("\\SYSTEM\\SYSTEM.INI"), "0 system");
        QCOMPARE(fetch("\\system\\sound\\chime.snd"), "0 lower");
        QCOMPARE(fetch("system//sound/Chime.SND"), "0 chime");
        QCOMPARE(fetch("\\system\\weekly.ini"), "3 chime");
        QCOMPARE(fetch("\\system\\sound"), "3 chime");
        QCOMPARE(fetch(m_evil + "/secret.txt"), "3 chime");
        QCOMPARE(m_link->Vlt_IsExist("\\System\\SOUND"), 1);
        // A copy of the same size and time is up to date only when its bytes are the same too.
        QVERIFY(writeFile(m_suite->suite("got"), "SYSTEM"));
        QFile stale(m_suite->suite("got"));
        QVERIFY(stale.open(QIODevice::ReadWrite));
        QVERIFY(stale.setFileTime(QFileInfo(device("SYSTEM/System.ini")).lastModified(),
                                  QFileDevice::FileModificationTime));
        stale.close();
        QCOMPARE(fetch("\\system\\system.ini"), "0 system");
        // The load passes a blank-padded field; the cache folder is not there yet.
        QCOMPARE(
            get(QString("C:\\suite\\cache\\system.ini").leftJustified(200), "\\system\\system.ini"),
            vlt::Ok);
        QCOMPARE(QDir(m_suite->suite("cache")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"system.ini"});
    }

    void refused_data()
    {
        QTest::addColumn<QString>("devicePath");
        for (const char *path :
             {"..\\device-evil\\secret.txt", "\\system/../../device-evil/secret.txt",
              "\\system\\..\\system\\system.ini", "C:\\Suite\\payload", "\\system\\*.ini",
              "\\escape\\secret.txt", "\\dangling\\new.txt"})
            QTest::newRow(path) << QString::fromLatin1(path);
        QTest::newRow("NUL") << QString("\\system\\sys") + QChar(0) + "tem.ini";
    }
    void refused()
    {
        QFETCH(QString, devicePath);
        expectRefused(devicePath, vlt::PathRefused);
    }

    void unreachable()
    {
        m_settings.deviceRoot = m_evil + "/secret.txt";
        QCOMPARE(m_link->rootProblem(), "device folder " + m_evil + "/secret.txt is not there");
        expectRefused("\\system\\system.ini", vlt::Unreachable);
    }

    // The device's file is replaced, not joined by one spelled differently; missing device
    // folders are made.
    void sendToDevice()
    {
        QVERIFY(writeFile(m_suite->suite("new.ini"), "new"));
        QCOMPARE(put("\\system\\system.ini", "C:\\Suite\\NEW.INI"), vlt::Ok);
        QCOMPARE(QDir(device("SYSTEM")).entryList(QDir::Files), QStringList{"System.ini"});
        QCOMPARE(readFile(device("SYSTEM/System.ini")), QByteArray("new"));
        QCOMPARE(put("\\system\\apps\\a.exf", "C:\\Suite\\new.ini"), vlt::Ok);
        QCOMPARE(readFile(device("SYSTEM/apps/a.exf")), QByteArray("new"));
        QCOMPARE(put("\\system\\weekly.ini", "C:\\Suite\\none"), vlt::NotFound);
        QCOMPARE(put("\\system\\sound", "C:\\Suite\\new.ini"), vlt::CopyFailed);
    }

    // Sorted whatever the case, ending at a whole name; no hidden files, no directories, no names
    // with a tab or without an ANSI spelling.
    void listing()
    {
        const QString dir = device("SYSTEM/Sound/");
        QVERIFY(QDir(dir).removeRecursively() && QDir().mkpath(dir + "e.snd"));
        for (const char *name : {"b.snd", "A.SND", "c.wav", "d.snd.bak", ".x.snd", "a\tb.snd",
                                 "\u65E5\u672C.snd", "\u00E9t\u00E9.snd"})
            QVERIFY(writeFile(dir + QString::fromUtf8(name), "x"));
        std::array<char, 64> buffer;
        const auto list = [&](int maxChars) {
            buffer.fill('#');
            return QByteArray(buffer.data(),
                              m_link->Vlt_DirByExt("\\system\\sound", "snd", buffer, maxChars));
        };
        QCOMPARE(list(19), QByteArray("A.SND\tb.snd\t\xE9t\xE9.snd"));
        QCOMPARE(list(18), QByteArray("A.SND\tb.snd"));
    }

    void release()
    {
        QCOMPARE(m_link->Vlt_DoDisconnect(), vlt::Ok); // not asked
        m_settings.askBeforeRelease = true;
        QCOMPARE(m_link->Vlt_DoDisconnect(), vlt::Ok);
        QCOMPARE(m_link->Vlt_DoDisconnect(), vlt::KeepConnected);
        QCOMPARE(m_asked, 2);
    }
};

QTEST_GUILESS_MAIN(TestDirectoryDeviceLink)
#include "tst_directorydevicelink.moc"
