#include "PageFixture.h"
#include "platform/PathMapper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestAlarmPage : public QObject
{
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<PageFixture>(); }
    void cleanup() { f.reset(); }

    void soundListEntries_data();
    void soundListEntries();
    void soundListFromCacheDirectory();
    void repeatNeedsSounds_data();
    void repeatNeedsSounds();
    void rowFollowsRepeatMode_data();
    void rowFollowsRepeatMode();

private:
    std::unique_ptr<PageFixture> f;
};

void TestAlarmPage::soundListEntries_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("sorted, upper case, long names left out")
        << QStringList{"b.snd", "A.snd", "alarm10.snd", "alarmsound.snd"}
        << QStringList{"A", "ALARM10", "B"};
    QTest::newRow("character codes, not dictionary order")
        << QStringList{"z.snd", "_x.snd", "9.snd", "Ab.snd"} << QStringList{"9", "AB", "Z", "_X"};
    QTest::newRow("duplicates kept")
        << QStringList{"bell.snd", "BELL.SND", "a.snd"} << QStringList{"A", "BELL", "BELL"};
    QTest::newRow("eight bytes fit, base before the first dot")
        << QStringList{"abcdefgh.snd", "tone.v2.snd"} << QStringList{"ABCDEFGH", "TONE"};
    QTest::newRow("name without extension taken whole")
        << QStringList{"chime"} << QStringList{"CHIME"};
    QTest::newRow("none") << QStringList{} << QStringList{};
}

void TestAlarmPage::soundListEntries()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, entries);
    QCOMPARE(AlarmPage::soundListEntries(files), entries);
}

void TestAlarmPage::soundListFromCacheDirectory()
{
    QTemporaryDir cache;
    for (const char *name : {"b.snd", "A.snd", "alarm10.snd", "alarmsound.snd", "notes.txt"}) {
        QFile file(cache.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const PathMapper mapper(cache.path());
    f->alarm.setSoundCache(&mapper, cache.path() + QStringLiteral("/*.snd"));
    f->alarm.SoundCombo_Disp();

    for (int alarm = 0; alarm < 4; ++alarm) {
        QComboBox *sound = f->alarm.Sound(alarm);
        QStringList items;
        for (int i = 0; i < sound->count(); ++i)
            items << sound->itemText(i);
        QCOMPARE(items, (QStringList{"A", "ALARM10", "B"}));
    }

    // After a start from the device the device's list counts, up to its empty entry.
    f->state.SoundList = QStringList{"tick.snd", "", "ignored.snd"};
    f->alarm.setStartedFromDevice(true);
    f->alarm.SoundCombo_Disp();
    QCOMPARE(f->alarm.Sound(3)->count(), 1);
    QCOMPARE(f->alarm.Sound(3)->itemText(0), QStringLiteral("TICK"));
}

void TestAlarmPage::repeatNeedsSounds_data()
{
    QTest::addColumn<bool>("loading");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("user's choice")
        << false << QStringList{QStringLiteral("Not find the Sound File.")};
    QTest::newRow("while loading") << true << QStringList{};
}

void TestAlarmPage::repeatNeedsSounds()
{
    QFETCH(bool, loading);
    QFETCH(QStringList, shown);

    f->offerSounds({});
    f->state.LoadingPages = loading;
    f->alarm.Week(1)->setCurrentIndex(AlarmPage::RepeatWeekly);

    QCOMPARE(f->alarm.Week(1)->currentIndex(), int(AlarmPage::RepeatOff));
    QCOMPARE(f->boxes.shown, shown);
    QVERIFY(!f->alarm.WeekReverting);
    QVERIFY(!f->alarm.ALWeek(1, 0)->isEnabled());
}

void TestAlarmPage::rowFollowsRepeatMode_data()
{
    QTest::addColumn<int>("repeat");
    QTest::addColumn<int>("waveDevices");
    QTest::addColumn<bool>("daysEnabled");
    QTest::addColumn<bool>("soundEnabled");
    QTest::addColumn<bool>("previewEnabled");

    QTest::newRow("off") << int(AlarmPage::RepeatOff) << 1 << false << false << false;
    QTest::newRow("daily") << int(AlarmPage::RepeatDaily) << 1 << false << true << true;
    QTest::newRow("weekly") << int(AlarmPage::RepeatWeekly) << 2 << true << true << true;
    QTest::newRow("weekly, no wave device")
        << int(AlarmPage::RepeatWeekly) << 0 << true << true << false;
}

void TestAlarmPage::rowFollowsRepeatMode()
{
    QFETCH(int, repeat);
    QFETCH(int, waveDevices);
    QFETCH(bool, daysEnabled);
    QFETCH(bool, soundEnabled);
    QFETCH(bool, previewEnabled);

    f->offerSounds({"alarm1.snd", "beep.snd"});
    f->alarm.setWaveDeviceCount([waveDevices] { return waveDevices; });
    f->alarm.Week(0)->setCurrentIndex(repeat == 0 ? 1 : 0);
    f->alarm.Week(0)->setCurrentIndex(repeat);

    for (int day = 0; day < 7; ++day)
        QCOMPARE(f->alarm.ALWeek(0, day)->isEnabled(), daysEnabled);
    QCOMPARE(f->alarm.Sound(0)->isEnabled(), soundEnabled);
    QCOMPARE(f->alarm.cbtSNDprev(0)->isEnabled(), previewEnabled);
    // An active alarm always has a sound: the first, if none was chosen.
    if (soundEnabled)
        QCOMPARE(f->alarm.Sound(0)->currentText(), QStringLiteral("ALARM1"));
    QVERIFY(f->alarm.CheckAlarmPage());
}

QTEST_MAIN(TestAlarmPage)
#include "tst_pages_alarm.moc"
