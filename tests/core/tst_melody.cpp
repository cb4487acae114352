// Melodies: the importers' rules, row by row, and the writer against the device file reader.
#include "core/Melody.h"
#include "core/MidiImport.h"
#include "core/RtttlImport.h"

#include <QTest>

namespace {

// "T8 35.6.3 r6 ..." and a trailing " !" when the importer remarked on the melody.
QString compact(const MelodyResult &r)
{
    if (!r.ok())
        return QString::fromStdString(r.error);
    QString text = QStringLiteral("T%1").arg(r.melody.tempo);
    for (const MelodyRecord &m : r.melody.records)
        text += m.isRest() ? QStringLiteral(" r%1").arg(m.length)
                           : QStringLiteral(" %1.%2.%3").arg(m.note).arg(m.length).arg(m.sounded);
    return r.notes.empty() ? text : text + QStringLiteral(" !");
}

QByteArray quantity(quint32 n)
{
    QByteArray out(1, char(n & 0x7F));
    while (n >>= 7)
        out.prepend(char((n & 0x7F) | 0x80));
    return out;
}

// A Standard MIDI File; each track is written as "delta:hex bytes" events, blank-separated.
QByteArray smf(int format, int division, const QStringList &tracks)
{
    QByteArray file = QByteArray::fromHex("4d54686400000006") + char(format >> 8) + char(format) +
                      char(tracks.size() >> 8) + char(tracks.size()) + char(division >> 8) +
                      char(division);
    for (const QString &track : tracks) {
        QByteArray events;
        for (const QString &event : track.split(u' ', Qt::SkipEmptyParts))
            events += quantity(event.section(u':', 0, 0).toUInt()) +
                      QByteArray::fromHex(event.section(u':', 1).toLatin1());
        file += QByteArray("MTrk") + char(events.size() >> 24) + char(events.size() >> 16) +
                char(events.size() >> 8) + char(events.size()) + events;
    }
    return file;
}

std::span<const std::uint8_t> span(const QByteArray &b)
{
    return {reinterpret_cast<const std::uint8_t *>(b.constData()), std::size_t(b.size())};
}

} // namespace

class TestMelody : public QObject
{
    Q_OBJECT

private slots:
    void rtttl_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("transpose");
        QTest::addColumn<bool>("legato");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *name, const char *text, const char *expected, int transpose = 0,
                      bool legato = false) {
            QTest::newRow(name) << text << transpose << legato << expected;
        };
        row("all defaults", "x::c", "T30 50.2.3");
        row("two sections, blanks, any case and order", " B = 125 ,o=4,Q=9, D=8 : C , E,",
            "T15 26.1.3 30.1.3");
        // 24, 48, 24, 8, 4 and 192 ticks: units of 4 ticks, tempo 480/63 rounded.
        row("dots on both sides, h, pause octave, split", "d=4,o=5,b=63:8a.4,c6.,8p5.,16h,32p,1a#.",
            "T8 35.6.3 50.12.3 r6 49.2.3 r1 48.16.4 48.16.4 48.16.3");
        row("legato", "d=1,o=5,b=40:a.", "T24 47.16.4 47.8.4", 0, true);
        row("flat", "d=4,o=5,b=120:c_", "T32 37.1.3");
        row("b=119 keeps whole quarters", "d=4,o=5,b=119:c", "T32 38.1.3");
        row("b=118 halves them", "d=4,o=5,b=118:c", "T16 38.2.3");
        row("2.5 rounds up", "d=64,b=96:c", "T3 50.1.3");
        row("too fast plays slower", "d=64,b=10000:c", "T1 50.1.3 !");
        row("transpose", "d=4,o=5,b=120:c", "T32 50.1.3", 12);
        row("transposed below", "d=4,o=5,b=120:p,c",
            "at character 17: the note 'c' is note number -1, outside 0..102", -39);
        row("b=0", "d=4,b=0:c", "at character 5: b=0: the tempo must be at least 1 beat a minute");
        row("duration 3", "d=4:3c", "at character 5: duration 3 is not 1, 2, 4, 8, 16, 32 or 64");
        row("letter", "d=4:c,\n 8x",
            "at character 10: 'x' in '8x' is not a note letter (a-h or p)");
        row("no notes", "n:d=4:, ,", "at character 7: no notes");
        row("number too long", "d=4:c123456", "at character 6: the number 123456 is too long");
        row("four sections", "a:b:c:d",
            "at character 6: expected NAME:DEFAULTS:NOTES or DEFAULTS:NOTES");
        row("two dots", "d=4:c.5.", "at character 8: unexpected '.' in the note 'c.5.'");
    }
    void rtttl()
    {
        QFETCH(QString, text);
        QFETCH(int, transpose);
        QFETCH(bool, legato);
        const MelodyResult r = ImportRtttl(text.toStdString(), {transpose, legato, 0});
        QTEST(compact(r), "expected");
    }

    void midi_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("track");
        QTest::addColumn<QString>("expected");
        const QString tempo60 = "0:ff51030f4240 0:ff2f00";
        QTest::newRow("running status across a meta event, velocity 0 ends")
            << smf(0, 96, {"0:904540 96:4500 0:ff010178 0:4740 96:4700"}) << 0
            << "T4 35.8.3 37.8.3";
        QTest::newRow("the highest note sounding wins")
            << smf(0, 96, {"0:904540 96:904840 48:804800 48:804500"}) << 0
            << "T4 35.8.3 38.4.3 35.4.3";
        // 25 frames of 40 ticks: 1000 ticks a second.
        QTest::newRow("SMPTE, a rest between")
            << smf(0, 0xE728, {"0:904540 250:4500 250:4740 250:4700"}) << 0
            << "T4 35.4.3 r4 37.4.3";
        QTest::newRow("tempo track, drums ignored, open note closed, low key moved up")
            << smf(1, 96, {tempo60, "0:996040 0:904540 96:896000 0:804500 0:900a40 96:ff2f00"}) << 0
            << "T8 35.8.3 0.8.3";
        QTest::newRow("FIFO pairs of one key")
            << smf(0, 96, {"0:904540 48:904540 48:804500 48:804500"}) << 0 << "T4 35.8.3 35.4.3";
        QTest::newRow("a track holding only the tempo")
            << smf(1, 96, {tempo60, "0:904540 96:804500"}) << 1
            << "track 1 has no notes outside channel 10";
        QTest::newRow("cut short")
            << smf(0, 96, {"0:904540"}).chopped(1) << 0
            << "at byte 18: a chunk of 4 bytes runs past the end of the file";
        QTest::newRow("data byte first")
            << smf(0, 96, {"0:4540"}) << 0 << "at byte 23: a data byte with no status before it";
    }
    void midi()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, track);
        QTEST(compact(ImportMidi(span(file), {0, false, track})), "expected");
    }

    // The written bytes, read back by the device file reader, and the text form both ways.
    // Note names as the editor takes them: sharps, flats, any case, only the device's range.
    void noteFromName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("note");
        QTest::newRow("A4") << "A4" << 35;
        QTest::newRow("sharp") << "c#5" << 39;
        QTest::newRow("flat") << "Db5" << 39;
        QTest::newRow("flat across the octave") << "Cb5" << 37;
        QTest::newRow("lowest") << "A#1" << 0;
        QTest::newRow("below") << "A1" << -1;
        QTest::newRow("highest") << "E10" << 102;
        QTest::newRow("above") << "F10" << -1;
        QTest::newRow("no octave") << "C" << -1;
        QTest::newRow("no letter") << "H4" << -1;
        QTest::newRow("trailing") << "C5x" << -1;
        QTest::newRow("signed octave") << "C+5" << -1;
    }

    void noteFromName()
    {
        QFETCH(QString, name);
        QTEST(NoteFromName(name.toStdString()), "note");
    }

    void writerAndReader()
    {
        const Melody m{12, {{35, 16, 4}, {0, 3, 0}, {102, 1, 1}}};
        const std::vector<std::uint8_t> bytes = WriteMelodySnd(m);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())),
                 QByteArray::fromHex("07000c00234000036611ffff"));
        QVERIFY(ReadMelodySnd(bytes).melody == m);
        QCOMPARE(QString::fromStdString(MelodyText(m)),
                 "tempo 12\n35 16 4 # A4\nrest 3\n102 1 1 # E10\n");
        QVERIFY(ParseMelodyText(MelodyText(m)).melody == m);
        // A silent note of a device file is a rest; more than four quarters is no melody.
        QCOMPARE(compact(ReadMelodySnd(span(QByteArray::fromHex("070001002300ffff")))), "T1 r16");
        QCOMPARE(compact(ReadMelodySnd(span(QByteArray::fromHex("070001002350ffff")))),
                 "record 1 sounds 5 quarters of a unit, a melody at most 4");
        QCOMPARE(MelodyProblem({1, {{3, 1, 0}}}), "record 1: a rest has note 0");
        QCOMPARE(MelodyProblem({1, std::vector<MelodyRecord>(MaxMelodyRecords + 1, {0, 1, 0})}),
                 "more than 32766 records");
        // 32766 records of 8 seconds do not fit a WAV file.
        QCOMPARE(MelodyProblem({32, std::vector<MelodyRecord>(MaxMelodyRecords, {0, 16, 4})}),
                 "record 24348: the melody grows too long for a WAV file (4 GiB)");
    }
};

QTEST_APPLESS_MAIN(TestMelody)
#include "tst_melody.moc"
