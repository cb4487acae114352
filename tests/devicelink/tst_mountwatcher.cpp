#include "devicelink/MountWatcher.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// A mount table in a file the test rewrites in place, and a GVfs folder it fills. The kernel's
// signal is stood in for by calling what it runs.
class TestMountWatcher : public QObject
{
    Q_OBJECT

private slots:
    void changes_data()
    {
        QTest::addColumn<bool>("gvfsAtStart");
        QTest::addColumn<QString>("steps"); // table: rewritten and signalled, same: signalled
                                            // unchanged, gvfs: GVfs starts, mount: one appears
        QTest::addColumn<int>("told");
        QTest::newRow("mount table changed") << true << "table" << 1;
        QTest::newRow("signalled, nothing changed") << true << "same same" << 0;
        QTest::newRow("GVfs mount") << true << "mount" << 1;
        QTest::newRow("GVfs not running") << false << "gvfs mount" << 0;
        QTest::newRow("GVfs started after") << false << "gvfs table mount" << 2;
    }
    void changes()
    {
        QFETCH(bool, gvfsAtStart);
        QFETCH(QString, steps);
        QFETCH(int, told);
        QTemporaryDir dir;
        const QString table = dir.filePath("mountinfo"), gvfs = dir.filePath("gvfs");
        QVERIFY(writeFile(table, "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"));
        QVERIFY(!gvfsAtStart || QDir().mkpath(gvfs));
        MountWatcher watcher(table, gvfs);
        QSignalSpy spy(&watcher, &MountWatch::mountsChanged);
        for (const QString &step : steps.split(' ')) {
            if (step == "table")
                QVERIFY(writeFile(table,
                                  "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                  "40 22 0:51 / /run/user/1000/gvfs rw - fuse gvfsd-fuse\n"));
            if (step == "gvfs")
                QVERIFY(QDir().mkpath(gvfs));
            if (step == "mount")
                QVERIFY(QDir().mkpath(gvfs + "/smb-share:server=nas,share=tav"));
            if (step == "table" || step == "same")
                watcher.tableSignalled();
            QTest::qWait(50); // for inotify's word
        }
        QTRY_COMPARE(spy.count(), told);
    }
};

QTEST_GUILESS_MAIN(TestMountWatcher)
#include "tst_mountwatcher.moc"
