#include "cli/Commands.h"

#include "core/ConvSndToWav.h"

#include <QFile>

// quorixctl snd2wav IN.snd OUT.wav: renders a device sound file as the preview would.
int snd2wavCommand(const QStringList &args, CliContext &ctx)
{
    if (args.size() != 2) {
        ctx.err << "usage: quorixctl snd2wav IN.snd OUT.wav\n";
        return ExitUsage;
    }
    const QString &in = args.at(0);
    const QString &out = args.at(1);
    const SndResult result =
        ConvertSndToWav(MakeWaveTable(SampleRate), QFile::encodeName(in).toStdString(),
                        QFile::encodeName(out).toStdString());
    if (result.error == SndError::None)
        return ExitOk;
    const QString &culprit = result.error == SndError::WriteFailed ? out : in;
    ctx.err << "quorixctl snd2wav: " << culprit << ": "
            << QString::fromStdString(SndResultText(result)) << '\n';
    return ExitBadInput;
}
