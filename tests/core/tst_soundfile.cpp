#include "core/ConvSndToWav.h"
#include "core/SndFile.h"
#include "core/ToneSynth.h"
#include "core/WavWriter.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>

namespace {

QByteArray note(int N, int D)
{
    QByteArray record;
    record.append(char(N));
    record.append(char(D));
    return record;
}

QByteArray snd(int tempo, const QByteArray &records, bool endMarker = true)
{
    QByteArray bytes("\x07\x00", 2);
    bytes.append(char(tempo));
    bytes.append('\0');
    bytes += records;
    if (endMarker)
        bytes += QByteArray("\xFF\xFF", 2);
    return bytes;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// One note rendered sample by sample through the states Tone, Finishing and Silent, the way
// the device rule is written down; the program renders whole runs instead.
QByteArray renderByRule(const WaveTables &tables, int N, int D, int T)
{
    const int s = N % 12;
    const int step = 1 << (N / 12);
    const int period = tables.WavePeriod[s];
    const int L = D % 16 == 0 ? 16 : D % 16;
    const int H = D / 16;
    const auto toneSec = float(T * L * H / 256.0);
    const auto restSec = float(T * L * (4 - H) / 256.0);
    const int toneSamples = int(std::floor(toneSec * 22050.0));
    const int lastIndex = int(std::floor((toneSec + restSec) * 22050.0)) - 1;

    enum
    {
        Tone,
        Finishing,
        Silent
    } state = toneSamples == 0 ? Silent : Tone;
    int phase = 0;
    QByteArray samples;
    for (int k = 0; k <= lastIndex; ++k) {
        samples.append(char(state == Silent ? 128 : tables.WaveTable[s][phase]));
        phase += step;
        if (phase >= period) {
            phase -= period;
            if (state == Finishing)
                state = Silent;
        }
        if (k >= toneSamples && state == Tone)
            state = Finishing;
    }
    return samples;
}

QByteArray renderFileByRule(const WaveTables &tables, const QByteArray &file)
{
    QByteArray samples;
    for (int at = 4; at + 1 < file.size(); at += 2) {
        const int N = quint8(file.at(at));
        const int D = quint8(file.at(at + 1));
        if (N == 0xFF && D == 0xFF)
            break;
        samples += renderByRule(tables, N, D, quint8(file.at(2)));
    }
    return samples;
}

// 22050 samples a second, one channel, eight bits, in a RIFF WAVE file.
QByteArray wavHeader(quint32 dataBytes)
{
    QByteArray header;
    const auto put = [&header](quint32 value, int width) {
        for (int i = 0; i < width; ++i)
            header.append(char(value >> (8 * i)));
    };
    header += "RIFF";
    put(dataBytes + 36, 4);
    header += "WAVEfmt ";
    for (const auto &[value, width] : std::initializer_list<std::pair<quint32, int>>{
             {16, 4}, {1, 2}, {1, 2}, {22050, 4}, {22050, 4}, {1, 2}, {8, 2}})
        put(value, width);
    header += "data";
    put(dataBytes, 4);
    return header;
}

enum InputKind
{
    RegularFile,
    MissingFile,
    Directory,
    Fifo,
};

} // namespace

class TestSoundFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void waveTable_data();
    void waveTable();
    void waveTableStaysInsideForAnyRate();

    void noteSpan_data();
    void noteSpan();

    void conversion_data();
    void conversion();
    void sineOf441Hz();

    void rejectedInput_data();
    void rejectedInput();
    void acceptedLimits_data();
    void acceptedLimits();

    void putNoteWaveRefusesUnplayableNotes();
    void unfinishedWriterLeavesNothing();
    void outputThatCannotBeWritten_data();
    void outputThatCannotBeWritten();
    void writeFailureMidwayKeepsOldFile();

private:
    void convertsByRule(const QByteArray &file);

    WaveTables tables;
    std::unique_ptr<QTemporaryDir> dir;
    QString in;
    QString out;
};

void TestSoundFile::initTestCase()
{
    tables = MakeWaveTable(22050);
}

void TestSoundFile::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    in = dir->filePath(QStringLiteral("in.snd"));
    out = dir->filePath(QStringLiteral("out.wav"));
}

void TestSoundFile::waveTable_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("period");
    const int periods[] = {378, 357, 337, 318, 300, 283, 267, 252, 238, 225, 212, 200};
    for (int s = 0; s < 12; ++s)
        QTest::addRow("semitone %d", s) << s << periods[s];
}

void TestSoundFile::waveTable()
{
    QFETCH(int, row);
    QFETCH(int, period);
    QCOMPARE(tables.WavePeriod[row], period);
    const auto &cells = tables.WaveTable[row];
    QCOMPARE(cells[0], 128);
    QCOMPARE(*std::max_element(cells.begin(), cells.begin() + period), 255);
    QCOMPARE(*std::min_element(cells.begin(), cells.begin() + period), 0);
    // A sine: rising to the peak in the first quarter, at the trough in the third.
    QVERIFY(cells[period / 4] >= 254);
    QVERIFY(cells[3 * period / 4] <= 1);
    QVERIFY(std::all_of(cells.begin() + period, cells.end(), [](int v) { return v == 0; }));
}

void TestSoundFile::waveTableStaysInsideForAnyRate()
{
    for (const int rate : {-5, 0, 1, 8000, 44100, 1000000}) {
        const WaveTables other = MakeWaveTable(rate);
        for (const int period : other.WavePeriod)
            QVERIFY2(period >= 1 && period <= WaveColumns, qPrintable(QString::number(rate)));
    }
}

void TestSoundFile::noteSpan_data()
{
    QTest::addColumn<int>("N");
    QTest::addColumn<int>("D");
    QTest::addColumn<int>("T");
    QTest::addColumn<int>("sampleCount");
    QTest::addColumn<int>("toneSamples");
    QTest::addColumn<int>("sounded");

    QTest::newRow("441 Hz, one second, all tone") << 35 << 0x44 << 16 << 22050 << 22050 << 22050;
    QTest::newRow("rest") << 35 << 0x04 << 16 << 22050 << 0 << 0;
    QTest::newRow("tone finishes its cycle") << 16 << 0x10 << 1 << 5512 << 1378 << 1500;
    QTest::newRow("note ends mid-cycle") << 0 << 0x11 << 1 << 344 << 86 << 344;
    QTest::newRow("length 0 is 16 units") << 0 << 0x20 << 2 << 11025 << 5512 << 5670;
    QTest::newRow("share 15 sounds all") << 16 << 0xFF << 1 << 5167 << 19379 << 5167;
    QTest::newRow("longest note") << 0 << 0x40 << 32 << 176400 << 176400 << 176400;
    QTest::newRow("three quarters, top note") << 102 << 0x30 << 32 << 176400 << 132300 << 132302;
    // The phase wraps on sample toneSamples itself, before the tone turns to finishing.
    QTest::newRow("wrap on sample toneSamples") << 14 << 0x3F << 1 << 5167 << 3875 << 4044;
}

void TestSoundFile::noteSpan()
{
    QFETCH(int, N);
    QFETCH(int, D);
    QFETCH(int, T);
    QFETCH(int, sampleCount);
    QFETCH(int, toneSamples);
    QFETCH(int, sounded);
    const NoteSpan span = NoteSpanOf(quint8(D), quint8(T));
    QCOMPARE(span.sampleCount, sampleCount);
    QCOMPARE(span.toneSamples, toneSamples);
    QCOMPARE(SoundedSamples(tables, quint8(N), quint8(D), quint8(T)), sounded);
    convertsByRule(snd(T, note(N, D)));
}

void TestSoundFile::conversion_data()
{
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("header only") << snd(1, {});
    QTest::newRow("10 FF is a note") << snd(1, note(0x10, 0xFF));
    QTest::newRow("two notes from phase 0") << snd(1, note(0, 0x11) + note(0, 0x11));
    // 344 = 256 + 88, 22050 = 86 * 256 + 34 and 82687 = 323 * 256 - 1 samples, and sums that
    // cross the output buffer at many offsets.
    QTest::newRow("block tails") << snd(15, note(40, 0x40) + note(41, 0x31) + note(42, 0x24) +
                                                note(43, 0x40) + note(3, 0x12) + note(80, 0x40));
    QTest::newRow("one second notes") << snd(16, note(35, 0x44) + note(36, 0x24) + note(9, 0x14));

    QByteArray everyNote;
    for (int N = 0; N <= 102; ++N)
        for (int H = 0; H < 16; ++H)
            for (const int L : {1, 2, 5, 0})
                everyNote += note(N, H * 16 + L);
    QTest::newRow("every note, share and some lengths") << snd(1, everyNote);

    QByteArray slow;
    for (const int N : {0, 11, 35, 50, 95, 96, 101, 102})
        for (const int H : {0, 1, 2, 3, 4, 9})
            slow += note(N, H * 16 + N % 16);
    QTest::newRow("tempo 32") << snd(32, slow);
    QTest::newRow("tempo 7") << snd(7, slow);
}

void TestSoundFile::conversion()
{
    QFETCH(QByteArray, file);
    convertsByRule(file);
}

void TestSoundFile::convertsByRule(const QByteArray &file)
{
    QVERIFY(writeFile(in, file));
    // An older, longer file must be replaced, not written into.
    QVERIFY(writeFile(out, QByteArray(300000, 'x')));

    QCOMPARE(ConvSndToWav(tables, in.toStdString(), out.toStdString()), 0);

    const QByteArray wav = readFile(out);
    const QByteArray expected = renderFileByRule(tables, file);
    QCOMPARE(wav.size(), 44 + expected.size());
    QCOMPARE(wav.left(44), wavHeader(quint32(expected.size())));
    const QByteArray samples = wav.mid(44);
    const auto mismatch = std::mismatch(samples.begin(), samples.end(), expected.begin());
    QVERIFY2(
        mismatch.first == samples.end(),
        qPrintable(
            QStringLiteral("first difference at sample %1").arg(mismatch.first - samples.begin())));
    QCOMPARE(entries(dir->path()), QStringList({"in.snd", "out.wav"}));
}

void TestSoundFile::sineOf441Hz()
{
    QVERIFY(writeFile(in, snd(16, note(35, 0x44))));
    QCOMPARE(ConvSndToWav(tables, in.toStdString(), out.toStdString()), 0);
    const QByteArray samples = readFile(out).mid(44);
    QCOMPARE(samples.size(), 22050);
    const QByteArray first("\x80\x8f\x9f\xae\xbd\xca\xd7\xe2",
                           8); // 128 143 159 174 189 202 215 226
    QCOMPARE(samples.left(8), first);
    // 441 Hz at 22050 samples per second repeats every 50 samples.
    QCOMPARE(samples.mid(50), samples.left(22000));
}

void TestSoundFile::rejectedInput_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("error");

    for (const auto &[name, kind] : std::initializer_list<std::pair<const char *, InputKind>>{
             {"missing", MissingFile}, {"directory", Directory}, {"FIFO", Fifo}})
        QTest::newRow(name) << int(kind) << QByteArray() << int(SndError::Unreadable);
    const auto row = [](const char *name, const QByteArray &file, SndError error) {
        QTest::newRow(name) << int(RegularFile) << file << int(error);
    };
    using E = SndError;
    row("empty", {}, E::BadHeader);
    row("three bytes", QByteArray("\x07\x00\x01", 3), E::BadHeader);
    row("format 6", QByteArray("\x06\x00\x01\x00\xff\xff", 6), E::BadHeader);
    row("byte 1 set", QByteArray("\x07\x01\x01\x00\xff\xff", 6), E::BadHeader);
    row("byte 3 set", QByteArray("\x07\x00\x01\x01\xff\xff", 6), E::BadHeader);
    row("tempo 0", snd(0, {}), E::BadTempo);
    row("tempo 33", snd(33, note(1, 0x44)), E::BadTempo);
    row("no end marker, no notes", snd(1, {}, false), E::NoEndMarker);
    row("no end marker after notes", snd(1, note(1, 0x44) + note(2, 0x44), false), E::NoEndMarker);
    row("ends inside a record", snd(1, note(1, 0x44) + "\x05", false), E::CutRecord);
    row("ends after FF", snd(1, note(1, 0x44) + "\xff", false), E::CutRecord);
    row("note 103", snd(1, note(103, 0x44)), E::NoteTooHigh);
    row("FF 00 is a note above 102", snd(1, note(0xFF, 0x00)), E::NoteTooHigh);
    row("bad note after good ones", snd(1, note(50, 0x44).repeated(400) + note(200, 0x44)),
        E::NoteTooHigh);
    row("end marker as record 32768", snd(1, note(0, 0x01).repeated(32767)), E::TooManyRecords);
    row("longer than a WAV file can say", snd(32, note(0, 0x00).repeated(24348)), E::TooLong);
}

void TestSoundFile::rejectedInput()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, file);
    QFETCH(int, error);
    if (kind == RegularFile)
        QVERIFY(writeFile(in, file));
    if (kind == Directory)
        QVERIFY(QDir().mkdir(in));
    if (kind == Fifo)
        QCOMPARE(mkfifo(QFile::encodeName(in).constData(), 0600), 0);
    const QStringList before = entries(dir->path());

    const SndResult result = ConvertSndToWav(tables, in.toStdString(), out.toStdString());
    QCOMPARE(int(result.error), error);
    QVERIFY(!SndResultText(result).empty());
    QCOMPARE(entries(dir->path()), before);

    // An earlier WAV file stays as it was.
    const QByteArray earlier("RIFF earlier file");
    QVERIFY(writeFile(out, earlier));
    QCOMPARE(ConvSndToWav(tables, in.toStdString(), out.toStdString()), -1);
    QCOMPARE(readFile(out), earlier);
    QCOMPARE(entries(dir->path()).size(), before.size() + 1);
}

void TestSoundFile::acceptedLimits_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("records");
    QTest::addColumn<qulonglong>("sampleCount");

    QTest::newRow("end marker as record 32767")
        << snd(1, note(0, 0x01).repeated(32766)) << 32766 << 32766ull * 344;
    QTest::newRow("longest WAV file")
        << snd(32, note(0, 0x00).repeated(24347)) << 24347 << 24347ull * 176400;
    QTest::newRow("bytes after the end marker")
        << snd(1, note(102, 0xFF)) + QByteArray("\x07\x00\x01", 3) << 1 << 5167ull;
}

void TestSoundFile::acceptedLimits()
{
    QFETCH(QByteArray, file);
    QFETCH(int, records);
    QFETCH(qulonglong, sampleCount);
    SndFile parsed;
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t *>(file.constData()),
                                 std::size_t(file.size()));
    QCOMPARE(int(ParseSndFile(bytes, parsed).error), int(SndError::None));
    QCOMPARE(int(parsed.records.size()), records);
    QCOMPARE(parsed.sampleCount, sampleCount);
    QCOMPARE(parsed.tempo, quint8(file.at(2)));
}

void TestSoundFile::putNoteWaveRefusesUnplayableNotes()
{
    WavWriter writer(out.toStdString());
    QVERIFY(writer.open());
    QVERIFY(!PutNoteWave(writer, tables, 103, 0x44, 16));
    QVERIFY(!PutNoteWave(writer, tables, 255, 0x44, 16));
    QVERIFY(!PutNoteWave(writer, tables, 0, 0x44, 0));
    QVERIFY(!PutNoteWave(writer, tables, 0, 0x44, 33));
    QVERIFY(PutNoteWave(writer, tables, 102, 0x01, 1));
    QVERIFY(writer.finish());
    QCOMPARE(QFileInfo(out).size(), 44 + 344);
}

void TestSoundFile::unfinishedWriterLeavesNothing()
{
    {
        WavWriter writer(out.toStdString());
        QVERIFY(writer.open());
        QVERIFY(PutNoteWave(writer, tables, 35, 0x44, 32));
    }
    QCOMPARE(entries(dir->path()), QStringList());
}

void TestSoundFile::outputThatCannotBeWritten_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing directory") << QStringLiteral("nowhere/out.wav");
    QTest::newRow("directory in the way") << QStringLiteral("taken.wav");
    QTest::newRow("FIFO in the way") << QStringLiteral("pipe.wav");
    QTest::newRow("no file name") << QStringLiteral("sub/");
}

void TestSoundFile::outputThatCannotBeWritten()
{
    QFETCH(QString, target);
    QVERIFY(writeFile(in, snd(1, note(0, 0x44))));
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("taken.wav")));
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("sub")));
    const QString pipe = dir->filePath(QStringLiteral("pipe.wav"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QStringList before = entries(dir->path());

    const SndResult result =
        ConvertSndToWav(tables, in.toStdString(), dir->filePath(target).toStdString());
    QCOMPARE(int(result.error), int(SndError::WriteFailed));
    QCOMPARE(entries(dir->path()), before);
    QCOMPARE(entries(dir->filePath(QStringLiteral("taken.wav"))), QStringList());
    QCOMPARE(entries(dir->filePath(QStringLiteral("sub"))), QStringList());
    QVERIFY(std::filesystem::is_fifo(pipe.toStdString()));
}

void TestSoundFile::writeFailureMidwayKeepsOldFile()
{
    QVERIFY(writeFile(in, snd(32, note(35, 0x40).repeated(4))));
    const QByteArray earlier("RIFF earlier file");
    QVERIFY(writeFile(out, earlier));

    // A file size limit makes the writes fail after about 200 KB, as a full disk would.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 200000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SndResult result = ConvertSndToWav(tables, in.toStdString(), out.toStdString());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(int(result.error), int(SndError::WriteFailed));
    QCOMPARE(readFile(out), earlier);
    QCOMPARE(entries(dir->path()), QStringList({"in.snd", "out.wav"}));
}

QTEST_GUILESS_MAIN(TestSoundFile)
#include "tst_soundfile.moc"
