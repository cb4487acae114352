#include "PageFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Sound files in a throwaway sound cache, read as after a start without the device.
struct SoundCache
{
    QTemporaryDir dir;

    void attach(AlarmPage &page) const
    {
        page.setSoundFiles([this] {
            return QDir(dir.path())
                .entryList({QStringLiteral("*.snd")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
        });
    }
    void add(const QStringList &fileNames) const
    {
        for (const QString &name : fileNames) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    // Only beep.snd in the cache, shown in the page's lists.
    void offerBeep(AlarmPage &page) const
    {
        add({"beep.snd"});
        attach(page);
        page.SoundCombo_Disp();
    }
    void empty() const
    {
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
            QVERIFY(QFile::remove(dir.filePath(name)));
    }
};

QStringList entriesOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

int ticked(const AlarmPage &page, int alarm)
{
    int bits = 0;
    for (int day = 0; day < AlarmPage::DayCount; ++day)
        bits |= page.ALWeek(alarm, day)->isChecked() ? 1 << day : 0;
    return bits;
}

std::int16_t int16At(const WeeklyRecord &record, std::size_t offset)
{
    return static_cast<std::int16_t>(record.bytes[offset] | record.bytes[offset + 1] << 8);
}

} // namespace

class TestAlarmPage : public QObject
{
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<PageFixture>(); }
    void cleanup() { f.reset(); }

    void soundListEntries_data();
    void soundListEntries();
    void soundListFromCacheDirectory();
    void storedNameSelection_data();
    void storedNameSelection();
    void repeatNeedsSounds_data();
    void repeatNeedsSounds();
    void rowFollowsRepeatMode_data();
    void rowFollowsRepeatMode();
    void weekdayDetour_data();
    void weekdayDetour();
    void soundNameLength_data();
    void soundNameLength();

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
    QTest::newRow("names no device file can have left out")
        << QStringList{QStringLiteral("a\x01.snd"),
                       "a/b.snd",
                       "c:x.snd",
                       "..\\x.snd",
                       ".snd",
                       "a*.snd",
                       "OK.snd"}
        << QStringList{"OK"};
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
    SoundCache cache;
    cache.add({"b.snd", "A.snd", "alarm10.snd", "alarmsound.snd", "notes.txt"});
    cache.attach(f->alarm);
    f->alarm.SoundCombo_Disp();
    for (int alarm = 0; alarm < 4; ++alarm)
        QCOMPARE(entriesOf(f->alarm.Sound(alarm)), (QStringList{"A", "ALARM10", "B"}));
}

void TestAlarmPage::storedNameSelection_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("selected");

    // The cache lists A, ALARM10, B, B.
    QTest::newRow("listed name") << QStringLiteral("ALARM10") << 1;
    QTest::newRow("lower case is another name") << QStringLiteral("alarm10") << -1;
    QTest::newRow("too long to be listed") << QStringLiteral("ALARMSOUND") << -1;
    QTest::newRow("of two equal entries the later") << QStringLiteral("B") << 3;
    QTest::newRow("no name") << QString() << -1;
}

void TestAlarmPage::storedNameSelection()
{
    QFETCH(QString, stored);
    QFETCH(int, selected);

    SoundCache cache;
    cache.add({"b.snd", "A.snd", "alarm10.snd", "alarmsound.snd", "b.v2.snd"});
    cache.attach(f->alarm);
    // The first list is filled from the files, the others copy it: both must select.
    for (int alarm : {0, 3})
        f->state.AlarmSoundName[std::size_t(alarm)] = stored;
    f->state.ChangedFlag = false;

    f->alarm.SoundCombo_Disp();
    for (int alarm : {0, 3}) {
        QCOMPARE(entriesOf(f->alarm.Sound(alarm)), (QStringList{"A", "ALARM10", "B", "B"}));
        QCOMPARE(f->alarm.Sound(alarm)->currentIndex(), selected);
        QCOMPARE(f->state.AlarmSoundName[std::size_t(alarm)], stored);
    }

    // A refill without the files keeps the stored names; the files back, they are selected again.
    cache.empty();
    f->alarm.SoundCombo_Disp();
    for (int alarm = 0; alarm < 4; ++alarm)
        QCOMPARE(f->alarm.Sound(alarm)->count(), 0);
    QCOMPARE(f->state.AlarmSoundName[3], stored);
    cache.add({"b.snd", "A.snd", "alarm10.snd", "b.v2.snd"});
    f->alarm.SoundCombo_Disp();
    QCOMPARE(f->alarm.Sound(3)->currentIndex(), selected);
    QVERIFY(!f->state.ChangedFlag);
}

void TestAlarmPage::repeatNeedsSounds_data()
{
    QTest::addColumn<bool>("loading");
    QTest::addColumn<bool>("cacheDirectory");
    QTest::addColumn<int>("picked");
    QTest::addColumn<QStringList>("shown");

    const QStringList notFound{QStringLiteral("Not find the Sound File.")};
    QTest::newRow("Weekly picked, empty cache") << false << true << 2 << notFound;
    QTest::newRow("Daily picked, no cache directory") << false << false << 1 << notFound;
    QTest::newRow("Weekly while loading") << true << true << 2 << QStringList{};
    QTest::newRow("Daily while loading, no cache directory") << true << false << 1 << QStringList{};
}

void TestAlarmPage::repeatNeedsSounds()
{
    QFETCH(bool, loading);
    QFETCH(bool, cacheDirectory);
    QFETCH(int, picked);
    QFETCH(QStringList, shown);

    // Alarm 1 was Weekly on Tuesday and Friday while the cache still held a sound.
    SoundCache cache;
    f->alarm.setWaveDeviceCount([] { return 1; });
    cache.offerBeep(f->alarm);
    f->alarm.Week(1)->setCurrentIndex(AlarmPage::RepeatWeekly);
    f->alarm.ALWeek(1, 1)->click();
    f->alarm.ALWeek(1, 4)->click();
    f->alarm.Week(1)->setCurrentIndex(picked == 1 ? AlarmPage::RepeatOff : AlarmPage::RepeatDaily);

    cache.empty();
    if (!cacheDirectory)
        QVERIFY(cache.dir.remove());
    f->alarm.SoundCombo_Disp();
    f->state.LoadingPages = loading;
    f->alarm.Week(1)->setCurrentIndex(picked);

    QCOMPARE(f->alarm.Week(1)->currentIndex(), int(AlarmPage::RepeatOff));
    QCOMPARE(f->boxes.shown, shown);
    QCOMPARE(ticked(f->alarm, 1), 0);
    QVERIFY(!f->alarm.ALWeek(1, 0)->isEnabled());
    QVERIFY(!f->alarm.Sound(1)->isEnabled());
    QVERIFY(!f->alarm.cbtSNDprev(1)->isEnabled());
    // The weekday choice waits for the sounds to come back.
    QVERIFY(f->binding.PagesToRecords());
    QCOMPARE(f->state.weeklyRecord.weekdayMask(1), 0x12);
}

void TestAlarmPage::rowFollowsRepeatMode_data()
{
    QTest::addColumn<int>("repeat");
    QTest::addColumn<int>("waveDevices");
    QTest::addColumn<bool>("daysEnabled");
    QTest::addColumn<bool>("soundEnabled");
    QTest::addColumn<bool>("previewEnabled");

    QTest::newRow("as built") << -1 << 1 << false << false << false;
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
    if (repeat >= 0) {
        f->alarm.Week(0)->setCurrentIndex(repeat == 0 ? 1 : 0);
        f->alarm.Week(0)->setCurrentIndex(repeat);
    }

    for (int day = 0; day < 7; ++day)
        QCOMPARE(f->alarm.ALWeek(0, day)->isEnabled(), daysEnabled);
    QCOMPARE(f->alarm.Sound(0)->isEnabled(), soundEnabled);
    QCOMPARE(f->alarm.cbtSNDprev(0)->isEnabled(), previewEnabled);
    // A list that can be used shows the white of an input field, an unused one the window grey.
    const QColor face =
        QApplication::palette().color(soundEnabled ? QPalette::Base : QPalette::Window);
    QCOMPARE(f->alarm.Sound(0)->palette().color(QPalette::Disabled, QPalette::Button), face);
    QCOMPARE(f->alarm.Sound(0)->palette().color(QPalette::Active, QPalette::Button), face);
    // An active alarm always has a sound: the first, if none was chosen.
    if (soundEnabled)
        QCOMPARE(f->alarm.Sound(0)->currentText(), QStringLiteral("ALARM1"));
    QVERIFY(f->alarm.CheckAlarmPage());
}

void TestAlarmPage::weekdayDetour_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<QList<int>>("route");
    QTest::addColumn<bool>("reload");

    using Route = QList<int>;
    const int daily = AlarmPage::RepeatDaily;
    const int off = AlarmPage::RepeatOff;
    QTest::newRow("through Daily") << 0x45 << Route{daily} << false;
    QTest::newRow("through Off") << 0x21 << Route{off} << false;
    QTest::newRow("Daily, then Off") << 0x7E << Route{daily, off} << false;
    QTest::newRow("Daily, saved and loaded") << 0x45 << Route{daily} << true;
    QTest::newRow("Off, saved and loaded") << 0x40 << Route{off} << true;
    QTest::newRow("no day ticked, through Daily") << 0 << Route{daily} << true;
}

void TestAlarmPage::weekdayDetour()
{
    QFETCH(int, days);
    QFETCH(QList<int>, route);
    QFETCH(bool, reload);
    constexpr int alarm = 2;

    SoundCache cache;
    cache.offerBeep(f->alarm);
    QComboBox *week = f->alarm.Week(alarm);
    week->setCurrentIndex(AlarmPage::RepeatWeekly);
    for (int day = 0; day < AlarmPage::DayCount; ++day) {
        if (days & (1 << day))
            f->alarm.ALWeek(alarm, day)->click();
    }

    for (int repeat : route) {
        week->setCurrentIndex(repeat);
        QCOMPARE(ticked(f->alarm, alarm), repeat == AlarmPage::RepeatDaily ? 0x7F : 0);
    }
    if (reload) {
        QVERIFY(f->binding.PagesToRecords());
        f->state.WeekCheckSave = {};
        f->load();
        QCOMPARE(week->currentIndex(), route.last());
    }
    week->setCurrentIndex(AlarmPage::RepeatWeekly);
    QCOMPARE(ticked(f->alarm, alarm), days);

    // Alarm 2: Repeat at byte 28, RepeatIndex at 64, WeekdayMask at 72. No day ticked is
    // stored as Repeat 0, like an alarm that is off, but the list still says Weekly.
    QVERIFY(f->binding.PagesToRecords());
    const WeeklyRecord &saved = f->state.weeklyRecord;
    QCOMPARE(int16At(saved, 28), std::int16_t(days));
    QCOMPARE(int16At(saved, 64), std::int16_t(2));
    QCOMPARE(int16At(saved, 72), std::int16_t(days));
}

void TestAlarmPage::soundNameLength_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("tooLong");

    QTest::newRow("eight letters") << QStringLiteral("ABCDEFGH") << false;
    QTest::newRow("nine letters") << QStringLiteral("ABCDEFGHI") << true;
    QTest::newRow("accented letters take one byte each")
        << QStringLiteral("\u00C4\u00D6\u00DC\u00C9\u00C8\u00C7\u00D1\u00C5") << false;
    QTest::newRow("euro sign and eight letters") << QStringLiteral("\u20ACABCDEFGH") << true;
}

void TestAlarmPage::soundNameLength()
{
    QFETCH(QString, name);
    QFETCH(bool, tooLong);

    // The lists never offer such a name themselves; put it there as a stored one would be.
    SoundCache cache;
    cache.offerBeep(f->alarm);
    QComboBox *sound = f->alarm.Sound(0);
    f->alarm.Week(0)->setCurrentIndex(AlarmPage::RepeatDaily);
    sound->addItem(name);
    sound->setCurrentIndex(1);

    f->alarm.show();
    QApplication::setActiveWindow(&f->alarm);
    QVERIFY(QTest::qWaitForWindowActive(&f->alarm));
    sound->setFocus(Qt::TabFocusReason);
    QVERIFY(sound->hasFocus());
    f->alarm.Week(0)->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();

    const QStringList tooLongMessage{
        QStringLiteral("Input string is too long. \r\n Maximum string length is8charcters.")};
    QCOMPARE(f->boxes.shown, tooLong ? tooLongMessage : QStringList{});
    QCOMPARE(sound->hasFocus(), tooLong);
}

QTEST_MAIN(TestAlarmPage)
#include "tst_pages_alarm.moc"
