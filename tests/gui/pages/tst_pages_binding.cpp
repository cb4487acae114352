#include "PageFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTimeEdit>
#include <QtTest>

Q_DECLARE_METATYPE(SystemRecord)
Q_DECLARE_METATYPE(WeeklyRecord)

namespace {

const QStringList DeviceSounds = {QStringLiteral("alarm1.snd"), QStringLiteral("Wakeup.snd"),
                                  QStringLiteral("beep.snd")};

// Bytes the program must carry through untouched: a recognisable, non-zero pattern.
void fillOpaque(SystemRecord &sys)
{
    for (std::size_t i = 0; i < SystemRecord::Size; ++i)
        sys.bytes[i] = static_cast<std::uint8_t>(0xA5 ^ i);
}

struct Alarm
{
    std::int16_t repeatIndex;
    std::int16_t mask;
    std::int16_t hour;
    std::int16_t minute;
    const char *sound;
};

void setAlarm(WeeklyRecord &weekly, int n, const Alarm &a)
{
    weekly.setRepeatIndex(n, a.repeatIndex);
    weekly.setWeekdayMask(n, a.mask);
    weekly.setRepeat(n, a.repeatIndex == 0   ? std::int16_t(0)
                        : a.repeatIndex == 1 ? WeeklyRecord::RepeatDaily
                                             : a.mask);
    weekly.setHour(n, a.hour);
    weekly.setMinute(n, a.minute);
    weekly.setSoundName(n, a.sound);
}

// The system record fields a page control holds, apart from the user name, at the factory values.
constexpr std::pair<SystemField, int> FactoryBound[] = {
    {SystemField::Contrast, 16},      {SystemField::StandbyMode, 1},
    {SystemField::AutoOffDelay, 3},   {SystemField::PowerOnHour, 7},
    {SystemField::PowerOnMinute, 0},  {SystemField::PowerOffHour, 23},
    {SystemField::PowerOffMinute, 0}, {SystemField::BacklightTime, 3},
    {SystemField::KeyChirp, 0},       {SystemField::AlarmSoundOn, 1},
    {SystemField::FilerViewMode, 2},  {SystemField::FilerSortKey, 4},
    {SystemField::FilerSortOrder, 0}, {SystemField::ClockFormat, 0},
    {SystemField::DaylightSaving, 0},
};

// A record as this program saves it, so a load and a save must give it back unchanged.
struct Sample
{
    SystemRecord sys;
    WeeklyRecord weekly;

    Sample()
    {
        fillOpaque(sys);
        for (const auto &[field, value] : FactoryBound)
            sys.set(field, std::int16_t(value));
        sys.setUserName("My Computer");
        weekly.setHidden56(3);
        for (int n = 0; n < 4; ++n)
            setAlarm(weekly, n, {0, 0, 6, 30, ""});
    }
    Sample &with(SystemField field, int value)
    {
        sys.set(field, static_cast<std::int16_t>(value));
        return *this;
    }
};

constexpr std::pair<SystemField, int> FactoryHidden[] = {
    {SystemField::Hidden06, 1}, {SystemField::Hidden10, 0},  {SystemField::Hidden12, 2},
    {SystemField::Hidden14, 1}, {SystemField::Hidden16, 10}, {SystemField::Hidden18, 2},
    {SystemField::Hidden28, 1}, {SystemField::Hidden54, 7},  {SystemField::Hidden58, 0},
    {SystemField::Hidden60, 1}, {SystemField::Hidden64, 0},  {SystemField::Hidden66, 0}};

// Record bytes in hex, so a failed comparison shows where the records differ.
template <std::size_t N> QByteArray image(const RecordImage<N> &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.bytes.data()), qsizetype(N)).toHex(' ');
}

// Overwrites every field the pages write, so a save that skips one shows up.
void scribbleOverBoundFields(SettingsState &state)
{
    for (const auto &[field, factory] : FactoryBound)
        state.systemRecord.set(field, 0x5A5A);
    state.systemRecord.setUserName("scribbled");
    for (std::size_t i = 0; i < WeeklyRecord::Size; ++i) {
        if (i != WeeklyRecord::Hidden56Offset && i != WeeklyRecord::Hidden56Offset + 1)
            state.weeklyRecord.bytes[i] = 0x5A;
    }
}

} // namespace

class TestPageBinding : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        f = std::make_unique<PageFixture>();
        f->offerSounds(DeviceSounds);
        f->binding.ApplyFactoryDefaults();
    }
    void cleanup() { f.reset(); }

    void roundTrip_data();
    void roundTrip();
    void unusableValueKeepsControl_data();
    void unusableValueKeepsControl();
    void filerSortKey_data();
    void filerSortKey();
    void userNameLoads_data();
    void userNameLoads();
    void userNameSaves_data();
    void userNameSaves();
    void weekdaysSurviveDailyAndOff_data();
    void weekdaysSurviveDailyAndOff();
    void alarmWithoutSoundsLoadsAsOff();
    void defaultsReachRecordsAtSave();
    void defaultsMarkTheLoad();

private:
    std::unique_ptr<PageFixture> f;
};

void TestPageBinding::roundTrip_data()
{
    QTest::addColumn<SystemRecord>("sys");
    QTest::addColumn<WeeklyRecord>("weekly");
    QTest::addColumn<SystemRecord>("savedSys");
    QTest::addColumn<WeeklyRecord>("savedWeekly");

    const Sample factory;
    QTest::newRow("factory settings")
        << factory.sys << factory.weekly << factory.sys << factory.weekly;

    Sample custom;
    // In the order of FactoryBound.
    const int customValues[] = {22, 2, 12, 0, 1, 23, 59, 10, 1, 0, 0, 2, 1, 1, 1};
    for (std::size_t i = 0; i < std::size(FactoryBound); ++i)
        custom.with(FactoryBound[i].first, customValues[i]);
    custom.sys.setUserName("ABCDEFGHIJKL");
    custom.weekly.setHourlyChime(1);
    setAlarm(custom.weekly, 0, {2, 0x45, 5, 45, "ALARM1"});
    setAlarm(custom.weekly, 1, {1, 0x12, 23, 59, "WAKEUP"});
    setAlarm(custom.weekly, 2, {0, 0x7F, 0, 0, "BEEP"});
    setAlarm(custom.weekly, 3, {2, 0x40, 12, 0, "BEEP"});
    QTest::newRow("every field away from its default")
        << custom.sys << custom.weekly << custom.sys << custom.weekly;

    // Values the pages show, but store in their own way.
    Sample odd = factory;
    odd.with(SystemField::KeyChirp, 5).with(SystemField::DaylightSaving, -1);
    odd.weekly.setHourlyChime(2);
    Sample oddSaved = odd;
    oddSaved.with(SystemField::KeyChirp, 1).with(SystemField::DaylightSaving, 1);
    oddSaved.weekly.setHourlyChime(1);
    QTest::newRow("off/on saved as 0 or 1")
        << odd.sys << odd.weekly << oddSaved.sys << oddSaved.weekly;

    Sample disagreeing = factory;
    setAlarm(disagreeing.weekly, 1, {2, 0x21, 8, 0, "BEEP"});
    disagreeing.weekly.setRepeat(1, 255);
    Sample repaired = disagreeing;
    repaired.weekly.setRepeat(1, 0x21);
    QTest::newRow("Repeat recomputed from RepeatIndex and mask")
        << disagreeing.sys << disagreeing.weekly << repaired.sys << repaired.weekly;

    Sample weeklyNoDay = factory;
    setAlarm(weeklyNoDay.weekly, 2, {2, 0, 9, 0, "ALARM1"});
    QTest::newRow("weekly with no day saves Repeat 0")
        << weeklyNoDay.sys << weeklyNoDay.weekly << weeklyNoDay.sys << weeklyNoDay.weekly;

    Sample unknownSound = factory;
    setAlarm(unknownSound.weekly, 0, {0, 0, 6, 30, "GONE"});
    setAlarm(unknownSound.weekly, 1, {0, 0, 6, 30, "alarm1"});
    Sample noSound = unknownSound;
    noSound.weekly.setSoundName(0, "");
    noSound.weekly.setSoundName(1, "");
    QTest::newRow("sound not offered saves no name")
        << unknownSound.sys << unknownSound.weekly << noSound.sys << noSound.weekly;

    Sample dailyUnknown = factory;
    setAlarm(dailyUnknown.weekly, 3, {1, 0, 6, 30, "GONE"});
    Sample firstSound = dailyUnknown;
    firstSound.weekly.setSoundName(3, "ALARM1");
    QTest::newRow("active alarm without its sound takes the first")
        << dailyUnknown.sys << dailyUnknown.weekly << firstSound.sys << firstSound.weekly;
}

void TestPageBinding::roundTrip()
{
    QFETCH(SystemRecord, sys);
    QFETCH(WeeklyRecord, weekly);
    QFETCH(SystemRecord, savedSys);
    QFETCH(WeeklyRecord, savedWeekly);

    f->state.systemRecord = sys;
    f->state.weeklyRecord = weekly;
    f->load();
    scribbleOverBoundFields(f->state);

    QVERIFY(f->binding.PagesToRecords());
    QCOMPARE(image(f->state.systemRecord), image(savedSys));
    QCOMPARE(image(f->state.weeklyRecord), image(savedWeekly));
}

void TestPageBinding::unusableValueKeepsControl_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("value");

    QTest::newRow("standby mode 9") << int(SystemField::StandbyMode) << 9;
    QTest::newRow("wait time past the list") << int(SystemField::AutoOffDelay) << 13;
    QTest::newRow("on hour 24") << int(SystemField::PowerOnHour) << 24;
    QTest::newRow("off minute 60") << int(SystemField::PowerOffMinute) << 60;
    QTest::newRow("contrast above range") << int(SystemField::Contrast) << 23;
    QTest::newRow("sort key code 6") << int(SystemField::FilerSortKey) << 6;
}

void TestPageBinding::unusableValueKeepsControl()
{
    QFETCH(int, field);
    QFETCH(int, value);

    // What the factory settings put into the pages, as a save writes it.
    QVERIFY(f->binding.PagesToRecords());
    const std::int16_t before = f->state.systemRecord.get(SystemField(field));

    Sample sample;
    sample.with(SystemField(field), value);
    // Fields loaded after the broken one must still arrive.
    sample.with(SystemField::ClockFormat, 1);
    sample.sys.setUserName("Later");
    sample.weekly.setHourlyChime(1);
    f->state.systemRecord = sample.sys;
    f->state.weeklyRecord = sample.weekly;
    f->load();

    QVERIFY(f->binding.PagesToRecords());
    QCOMPARE(f->state.systemRecord.get(SystemField(field)), before);
    QCOMPARE(f->state.systemRecord.get(SystemField::ClockFormat), 1);
    QCOMPARE(f->state.systemRecord.userName(), std::string("Later"));
    QCOMPARE(f->state.weeklyRecord.hourlyChime(), 1);
}

void TestPageBinding::filerSortKey_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("entry");
    int code = 0;
    for (const char *entry : {"Name", "Date", "Size", "Type"})
        QTest::newRow(entry) << ++code << QString::fromLatin1(entry);
}

void TestPageBinding::filerSortKey()
{
    QFETCH(int, code);
    QFETCH(QString, entry);

    f->state.systemRecord = Sample().with(SystemField::FilerSortKey, code).sys;
    f->load();
    QCOMPARE(f->filer.FilerKind()->currentText(), entry);

    // And back: pick the entry from another one and save.
    f->filer.FilerKind()->setCurrentIndex(-1);
    f->filer.FilerKind()->setCurrentText(entry);
    QVERIFY(f->binding.PagesToRecords());
    QCOMPARE(f->state.systemRecord.get(SystemField::FilerSortKey), code);
}

void TestPageBinding::userNameLoads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");

    QTest::newRow("all zero") << QByteArray(12, '\0') << QStringLiteral("My Computer");
    QTest::newRow("NUL first") << QByteArray("\0Hidden\0\0\0\0\0", 12)
                               << QStringLiteral("My Computer");
    QTest::newRow("twelve bytes, no NUL")
        << QByteArray("ABCDEFGHIJKL") << QStringLiteral("ABCDEFGHIJKL");
    QTest::newRow("stops at the first NUL")
        << QByteArray("Bob\0Alice\0\0\0", 12) << QStringLiteral("Bob");
    QTest::newRow("Windows-1252") << QByteArray("Jos\xE9 \x80\x99", 7)
                                  << QStringLiteral("Jos\u00E9 \u20AC\u2122");
}

void TestPageBinding::userNameLoads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);

    Sample sample;
    sample.sys.setUserName("");
    std::copy(bytes.begin(), bytes.end(), sample.sys.bytes.begin() + 100);
    f->state.systemRecord = sample.sys;
    f->load();

    QCOMPARE(f->userName.UserName()->text(), shown);
    QCOMPARE(f->binding.UserNameSnapshot, shown);
}

void TestPageBinding::userNameSaves_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("trailing blanks removed")
        << QStringLiteral("Bob  ") << true << QByteArray("Bob\0\0\0\0\0\0\0\0\0", 12);
    QTest::newRow("leading blanks kept")
        << QStringLiteral("  Bob") << true << QByteArray("  Bob\0\0\0\0\0\0\0", 12);
    QTest::newRow("twelve characters fill the field")
        << QStringLiteral("ABCDEFGHIJKL") << true << QByteArray("ABCDEFGHIJKL");
    QTest::newRow("default name") << QStringLiteral("My Computer") << true
                                  << QByteArray("My Computer\0", 12);
    QTest::newRow("Windows-1252 beyond Latin-1")
        << QStringLiteral("\u20ACuro \u0152") << true << QByteArray("\x80uro \x8C\0\0\0\0\0\0", 12);
    QTest::newRow("only blanks") << QStringLiteral("   ") << true << QByteArray(12, '\0');
    QTest::newRow("outside Windows-1252") << QStringLiteral("Ann \u0141") << false << QByteArray();
    QTest::newRow("Japanese") << QStringLiteral("\u65E5\u672C") << false << QByteArray();
}

void TestPageBinding::userNameSaves()
{
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(QByteArray, stored);

    QLineEdit *box = f->userName.UserName();
    box->setText(typed);
    QCOMPARE(f->binding.PagesToRecords(), ok);
    // Copying is not saving: an edit still shows against the last stored name until a save
    // gets through.
    QCOMPARE(f->binding.UserNameSnapshot, QStringLiteral("My Computer"));
    if (!ok)
        return;
    const auto &bytes = f->state.systemRecord.bytes;
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes.data()) + 100, 12), stored);
}

void TestPageBinding::weekdaysSurviveDailyAndOff_data()
{
    QTest::addColumn<int>("mask");
    QTest::newRow("Monday, Wednesday, Sunday") << 0x45;
    QTest::newRow("weekend") << 0x60;
    QTest::newRow("every day") << 0x7F;
    QTest::newRow("no day") << 0;
}

void TestPageBinding::weekdaysSurviveDailyAndOff()
{
    QFETCH(int, mask);
    constexpr int alarm = 2;
    Sample sample;
    setAlarm(sample.weekly, alarm, {2, std::int16_t(mask), 7, 0, "BEEP"});
    f->state.weeklyRecord = sample.weekly;
    f->load();

    auto ticked = [&] {
        int bits = 0;
        for (int day = 0; day < 7; ++day)
            bits |= f->alarm.ALWeek(alarm, day)->isChecked() ? 1 << day : 0;
        return bits;
    };
    QCOMPARE(ticked(), mask);

    QComboBox *week = f->alarm.Week(alarm);
    week->setCurrentIndex(AlarmPage::RepeatDaily);
    QCOMPARE(ticked(), 0x7F);
    QVERIFY(f->binding.PagesToRecords());
    QCOMPARE(f->state.weeklyRecord.repeat(alarm), 255);
    QCOMPARE(f->state.weeklyRecord.repeatIndex(alarm), 1);
    QCOMPARE(f->state.weeklyRecord.weekdayMask(alarm), mask);

    week->setCurrentIndex(AlarmPage::RepeatOff);
    QCOMPARE(ticked(), 0);
    QVERIFY(f->binding.PagesToRecords());
    QCOMPARE(f->state.weeklyRecord.repeat(alarm), 0);
    QCOMPARE(f->state.weeklyRecord.weekdayMask(alarm), mask);

    // Saved while Off, loaded again, switched back to Weekly: the days are still there.
    f->load();
    f->alarm.Week(alarm)->setCurrentIndex(AlarmPage::RepeatWeekly);
    QCOMPARE(ticked(), mask);

    // Ticking Friday in Weekly mode is kept.
    f->alarm.ALWeek(alarm, 4)->setChecked(true);
    QVERIFY(f->binding.PagesToRecords());
    QCOMPARE(f->state.weeklyRecord.weekdayMask(alarm), mask | 0x10);
    QCOMPARE(f->state.weeklyRecord.repeat(alarm), mask | 0x10);
    QCOMPARE(f->state.weeklyRecord.repeatIndex(alarm), 2);
}

void TestPageBinding::alarmWithoutSoundsLoadsAsOff()
{
    f->offerSounds({});
    Sample sample;
    setAlarm(sample.weekly, 1, {2, 0x03, 7, 0, "BEEP"});
    f->state.weeklyRecord = sample.weekly;
    f->load();

    QCOMPARE(f->alarm.Week(1)->currentIndex(), int(AlarmPage::RepeatOff));
    // Loading says nothing about the missing sounds.
    QVERIFY(f->boxes.shown.isEmpty());
    QVERIFY(f->binding.PagesToRecords());
    QCOMPARE(f->state.weeklyRecord.repeatIndex(1), 0);
    QCOMPARE(f->state.weeklyRecord.weekdayMask(1), 0x03);
}

void TestPageBinding::defaultsReachRecordsAtSave()
{
    Sample custom;
    custom.with(SystemField::StandbyMode, 2)
        .with(SystemField::Contrast, 12)
        .with(SystemField::KeyChirp, 1);
    custom.sys.setUserName("Someone");
    custom.weekly.setHourlyChime(1);
    setAlarm(custom.weekly, 0, {2, 0x45, 5, 45, "WAKEUP"});
    setAlarm(custom.weekly, 3, {1, 0x02, 9, 15, "BEEP"});
    f->state.systemRecord = custom.sys;
    f->state.weeklyRecord = custom.weekly;
    f->load();

    // The defaults write only the hidden fields at once...
    Sample expected = custom;
    for (const auto &[field, value] : FactoryHidden)
        expected.sys.set(field, std::int16_t(value));
    expected.weekly.setHidden56(0);
    f->binding.ApplyFactoryDefaults();
    QCOMPARE(image(f->state.systemRecord), image(expected.sys));
    QCOMPARE(image(f->state.weeklyRecord), image(expected.weekly));

    // ...the rest reaches the records through the pages at the next save.
    QVERIFY(f->binding.PagesToRecords());
    for (const auto &[field, value] : FactoryBound)
        expected.sys.set(field, std::int16_t(value));
    expected.sys.setUserName("My Computer");
    expected.weekly.setHourlyChime(0);
    for (int n = 0; n < 4; ++n) {
        expected.weekly.setRepeat(n, 0);
        expected.weekly.setRepeatIndex(n, 0);
    }
    // Weekday choices, alarm times and sound names are not the defaults' business.
    QCOMPARE(image(f->state.systemRecord), image(expected.sys));
    QCOMPARE(image(f->state.weeklyRecord), image(expected.weekly));
}

void TestPageBinding::defaultsMarkTheLoad()
{
    f->power.PowerStandby()->setCurrentIndex(0);
    bool loadingSeen = false;
    QObject::connect(f->power.PowerStandby(), &QComboBox::currentIndexChanged,
                     [&] { loadingSeen = f->state.LoadingPages; });
    f->binding.ApplyFactoryDefaults();
    QVERIFY(loadingSeen);
    QVERIFY(!f->state.LoadingPages);
}

QTEST_MAIN(TestPageBinding)
#include "tst_pages_binding.moc"
