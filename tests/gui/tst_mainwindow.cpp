#include "gui/HistoryDialog.h"
#include "gui/WindowHarness.h"
#include "gui/pages/AlarmPage.h"
#include "gui/pages/DisplayPage.h"
#include "gui/pages/PowerPage.h"
#include "gui/pages/UserNamePage.h"
#include "platform/PathMapper.h"
#include "settings/SettingsStore.h"

#include "support/FakeDeviceLink.h"
#include "support/FakeMessageBoxes.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void startsFromTheDevice();
    void startsFromFactoryFiles();
    void startupEnds_data();
    void startupEnds();
    void missingDefaultsDirWarnsOnce();
    void tabsShowTheirFrames_data();
    void tabsShowTheirFrames();
    void powerCheckKeepsTab();
    void alarmTabRefillsSoundLists();
    void closeSequence_data();
    void closeSequence();
    void resetFromToolbar_data();
    void resetFromToolbar();
    void saveKeepsUnseenBytes();
    void reminderCheckMark();
    void pcBackupRoundTrip();
    void pcOpenFailures_data();
    void pcOpenFailures();
    void restoreFromHistory();
};

void TestMainWindow::startsFromTheDevice()
{
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    QVERIFY(h.boxes.shown.isEmpty());
    QVERIFY(h.controller->StartedFromDevice());
    QVERIFY(!h.controller->state().ChangedFlag);
    QCOMPARE(h.form.windowTitle(), QStringLiteral("Quorix"));
    QCOMPARE(h.form.selectedTab(), 1);
    QVERIFY(h.form.frame(0)->isVisibleTo(&h.form));
    QCOMPARE(h.power().PowerStandby()->currentIndex(), 2);
    QCOMPARE(h.power().DTP_Power(1)->time(), QTime(17, 0));
    QCOMPARE(h.controller->pages().userName->UserName()->text(), QStringLiteral("Ada"));
    // Fetched at the lookup and again by the load, system before weekly.
    QCOMPARE(h.link.ops().filter(QStringLiteral("Vlt_GetFile")).size(), 4);
}

void TestMainWindow::startsFromFactoryFiles()
{
    Harness h;
    h.link.unreachable = true;
    QVERIFY(h.controller->Form_Load());
    QCOMPARE(h.boxes.shown, QStringList{QStringLiteral("Not find the working file!")});
    QVERIFY(!h.controller->StartedFromDevice());
    QVERIFY(h.controller->state().ChangedFlag); // factory settings count as unsaved
    QCOMPARE(h.power().PowerStandby()->currentIndex(), 1);
}

void TestMainWindow::startupEnds_data()
{
    QTest::addColumn<bool>("install");
    QTest::addColumn<bool>("factoryFiles");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("no installation: silent") << false << true << QStringList{};
    QTest::newRow("no factory files")
        << true << false
        << QStringList{QStringLiteral(
                           "Directory does not exist.\r\nPlease install the PC Application again."),
                       QStringLiteral("Not find system.cif,weekly.cif")};
}

void TestMainWindow::startupEnds()
{
    QFETCH(bool, install);
    QFETCH(bool, factoryFiles);
    QFETCH(QStringList, messages);
    Harness h(install, factoryFiles);
    h.link.unreachable = true;
    QVERIFY(!h.controller->Form_Load());
    QCOMPARE(h.boxes.shown, messages);
    // Ending at start-up asks nothing and stores no placement.
    QVERIFY(h.form.close());
    QCOMPARE(h.boxes.shown, messages);
    QVERIFY(h.placement().isEmpty());
}

void TestMainWindow::missingDefaultsDirWarnsOnce()
{
    Harness h(true, false);
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    QCOMPARE(h.boxes.shown.size(), 1);
    QVERIFY(h.boxes.shown.first().startsWith(QStringLiteral("Directory does not exist.")));
}

void TestMainWindow::tabsShowTheirFrames_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("frame");
    QTest::newRow("Sound") << 2 << 1;
    QTest::newRow("Time shows frame 6") << 5 << 6;
    QTest::newRow("Alarm shows frame 5") << 6 << 5;
    QTest::newRow("User Name") << 7 << 7;
}

void TestMainWindow::tabsShowTheirFrames()
{
    QFETCH(int, tab);
    QFETCH(int, frame);
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    h.form.TabStrip1()->setCurrentIndex(tab - 1);
    QCOMPARE(h.form.selectedTab(), tab);
    for (int i : {0, 1, 2, 3, 5, 6, 7}) {
        QCOMPARE(h.form.frame(i)->isVisibleTo(&h.form), i == frame);
        QCOMPARE(h.form.frame(i)->isEnabled(), i == frame);
    }
}

void TestMainWindow::powerCheckKeepsTab()
{
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    h.power().DTP_Power(0)->setTime(QTime(7, 30));
    h.power().DTP_Power(1)->setTime(QTime(7, 30));
    h.form.TabStrip1()->setCurrentIndex(3);
    QCOMPARE(h.boxes.shown, QStringList{QStringLiteral("Specify ON/OFF or different time.")});
    QCOMPARE(h.form.selectedTab(), 1);
    QVERIFY(h.form.frame(0)->isVisibleTo(&h.form));

    // The same check guards a save while the page is shown: nothing reaches the device.
    h.link.calls.clear();
    h.form.menuItem(QStringLiteral("MenuCoreSave"))->trigger();
    QVERIFY(h.link.calls.isEmpty());
    QCOMPARE(h.remindersShown, 0);

    h.power().PowerStandby()->setCurrentIndex(1); // Auto Off accepts equal times
    h.form.TabStrip1()->setCurrentIndex(3);
    QCOMPARE(h.form.selectedTab(), 4);
}

void TestMainWindow::alarmTabRefillsSoundLists()
{
    Harness h;
    h.link.unreachable = true; // factory start: the lists come from the PC sound cache
    QVERIFY(h.controller->Form_Load());
    h.controller->state().ChangedFlag = false;
    const QString cache = h.dir.path() + kSuite + QStringLiteral("/dockman/cache/system/sound");
    const auto entries = [&h](int alarm) {
        const QComboBox *list = h.controller->pages().alarm->Sound(alarm);
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    };
    QCOMPARE(entries(0), QStringList{});

    writeFile(cache + QStringLiteral("/tick.snd"), "x");
    for (int tab : {2, 3, 4, 5, 7, 1}) {
        h.form.TabStrip1()->setCurrentIndex(tab - 1);
        QCOMPARE(h.form.selectedTab(), tab);
        QCOMPARE(entries(0), QStringList{});
    }
    h.form.TabStrip1()->setCurrentIndex(5);
    QCOMPARE(entries(0), QStringList{"TICK"});
    QCOMPARE(entries(3), QStringList{"TICK"});

    writeFile(cache + QStringLiteral("/bell.snd"), "x");
    h.form.TabStrip1()->setCurrentIndex(6);
    QCOMPARE(entries(2), QStringList{"TICK"});
    h.form.TabStrip1()->setCurrentIndex(5);
    QCOMPARE(entries(2), (QStringList{"BELL", "TICK"}));
    // A refill is no edit of the user's.
    QVERIFY(!h.controller->state().ChangedFlag);
    QCOMPARE(h.boxes.shown, QStringList{QStringLiteral("Not find the working file!")});
}

void TestMainWindow::closeSequence_data()
{
    QTest::addColumn<bool>("editName");
    QTest::addColumn<QList<MessageBoxes::Answer>>("answers");
    QTest::addColumn<bool>("release");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("ops");

    using A = MessageBoxes::Answer;
    QTest::newRow("clean: no prompt")
        << false << QList<A>{} << true << true << QStringList{QStringLiteral("Vlt_DoDisconnect")};
    QTest::newRow("edited name, Cancel")
        << true << QList<A>{A::Cancel} << true << false << QStringList{};
    QTest::newRow("edited name, No") << true << QList<A>{A::No} << true << true
                                     << QStringList{QStringLiteral("Vlt_DoDisconnect")};
    QTest::newRow("edited name, Yes saves first")
        << true << QList<A>{A::Yes} << true << true
        << QStringList{QStringLiteral("Vlt_GetFile"),     QStringLiteral("Vlt_GetFile"),
                       QStringLiteral("Vlt_PutFile"),     QStringLiteral("Vlt_PutFile"),
                       QStringLiteral("Vlt_GetFile"),     QStringLiteral("Vlt_GetFile"),
                       QStringLiteral("Vlt_DoDisconnect")};
    QTest::newRow("device kept") << false << QList<A>{} << false << false
                                 << QStringList{QStringLiteral("Vlt_DoDisconnect")};
}

void TestMainWindow::closeSequence()
{
    QFETCH(bool, editName);
    QFETCH(QList<MessageBoxes::Answer>, answers);
    QFETCH(bool, release);
    QFETCH(bool, closes);
    QFETCH(QStringList, ops);
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    h.form.show();
    if (editName)
        h.controller->pages().userName->UserName()->setText(QStringLiteral("Grace"));
    QVERIFY(!h.controller->state().ChangedFlag); // typing in the name box marks nothing
    h.boxes.answers = answers;
    h.link.releaseAllowed = release;
    h.link.calls.clear();

    QCOMPARE(h.form.close(), closes);
    QCOMPARE(h.boxes.shown, editName
                                ? QStringList{QStringLiteral("Do you want to save the changes?")}
                                : QStringList{});
    QCOMPARE(h.link.ops(), ops);
    QCOMPARE(h.placement().isEmpty(), !closes);
}

void TestMainWindow::resetFromToolbar_data()
{
    QTest::addColumn<MessageBoxes::Answer>("answer");
    QTest::newRow("Yes") << MessageBoxes::Answer::Yes;
    QTest::newRow("No") << MessageBoxes::Answer::No;
}

void TestMainWindow::resetFromToolbar()
{
    QFETCH(MessageBoxes::Answer, answer);
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    h.boxes.answers = {answer};
    h.form.Toolbar2()->findChild<QAction *>(QStringLiteral("SetDefault"))->trigger();
    QCOMPARE(h.boxes.shown, QStringList{QStringLiteral("Reset default setting.\rAre you sure?")});
    const bool yes = answer == MessageBoxes::Answer::Yes;
    QCOMPARE(h.power().PowerStandby()->currentIndex(), yes ? 1 : 2);
    QCOMPARE(h.controller->state().ChangedFlag, yes);
}

void TestMainWindow::saveKeepsUnseenBytes()
{
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    h.form.menuItem(QStringLiteral("MenuCoreSave"))->trigger();
    QVERIFY(h.boxes.shown.isEmpty());
    QCOMPARE(h.remindersShown, 1);
    const QByteArray saved = *h.link.file(QStringLiteral("\\system\\system.ini"));
    QCOMPARE(saved.size(), 256);
    QCOMPARE(saved, deviceSystem());
}

void TestMainWindow::reminderCheckMark()
{
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    QAction *item = h.form.menuItem(QStringLiteral("MenuCheckMsg"));
    emit h.form.settingsMenuAboutToShow();
    QVERIFY(item->isChecked()); // nothing stored: the reminder is on
    item->trigger();
    QVERIFY(h.preferences.ReminderSuppressed());
    emit h.form.settingsMenuAboutToShow();
    QVERIFY(!item->isChecked());
    item->trigger();
    QVERIFY(!h.preferences.ReminderSuppressed());
}

void TestMainWindow::pcBackupRoundTrip()
{
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    h.chosenFolder = h.dir.filePath(QStringLiteral("backup"));
    QDir().mkpath(h.chosenFolder);
    h.form.Toolbar2()->findChild<QAction *>(QStringLiteral("PCSave"))->trigger();
    QVERIFY(h.boxes.shown.isEmpty());
    QCOMPARE(h.remindersShown, 0); // only a save to the device reminds
    // The chooser starts in the suite's own backup folder, which now exists.
    const QString pcIniDir = h.dir.path() + QStringLiteral("/dosdevices/c:/Suite/userdata/ini");
    QCOMPARE(h.chooserStartDirs, QStringList{pcIniDir});
    QVERIFY(QFileInfo(pcIniDir).isDir());
    QCOMPARE(QFileInfo(h.chosenFolder + QStringLiteral("/system.ini")).size(), 256);
    QCOMPARE(QFileInfo(h.chosenFolder + QStringLiteral("/weekly.ini")).size(), 76);

    h.power().PowerStandby()->setCurrentIndex(0);
    QVERIFY(h.controller->state().ChangedFlag);
    h.boxes.answers = {MessageBoxes::Answer::No}; // discard the edit
    h.form.menuItem(QStringLiteral("MenuPCOpen"))->trigger();
    QCOMPARE(h.boxes.shown, QStringList{QStringLiteral("Do you want to save the changes?")});
    QCOMPARE(h.power().PowerStandby()->currentIndex(), 2);
    QVERIFY(!h.controller->state().ChangedFlag);
}

void TestMainWindow::pcOpenFailures_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("cancelled") << QString() << QStringList{};
    QTest::newRow("no backup there")
        << QStringLiteral("empty") << QStringList{QStringLiteral("Filer access error!(PC)")};
}

void TestMainWindow::pcOpenFailures()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, messages);
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    if (!folder.isEmpty()) {
        h.chosenFolder = h.dir.filePath(folder);
        QDir().mkpath(h.chosenFolder);
    }
    h.form.menuItem(QStringLiteral("MenuPCOpen"))->trigger();
    QCOMPARE(h.boxes.shown, messages);
    // A failed open shows the factory settings; a cancelled one leaves the pages alone.
    QCOMPARE(h.power().PowerStandby()->currentIndex(), folder.isEmpty() ? 2 : 1);
}

// A save keeps the device's settings; File > Open from History... names what they differ in,
// asks about unsaved edits first, and shows them as unsaved changes the next save puts back.
void TestMainWindow::restoreFromHistory()
{
    Harness h;
    h.deviceHasSettings();
    QVERIFY(h.controller->Form_Load());
    const auto &pages = h.controller->pages();
    pages.display->Contlast()->setValue(5);
    pages.userName->UserName()->setText(QStringLiteral("Bob"));
    pages.alarm->DTP_ALTime(1)->setTime(QTime(6, 30));
    h.form.menuItem(QStringLiteral("MenuCoreSave"))->trigger();
    pages.alarm->DTP_ALTime(1)->setTime(QTime(7, 0)); // unsaved
    QString listed;
    QTimer::singleShot(0, this, [&] {
        if (auto *dialog = h.form.findChild<HistoryDialog *>()) {
            listed = dialog->findChild<QListWidget *>()->item(0)->text();
            dialog->accept();
        }
    });
    h.boxes.answers = {MessageBoxes::Answer::No};
    h.form.menuItem(QStringLiteral("MenuHistoryOpen"))->trigger();

    QCOMPARE(h.boxes.shown, QStringList{QStringLiteral("Do you want to save the changes?")});
    QVERIFY2(listed.endsWith(QStringLiteral("    Contrast, User Name, Alarm 2")),
             qPrintable(listed));
    QCOMPARE(pages.userName->UserName()->text(), QStringLiteral("Ada"));
    QVERIFY(h.controller->state().ChangedFlag);
    h.form.menuItem(QStringLiteral("MenuCoreSave"))->trigger();
    QCOMPARE(*h.link.file(QStringLiteral("\\system\\system.ini")), deviceSystem());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
