#include "gui/HelpWindow.h"
#include "gui/ReminderDialog.h"

#include "support/TestFiles.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

class HelpTest : public QObject
{
    Q_OBJECT

private slots:
    // Every link of every page leads to a page, and every page is reached from the index.
    void everyPageIsLinked()
    {
        HelpWindow probe; // brings the pages into the resource system
        static const QRegularExpression href(u"href=\"([^\"#]*)[^\"]*\""_s);
        QStringList reached{u"index.html"_s};
        for (int i = 0; i < reached.size(); ++i) {
            const QString html = QString::fromUtf8(readFile(":/help/" + reached[i]));
            QVERIFY2(html.contains(u"<title>"_s), qPrintable(reached[i]));
            for (auto links = href.globalMatch(html); links.hasNext();) {
                const QString target = links.next().captured(1);
                QVERIFY2(QFile::exists(u":/help/"_s + target),
                         qPrintable(reached[i] + " -> " + target));
                if (!reached.contains(target))
                    reached << target;
            }
        }
        QCOMPARE(reached.size(), QDir(u":/help"_s).entryList({u"*.html"_s}).size());
    }

    // F1 (any modifier) on the transfer reminder opens the one help window, owned by no other,
    // at the index. Ticked, the reminder is off for good (here by Escape); unticked, it stays.
    void helpFromTheReminder()
    {
        QTemporaryDir dir;
        const Preferences prefs(dir.filePath(u"Veltrix.ini"_s));
        QWidget mainWindow;
        HelpWindow *help = nullptr;
        QTimer::singleShot(0, this, [&help] {
            QWidget *reminder = QApplication::activeModalWidget();
            QTest::keyClick(reminder, Qt::Key_F1, Qt::ControlModifier | Qt::AltModifier);
            for (QWidget *window : QApplication::topLevelWidgets())
                if (window->isVisible() && qobject_cast<HelpWindow *>(window))
                    help = qobject_cast<HelpWindow *>(window);
            QTest::mouseClick(reminder->findChild<QCheckBox *>(u"MsgCheck"_s), Qt::LeftButton);
            QTest::keyClick(reminder, Qt::Key_Escape);
        });
        QVERIFY(ShowTransferReminder(prefs, &mainWindow));
        QVERIFY(help && !help->parentWidget() && !help->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(help->browser()->source(), HelpWindow::TopicIndex());
        help->browser()->setSource(QUrl(u"qrc:/help/alarm.html"_s));
        QCOMPARE(ShowHelpTopics(nullptr), help); // back at the index
        QCOMPARE(help->browser()->source(), HelpWindow::TopicIndex());
        help->close();
        QCOMPARE(QSettings(prefs.fileName(), QSettings::IniFormat).value(u"Global/MsgDsp"_s),
                 u" 1"_s);
        QVERIFY(!ShowTransferReminder(prefs, &mainWindow));
        prefs.SaveMsgDsp(0); // the Settings menu switched it on again
        QTimer::singleShot(
            0, this, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QVERIFY(ShowTransferReminder(prefs, &mainWindow));
        QVERIFY(!prefs.ReminderSuppressed());
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
