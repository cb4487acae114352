#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>

class DeviceLink;
class MessageBoxes;
class PathMapper;
class QWidget;
class SoundPlayer;

// Plays an alarm sound of the device on the PC: the sound file is fetched into the sound
// cache, rendered into a temporary WAV file, played while the window waits disabled, and the
// WAV file is removed again.
class SoundPreview
{
public:
    SoundPreview(DeviceLink &link, MessageBoxes &boxes, const PathMapper &mapper,
                 const SoundPlayer &player);
    ~SoundPreview();

    void setClock(std::function<QTime()> clock) { m_clock = std::move(clock); }
    // Where the temporary WAV files go; ends with '/'.
    void setTempDir(const QString &dir) { m_tempDir = dir; }

    // Fetches "\system\sound\<name>.snd" into soundCacheDir (the suite's Windows path) and
    // plays it.
    void cbtSNDprev_Click(const QString &soundName, const QString &soundCacheDir, QWidget *owner);
    void PlaySndPreview(const QString &sndHostPath, QWidget *owner);
    // Ends a preview that is playing.
    void stop();

    // "$$hhnnss.wav" for the time of day.
    static QString temporaryWavName(QTime time);

    // WAV files handed to xdg-open: whoever plays them may still read them, so they are
    // removed when the program ends (or this object goes), not when the preview ends.
    const QStringList &handedOver() const { return m_handedOver; }

private:
    DeviceLink &m_link;
    MessageBoxes &m_boxes;
    const PathMapper &m_mapper;
    const SoundPlayer &m_player;
    std::function<QTime()> m_clock = [] { return QTime::currentTime(); };
    QString m_tempDir;
    QStringList m_handedOver;
};
