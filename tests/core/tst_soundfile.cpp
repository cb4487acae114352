#include "core/ConvSndToWav.h"
#include "support/FaultTools.h"

#include <QTest>

#include <sys/stat.h>

class TestSoundFile : public QObject
{
    Q_OBJECT

    static QByteArray note(int N, int D) { return QByteArray(1, char(N)) + char(D); }
    static QByteArray snd(int tempo, const QByteArray &notes, const QByteArray &end = "\xFF\xFF")
    {
        return QByteArray("\x07\x00", 2) + char(tempo) + '\0' + notes + end;
    }

    const WaveTables tables = MakeWaveTable(SampleRate);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.snd"));
    const QString out = dir.filePath(QStringLiteral("out.wav"));

    // The samples made from `file`, written over an older and longer WAV file.
    QByteArray samples(const QByteArray &file)
    {
        const bool made = writeFile(in, file) && writeFile(out, QByteArray(300000, 'x')) &&
                          ConvSndToWav(tables, in.toStdString(), out.toStdString()) == 0;
        return made ? readFile(out).mid(44) : "<not converted>";
    }

private slots:
    void sineOf441Hz()
    {
        const QByteArray one = samples(snd(16, note(35, 0x44)));
        QCOMPARE(readFile(out).left(44),
                 QByteArray("RIFF\x46\x56\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0"
                            "\x22\x56\0\0\x01\0\x08\0data\x22\x56\0\0",
                            44));
        QCOMPARE(one.left(8), QByteArray("\x80\x8F\x9F\xAE\xBD\xCA\xD7\xE2"));
        QCOMPARE(one.mid(50), one.left(22000)); // 441 Hz repeats every 50 samples
    }

    void oneNote_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("T");
        QTest::addColumn<int>("sampleCount");
        QTest::addColumn<int>("sounded"); // a tone finishes the sine cycle it is in
        QTest::newRow("rest") << note(35, 0x04) << 16 << 22050 << 0;
        QTest::newRow("tone finishes its cycle") << note(16, 0x10) << 1 << 5512 << 1500;
        QTest::newRow("length 0 is 16 units") << note(0, 0x20) << 2 << 11025 << 5670;
        QTest::newRow("share 15 sounds all") << note(16, 0xFF) << 1 << 5167 << 5167;
        QTest::newRow("three quarters, top note") << note(102, 0x30) << 32 << 176400 << 132302;
        // The phase wraps on the last sample of the nominal tone, before the tone finishes.
        QTest::newRow("wrap on the last tone sample") << note(14, 0x3F) << 1 << 5167 << 4044;
    }
    // Each note starts at phase 0, sounds `sounded` samples and is silent for the rest.
    void oneNote()
    {
        QFETCH(QByteArray, record);
        QFETCH(int, T);
        QFETCH(int, sampleCount);
        QFETCH(int, sounded);
        const QByteArray three = samples(snd(T, record.repeated(3)));
        const QByteArray one = three.left(sampleCount);
        QCOMPARE(three, one.repeated(3));
        QCOMPARE(one.mid(sounded), QByteArray(sampleCount - sounded, '\x80'));
        QVERIFY(sounded == 0 || one.at(sounded - 1) != '\x80'); // sounding to its end
    }

    void wholeFileChecked_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("error");
        const auto row = [](const char *name, const QByteArray &file, SndError error) {
            QTest::newRow(name) << file << int(error);
        };
        using E = SndError;
        row("format 6", QByteArray("\x06\0\x01\0\xFF\xFF", 6), E::BadHeader);
        row("byte 3 set", QByteArray("\x07\0\x01\x01\xFF\xFF", 6), E::BadHeader);
        row("tempo 0", snd(0, {}), E::BadTempo);
        row("tempo 32", snd(32, note(1, 0x44)), E::None);
        row("tempo 33", snd(33, note(1, 0x44)), E::BadTempo);
        row("note 102, bytes after the end", snd(1, note(102, 0xFF)) + '\x07', E::None);
        row("note 103", snd(1, note(103, 0x44)), E::NoteTooHigh);
        row("FF 00 is a note above 102", snd(1, note(0xFF, 0)), E::NoteTooHigh);
        row("no end marker", snd(1, note(1, 0x44), {}), E::NoEndMarker);
        row("ends after FF", snd(1, note(1, 0x44) + '\xFF', {}), E::CutRecord);
        row("end marker as record 32767", snd(1, note(0, 1).repeated(32766)), E::None);
        row("end marker as record 32768", snd(1, note(0, 1).repeated(32767)), E::TooManyRecords);
        row("longest WAV file", snd(32, note(0, 0).repeated(24347)), E::None);
        row("longer than a WAV file can say", snd(32, note(0, 0).repeated(24348)), E::TooLong);
    }
    void wholeFileChecked()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, error);
        SndFile parsed;
        const auto *bytes = reinterpret_cast<const std::uint8_t *>(file.constData());
        QCOMPARE(int(ParseSndFile({bytes, std::size_t(file.size())}, parsed).error), error);
    }

    // A refused or failed conversion leaves an earlier WAV file and everything beside it alone.
    void failureChangesNothing()
    {
        QVERIFY(writeFile(in, snd(32, note(35, 0x40).repeated(4))));
        QVERIFY(writeFile(dir.filePath("bad.snd"), snd(1, note(50, 1) + note(200, 1))));
        QVERIFY(writeFile(out, "RIFF earlier file"));
        QVERIFY(QDir(dir.path()).mkdir("taken"));
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
        const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System;
        const QStringList before = QDir(dir.path()).entryList(all);
        const auto convert = [this](const QString &from, const QString &to) {
            return ConvertSndToWav(tables, dir.filePath(from).toStdString(),
                                   dir.filePath(to).toStdString());
        };
        QCOMPARE(convert("pipe", "out.wav").error, SndError::Unreadable);
        QCOMPARE(convert("bad.snd", "out.wav").error, SndError::NoteTooHigh);
        QCOMPARE(convert("in.snd", "taken").error, SndError::WriteFailed);
        {
            faults::FileSizeLimit full(200000); // the disk fills up on the way
            QCOMPARE(convert("in.snd", "out.wav").error, SndError::WriteFailed);
        }
        QCOMPARE(QDir(dir.path()).entryList(all), before);
        QCOMPARE(readFile(out), QByteArray("RIFF earlier file"));
        QVERIFY(QDir(dir.filePath("taken")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSoundFile)
#include "tst_soundfile.moc"
