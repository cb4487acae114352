#include "gui/HelpWindow.h"
#include "gui/ReminderDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

class ReminderTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_ini = m_dir.filePath(QStringLiteral("Veltrix-%1.ini").arg(++m_case));
    }
    void cleanup()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<HelpWindow *>(widget))
                widget->close();
    }
    void closingWritesMsgDspOnlyWhenTicked_data();
    void closingWritesMsgDspOnlyWhenTicked();
    void f1OpensHelpWithAnyModifier_data();
    void f1OpensHelpWithAnyModifier();
    void reminderIsShownUntilSwitchedOff();
    void neverNegativeOnTheScreen();

private:
    QVariant storedMsgDsp() const
    {
        return QSettings(m_ini, QSettings::IniFormat).value(QStringLiteral("Global/MsgDsp"));
    }

    QTemporaryDir m_dir;
    QString m_ini;
    int m_case = 0;
};

void ReminderTest::closingWritesMsgDspOnlyWhenTicked_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("how");
    for (const bool ticked : {true, false})
        for (const char *how : {"OK", "Escape", "close box"})
            QTest::addRow("%s, %s", ticked ? "ticked" : "not ticked", how)
                << ticked << QString::fromLatin1(how);
}

void ReminderTest::closingWritesMsgDspOnlyWhenTicked()
{
    QFETCH(bool, ticked);
    QFETCH(QString, how);

    // The menu switched the reminder on earlier; an unticked close must leave that alone.
    Preferences prefs(m_ini);
    prefs.SaveMsgDsp(0);

    FormT512Msg dialog(prefs);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *msgCheck = dialog.findChild<QCheckBox *>(QStringLiteral("MsgCheck"));
    QVERIFY(msgCheck);
    QVERIFY(!msgCheck->isChecked());
    if (ticked)
        QTest::mouseClick(msgCheck, Qt::LeftButton);
    QCOMPARE(msgCheck->isChecked(), ticked);

    if (how == QLatin1String("OK"))
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Command1")),
                          Qt::LeftButton);
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        dialog.close();

    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(storedMsgDsp().toString(), ticked ? QStringLiteral(" 1") : QStringLiteral(" 0"));
    QCOMPARE(prefs.ReminderSuppressed(), ticked);
}

void ReminderTest::f1OpensHelpWithAnyModifier_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("F1") << Qt::KeyboardModifiers(Qt::NoModifier);
    QTest::newRow("Shift+F1") << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Ctrl+F1") << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Alt+F1") << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Ctrl+Alt+Shift+F1")
        << (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
}

void ReminderTest::f1OpensHelpWithAnyModifier()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    FormT512Msg dialog{Preferences(m_ini)};
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // The key reaches the dialog through whichever control has the focus.
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_F1, modifiers);

    HelpWindow *help = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *candidate = qobject_cast<HelpWindow *>(widget);
            candidate && candidate->isVisible())
            help = candidate;
    QVERIFY(help != nullptr);
    QCOMPARE(help->browser()->source(), HelpWindow::TopicIndex());
    // The reminder stays open while help is read, and nothing was stored.
    QVERIFY(dialog.isVisible());
    QVERIFY(!storedMsgDsp().isValid());
}

void ReminderTest::reminderIsShownUntilSwitchedOff()
{
    const Preferences prefs(m_ini);
    QWidget mainWindow;
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

    // Answers the next reminder: ticks the box and presses OK, or only accepts it.
    bool seen = false;
    const auto answerNext = [this, &seen](bool tick) {
        seen = false;
        QTimer::singleShot(0, this, [&seen, tick] {
            auto *dialog = qobject_cast<FormT512Msg *>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            seen = true;
            if (!tick)
                return dialog->accept();
            dialog->findChild<QCheckBox *>(QStringLiteral("MsgCheck"))->setChecked(true);
            dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        });
    };

    // First save: the reminder comes; the user switches it off.
    answerNext(true);
    QVERIFY(ShowTransferReminder(prefs, &mainWindow));
    QVERIFY(seen);
    // Second save: switched off, nothing appears.
    QVERIFY(!ShowTransferReminder(prefs, &mainWindow));

    // The Settings menu switched it on again.
    prefs.SaveMsgDsp(0);
    answerNext(false);
    QVERIFY(ShowTransferReminder(prefs, &mainWindow));
    QVERIFY(seen);
    QVERIFY(!prefs.ReminderSuppressed());
}

void ReminderTest::neverNegativeOnTheScreen()
{
    FormT512Msg dialog{Preferences(m_ini)};
    dialog.move(-500, -500);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRect screen = dialog.screen()->geometry();
    const QRect frame = dialog.frameGeometry();
    QVERIFY(screen.contains(frame));
    // Centred: as much room to the left as to the right, give or take rounding.
    QVERIFY(qAbs((frame.left() - screen.left()) - (screen.right() - frame.right())) <= 1);
}

QTEST_MAIN(ReminderTest)
#include "tst_reminder.moc"
