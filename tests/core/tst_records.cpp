#include "core/AnsiText.h"
#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"
#include "settings/RecordFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void opaqueBytesSurviveReadWrite();
    void shortFileKeepsTheRest();
    void int16IsLittleEndianSigned();
    void userNameField_data();
    void userNameField();
    void soundNameField_data();
    void soundNameField();
    void ansiConversion_data();
    void ansiConversion();
};

void TestRecords::opaqueBytesSurviveReadWrite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("system.ini"));
    QByteArray original(256, '\0');
    for (int i = 0; i < original.size(); ++i)
        original[i] = char((i * 37 + 11) & 0xFF);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(original);
    }

    SystemRecord record;
    qint64 got = 0;
    QVERIFY(recordfile::read(path, record.bytes, &got, nullptr));
    QCOMPARE(got, 256);
    record.set(SystemField::Contrast, 12); // an edit to a bound field only
    QVERIFY(recordfile::write(path, record.bytes, nullptr));

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    QCOMPARE(written.size(), 256);
    for (auto [from, to] : {std::pair{0, 6}, {20, 28}, {68, 100}, {112, 256}})
        QCOMPARE(written.mid(from, to - from), original.mid(from, to - from));
    QCOMPARE(written.mid(8, 2), QByteArray("\x0c\x00", 2));
}

void TestRecords::shortFileKeepsTheRest()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("weekly.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(10, '\x01'));
    f.close();

    WeeklyRecord record;
    record.bytes.fill(0xAA);
    qint64 got = 0;
    QVERIFY(recordfile::read(path, record.bytes, &got, nullptr));
    QCOMPARE(got, 10);
    QCOMPARE(record.bytes[9], 0x01);
    QCOMPARE(record.bytes[10], 0xAA);
    QVERIFY(
        !recordfile::read(dir.filePath(QStringLiteral("missing")), record.bytes, &got, nullptr));
}

void TestRecords::int16IsLittleEndianSigned()
{
    WeeklyRecord record;
    record.setRepeat(2, 0x0045);
    record.setWeekdayMask(3, -2);
    QCOMPARE(record.bytes[28], 0x45);
    QCOMPARE(record.bytes[29], 0x00);
    QCOMPARE(record.bytes[74], 0xFE);
    QCOMPARE(record.bytes[75], 0xFF);
    QCOMPARE(record.weekdayMask(3), -2);
}

void TestRecords::userNameField_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("default name") << QByteArray("My Computer") << true
                                  << QByteArray("My Computer\0", 12);
    QTest::newRow("twelve, no NUL")
        << QByteArray("ABCDEFGHIJKL") << true << QByteArray("ABCDEFGHIJKL");
    QTest::newRow("thirteen refused")
        << QByteArray("ABCDEFGHIJKLM") << false << QByteArray(12, '\0');
    QTest::newRow("empty") << QByteArray() << true << QByteArray(12, '\0');
}

void TestRecords::userNameField()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, stored);
    SystemRecord record;
    QCOMPARE(record.setUserName(name.toStdString()), accepted);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.bytes.data() + 100), 12), stored);
    QCOMPARE(record.bytes[99], 0);
    QCOMPARE(record.bytes[112], 0);
    if (accepted)
        QCOMPARE(QByteArray::fromStdString(record.userName()), name);
}

void TestRecords::soundNameField_data()
{
    QTest::addColumn<int>("alarm");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("8 bytes fill the field")
        << 1 << QByteArray("ABCDEFGH") << QByteArray("ABCDEFGH");
    QTest::newRow("3 bytes then 5 NULs")
        << 3 << QByteArray("abc") << QByteArray("abc\0\0\0\0\0", 8);
}

void TestRecords::soundNameField()
{
    QFETCH(int, alarm);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, stored);
    WeeklyRecord record;
    record.bytes.fill(0x55);
    QVERIFY(record.setSoundName(alarm, name.toStdString()));
    const auto offset = 14 * alarm + 6;
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.bytes.data() + offset), 8), stored);
    QCOMPARE(record.bytes[std::size_t(offset - 1)], 0x55); // minute's high byte untouched
    if (alarm < 3)
        QCOMPARE(record.bytes[std::size_t(offset + 8)], 0x55); // next entry untouched
    QCOMPARE(QByteArray::fromStdString(record.soundName(alarm)), name);
}

void TestRecords::ansiConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("storable");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("Bob") << true << QByteArray("Bob");
    QTest::newRow("latin") << QStringLiteral("Zoë") << true << QByteArray("Zo\xEB");
    QTest::newRow("euro and quotes") << QStringLiteral("€“”") << true << QByteArray("\x80\x93\x94");
    QTest::newRow("greek") << QStringLiteral("Ωmega") << false << QByteArray();
    QTest::newRow("cjk") << QStringLiteral("名前") << false << QByteArray();
}

void TestRecords::ansiConversion()
{
    QFETCH(QString, text);
    QFETCH(bool, storable);
    QFETCH(QByteArray, bytes);
    const auto encoded = ansi::fromUtf8(text.toStdString());
    QCOMPARE(encoded.has_value(), storable);
    if (!storable)
        return;
    QCOMPARE(QByteArray::fromStdString(*encoded), bytes);
    QCOMPARE(QString::fromStdString(ansi::toUtf8(*encoded)), text);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
