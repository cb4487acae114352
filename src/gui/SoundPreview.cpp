#include "gui/SoundPreview.h"

#include "core/ConvSndToWav.h"
#include "devicelink/DeviceLink.h"
#include "platform/DeviceNames.h"
#include "platform/DirListing.h"
#include "platform/MessageBoxes.h"
#include "platform/PathMapper.h"
#include "platform/SoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

SoundPreview::SoundPreview(DeviceLink &link, MessageBoxes &boxes, const PathMapper &mapper,
                           const SoundPlayer &player)
    : m_link(link), m_boxes(boxes), m_mapper(mapper), m_player(player),
      m_tempDir(QDir::tempPath() + u'/')
{
}

SoundPreview::~SoundPreview()
{
    for (const QString &file : std::as_const(m_handedOver))
        QFile::remove(file);
}

QString SoundPreview::temporaryWavName(QTime time)
{
    return QStringLiteral("$$") + time.toString(QStringLiteral("HHmmss")) + QStringLiteral(".wav");
}

void SoundPreview::cbtSNDprev_Click(const QString &soundName, const QString &soundCacheDir,
                                    QWidget *owner)
{
    const QString pcPath = soundCacheDir + u'\\' + soundName + QStringLiteral(".snd");
    const QString devicePath = kDeviceSoundDir + u'\\' + soundName + QStringLiteral(".snd");
    // A name that could reach outside the sound folders is no sound of the device.
    const QString cacheHost = m_mapper.toHost(soundCacheDir);
    if (!isDeviceFileName(soundName) || cacheHost.isEmpty() || !QDir().mkpath(cacheHost) ||
        m_link.Vlt_GetFile(pcPath, devicePath, -1) != 0) {
        m_boxes.warn(QStringLiteral("Not found sound file!"));
        return;
    }
    PlaySndPreview(m_mapper.toHost(pcPath), owner);
}

void SoundPreview::stop()
{
    m_player.stop();
}

void SoundPreview::PlaySndPreview(const QString &sndHostPath, QWidget *owner)
{
    const QString wavPath = m_tempDir + temporaryWavName(m_clock());
    const WaveTables tables = MakeWaveTable(SampleRate);
    const int converted = ConvSndToWav(tables, QFile::encodeName(sndHostPath).toStdString(),
                                       QFile::encodeName(wavPath).toStdString());
    QCoreApplication::processEvents();

    SoundPlayer::Outcome outcome = SoundPlayer::Outcome::NotStarted;
    if (converted != 0) {
        m_boxes.warn(QStringLiteral("Write error!"));
    } else {
        // The window waits disabled only while a started player has the file.
        bool started = false;
        outcome = m_player.play(wavPath, [&] {
            started = true;
            if (owner)
                owner->setEnabled(false);
        });
        if (owner && started) {
            owner->setEnabled(true);
            owner->raise();
            owner->activateWindow();
        }
        if (outcome == SoundPlayer::Outcome::NotStarted)
            m_boxes.warn(QStringLiteral("Can not run Sound Player!"));
    }

    if (outcome == SoundPlayer::Outcome::HandedOver)
        m_handedOver << wavPath;
    else if (!DirOrEmpty(m_mapper, wavPath, DirListing::PlainFiles).isEmpty())
        QFile::remove(wavPath);
}
