#include "cli/Commands.h"

#include "core/Melody.h"
#include "core/MidiImport.h"
#include "core/RtttlImport.h"
#include "core/SndFile.h"
#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

// Ringtone texts and MIDI files of real collections are far smaller.
constexpr qint64 MaxInputBytes = 16 * 1024 * 1024;
const QString kUsage =
    QStringLiteral("usage: quorixctl melody import IN OUT.snd [--track N] "
                   "[--transpose K] [--legato] | quorixctl melody show FILE.snd");

int usage(CliContext &ctx)
{
    ctx.err << "quorixctl: " << kUsage << '\n';
    return ExitUsage;
}

int fail(CliContext &ctx, const QString &file, const QString &message)
{
    ctx.err << "quorixctl melody: " << file << ": " << message << '\n';
    return ExitBadInput;
}

// A whole regular file of at most `limit` bytes, or its first `limit` bytes when cut.
std::optional<QByteArray> readInput(CliContext &ctx, const QString &path, qint64 limit,
                                    bool cut = false)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        fail(ctx, path, QStringLiteral("cannot read the file"));
        return std::nullopt;
    }
    QByteArray bytes = file.read(limit + 1);
    if (cut)
        bytes.truncate(limit);
    if (bytes.size() > limit) {
        fail(ctx, path, QStringLiteral("larger than %1 bytes").arg(limit));
        return std::nullopt;
    }
    return bytes;
}

std::span<const std::uint8_t> bytesOf(const QByteArray &bytes)
{
    return {reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())};
}

bool numberOption(const QStringList &args, qsizetype &i, int low, int high, int &value)
{
    bool ok = false;
    value = i + 1 < args.size() ? args.at(i + 1).toInt(&ok) : 0;
    ++i;
    return ok && value >= low && value <= high;
}

int importCommand(const QStringList &args, CliContext &ctx)
{
    QStringList files;
    ImportOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == u"--track") {
            if (!numberOption(args, i, 1, 65535, options.track))
                return usage(ctx);
        } else if (arg == u"--transpose") {
            if (!numberOption(args, i, -127, 127, options.transpose))
                return usage(ctx);
        } else if (arg == u"--legato") {
            options.legato = true;
        } else {
            files << arg;
        }
    }
    if (files.size() != 2)
        return usage(ctx);
    const QString &in = files.at(0), &out = files.at(1);
    const auto input = readInput(ctx, in, MaxInputBytes);
    if (!input)
        return ExitBadInput;

    const std::string_view text(input->constData(), std::size_t(input->size()));
    const MelodyResult result = LooksLikeMidi(bytesOf(*input))
                                    ? ImportMidi(bytesOf(*input), options)
                                : LooksLikeMelodyText(text) ? ParseMelodyText(text)
                                                            : ImportRtttl(text, options);
    if (!result.ok())
        return fail(ctx, in,
                    QString::fromStdString(result.error) + QStringLiteral("; nothing written"));
    const std::string problem = MelodyProblem(result.melody);
    if (!problem.empty())
        return fail(ctx, in, QString::fromStdString(problem));
    for (const std::string &note : result.notes)
        ctx.err << "quorixctl melody: " << in << ": " << QString::fromStdString(note) << '\n';

    const std::vector<std::uint8_t> snd = WriteMelodySnd(result.melody);
    QString error;
    if (!writeFileAtomically(out, QByteArrayView(snd.data(), qsizetype(snd.size())), &error))
        return fail(ctx, out, error);
    return ExitOk;
}

int showCommand(const QString &path, CliContext &ctx)
{
    const auto input = readInput(ctx, path, qint64(MaxSndBytes), true);
    if (!input)
        return ExitBadInput;
    const MelodyResult result = ReadMelodySnd(bytesOf(*input));
    if (!result.ok())
        return fail(ctx, path, QString::fromStdString(result.error));
    ctx.out << QString::fromStdString(MelodyText(result.melody));
    return ExitOk;
}

} // namespace

// quorixctl melody import IN OUT.snd | melody show FILE.snd.
int melodyCommand(const QStringList &args, CliContext &ctx)
{
    if (args.value(0) == u"import")
        return importCommand(args.mid(1), ctx);
    if (args.value(0) == u"show" && args.size() == 2)
        return showCommand(args.at(1), ctx);
    return usage(ctx);
}
