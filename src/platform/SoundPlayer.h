#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

class QProcess;

// Plays a WAV file with the desktop's own player and waits for it while the window's events
// keep running. The first of pw-play, paplay and aplay found on PATH gets the file as its one
// argument (no shell); when none is there, xdg-open is asked to open the file instead.
class SoundPlayer
{
public:
    enum class Outcome
    {
        Played,     // a player ran and has exited: the file is free again
        HandedOver, // xdg-open took the file; whoever plays it may still need it
        NotStarted, // nothing could play the file
    };

    explicit SoundPlayer(QProcessEnvironment env = QProcessEnvironment::systemEnvironment());

    // `started` runs once a program was started for the file, before it is waited for.
    Outcome play(const QString &wavPath, const std::function<void()> &started = {}) const;

    // Ends the program play() is waiting for, if any; play() then returns.
    void stop() const;

    // The player program that play() would start, empty when there is none.
    QString findPlayer() const;

private:
    QString findOnPath(const QString &program) const;
    // Runs the program until it exits, keeping events flowing; false when it did not start.
    bool runAndWait(const QString &program, const QStringList &arguments, int *exitCode,
                    const std::function<void()> &started) const;

    QProcessEnvironment m_env;
    mutable QProcess *m_running = nullptr; // the program play() waits for
};

// Number of wave output devices: playback devices the kernel lists in its pcm file, plus one
// when a PulseAudio or PipeWire server socket exists in the runtime directory.
int waveOutputDeviceCount(const QString &pcmListPath = QStringLiteral("/proc/asound/pcm"),
                          const QString &runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR"));
