#include "core/AnsiText.h"
#include "core/FactoryValues.h"
#include "core/RecordLayout.h"
#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"
#include "settings/RecordFile.h"
#include "support/TestFiles.h"

#include <QTest>

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    // Every field's offset and width, in file order, as the device reads them.
    void layout_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::newRow("system")
            << "Opaque00 0 6,Hidden06 6 2,Contrast 8 2,Hidden10 10 2,Hidden12 12 2,Hidden14 14 2,"
               "Hidden16 16 2,Hidden18 18 2,Opaque20 20 8,Hidden28 28 2,StandbyMode 30 2,"
               "AutoOffDelay 32 2,PowerOnHour 34 2,PowerOnMinute 36 2,PowerOffHour 38 2,"
               "PowerOffMinute 40 2,BacklightTime 42 2,KeyChirp 44 2,AlarmSoundOn 46 2,"
               "FilerViewMode 48 2,FilerSortKey 50 2,FilerSortOrder 52 2,Hidden54 54 2,"
               "ClockFormat 56 2,Hidden58 58 2,Hidden60 60 2,DaylightSaving 62 2,Hidden64 64 2,"
               "Hidden66 66 2,Opaque68 68 32,UserNameBytes 100 12,UserName 100 12,Opaque112 112 "
               "144";
        QString weekly;
        for (const char *at : {"0 0 2 4 6", "1 14 16 18 20", "2 28 30 32 34", "3 42 44 46 48"}) {
            const QStringList n = QString::fromLatin1(at).split(u' ');
            weekly += QStringLiteral("AlarmEntry[%1].Repeat %2 2,AlarmEntry[%1].Hour %3 2,"
                                     "AlarmEntry[%1].Minute %4 2,AlarmEntry[%1].SoundNameBytes %5 "
                                     "8,AlarmEntry[%1].SoundName %5 8,")
                          .arg(n[0], n[1], n[2], n[3], n[4]);
        }
        QTest::newRow("weekly")
            << weekly + "Hidden56 56 2,HourlyChime 58 2,RepeatIndex[0] 60 2,RepeatIndex[1] 62 2,"
                        "RepeatIndex[2] 64 2,RepeatIndex[3] 66 2,WeekdayMask[0] 68 2,"
                        "WeekdayMask[1] 70 2,WeekdayMask[2] 72 2,WeekdayMask[3] 74 2";
    }
    void layout()
    {
        QStringList got;
        for (const FieldLayout &f :
             QTest::currentDataTag() == QByteArray("system") ? systemLayout() : weeklyLayout())
            got << QStringLiteral("%1 %2 %3")
                       .arg(QString::fromStdString(f.name))
                       .arg(f.offset)
                       .arg(f.width);
        QFETCH(QString, fields);
        QCOMPARE(got, fields.split(u','));
    }

    // What the factory settings hold: the defaults of the bound fields, and of the hidden ones
    // the reset sets directly. Lists take the position of the value ("Auto Off" 1, " 1 Min" 3).
    void factoryValues()
    {
        const std::pair<const char *, int> values[] = {
            {"Hidden06", 1},       {"Contrast", 16},      {"Hidden10", 0},
            {"Hidden12", 2},       {"Hidden14", 1},       {"Hidden16", 10},
            {"Hidden18", 2},       {"Hidden28", 1},       {"StandbyMode", 1},
            {"AutoOffDelay", 3},   {"PowerOnHour", 7},    {"PowerOnMinute", 0},
            {"PowerOffHour", 23},  {"PowerOffMinute", 0}, {"BacklightTime", 3},
            {"KeyChirp", 0},       {"AlarmSoundOn", 1},   {"FilerViewMode", 2},
            {"FilerSortKey", 4},   {"FilerSortOrder", 0}, {"Hidden54", 7},
            {"ClockFormat", 0},    {"Hidden58", 0},       {"Hidden60", 1},
            {"DaylightSaving", 0}, {"Hidden64", 0},       {"Hidden66", 0},
            {"Hidden56", 0},       {"HourlyChime", 0},    {"RepeatIndex[3]", 0}};
        const SystemRecord system = factorySystemRecord();
        const WeeklyRecord weekly = factoryWeeklyRecord();
        for (const auto &[name, value] : values) {
            const FieldLayout *f = findField(systemLayout(), name);
            const int got = f ? system.int16At(f->offset)
                              : weekly.int16At(findField(weeklyLayout(), name)->offset);
            QVERIFY2(got == value,
                     qPrintable(QStringLiteral("%1 is %2").arg(QLatin1StringView(name)).arg(got)));
        }
        QCOMPARE(system.userName(), std::string("My Computer"));
    }

    // Single-byte text, NUL-padded, without a NUL when it fills the field; longer text is refused.
    void textFields()
    {
        SystemRecord system;
        WeeklyRecord weekly;
        system.bytes.fill('U');
        weekly.bytes.fill('U');
        QVERIFY(system.setUserName("ABCDEFGHIJKL") && !system.setUserName("ABCDEFGHIJKLM"));
        QCOMPARE(bytesOf(system).mid(99, 14), QByteArray("UABCDEFGHIJKLU"));
        QVERIFY(weekly.setSoundName(1, "ABCDEFGH") && weekly.setSoundName(3, "abc"));
        QCOMPARE(bytesOf(weekly).mid(19, 10), QByteArray("UABCDEFGHU"));
        QCOMPARE(bytesOf(weekly).mid(47, 10), QByteArray("Uabc\0\0\0\0\0U", 10));
        QCOMPARE(weekly.soundName(1) + weekly.soundName(3), std::string("ABCDEFGHabc"));
    }

    void ansiText()
    {
        const QByteArray utf8 = "Zo\u00EB\u00FF \u20AC\u201C\u201D",
                         ansi = "Zo\xEB\xFF \x80\x93\x94";
        QCOMPARE(QByteArray::fromStdString(ansi::fromUtf8(utf8.toStdString()).value_or("")), ansi);
        QCOMPARE(QByteArray::fromStdString(ansi::toUtf8(ansi.toStdString())), utf8);
        QVERIFY(!ansi::fromUtf8("\u03A9mega") && !ansi::fromUtf8("\xC0\xAF")); // Greek, overlong /
        // Upper case byte for byte, as the device makes it: sharp s, micro sign and the
        // division sign stay; y diaeresis becomes 0x9F.
        QCOMPARE(ansi::toUpper("az\xDF\xB5\xE0\xF7\xFE\xFF\x9A\x9C\x9E{"),
                 std::string("AZ\xDF\xB5\xC0\xF7\xDE\x9F\x8A\x8C\x8E{"));
    }

    // An edit changes its field only (16 bits, little-endian, signed); a short file fills the
    // start of the record and leaves the rest as it was.
    void fileKeepsTheBytesNotEdited()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("system.ini"));
        const QByteArray original = QByteArray("\x01\x23\x45\x67\x89\xAB\xCD\xEF").repeated(32);
        QVERIFY(writeFile(path, original));
        SystemRecord record;
        qint64 got = 0;
        QVERIFY(recordfile::read(path, record.bytes, &got, nullptr));
        QCOMPARE(got, 256);
        record.set(SystemField::Contrast, -2);
        QCOMPARE(record.get(SystemField::Contrast), -2);
        QVERIFY(recordfile::write(path, record.bytes, nullptr));
        const QByteArray edited = QByteArray(original).replace(8, 2, "\xFE\xFF");
        QCOMPARE(readFile(path), edited);

        QVERIFY(writeFile(path, QByteArray(10, '\x01')));
        QVERIFY(recordfile::read(path, record.bytes, &got, nullptr));
        QCOMPARE(got, 10);
        QCOMPARE(bytesOf(record), QByteArray(10, '\x01') + edited.mid(10));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
