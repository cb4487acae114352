#include "gui/Preferences.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

class PreferencesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_ini;
    int m_case = 0;

private slots:
    // A new file for every case: QSettings caches a file it has read.
    void init() { m_ini = m_dir.filePath(u"Veltrix-%1.ini"_s.arg(++m_case)); }

    // Text in the caller's section (show, bottom, left, right, top; a blank before a number of
    // 0 or more): the frame before the window was minimised or maximised; it reopens there.
    void roundTrip_data()
    {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<Qt::WindowState>("state");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("msgDsp");
        QTest::addColumn<QString>("placement");
        QTest::addColumn<QString>("flag");
        QTest::newRow("normal at -8,-8") << QPoint(-8, -8) << Qt::WindowNoState << QSize(300, 200)
                                         << 1 << u" 1, 196,-8, 296,-8"_s << u" 1"_s;
        QTest::newRow("maximised") << QPoint(60, 70) << Qt::WindowMaximized << QSize(796, 796) << 1
                                   << u" 3, 274, 60, 364, 70"_s << u" 1"_s;
    }
    void roundTrip()
    {
        QFETCH(QPoint, position);
        QFETCH(Qt::WindowState, state);
        QFETCH(QSize, size);
        QFETCH(int, msgDsp);
        const Preferences prefs(m_ini);
        prefs.SaveMsgDsp(static_cast<qint16>(msgDsp));
        {
            QWidget closing;
            closing.resize(300, 200);
            closing.move(position);
            closing.show();
            QVERIFY(QTest::qWaitForWindowExposed(&closing));
            closing.setWindowState(state);
            QTRY_COMPARE(closing.size(), size);
            QVERIFY(prefs.SaveWindowPlacement(&closing, u"Other"_s));
        }
        const QSettings raw(m_ini, QSettings::IniFormat);
        QTEST(raw.value(u"Other/WindwInformation"_s).toString(), "placement");
        QTEST(raw.value(u"Global/MsgDsp"_s).toString(), "flag");
        QWidget opening;
        opening.resize(300, 200);
        prefs.RestoreWindowPlacement(&opening, u"Other"_s);
        opening.show();
        QVERIFY(QTest::qWaitForWindowExposed(&opening));
        QCOMPARE(opening.windowState(), Qt::WindowNoState);
        QCOMPARE(opening.pos(), position);
    }
};

QTEST_MAIN(PreferencesTest)
#include "tst_preferences.moc"
