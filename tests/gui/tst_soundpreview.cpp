#include "gui/SoundPreview.h"
#include "platform/PathMapper.h"
#include "platform/SoundPlayer.h"

#include "support/FakeDeviceLink.h"
#include "support/FakeMessageBoxes.h"
#include "support/TestFiles.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

class TestSoundPreview : public QObject
{
    Q_OBJECT

private slots:
    // Fake programs on PATH ("name exit-code") log their name and the file's (named after the
    // time, 14:25:07) once they have checked it is a finished WAV file.
    void preview_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("programs");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("played");
        QTest::addColumn<bool>("left");
        const QString bell = u"BELL"_s, noPlayer = u"Can not run Sound Player!"_s;
        const QByteArray none("<missing>");
        QTest::newRow("pw-play before paplay, xdg-open")
            << bell << QStringList{"paplay 0", "pw-play 0", "xdg-open 0"} << QString()
            << QByteArray("pw-play $$142507.wav\n") << false;
        QTest::newRow("handed to xdg-open") << bell << QStringList{"xdg-open 0"} << QString()
                                            << QByteArray("xdg-open $$142507.wav\n") << true;
        QTest::newRow("xdg-open fails") << bell << QStringList{"xdg-open 4"} << noPlayer
                                        << QByteArray("xdg-open $$142507.wav\n") << false;
        QTest::newRow("no player") << bell << QStringList{} << noPlayer << none << false;
        QTest::newRow("not a sound")
            << u"BAD"_s << QStringList{"pw-play 0"} << u"Write error!"_s << none << false;
        QTest::newRow("not on the device")
            << u"GONG"_s << QStringList{"pw-play 0"} << u"Not found sound file!"_s << none << false;
        QTest::newRow("leaving the sound folder") << u"..\\BELL"_s << QStringList{"pw-play 0"}
                                                  << u"Not found sound file!"_s << none << false;
    }
    void preview()
    {
        QFETCH(QStringList, programs);
        TestSuite suite;
        const QString bin = suite.dir.filePath(u"bin"_s), tmp = suite.device() + u'/';
        const QString log = suite.dir.filePath(u"played.txt"_s);
        for (const QString &program : programs)
            QVERIFY(writeExecutable(
                bin + u'/' + program.section(u' ', 0, 0),
                "#!/bin/sh\n/usr/bin/head -c 4 \"$1\" | /bin/grep -q RIFF && echo \"${0##*/} "
                "${1##*/}\" >> '" +
                    log.toUtf8() + "'\nexit " + program.section(u' ', 1).toUtf8()));
        QProcessEnvironment env;
        env.insert(u"PATH"_s, bin);
        const SoundPlayer player(env);
        const PathMapper mapper(suite.prefix());
        FakeDeviceLink link(mapper);
        for (const QString &name : {u"BELL"_s, u"..\\BELL"_s}) // a tone and a rest
            link.setFile(u"\\system\\sound\\"_s + name + u".snd"_s,
                         QByteArray("\x07\x00\x04\x00\x23\x44\x00\x02\xFF\xFF", 10));
        link.setFile(u"\\system\\sound\\BAD.snd"_s, QByteArray("\x07\x00\xFF", 3));
        FakeMessageBoxes boxes;
        QWidget owner;
        {
            SoundPreview preview(link, boxes, mapper, player);
            preview.setTempDir(tmp);
            preview.setClock([] { return QTime(14, 25, 7); });
            QFETCH(QString, name);
            preview.cbtSNDprev_Click(name, u"C:\\Suite\\dockman\\cache\\system\\sound"_s, &owner);
            QTEST(boxes.shown.join(u'\n'), "message");
            QVERIFY(owner.isEnabled());
            QTEST(readFile(log), "played");
            QTEST(!QDir(tmp).isEmpty(QDir::Files), "left");
        }
        QVERIFY(QDir(tmp).isEmpty(QDir::Files));
    }

    // Stop ends the player the preview waits for: without it the player would finish.
    void stopEndsThePlayer()
    {
        TestSuite suite;
        const QString bin = suite.dir.filePath(u"bin"_s), log = suite.dir.filePath(u"log"_s);
        const QByteArray to = " >> '" + log.toUtf8() + "'\n";
        QVERIFY(writeExecutable(bin + u"/pw-play"_s, "#!/bin/sh\necho started" + to +
                                                         "/bin/sleep 5\necho finished" + to));
        QProcessEnvironment env;
        env.insert(u"PATH"_s, bin);
        const SoundPlayer player(env);
        const PathMapper mapper(suite.prefix());
        FakeDeviceLink link(mapper);
        FakeMessageBoxes boxes;
        SoundPreview preview(link, boxes, mapper, player);
        preview.setTempDir(suite.device() + u'/');
        const QString snd = suite.dir.filePath(u"tune.snd"_s);
        QVERIFY(writeFile(snd, QByteArray("\x07\x00\x04\x00\x23\x44\xFF\xFF", 8)));
        QWidget owner;
        QTimer::singleShot(100, [&] { preview.stop(); });
        preview.PlaySndPreview(snd, &owner);
        QCOMPARE(readFile(log), QByteArray("started\n"));
        QVERIFY(boxes.shown.isEmpty() && owner.isEnabled());
    }

    void waveOutputDevices()
    {
        TestSuite suite;
        const QString pcm = suite.dir.filePath(u"pcm"_s), run = suite.dir.filePath(u"run"_s);
        QVERIFY(writeFile(pcm, "00-00: A : A : playback 1 : capture 1\n00-01: D : D : playback 1\n"
                               "00-02: C : C : capture 1\n00-03: H : H : playback 1\n"));
        QCOMPARE(waveOutputDeviceCount(pcm, QString()), 3);
        QVERIFY(writeFile(run + u"/pulse/native"_s, {}));
        QCOMPARE(waveOutputDeviceCount(pcm, run), 4);
        QCOMPARE(waveOutputDeviceCount(suite.dir.filePath(u"none"_s), QString()), 0);
    }
};

QTEST_MAIN(TestSoundPreview)
#include "tst_soundpreview.moc"
