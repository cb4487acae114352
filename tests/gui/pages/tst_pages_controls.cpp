#include "PageFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimeEdit>
#include <QtTest>

using namespace powergraph;

// Standby modes (the first before the on and off times); then left, width, visible of both "on"
// bars in twips, the wait, on, off and graph frames shown, what the page's check says.
using ModeRow = std::tuple<QList<int>, QTime, QTime, QList<double>, QString, QStringList>;
// Alarm 2, Weekly on Monday, Wednesday and Sunday, takes the route with this many wave devices;
// then the days ticked, and days, sound list and preview enabled.
using RouteRow = std::tuple<QList<int>, int, int, bool, bool, bool>;
Q_DECLARE_METATYPE(ModeRow)
Q_DECLARE_METATYPE(RouteRow)

class TestPageControls : public QObject
{
    Q_OBJECT

    std::unique_ptr<PageFixture> f;

private slots:
    void init()
    {
        f = std::make_unique<PageFixture>();
        f->offerSounds({"beep.snd"});
        f->binding.ApplyFactoryDefaults();
    }

    void powerModes_data()
    {
        QTest::addColumn<ModeRow>("row");
        using M = ModeRow;
        const QStringList ok, bad{"Specify ON/OFF or different time."};
        const QTime t6(6, 0), t7(7, 0), t730(7, 30), t8(8, 0), t830(8, 30), t17(17, 0), t22(22, 0);
        const QList<double> all{0, 4935, 1, 0, 0, 0};
        // 205 twips an hour: the 4935-twip bar area divided by 24, rounded down.
        QTest::newRow("day") << M{{Custom}, t8, t17, {1640, 1845, 1, 0, 0, 0}, "1111", ok};
        QTest::newRow("night") << M{{Custom}, t22, t6, {4525, 410, 1, 0, 1230, 1}, "1111", ok};
        QTest::newRow("equal") << M{{Custom}, t730, t730, {1537.5, 0, 1, 0, 0, 0}, "1111", bad};
        QTest::newRow("hour") << M{{Custom}, t7, t730, {1435, 102.5, 1, 0, 0, 0}, "1111", ok};
        QTest::newRow("minute") << M{{Custom}, t730, t830, {1537.5, 205, 1, 0, 0, 0}, "1111", ok};
        QTest::newRow("always on") << M{{Custom, AlwaysOn}, t8, t8, all, "0000", ok};
        QTest::newRow("auto off") << M{{AlwaysOn, AutoOff}, t8, t8, all, "1000", ok};
        QTest::newRow("cleared") << M{{Custom, -1}, t8, t8, {1640, 0, 1, 0, 0, 0}, "1111", ok};
    }
    void powerModes()
    {
        QFETCH(ModeRow, row);
        const auto [modes, on, off, bars, frames, shown] = row;
        f->power.PowerStandby()->setCurrentIndex(modes.first());
        f->power.DTP_Power(0)->setTime(on);
        f->power.DTP_Power(1)->setTime(off);
        for (int mode : modes.mid(1))
            f->power.PowerStandby()->setCurrentIndex(mode);
        const OnBars &b = f->power.onBars();
        QCOMPARE(QList<double>({b.bar0.left, b.bar0.width, double(b.bar0.visible), b.bar1.left,
                                b.bar1.width, double(b.bar1.visible)}),
                 bars);
        QString visible;
        for (QWidget *frame : {f->power.waitTimeFrame(), f->power.onTimeFrame(),
                               f->power.offTimeFrame(), f->power.graphFrame()})
            visible += frame->isVisibleTo(&f->power) ? u'1' : u'0';
        QCOMPARE(visible, frames);
        QCOMPARE(f->power.CheckPowerPage(), shown.isEmpty());
        QCOMPARE(f->boxes.shown, shown);
    }

    void editsMarkSettingsChanged()
    {
        f->alarm.Week(1)->setCurrentIndex(AlarmPage::RepeatWeekly); // its weekday boxes usable
        for (const char *name :
             {"PowerStandby", "PowerWaitTime", "DTP_Power_1", "CheckBeep_1", "CheckSound_0",
              "FilerType", "FilerKind", "FilerSort", "BackLight", "Contlast", "ClockType_1",
              "TimeSignal_1", "Dst_1", "Week_0", "DTP_ALTime_3", "AL2Week_4", "Sound_2"}) {
            f->state.ChangedFlag = false;
            QWidget *w = f->window.findChild<QWidget *>(QString::fromLatin1(name));
            if (auto *button = qobject_cast<QAbstractButton *>(w))
                button->click();
            else if (auto *list = qobject_cast<QComboBox *>(w))
                list->setCurrentIndex(list->currentIndex() == 0 ? 1 : 0);
            else if (auto *picker = qobject_cast<QTimeEdit *>(w))
                picker->setTime(picker->time().addSecs(60));
            else
                qobject_cast<QSlider *>(w)->setValue(10);
            QVERIFY2(f->state.ChangedFlag, name);
        }
        // The previews follow: contrast 10 shows faint text, the filer its icon view.
        QCOMPARE(f->display.previewTextColour().name(), QStringLiteral("#c8c8c8"));
        QVERIFY(f->filer.Picture1(0)->isVisibleTo(&f->filer) && f->filer.Picture1(2)->isHidden());
    }

    // Each drop-down list's entries in order: the position is what the record stores.
    void listEntries_data()
    {
        QTest::addColumn<QString>("entries");
        QTest::newRow("PowerStandby") << "Always On|Auto Off|Custom";
        QTest::newRow("PowerWaitTime") << "10 Sec|20 Sec|30 Sec| 1 Min| 2 Min| 3 Min| 4 Min| 5 Min|"
                                          " 6 Min| 7 Min| 8 Min| 9 Min|10 Min";
        QTest::newRow("FilerType") << "Icon|Lists(+type)|Lists";
        QTest::newRow("FilerKind") << "Name|Type|Size|Date";
        QTest::newRow("FilerSort") << "Ascending|Descending";
        QTest::newRow("BackLight") << "Manual| 1 Sec| 2 Sec| 3 Sec| 4 Sec| 5 Sec| 6 Sec| 7 Sec|"
                                      " 8 Sec| 9 Sec|10 Sec";
        QTest::newRow("Week_3") << "Off|Daily|Weekly";
    }
    void listEntries()
    {
        const auto *list =
            f->window.findChild<QComboBox *>(QLatin1StringView(QTest::currentDataTag()));
        QVERIFY(list);
        QStringList got;
        for (int i = 0; i < list->count(); ++i)
            got << list->itemText(i);
        QTEST(got.join(u'|'), "entries");
    }

    // Base names of device files, upper case by the device's rules, 8 bytes at most, in code order.
    void soundListEntries()
    {
        QCOMPARE(
            AlarmPage::soundListEntries({"b.snd", "A.snd", "_x.snd", "z.v2.snd", "Z",
                                         "alarmsnd1.snd", "\u00E9t\u00E9.snd", "stra\u00DFe.snd",
                                         "\u00E4\u00F6\u00FC\u00E9\u00E8\u00E7\u00F1\u00E5.snd",
                                         "a\x01.snd", "a/b.snd", "c:x.snd", ".snd", "a*.snd"}),
            QStringList({"A", "B", "STRA\u00DFE", "Z", "Z", "_X",
                         "\u00C4\u00D6\u00DC\u00C9\u00C8\u00C7\u00D1\u00C5", "\u00C9T\u00C9"}));
    }

    // Each list selects its alarm's stored name, the later of two equal entries, again after a
    // refill without the files; a refill is no edit.
    void storedNameSelection()
    {
        const QStringList files{"b.snd", "A.snd", "alarm10.snd", "b.v2.snd"}; // A ALARM10 B B
        f->state.AlarmSoundName = {"ALARM10", "alarm10", "B", ""};
        f->offerSounds(files);
        f->offerSounds({});
        f->offerSounds(files);
        QList<int> selected;
        for (int n = 0; n < AlarmPage::AlarmCount; ++n)
            selected << f->alarm.Sound(n)->currentIndex();
        QCOMPARE(selected, QList<int>({1, -1, 3, -1}));
        QVERIFY(!f->state.ChangedFlag);
    }

    void repeatRoute_data()
    {
        QTest::addColumn<RouteRow>("row");
        QTest::newRow("weekly") << RouteRow{{}, 2, 0x45, true, true, true};
        QTest::newRow("no wave device") << RouteRow{{}, 0, 0x45, true, true, false};
        QTest::newRow("daily") << RouteRow{{1}, 1, 0x7F, false, true, true};
        QTest::newRow("daily, off") << RouteRow{{1, 0}, 1, 0, false, false, false};
    }
    void repeatRoute()
    {
        QFETCH(RouteRow, row);
        const auto [route, waveDevices, ticked, days, sound, preview] = row;
        f->offerSounds({"alarm1.snd", "beep.snd"});
        f->alarm.setWaveDeviceCount([count = waveDevices] { return count; });
        QComboBox *week = f->alarm.Week(2);
        week->setCurrentIndex(AlarmPage::RepeatWeekly);
        for (int day : {0, 2, 6})
            f->alarm.ALWeek(2, day)->click();
        for (int repeat : route)
            week->setCurrentIndex(repeat);
        QCOMPARE(f->ticked(2), ticked);
        QCOMPARE(f->alarm.ALWeek(2, 3)->isEnabled(), days);
        QCOMPARE(f->alarm.Sound(2)->isEnabled(), sound);
        QCOMPARE(f->alarm.cbtSNDprev(2)->isEnabled(), preview);
        // An active alarm always has a sound: the first, if none was chosen.
        QCOMPARE(f->alarm.Sound(2)->currentText(), QStringLiteral("ALARM1"));
        week->setCurrentIndex(AlarmPage::RepeatWeekly); // the days come back
        QCOMPARE(f->ticked(2), 0x45);
    }

    // With no sound to play an alarm can only be Off.
    void missingSounds()
    {
        f->offerSounds({});
        f->alarm.Week(1)->setCurrentIndex(AlarmPage::RepeatWeekly);
        QCOMPARE(f->boxes.shown, QStringList{"Not find the Sound File."});
        QCOMPARE(f->alarm.Week(1)->currentIndex(), int(AlarmPage::RepeatOff));
        QVERIFY(!f->alarm.ALWeek(1, 0)->isEnabled() && !f->alarm.Sound(1)->isEnabled());
        // Picking the "Off" already shown is a pick too (Qt reports it only as activated).
        f->boxes.shown.clear();
        QCoreApplication::processEvents(); // as between two picks of the user
        emit f->alarm.Week(1)->activated(AlarmPage::RepeatOff);
        QCOMPARE(f->boxes.shown, QStringList{"Not find the Sound File."});
    }

    // 8 Windows-1252 bytes at most: a list left with a longer (stored) name keeps the focus.
    void soundNameLength()
    {
        f->alarm.Week(0)->setCurrentIndex(AlarmPage::RepeatDaily);
        QComboBox *sound = f->alarm.Sound(0);
        for (const char *name : {"\u20AC1234567", "\u20AC12345678"}) {
            sound->addItem(QString::fromUtf8(name));
            sound->setCurrentIndex(sound->count() - 1);
            f->alarm.Week(0)->setFocus();
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(sound, &out);
            QCoreApplication::processEvents();
        }
        QCOMPARE(f->boxes.shown,
                 QStringList{"Input string is too long. \r\n Maximum string length is8charcters."});
        QCOMPARE(f->window.focusWidget(), sound);
    }
};

QTEST_MAIN(TestPageControls)
#include "tst_pages_controls.moc"
