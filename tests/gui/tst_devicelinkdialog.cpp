#include "gui/DeviceLinkDialog.h"

#include "support/FakeMessageBoxes.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

class TestDeviceLinkDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The window's side of the link: setup shows the dialog, where OK keeps a new folder
    // (trimmed) and the release question switched on; release then asks.
    void setupDialogAndReleaseQuestion()
    {
        DeviceLinkSettings{u"/media/tavion"_s, false}.save();
        FakeMessageBoxes boxes;
        boxes.answers = {MessageBoxes::Answer::No};
        const PathMapper mapper(QDir::tempPath());
        DirectoryDeviceLink link(mapper, DirectoryDeviceLink::settingsFrom({}),
                                 deviceLinkGuiHooks(nullptr, boxes));
        QCOMPARE(link.Vlt_DoDisconnect(), 0);
        QTimer::singleShot(0, [] {
            auto *dialog = qobject_cast<DeviceLinkDialog *>(qApp->activeModalWidget());
            auto *root = dialog->findChild<QLineEdit *>(u"DeviceRoot"_s);
            root->clear();
            QTest::keyClicks(root, u"  /run/media/me/TAVION "_s);
            QTest::mouseClick(dialog->findChild<QCheckBox *>(u"AskBeforeRelease"_s),
                              Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton *>(u"OkButton"_s), Qt::LeftButton);
        });
        link.Vlt_SetupDisconnection();
        QCOMPARE(DeviceLinkSettings::load().deviceRoot, u"/run/media/me/TAVION"_s);
        QVERIFY(link.Vlt_DoDisconnect() != 0);
        QCOMPARE(boxes.shown, QStringList{"Release the Tavion now?"});
    }
};

QTEST_MAIN(TestDeviceLinkDialog)
#include "tst_devicelinkdialog.moc"
