#include "PageFixture.h"
#include "core/FactoryValues.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

// A system field as loaded, what its control shows (its user property), the value saved back.
using FieldRow = std::tuple<SystemField, int, const char *, QVariant, int>;
// With these sound files offered, alarm n as loaded (RepeatIndex, weekday mask, sound), the days
// ticked, and as saved (Repeat, RepeatIndex, which is also the repeat list's position, sound).
using AlarmRow = std::tuple<QStringList, int, int, int, const char *, int, int, int, const char *>;
// Typed name, if it can be saved, bytes saved, name an edit is compared with, name a load shows.
using NameRow = std::tuple<QString, bool, QByteArray, QString, QString>;
Q_DECLARE_METATYPE(FieldRow)
Q_DECLARE_METATYPE(AlarmRow)
Q_DECLARE_METATYPE(NameRow)

const QStringList DeviceSounds{"alarm1.snd", "Wakeup.snd", "beep.snd"};

class TestPageBinding : public QObject
{
    Q_OBJECT

    std::unique_ptr<PageFixture> f;

private slots:
    void init()
    {
        f = std::make_unique<PageFixture>();
        f->offerSounds(DeviceSounds);
        f->binding.ApplyFactoryDefaults();
    }

    void systemField_data()
    {
        QTest::addColumn<FieldRow>("row");
        // A value the control cannot take leaves it at the factory setting the test starts from.
        using F = SystemField;
        using R = FieldRow;
        QTest::newRow("contrast") << R{F::Contrast, 22, "Contlast", 22, 22};
        QTest::newRow("contrast 23") << R{F::Contrast, 23, "Contlast", 16, 16};
        QTest::newRow("standby") << R{F::StandbyMode, 2, "PowerStandby", "Custom", 2};
        QTest::newRow("standby 9") << R{F::StandbyMode, 9, "PowerStandby", "Auto Off", 1};
        QTest::newRow("wait time") << R{F::AutoOffDelay, 12, "PowerWaitTime", "10 Min", 12};
        QTest::newRow("on hour") << R{F::PowerOnHour, 23, "DTP_Power_0", QTime(23, 0), 23};
        QTest::newRow("on hour 24") << R{F::PowerOnHour, 24, "DTP_Power_0", QTime(7, 0), 7};
        QTest::newRow("on minute") << R{F::PowerOnMinute, 59, "DTP_Power_0", QTime(7, 59), 59};
        QTest::newRow("off hour") << R{F::PowerOffHour, 0, "DTP_Power_1", QTime(0, 0), 0};
        QTest::newRow("off minute") << R{F::PowerOffMinute, 1, "DTP_Power_1", QTime(23, 1), 1};
        QTest::newRow("minute 60") << R{F::PowerOffMinute, 60, "DTP_Power_1", QTime(23, 0), 0};
        QTest::newRow("backlight") << R{F::BacklightTime, 10, "BackLight", "10 Sec", 10};
        QTest::newRow("key chirp 5") << R{F::KeyChirp, 5, "CheckBeep_1", true, 1};
        QTest::newRow("alarm sound") << R{F::AlarmSoundOn, 0, "CheckSound_1", false, 0};
        QTest::newRow("view mode") << R{F::FilerViewMode, 0, "FilerType", "Icon", 0};
        QTest::newRow("view mode -1") << R{F::FilerViewMode, -1, "FilerType", "", -1};
        // The sort key is a device code; the list shows Name, Type, Size, Date.
        QTest::newRow("sort key 2") << R{F::FilerSortKey, 2, "FilerKind", "Date", 2};
        QTest::newRow("sort key 3") << R{F::FilerSortKey, 3, "FilerKind", "Size", 3};
        QTest::newRow("sort key 6") << R{F::FilerSortKey, 6, "FilerKind", "Type", 4};
        QTest::newRow("sort order") << R{F::FilerSortOrder, 1, "FilerSort", "Descending", 1};
        QTest::newRow("clock") << R{F::ClockFormat, 1, "ClockType_1", true, 1};
        QTest::newRow("daylight -1") << R{F::DaylightSaving, -1, "Dst_1", true, 1};
    }
    void systemField()
    {
        QFETCH(FieldRow, row);
        const auto [field, stored, control, shown, saved] = row;
        SystemRecord record = factorySystemRecord();
        record.set(field, std::int16_t(stored));
        f->state.systemRecord = record;
        f->load();
        const QWidget *w = f->window.findChild<QWidget *>(QString::fromLatin1(control));
        QCOMPARE(w ? w->metaObject()->userProperty().read(w) : QVariant(), shown);

        f->state.systemRecord.set(field, 0x5A5A); // left behind by a save that skips the field
        QVERIFY(f->binding.PagesToRecords());
        record.set(field, std::int16_t(saved));
        QCOMPARE(bytesOf(f->state.systemRecord), bytesOf(record));
    }

    void alarm_data()
    {
        QTest::addColumn<AlarmRow>("row");
        using A = AlarmRow;
        const QStringList &s = DeviceSounds, none;
        QTest::newRow("weekly") << A{s, 0, 2, 0x45, "WAKEUP", 0x45, 0x45, 2, "WAKEUP"};
        QTest::newRow("daily, days kept") << A{s, 1, 1, 0x12, "BEEP", 0x7F, 255, 1, "BEEP"};
        QTest::newRow("off, days kept") << A{s, 3, 0, 0x60, "ALARM1", 0, 0, 0, "ALARM1"};
        QTest::newRow("sound gone: the first") << A{s, 2, 1, 0, "GONE", 0x7F, 255, 1, "ALARM1"};
        QTest::newRow("no sounds: off, silently") << A{none, 1, 2, 3, "BEEP", 0, 0, 0, ""};
        QTest::newRow("not Windows-1252") << A{{"\u0142a.snd"}, 0, 1, 0, "", 0x7F, 255, 1, "?A"};
    }
    void alarm()
    {
        QFETCH(AlarmRow, row);
        const auto [files, n, index, mask, sound, ticked, savedRepeat, savedIndex, savedName] = row;
        f->offerSounds(files);
        WeeklyRecord record;
        record.setHourlyChime(2);
        record.setHidden56(0x5A5A); // no page's; the scribble below leaves it as it was
        record.setHour(n, 21);
        record.setMinute(n, 45);
        record.setRepeatIndex(n, std::int16_t(index));
        record.setWeekdayMask(n, std::int16_t(mask));
        record.setRepeat(n, 0x3F); // a load goes by RepeatIndex, a save works Repeat out again
        record.setSoundName(n, sound);
        f->state.weeklyRecord = record;
        f->load();
        QCOMPARE(f->ticked(n), ticked);
        QCOMPARE(f->boxes.shown, QStringList());

        f->state.weeklyRecord.bytes.fill(0x5A);
        QVERIFY(f->binding.PagesToRecords());
        record.setHourlyChime(1);
        record.setRepeat(n, std::int16_t(savedRepeat));
        record.setRepeatIndex(n, std::int16_t(savedIndex));
        record.setSoundName(n, savedName);
        QCOMPARE(bytesOf(f->state.weeklyRecord), bytesOf(record));
    }

    void userName_data()
    {
        QTest::addColumn<NameRow>("row");
        const QString euro = "\u20ACuro \u0152", twelve = "ABCDEFGHIJKL", factory = "My Computer";
        QTest::newRow("blanks") << NameRow{"  Bob  ", true, "  Bob", factory, "  Bob"};
        QTest::newRow("Windows-1252") << NameRow{euro, true, "\x80uro \x8C", factory, euro};
        QTest::newRow("long") << NameRow{"ABCDEFGHIJKLM", true, "ABCDEFGHIJKL", factory, twelve};
        QTest::newRow("only blanks") << NameRow{"   ", true, "", factory, factory};
        QTest::newRow("outside Windows-1252") << NameRow{"Ann \u0141", false, "", factory, factory};
    }
    void userName()
    {
        QFETCH(NameRow, row);
        const auto [typed, ok, stored, snapshot, reloaded] = row;
        f->userName.UserName()->setText(typed);
        QVERIFY(!f->state.ChangedFlag); // the window compares the box with UserNameSnapshot
        QCOMPARE(f->binding.PagesToRecords(), ok);
        QCOMPARE(QByteArray::fromStdString(f->state.systemRecord.userName()), stored);
        QCOMPARE(f->binding.UserNameSnapshot, snapshot); // copying is not saving
        f->load();
        QCOMPARE(f->userName.UserName()->text(), reloaded);
    }

    void factoryDefaults()
    {
        f->state.systemRecord = SystemRecord(); // the pages away from the factory settings
        f->state.weeklyRecord.setHidden56(3);
        f->load();
        f->alarm.Week(0)->setCurrentIndex(AlarmPage::RepeatDaily);
        f->offerSounds({}); // since gone: a reset that runs the handlers as a load says nothing
        f->state.ChangedFlag = false;
        f->binding.ApplyFactoryDefaults();
        QVERIFY(f->boxes.shown.isEmpty() && !f->state.LoadingPages && !f->state.ChangedFlag);
        // The fields no page shows are set at once, the others reach the records at the save.
        QCOMPARE(f->state.systemRecord.get(SystemField::Hidden16), 10);
        QCOMPARE(f->state.systemRecord.get(SystemField::StandbyMode), 0);
        QVERIFY(f->binding.PagesToRecords());
        QCOMPARE(bytesOf(f->state.systemRecord), bytesOf(factorySystemRecord()));
        QCOMPARE(bytesOf(f->state.weeklyRecord), bytesOf(factoryWeeklyRecord()));
    }
};

QTEST_MAIN(TestPageBinding)
#include "tst_pages_binding.moc"
