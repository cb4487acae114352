#include "devicelink/DeviceFinder.h"
#include "devicelink/DirectoryDeviceLink.h"
#include "support/TestFiles.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Mount tables over a folder standing in for "/"; the rows differ only in what is mounted.
class TestDeviceFinder : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_root = m_dir.filePath("root");

private slots:
    void initTestCase()
    {
        for (const QString &folder :
             QStringList{"/media/alice/TAV", "/run/media/alice/TAV", "/mnt/spare", "/srv/tav",
                         "/media/bob/TAV", "/media/alice/My Tav", "/mnt/bad"}) {
            QVERIFY(writeFile(m_root + folder + "/SYSTEM/System.INI", QByteArray(256, 's')));
            QVERIFY(writeFile(m_root + folder + "/SYSTEM/weekly.INI", QByteArray(76, 'w')));
        }
        QVERIFY(writeFile(m_root + "/mnt/bad/SYSTEM/System.INI", QByteArray(255, 's')));
        QVERIFY(writeFile(m_root + "/dev/sdb1", ""));
        QVERIFY(QDir().mkpath(m_root + "/dev/disk/by-label"));
        QVERIFY(QFile::link("../../sdb1", m_root + "/dev/disk/by-label/TAVION"));
    }

    void find_data()
    {
        QTest::addColumn<QString>("mounts"); // "MOUNT-POINT SOURCE;...", as the table has them
        QTest::addColumn<QString>("found");  // "ROOT LABEL;..."
        const char *rows[][3] = {
            {"one, udev label", "/media/alice/TAV /dev/sdb1", "/media/alice/TAV TAVION"},
            {"two, one labelled by its source",
             "/run/media/alice/TAV /dev/sdb1;/mnt/spare /dev/disk/by-label/A\\x20B",
             "/run/media/alice/TAV TAVION;/mnt/spare A B"},
            {"none: not a media folder, another user's", "/srv/tav /x;/media/bob/TAV /x", ""},
            {"unreadable mount", "/media/gone /x;/media/alice/TAV /x", "/media/alice/TAV null"},
            {"escaped names", "/media/alice/My\\040Tav /x", "/media/alice/My Tav null"},
            {"system.ini of the wrong size", "/mnt/bad /x", ""},
        };
        for (const auto &[name, mounts, found] : rows)
            QTest::newRow(name) << QString::fromUtf8(mounts) << QString::fromUtf8(found);
    }

    void find()
    {
        QFETCH(QString, mounts);
        QFETCH(QString, found);
        QByteArray table;
        for (QString mount : mounts.split(';', Qt::SkipEmptyParts))
            table += "1 2 8:1 / " + mount.replace(' ', " rw shared:7 - vfat ").toUtf8() + " rw\n";
        QVERIFY(writeFile(m_dir.filePath("mountinfo"), table));

        QStringList actual;
        for (const FoundDevice &d :
             DeviceFinder({m_dir.filePath("mountinfo"), "alice", {}, m_root}).find())
            actual << d.root.mid(m_root.size()) + ' ' + (d.label.isNull() ? "null" : d.label);
        QCOMPARE(actual.join(';'), found);
    }

    // The link's search, looked again when the window learns of a mount: a Tavion that appears
    // is the link's from then on, found or in the folder set.
    void searchAgain_data()
    {
        QTest::addColumn<bool>("folderSet");
        QTest::addColumn<int>("seenBeforeLookingAgain");
        QTest::newRow("found: kept until looked again") << false << 0;
        QTest::newRow("the folder set: looked at each time") << true << 1;
    }
    void searchAgain()
    {
        QFETCH(bool, folderSet);
        QTemporaryDir dir;
        qputenv("HOME", dir.path().toLocal8Bit()); // no stored device folder
        QStandardPaths::setTestModeEnabled(true);
        const QString root = dir.filePath("gvfs/TAV");
        QVERIFY(QDir().mkpath(dir.filePath("gvfs")));
        QProcessEnvironment env;
        env.insert("XDG_RUNTIME_DIR", dir.path());
        env.insert("TAVION_DEVICE_ROOT", folderSet ? root : QString());
        DeviceSearch search(env);
        QCOMPARE(search.present(), QStringList());
        QVERIFY(writeFile(root + "/system/system.ini", QByteArray(256, 's')));
        QVERIFY(writeFile(root + "/system/weekly.ini", QByteArray(76, 'w')));
        QTEST(int(search.present().size()), "seenBeforeLookingAgain");
        QCOMPARE(search.rescan(), QStringList{root});
        QCOMPARE(search.settings().deviceRoot, root);
    }
};

QTEST_GUILESS_MAIN(TestDeviceFinder)
#include "tst_devicefinder.moc"
