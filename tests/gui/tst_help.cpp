#include "gui/HelpWindow.h"
#include "gui/ReminderDialog.h"

#include "support/TestFiles.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

// Help, and the transfer reminder that offers it on F1.
class HelpTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_ini;
    int m_case = 0;

private slots:
    void init() { m_ini = m_dir.filePath(u"Veltrix-%1.ini"_s.arg(++m_case)); }

    // Every link of every page leads to a page, and every page is reached from the index.
    void everyPageIsLinked()
    {
        HelpWindow probe;  // brings the pages into the resource system
        QStringList pages; // every page there is
        for (QDirIterator it(u":/help"_s, {u"*.html"_s}, QDir::Files); it.hasNext();)
            pages << it.next().section(u'/', -1);
        static const QRegularExpression href(u"href=\"([^\"#]*)[^\"]*\""_s);
        QStringList reached{u"index.html"_s};
        for (int i = 0; i < reached.size(); ++i) {
            const QString html = QString::fromUtf8(readFile(":/help/" + reached[i]));
            QVERIFY2(html.contains(u"<title>"_s), qPrintable(reached[i]));
            for (auto links = href.globalMatch(html); links.hasNext();) {
                const QString target = links.next().captured(1);
                QVERIFY2(pages.contains(target), qPrintable(reached[i] + " -> " + target));
                if (!reached.contains(target))
                    reached << target;
            }
        }
        QCOMPARE(QSet(reached.cbegin(), reached.cend()), QSet(pages.cbegin(), pages.cend()));
    }

    // F1 on the transfer reminder, with any modifier, opens the one help window, owned by no
    // other, at the index; closing the reminder unticked stores nothing. Help does not keep
    // the program running, and each request returns to the index.
    void opensAtTheTopicIndex()
    {
        FormT512Msg reminder{Preferences(m_ini)};
        reminder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&reminder));
        QTest::keyClick(reminder.focusWidget(), Qt::Key_F1, Qt::ControlModifier | Qt::AltModifier);
        QList<HelpWindow *> shown;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible() && qobject_cast<HelpWindow *>(window))
                shown << qobject_cast<HelpWindow *>(window);
        QCOMPARE(shown.size(), 1);
        HelpWindow *help = shown[0];
        QVERIFY(help->parentWidget() == nullptr && reminder.isVisible());
        QCOMPARE(help->browser()->source(), HelpWindow::TopicIndex());
        QVERIFY(help->browser()->toPlainText().contains(u"Quorix Help Topics"_s));
        QVERIFY(!help->testAttribute(Qt::WA_QuitOnClose));
        reminder.close();
        QVERIFY(!QFile::exists(m_ini));
        help->browser()->setSource(QUrl(u"qrc:/help/alarm.html"_s));
        QCOMPARE(ShowHelpTopics(nullptr), help);
        QCOMPARE(help->browser()->source(), HelpWindow::TopicIndex());
        help->close();
    }

    // Ticked, the reminder is switched off for good, however it is closed (here by Escape).
    void reminderShownUntilSwitchedOff()
    {
        const Preferences prefs(m_ini);
        QWidget mainWindow;
        QTimer::singleShot(0, this, [] {
            auto *dialog = QApplication::activeModalWidget();
            QTest::mouseClick(dialog->findChild<QCheckBox *>(u"MsgCheck"_s), Qt::LeftButton);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(ShowTransferReminder(prefs, &mainWindow));
        QCOMPARE(QSettings(m_ini, QSettings::IniFormat).value(u"Global/MsgDsp"_s), u" 1"_s);
        QVERIFY(!ShowTransferReminder(prefs, &mainWindow));
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
