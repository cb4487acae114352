#include "core/AnsiText.h"
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
    // Fields follow one another without gap or overlap; a text field views the field before it.
    void layoutCoversEveryByteOnce()
    {
        QList<std::size_t> ends;
        for (const auto *layout : {&systemLayout(), &weeklyLayout()}) {
            std::size_t end = 0;
            for (const FieldLayout &f : *layout) {
                const std::size_t view = f.type == FieldType::Text ? f.width : 0;
                QVERIFY2(f.offset == end - view, f.name.c_str());
                end = f.offset + f.width;
            }
            ends << end;
        }
        QCOMPARE(ends, QList<std::size_t>({256, 76}));
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
