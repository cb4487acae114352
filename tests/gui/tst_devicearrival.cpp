#include "devicelink/MountWatcher.h"
#include "gui/DeviceArrival.h"
#include "gui/WindowHarness.h"
#include "gui/pages/AlarmPage.h"

using A = MessageBoxes::Answer;

// A Tavion plugged in while the window is open, told by a watch the test triggers.
class TestDeviceArrival : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void arrives_data()
    {
        QTest::addColumn<bool>("deviceAtStart"); // else the factory settings (power mode 1)
        QTest::addColumn<bool>("edited");        // power mode 0 chosen on the page
        QTest::addColumn<bool>("dialog");        // a modal dialog is open when it arrives
        QTest::addColumn<int>("candidates");
        QTest::addColumn<QList<A>>("answers");
        QTest::addColumn<QStringList>("asked"); // the boxes shown after start-up
        QTest::addColumn<int>("standby");       // the device has 2, or 1 when it had 2 at start-up
        const QString arrived = "A Tavion has been connected. Open its settings?";
        const QString save = "Do you want to save the changes?";
        QTest::newRow("factory settings untouched")
            << false << false << false << 1 << QList<A>{} << QStringList{} << 2;
        QTest::newRow("factory settings edited, No is the default")
            << false << true << false << 1 << QList<A>{} << QStringList{arrived} << 0;
        QTest::newRow("device settings edited, Yes, not saved")
            << true << true << false << 1 << QList<A>{A::Yes, A::No} << QStringList{arrived, save}
            << 1;
        QTest::newRow("device settings untouched")
            << true << false << false << 1 << QList<A>{} << QStringList{} << 1;
        QTest::newRow("dialog open: after it closes")
            << false << false << true << 1 << QList<A>{} << QStringList{} << 2;
        QTest::newRow("two Tavions")
            << false << false << false << 2 << QList<A>{} << QStringList{} << 1;
    }
    void arrives()
    {
        QFETCH(bool, deviceAtStart);
        QFETCH(bool, edited);
        QFETCH(bool, dialog);
        QFETCH(int, candidates);
        Harness h(deviceAtStart);
        h.boxes.shown.clear();
        QStringList present = QStringList{"/media/u/TAV", "/media/u/TAV2"}.mid(0, candidates);
        MountWatch watch;
        DeviceArrival arrival(
            watch, [&] { return present; }, {}, h.controller, h.boxes);
        if (edited)
            h.controller.pages().power->PowerStandby()->setCurrentIndex(0);
        h.link.unreachable = false;
        h.link.setFile(u"\\system\\system.ini"_s, systemRecord(deviceAtStart ? 1 : 2));
        h.link.addDirectory(u"\\system\\sound"_s);
        h.link.listing = "BELL.snd";
        h.link.setFile(u"\\system\\sound\\BELL.snd"_s, "x");
        QFETCH(QList<A>, answers);
        h.boxes.answers = answers;

        QDialog box(&h.form);
        box.setModal(true);
        if (dialog)
            box.show();
        emit watch.mountsChanged();
        QCoreApplication::sendPostedEvents(); // the arrival is looked at after the signal
        if (dialog) {
            QCOMPARE(h.standby(), 1);
            box.close();
        }
        QFETCH(int, standby);
        QTRY_COMPARE(h.standby(), standby);
        QTEST(h.boxes.shown, "asked");
        // The alarm lists offer the sounds of the device whose settings are shown.
        QCOMPARE(h.controller.pages().alarm->Sound(0)->findText(u"BELL"_s) >= 0,
                 standby == (deviceAtStart ? 1 : 2));
    }
};

QTEST_MAIN(TestDeviceArrival)
#include "tst_devicearrival.moc"
