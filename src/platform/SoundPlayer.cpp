#include "platform/SoundPlayer.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

SoundPlayer::SoundPlayer(QProcessEnvironment env) : m_env(std::move(env)) {}

QString SoundPlayer::findOnPath(const QString &program) const
{
    const QStringList dirs = m_env.value(QStringLiteral("PATH")).split(u':', Qt::SkipEmptyParts);
    for (const QString &dir : dirs) {
        const QFileInfo candidate(QDir(dir).filePath(program));
        if (candidate.isFile() && candidate.isExecutable())
            return candidate.absoluteFilePath();
    }
    return {};
}

QString SoundPlayer::findPlayer() const
{
    for (const char *name : {"pw-play", "paplay", "aplay"}) {
        const QString path = findOnPath(QLatin1StringView(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

bool SoundPlayer::runAndWait(const QString &program, const QStringList &arguments, int *exitCode,
                             const std::function<void()> &started) const
{
    QProcess process;
    process.setProcessEnvironment(m_env);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    bool failedToStart = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    if (started)
        QObject::connect(&process, &QProcess::started, &loop, started);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    process.start(program, arguments);
    if (!failedToStart && process.state() != QProcess::NotRunning) {
        m_running = &process;
        loop.exec(); // the window's events keep running while the player plays
        m_running = nullptr;
    }
    if (failedToStart)
        return false;
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return true;
}

void SoundPlayer::stop() const
{
    if (m_running)
        m_running->kill();
}

SoundPlayer::Outcome SoundPlayer::play(const QString &wavPath,
                                       const std::function<void()> &started) const
{
    const QString player = findPlayer();
    if (!player.isEmpty() && runAndWait(player, {wavPath}, nullptr, started))
        return Outcome::Played;

    const QString opener = findOnPath(QStringLiteral("xdg-open"));
    int exitCode = -1;
    if (!opener.isEmpty() && runAndWait(opener, {wavPath}, &exitCode, started) && exitCode == 0)
        return Outcome::HandedOver;
    return Outcome::NotStarted;
}

int waveOutputDeviceCount(const QString &pcmListPath, const QString &runtimeDir)
{
    int count = 0;
    QFile pcm(pcmListPath);
    if (pcm.open(QIODevice::ReadOnly)) {
        // Lines look like "00-00: ALC892 Analog : ALC892 Analog : playback 1 : capture 1".
        for (const QByteArray &line : pcm.readAll().split('\n'))
            count += line.contains("playback") ? 1 : 0;
    }
    if (!runtimeDir.isEmpty() && (QFileInfo::exists(runtimeDir + QStringLiteral("/pulse/native")) ||
                                  QFileInfo::exists(runtimeDir + QStringLiteral("/pipewire-0"))))
        ++count;
    return count;
}
