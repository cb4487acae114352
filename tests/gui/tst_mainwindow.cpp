#include "gui/HistoryDialog.h"
#include "gui/WindowHarness.h"
#include "gui/melodies/MelodyDialog.h"
#include "gui/melodies/MelodyImportDialog.h"
#include "gui/pages/AlarmPage.h"
#include "gui/pages/DisplayPage.h"
#include "gui/pages/UserNamePage.h"

using A = MessageBoxes::Answer;

const QString kSavePrompt = u"Do you want to save the changes?"_s;
const QString kNoDefaults =
    u"Directory does not exist.\r\nPlease install the PC Application again."_s;

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Device or factory settings reach the pages, from the suite or Quorix's own installation;
    // without either the program ends.
    void startup_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("device");
        QTest::addColumn<bool>("factoryFiles");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("standby");
        QTest::newRow("device, no factory files")
            << true << true << false << true << QStringList{kNoDefaults} << 2;
        QTest::newRow("no device")
            << true << false << true << true << QStringList{"Not find the working file!"} << 1;
        QTest::newRow("own installation, no device")
            << false << false << true << true << QStringList{"Not find the working file!"} << 1;
        QTest::newRow("no installation") << false << true << false << false << QStringList{} << 0;
    }
    void startup()
    {
        QFETCH(bool, installed);
        QFETCH(bool, device);
        QFETCH(bool, factoryFiles);
        Harness h(device, installed, factoryFiles);
        QTEST(h.loaded, "loaded");
        QTEST(h.boxes.shown, "messages");
        QTEST(h.standby(), "standby");
    }

    void powerCheckRefusesTabChangeAndSave()
    {
        Harness h(true);
        h.controller.pages().power->DTP_Power(0)->setTime(QTime(7, 30));
        h.controller.pages().power->DTP_Power(1)->setTime(QTime(7, 30));
        h.form.TabStrip1()->setCurrentIndex(3);
        QCOMPARE(h.boxes.shown, QStringList{"Specify ON/OFF or different time."});
        QCOMPARE(h.form.selectedTab(), 1);
        h.link.calls.clear();
        h.trigger(u"MenuCoreSave"_s);
        QCOMPARE(h.link.ops(), QStringList{});
    }

    // The Alarm tab refills its sound lists; a preview fetches the sound into the cache.
    void alarmTabListsAndPreviewsSounds()
    {
        Harness h(false);
        h.controller.state().ChangedFlag = false;
        QVERIFY(writeFile(h.suite.suite(u"dockman/cache/system/sound/tick.snd"_s), "x"));
        QComboBox *list = h.controller.pages().alarm->Sound(0);
        h.form.TabStrip1()->setCurrentIndex(4);
        QCOMPARE(list->count(), 0);
        h.form.TabStrip1()->setCurrentIndex(5);
        QCOMPARE(list->itemText(0), u"TICK"_s);
        QVERIFY(!h.controller.state().ChangedFlag); // a refill is no edit of the user's

        list->setCurrentIndex(0);
        h.link.unreachable = false;
        h.link.setFile(u"\\system\\sound\\TICK.snd"_s, "not a sound");
        h.link.calls.clear();
        emit h.controller.pages().alarm->previewRequested(0);
        QCOMPARE(h.link.calls.value(0).args,
                 QStringList({"C:\\Suite\\dockman\\cache\\system\\sound\\TICK.snd",
                              "\\system\\sound\\TICK.snd", "-1"}));
        QCOMPARE(h.boxes.shown, QStringList({"Not find the working file!", "Write error!"}));
    }

    // An edited name is a change: the prompt (Cancel, No, Yes) comes before the release.
    void closeSequence()
    {
        Harness h(true);
        h.form.show();
        h.controller.pages().userName->UserName()->setText(u"Grace"_s);
        QVERIFY(!h.controller.state().ChangedFlag); // typing in the name box marks nothing
        h.boxes.answers = {A::Cancel, A::No, A::Yes};
        h.link.calls.clear();
        QVERIFY(!h.form.close());
        QCOMPARE(h.link.ops(), QStringList{});
        h.link.releaseAllowed = false;
        QVERIFY(!h.form.close());
        QCOMPARE(h.link.ops(), QStringList{"Vlt_DoDisconnect"});
        const QSettings stored(h.preferences.fileName(), QSettings::IniFormat);
        QVERIFY(!stored.contains(u"Zentrel/WindwInformation"_s)); // only when the window closes
        h.link.releaseAllowed = true;
        QVERIFY(h.form.close());
        // Yes saves: fetch for the snapshot, send, read back; then the release.
        QCOMPARE(h.link.ops(),
                 QStringList({"Vlt_DoDisconnect", "Vlt_GetFile", "Vlt_GetFile", "Vlt_PutFile",
                              "Vlt_PutFile", "Vlt_GetFile", "Vlt_GetFile", "Vlt_DoDisconnect"}));
        QCOMPARE(h.boxes.shown, QStringList(3, kSavePrompt));
        QVERIFY(QSettings(h.preferences.fileName(), QSettings::IniFormat)
                    .contains(u"Zentrel/WindwInformation"_s));
    }

    // The Settings commands: reset (here from the toolbar) and the reminder's check mark.
    void settingsCommands()
    {
        Harness h(true);
        // Without its factory files the reset fails, and the clean window stays clean.
        const QString weeklyCif = h.suite.suite(u"razevo/weekly.cif"_s);
        QVERIFY(QFile::remove(weeklyCif));
        h.trigger(u"SetDefault"_s);
        QCOMPARE(h.boxes.shown.last(), u"Filer access error!"_s);
        QVERIFY(!h.controller.state().ChangedFlag);
        QVERIFY(writeFile(weeklyCif, QByteArray(76, '\0')));
        h.boxes.shown.clear();
        h.trigger(u"SetDefault"_s);
        QCOMPARE(h.boxes.shown, QStringList{"Reset default setting.\rAre you sure?"});
        QCOMPARE(h.standby(), 1);
        QVERIFY(h.controller.state().ChangedFlag);
        QAction *item = h.form.menuItem(u"MenuCheckMsg"_s);
        for (const bool on : {true, false}) { // nothing stored: the reminder is on
            emit h.form.settingsMenuAboutToShow();
            QCOMPARE(item->isChecked(), on);
            item->trigger();
            QCOMPARE(h.preferences.ReminderSuppressed(), on);
        }
    }

    // Saves to the device (then the reminder) and to a PC folder (the chooser starts in the
    // suite's, made if need be) keep unseen bytes; opens offer to save an edit first.
    void saveAndOpen()
    {
        Harness h(true);
        h.trigger(u"CoreSave"_s);
        QCOMPARE(h.remindersShown, 1);
        QCOMPARE(h.link.file(u"\\system\\system.ini"_s), systemRecord(2));
        h.chosenFolder = h.suite.dir.path();
        h.trigger(u"PCSave"_s);
        QCOMPARE(h.remindersShown, 1);
        QCOMPARE(h.chooserStartDirs,
                 QStringList{h.suite.prefix() + u"/dosdevices/c:/Suite/userdata/ini"_s});
        QVERIFY(QFileInfo(h.chooserStartDirs[0]).isDir());
        QCOMPARE(readFile(h.chosenFolder + u"/system.ini"_s), systemRecord(2));
        QCOMPARE(readFile(h.chosenFolder + u"/weekly.ini"_s), QByteArray(76, '\0'));
        for (const QString &open : {u"MenuCoreOpen"_s, u"MenuPCOpen"_s}) {
            h.controller.pages().power->PowerStandby()->setCurrentIndex(0);
            h.boxes.answers = {A::No};
            h.trigger(open);
            QCOMPARE(h.standby(), 2);
            QVERIFY(!h.controller.state().ChangedFlag);
        }
        QCOMPARE(h.boxes.shown, QStringList(2, kSavePrompt));
        h.chosenFolder.clear();
        h.trigger(u"PCOpen"_s);
        QCOMPARE(h.standby(), 2);
    }

    // A save keeps the device's settings; File > Open from History... names what they differ
    // in, asks about unsaved edits first, and shows them as unsaved changes a save puts back.
    void restoreFromHistory()
    {
        Harness h(true);
        const auto &pages = h.controller.pages();
        pages.display->Contlast()->setValue(5);
        pages.userName->UserName()->setText(u"Bob"_s);
        pages.alarm->DTP_ALTime(1)->setTime(QTime(6, 30));
        h.form.menuItem(u"MenuCoreSave"_s)->trigger();
        pages.alarm->DTP_ALTime(1)->setTime(QTime(7, 0)); // unsaved
        QString listed;
        QTimer::singleShot(0, this, [&] {
            if (auto *dialog = h.form.findChild<HistoryDialog *>()) {
                listed = dialog->findChild<QListWidget *>()->item(0)->text();
                dialog->accept();
            }
        });
        h.boxes.answers = {A::No};
        h.form.menuItem(u"MenuHistoryOpen"_s)->trigger();
        QCOMPARE(h.boxes.shown, QStringList{kSavePrompt});
        QVERIFY2(listed.endsWith(u"    Contrast, User Name, Alarm 2"_s), qPrintable(listed));
        QCOMPARE(pages.userName->UserName()->text(), u"Ada"_s);
        QVERIFY(h.controller.state().ChangedFlag);
        h.form.menuItem(u"MenuCoreSave"_s)->trigger();
        QCOMPARE(*h.link.file(u"\\system\\system.ini"_s), systemRecord(2));
    }

    // Settings › Alarm Melodies: a ringtone imported and transposed goes to the device and into
    // the alarm lists; removing it names the alarm using it and keeps it on the PC.
    void alarmMelodies()
    {
        Harness h(true);
        h.link.listsFiles = true;
        h.link.setFile(u"\\system\\sound\\TICK.snd"_s, QByteArray::fromHex("070010002334ffff"));
        const QString tune = u"\\system\\sound\\TUNE.snd"_s;
        QString kept;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<MelodyDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            // A failed check ends the dialog too, so that the test reports instead of waiting.
            const auto finish = qScopeGuard([dialog] { dialog->done(QDialog::Rejected); });
            auto *list = dialog->findChild<QListWidget *>(u"MelodyList"_s);
            auto *table = dialog->findChild<QTableView *>(u"MelodyTable"_s);
            auto click = [&](const char *name) {
                QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1StringView(name)),
                                  Qt::LeftButton);
            };
            auto note = [&] { return table->model()->index(0, 0).data().toString(); };
            auto items = [&] {
                QStringList texts;
                for (int i = 0; i < list->count(); ++i)
                    texts << list->item(i)->text();
                return texts;
            };
            QCOMPARE(note(), u"A4"_s);
            dialog->setImportAsker([] { return ImportSource{"t:d=4,o=5,b=160:c,8e", {}}; });
            dialog->setNameAsker([](const QString &) { return u"tune"_s; });
            click("MelodyImport");
            QCOMPARE(items(), QStringList({"TICK", "Imported 1 *"}));
            click("SemitoneUp");
            QCOMPARE(note(), u"C#5"_s);
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(note(), u"C5"_s);
            QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(note(), u"C#5"_s);

            click("MelodySave");
            QCOMPARE(h.link.file(tune).value_or(""), QByteArray::fromHex("07000c0027322b31ffff"));
            QCOMPARE(items(), QStringList({"TICK", "TUNE"}));
            QVERIFY(h.controller.pages().alarm->Sound(0)->findText(u"TUNE"_s) >= 0);

            h.controller.state().AlarmSoundName[1] = u"TUNE"_s;
            h.boxes.answers = {A::No, A::Yes};
            click("MelodyRemove");
            QVERIFY(h.link.file(tune));
            click("MelodyRemove");
            QVERIFY(!h.link.file(tune));
            QCOMPARE(items(), QStringList{"TICK"});
            QCOMPARE(h.controller.pages().alarm->Sound(0)->findText(u"TUNE"_s), -1);
            const QDir keep(h.history.folder() + u"/sounds"_s);
            kept = keep.filePath(keep.entryList({u"TUNE-*.snd"_s}).value(0));
            QVERIFY(dialog->findChild<QLabel *>(u"MelodyStatus"_s)->text().endsWith(kept));

            // A new melody is unsaved: closing asks, No stays.
            click("MelodyNew");
            h.boxes.answers = {A::No, A::Yes};
            dialog->reject();
            QVERIFY(dialog->isVisible());
            dialog->reject();
        });
        h.trigger(u"MenuMelodies"_s);
        const QString question =
            u"Alarm 2 uses the melody TUNE. Remove TUNE from the Tavion anyway?\n"
            "It is kept on the PC first."_s;
        const QString closing = u"New 2 is not saved to the Tavion. Close and lose the changes?"_s;
        QCOMPARE(h.boxes.shown, QStringList({question, question, closing, closing}));
        QCOMPARE(readFile(kept), QByteArray::fromHex("07000c0027322b31ffff"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
