#include "gui/Preferences.h"

#include <QFile>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

// The window under test: fixed size, as the main window is.
class FixedWindow : public QWidget
{
public:
    FixedWindow() { setFixedSize(300, 200); }
};

class PreferencesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void userStoreLivesUnderConfigHome();
    void valuesAreStoredAsText();
    void reminderFlag_data();
    void reminderFlag();
    void reminderFlagFollowsSaveMsgDsp();

    void windowReopensWhereItWasClosed_data();
    void windowReopensWhereItWasClosed();
    void maximisedWindowStoresItsRestoredRectangle();
    void storedPlacementText_data();
    void storedPlacementText();
    void sectionIsTheCallers();
    void noWindowWritesNothing();

private:
    QString writeIni(const QByteArray &content) const;

    QTemporaryDir m_configHome;
    QTemporaryDir m_dir;
    QString m_ini;
    int m_case = 0;
};

void PreferencesTest::initTestCase()
{
    QVERIFY(m_configHome.isValid());
    // Before the first QSettings of the process, which fixes the user's configuration folder.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
}

void PreferencesTest::init()
{
    QVERIFY(m_dir.isValid());
    // A new file for every case: QSettings caches a file it has read.
    m_ini = m_dir.filePath(QStringLiteral("Veltrix-%1.ini").arg(++m_case));
}

QString PreferencesTest::writeIni(const QByteArray &content) const
{
    QFile file(m_ini);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(content);
    return m_ini;
}

void PreferencesTest::userStoreLivesUnderConfigHome()
{
    const Preferences user;
    QCOMPARE(user.fileName(), m_configHome.filePath(QStringLiteral("Veltrix/Veltrix.ini")));
    user.SaveMsgDsp(1);
    QVERIFY(QFile::exists(user.fileName()));
}

void PreferencesTest::valuesAreStoredAsText()
{
    const Preferences prefs(m_ini);
    prefs.SaveMsgDsp(1);
    FixedWindow window;
    window.move(-8, -8);
    QVERIFY(prefs.SaveWindowPlacement(&window, QStringLiteral("Zentrel")));

    // Leading blanks and commas survive as part of the text.
    const QSettings raw(m_ini, QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("Global/MsgDsp")).toString(), QStringLiteral(" 1"));
    QCOMPARE(raw.value(QStringLiteral("Zentrel/WindwInformation")).toString(),
             QStringLiteral(" 1, 192,-8, 292,-8"));
}

void PreferencesTest::reminderFlag_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("suppressed");

    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("other section only") << QByteArray("[Zentrel]\nMsgDsp=1\n") << false;
    QTest::newRow("\" 1\"") << QByteArray("[Global]\nMsgDsp=\" 1\"\n") << true;
    QTest::newRow("1") << QByteArray("[Global]\nMsgDsp=1\n") << true;
    QTest::newRow("\" 0\"") << QByteArray("[Global]\nMsgDsp=\" 0\"\n") << false;
    QTest::newRow("empty") << QByteArray("[Global]\nMsgDsp=\n") << false;
    QTest::newRow("not a number") << QByteArray("[Global]\nMsgDsp=off\n") << false;
    QTest::newRow("list") << QByteArray("[Global]\nMsgDsp=1, 1\n") << false;
}

void PreferencesTest::reminderFlag()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, suppressed);
    if (!ini.isEmpty())
        QVERIFY(!writeIni(ini).isEmpty());
    QCOMPARE(Preferences(m_ini).ReminderSuppressed(), suppressed);
}

void PreferencesTest::reminderFlagFollowsSaveMsgDsp()
{
    const Preferences prefs(m_ini);
    prefs.SaveMsgDsp(1);
    QVERIFY(prefs.ReminderSuppressed());
    prefs.SaveMsgDsp(0);
    QVERIFY(!prefs.ReminderSuppressed());
    // A second object on the same file sees the change at once.
    prefs.SaveMsgDsp(1);
    QVERIFY(Preferences(m_ini).ReminderSuppressed());
}

void PreferencesTest::windowReopensWhereItWasClosed_data()
{
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<bool>("minimised");
    QTest::newRow("inside the screen") << QPoint(100, 50) << false;
    QTest::newRow("negative, as a maximised frame leaves it") << QPoint(-8, -8) << false;
    QTest::newRow("origin") << QPoint(0, 0) << false;
    QTest::newRow("minimised stores its restored rectangle") << QPoint(40, 30) << true;
}

void PreferencesTest::windowReopensWhereItWasClosed()
{
    QFETCH(QPoint, position);
    QFETCH(bool, minimised);
    const Preferences prefs(m_ini);
    {
        FixedWindow closing;
        closing.move(position);
        closing.show();
        QVERIFY(QTest::qWaitForWindowExposed(&closing));
        const QRect frame = closing.frameGeometry();
        QCOMPARE(frame.topLeft(), position);
        if (minimised) {
            closing.showMinimized();
            QTRY_VERIFY(closing.isMinimized());
            const WindowPlacement placement = Preferences::PlacementOf(&closing);
            QCOMPARE(placement.showCmd, WindowPlacement::ShowMinimized);
            const auto &r = placement.normalPosition;
            QCOMPARE(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)), frame);
        }
        QVERIFY(prefs.SaveWindowPlacement(&closing, QStringLiteral("Zentrel")));
    }
    FixedWindow opening;
    prefs.RestoreWindowPlacement(&opening, QStringLiteral("Zentrel"));
    QCOMPARE(opening.pos(), position);
    QCOMPARE(opening.size(), QSize(300, 200));
    opening.show();
    QVERIFY(QTest::qWaitForWindowExposed(&opening));
    // The show state is not applied: it reopens normal, at its restored position.
    QVERIFY(!opening.isMinimized());
    QCOMPARE(opening.pos(), position);
}

void PreferencesTest::maximisedWindowStoresItsRestoredRectangle()
{
    QWidget resizable;
    resizable.setGeometry(60, 70, 320, 240);
    resizable.show();
    QVERIFY(QTest::qWaitForWindowExposed(&resizable));
    const QRect frame = resizable.frameGeometry();
    resizable.showMaximized();
    QTRY_VERIFY(resizable.isMaximized());
    QTRY_VERIFY(resizable.size() != QSize(320, 240));

    const WindowPlacement placement = Preferences::PlacementOf(&resizable);
    QCOMPARE(placement.showCmd, WindowPlacement::ShowMaximized);
    // The frame it had before it was maximised, not the screen it fills now.
    QCOMPARE(QRect(QPoint(placement.normalPosition.left, placement.normalPosition.top),
                   QPoint(placement.normalPosition.right - 1, placement.normalPosition.bottom - 1)),
             frame);
}

void PreferencesTest::storedPlacementText_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QPoint>("position"); // null: centred on the screen

    QTest::newRow("nothing stored") << QByteArray() << QPoint();
    QTest::newRow("empty") << QByteArray("[Zentrel]\nWindwInformation=\n") << QPoint();
    QTest::newRow("four fields") << QByteArray(
                                        "[Zentrel]\nWindwInformation=\" 1, 500, 100, 700\"\n")
                                 << QPoint();
    QTest::newRow("not a number") << QByteArray(
                                         "[Zentrel]\nWindwInformation=\" 1, 500, abc, 700, 50\"\n")
                                  << QPoint();
    // Without quotes an INI reader splits the value at the commas.
    QTest::newRow("hand-written without quotes")
        << QByteArray("[Zentrel]\nWindwInformation= 1, 500, 100, 700, 50\n") << QPoint(100, 50);
}

void PreferencesTest::storedPlacementText()
{
    QFETCH(QByteArray, ini);
    QFETCH(QPoint, position);
    if (!ini.isEmpty())
        QVERIFY(!writeIni(ini).isEmpty());

    FixedWindow window;
    window.move(3, 4);
    Preferences(m_ini).RestoreWindowPlacement(&window, QStringLiteral("Zentrel"));

    const QRect screen = window.screen()->geometry();
    QCOMPARE(window.pos(), !position.isNull()
                               ? position
                               : screen.topLeft() + QPoint((screen.width() - 300) / 2,
                                                           (screen.height() - 200) / 2));
}

void PreferencesTest::sectionIsTheCallers()
{
    const Preferences prefs(m_ini);
    FixedWindow window;
    window.move(10, 20);
    QVERIFY(prefs.SaveWindowPlacement(&window, QStringLiteral("Other")));

    FixedWindow fromZentrel;
    fromZentrel.move(1, 1);
    prefs.RestoreWindowPlacement(&fromZentrel, QStringLiteral("Zentrel"));
    QVERIFY(fromZentrel.pos() != QPoint(10, 20));

    FixedWindow fromOther;
    prefs.RestoreWindowPlacement(&fromOther, QStringLiteral("Other"));
    QCOMPARE(fromOther.pos(), QPoint(10, 20));
}

void PreferencesTest::noWindowWritesNothing()
{
    QVERIFY(!writeIni("[Zentrel]\nWindwInformation=\" 1, 9, 8, 7, 6\"\n").isEmpty());
    QVERIFY(!Preferences(m_ini).SaveWindowPlacement(nullptr, QStringLiteral("Zentrel")));
    const QSettings raw(m_ini, QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("Zentrel/WindwInformation")).toString(),
             QStringLiteral(" 1, 9, 8, 7, 6"));
}

QTEST_MAIN(PreferencesTest)
#include "tst_preferences.moc"
