#include "support/FakeMessageBoxes.h"

#include "gui/DeviceLinkDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class TestDeviceLinkDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void everyControlIsNamed();
    void okStoresTheSettings();
    void cancelStoresNothing();
    void hooksShowTheDialogAndAsk();

private:
    QTemporaryDir m_home;
};

void TestDeviceLinkDialog::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(QSettings("Rovoveri", "Rovoveri").fileName().startsWith(m_home.path()));
}

void TestDeviceLinkDialog::init()
{
    QSettings("Rovoveri", "Rovoveri").clear();
    DeviceLinkSettings{"/media/tavion", true}.save();
}

void TestDeviceLinkDialog::everyControlIsNamed()
{
    DeviceLinkDialog dialog;
    auto *root = dialog.findChild<QLineEdit *>("DeviceRoot");
    auto *ask = dialog.findChild<QCheckBox *>("AskBeforeRelease");
    QVERIFY(root && ask && dialog.findChild<QToolButton *>("DeviceRootBrowse"));
    QCOMPARE(root->text(), QString("/media/tavion"));
    QVERIFY(ask->isChecked());
    QCOMPARE(ask->text(), QString("ask before releasing the device"));
    for (QWidget *w : dialog.findChildren<QWidget *>()) {
        if (w->focusPolicy() != Qt::NoFocus)
            QVERIFY2(!w->objectName().isEmpty() && !w->accessibleName().isEmpty(),
                     qPrintable(QString::fromLatin1(w->metaObject()->className()) + u' ' +
                                w->objectName()));
    }
}

void TestDeviceLinkDialog::okStoresTheSettings()
{
    DeviceLinkDialog dialog;
    auto *root = dialog.findChild<QLineEdit *>("DeviceRoot");
    root->clear();
    QTest::keyClicks(root, "  /run/media/me/TAVION ");
    QTest::mouseClick(dialog.findChild<QCheckBox *>("AskBeforeRelease"), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton *>("OkButton"), Qt::LeftButton);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const DeviceLinkSettings stored = DeviceLinkSettings::load();
    QCOMPARE(stored.deviceRoot, QString("/run/media/me/TAVION"));
    QVERIFY(!stored.askBeforeRelease);
}

void TestDeviceLinkDialog::cancelStoresNothing()
{
    DeviceLinkDialog dialog;
    dialog.findChild<QLineEdit *>("DeviceRoot")->setText("/elsewhere");
    dialog.findChild<QCheckBox *>("AskBeforeRelease")->setChecked(false);
    QTest::mouseClick(dialog.findChild<QPushButton *>("CancelButton"), Qt::LeftButton);

    const DeviceLinkSettings stored = DeviceLinkSettings::load();
    QCOMPARE(stored.deviceRoot, QString("/media/tavion"));
    QVERIFY(stored.askBeforeRelease);
}

// The window's link: Vlt_SetupDisconnection shows the dialog, Vlt_DoDisconnect asks through
// the program's message boxes.
void TestDeviceLinkDialog::hooksShowTheDialogAndAsk()
{
    FakeMessageBoxes boxes;
    boxes.answers = {MessageBoxes::Answer::No};
    PathMapper mapper(m_home.path());
    DirectoryDeviceLink link(mapper, DirectoryDeviceLink::settingsFrom({}),
                             deviceLinkGuiHooks(nullptr, boxes));

    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<DeviceLinkDialog *>(QApplication::activeModalWidget());
        shown = dialog != nullptr;
        if (dialog) {
            dialog->findChild<QCheckBox *>("AskBeforeRelease")->setChecked(true);
            dialog->accept();
        }
    });
    link.Vlt_SetupDisconnection();
    QVERIFY(shown);

    QVERIFY(link.Vlt_DoDisconnect() != 0);
    QCOMPARE(boxes.shown, QStringList{kReleaseQuestion});
}

QTEST_MAIN(TestDeviceLinkDialog)
#include "tst_devicelinkdialog.moc"
