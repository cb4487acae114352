// Melodies on the device: nothing is lost, a replaced or removed melody is on the PC first.
#include "settings/DeviceMelodies.h"
#include "support/FakeDeviceLink.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kOld = QByteArray::fromHex("070001002344ffff");
const QByteArray kNew = QByteArray::fromHex("070002002f13ffff");
const QString kWakeup = QStringLiteral("\\system\\sound\\WAKEUP.snd");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("-");
}

} // namespace

class TestDeviceMelodies : public QObject
{
    Q_OBJECT

private slots:
    void operations_data()
    {
        QTest::addColumn<QString>("op"); // put, replace, remove; twice: done two times
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("setup");   // a call that fails, or "keep-blocked"
        QTest::addColumn<QString>("outcome"); // ok, or the failure and its problem
        QTest::addColumn<QByteArray>("device");
        QTest::addColumn<QStringList>("kept"); // the kept files' names
        const QStringList none, old{"WAKEUP-20240501-120000.snd"};
        const QByteArray gone("-");
        auto row = [](const char *title, const char *op, const QString &name, const char *setup,
                      const QString &outcome, const QByteArray &device, const QStringList &kept) {
            QTest::newRow(title) << op << name << setup << outcome << device << kept;
        };
        const QString here = "1 \\system\\sound\\WAKEUP.snd is ";
        row("put new, lower case name", "put", "wakeup.snd", "", "ok", kNew, none);
        row("put over refused", "put", "WAKEUP", "on-device",
            here + "already on the device (use --replace)", kOld, none);
        row("replace keeps the old one", "replace", "WAKEUP", "on-device", "ok", kOld + kNew, old);
        row("replace twice in a second", "replace twice", "WAKEUP", "on-device", "ok",
            kOld + kNew + kNew, {"WAKEUP-20240501-120000.snd", "WAKEUP-20240501-120000-2.snd"});
        row("replace, sending fails", "replace", "WAKEUP", "Vlt_PutFile",
            "2 sending \\system\\sound\\WAKEUP.snd to the device failed: ", kOld + kOld, old);
        row("replace, nowhere to keep", "replace", "WAKEUP", "keep-blocked",
            "2 keeping WAKEUP on the PC failed: ", kOld, none);
        row("remove keeps it", "remove", "WAKEUP", "on-device", "ok", kOld + gone, old);
        row("remove, device refuses", "remove", "WAKEUP", "Vlt_DeleteFile",
            "2 removing \\system\\sound\\WAKEUP.snd from the device failed: ", kOld + kOld, old);
        row("remove, nowhere to keep", "remove", "WAKEUP", "keep-blocked",
            "2 keeping WAKEUP on the PC failed: ", kOld, none);
        row("remove missing", "remove", "WAKEUP", "", here + "not on the device", gone, none);
        row("long name", "put", "WAKEUPNOW", "",
            "1 the melody name 'WAKEUPNOW' must be 1 to 8 bytes long", gone, none);
        row("name not Windows-1252", "put", "Ωmega", "",
            "1 the melody name 'Ωmega' has characters Windows-1252 cannot store", gone, none);
        row("name with a wildcard", "put", "WAKE*", "",
            "1 the melody name 'WAKE*' is not a valid device file name", gone, none);
        row("file the reader refuses", "put bad", "WAKEUP", "",
            "1 the file ends inside the record at offset 6", gone, none);
    }
    void operations()
    {
        QFETCH(QString, op);
        QFETCH(QString, setup);
        QFETCH(QString, name);
        QTemporaryDir dir;
        const PathMapper mapper(dir.path());
        FakeDeviceLink link(mapper);
        if (setup != u"")
            link.setFile(kWakeup, kOld);
        if (setup.startsWith(u"Vlt_"))
            link.failCall(setup);
        const QString keep = dir.filePath("history/sounds");
        QVERIFY(setup != u"keep-blocked" ||
                QFile(dir.filePath("history")).open(QIODevice::WriteOnly));
        QVERIFY(QDir().mkpath(dir.filePath("work")));
        DeviceMelodies melodies(link, dir.filePath("work"), keep,
                                [] { return QDateTime(QDate(2024, 5, 1), QTime(12, 0)); });

        DeviceMelodies::Outcome done;
        QByteArray device;
        for (int round = op.endsWith(u"twice") ? 2 : 1; round > 0; --round) {
            if (op == u"remove")
                done = melodies.remove(name);
            else
                done = melodies.put(op == u"put bad" ? kNew.chopped(1) : kNew, name,
                                    op.startsWith(u"replace"));
        }
        const QStringList kept = QDir(keep).entryList(QDir::Files, QDir::Name | QDir::Reversed);
        for (const QString &file : kept)
            device += readAll(keep + '/' + file);
        device += link.file(kWakeup).value_or("-");
        const QString said =
            done.ok() ? "ok" : QString::number(int(done.failure)) + ' ' + done.problem;
        QFETCH(QString, outcome);
        QVERIFY2(said.startsWith(outcome), qPrintable(said));
        QTEST(device, "device");
        QTEST(kept, "kept");
        QCOMPARE(done.keptFile.isEmpty(), kept.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDeviceMelodies)
#include "tst_devicemelodies.moc"
