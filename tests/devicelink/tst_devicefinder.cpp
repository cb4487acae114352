#include "devicelink/DeviceFinder.h"
#include "faults/FaultTools.h"

#include <QTemporaryDir>
#include <QTest>

using faults::writeAll;

// Mount tables read over a folder that stands in for "/". The same folders are in place for
// every row; the rows differ in what the table says is mounted.
class TestDeviceFinder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void find_data();
    void find();

private:
    QTemporaryDir m_dir;
    QString root() const { return m_dir.filePath("root"); }
};

void TestDeviceFinder::initTestCase()
{
    auto tavion = [this](const QString &folder, int systemSize) {
        writeAll(root() + folder + "/SYSTEM/System.INI", QByteArray(systemSize, 's'));
        writeAll(root() + folder + "/SYSTEM/weekly.INI", QByteArray(76, 'w'));
    };
    for (const QString &folder : QStringList{
             "/media/alice/TAVION", "/run/media/alice/TAVION", "/mnt/spare", "/media/bob/TAVION",
             "/srv/tavion", "/media/alice/My Tavion", "/run/user/1000/gvfs/mtp:host=TAVION"})
        tavion(folder, 256);
    tavion("/mnt/broken", 255);
    writeAll(root() + "/dev/sdb1", "");
    QVERIFY(QDir().mkpath(root() + "/dev/disk/by-label"));
    QVERIFY(QFile::link("../../sdb1", root() + "/dev/disk/by-label/TAVION"));
}

void TestDeviceFinder::find_data()
{
    QTest::addColumn<QStringList>("mounts"); // "MOUNT-POINT SOURCE", written as the table has them
    QTest::addColumn<QString>("runtimeDir");
    QTest::addColumn<QStringList>("found"); // "ROOT LABEL"

    auto row = [](const char *name, const QStringList &mounts, const char *runtimeDir,
                  const QStringList &found) {
        QTest::newRow(name) << mounts << QString::fromLatin1(runtimeDir) << found;
    };
    row("one Tavion, labelled by udev", {"/ /dev/sda1", "/media/alice/TAVION /dev/sdb1"}, "",
        {"/media/alice/TAVION TAVION"});
    row("two, one labelled by its source",
        {"/run/media/alice/TAVION /dev/sdb1", "/mnt/spare /dev/disk/by-label/MY\\x20SPARE"}, "",
        {"/run/media/alice/TAVION TAVION", "/mnt/spare MY SPARE"});
    row("none: outside the media folders, another user's",
        {"/srv/tavion /dev/sdc1", "/media/bob/TAVION /dev/sdb1"}, "", {});
    row("a mount that cannot be read", {"/media/gone /dev/sdd1", "/media/alice/TAVION /dev/sdb1"},
        "", {"/media/alice/TAVION TAVION"});
    row("escaped names", {"/media/alice/My\\040Tavion /dev/sde1"}, "",
        {"/media/alice/My Tavion null"});
    row("system.ini of the wrong size", {"/mnt/broken /dev/sdf1"}, "", {});
    row("GVfs mounts", {}, "/run/user/1000", {"/run/user/1000/gvfs/mtp:host=TAVION null"});
}

void TestDeviceFinder::find()
{
    QFETCH(QStringList, mounts);
    QFETCH(QString, runtimeDir);
    QFETCH(QStringList, found);

    QByteArray table;
    for (const QString &mount : mounts)
        table += "36 25 8:17 / " + mount.section(' ', 0, 0).toUtf8() + " rw shared:7 - vfat " +
                 mount.section(' ', 1).toUtf8() + " rw\n";
    writeAll(m_dir.filePath("mountinfo"), table);

    const DeviceFinder finder({m_dir.filePath("mountinfo"), "alice", runtimeDir, root()});
    QStringList actual;
    for (const FoundDevice &device : finder.find())
        actual << device.root.mid(root().size()) + ' ' +
                      (device.label.isNull() ? QString("null") : device.label);
    QCOMPARE(actual, found);
}

QTEST_GUILESS_MAIN(TestDeviceFinder)
#include "tst_devicefinder.moc"
