#include "cli/CliDevice.h"
#include "cli/Commands.h"

#include "core/SndFile.h"
#include "devicelink/DirectoryDeviceLink.h"
#include "devicelink/SoundList.h"
#include "platform/AtomicFile.h"
#include "settings/DeviceMelodies.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

namespace {

const QString kUsage =
    QStringLiteral("usage: quorixctl sounds [put FILE.snd [NAME] [--replace] | get NAME OUT.snd "
                   "| remove NAME]");

int fail(CliContext &ctx, int code, const QString &step, const QString &message)
{
    ctx.err << "quorixctl: " << step << ": " << message << '\n';
    return code;
}

int outcome(CliContext &ctx, const QString &step, const DeviceMelodies::Outcome &done)
{
    if (!done.keptFile.isEmpty())
        ctx.out << "kept the device's melody in " << done.keptFile << '\n';
    if (done.ok())
        return ExitOk;
    return fail(
        ctx, done.failure == DeviceMelodies::Failure::BadInput ? ExitBadInput : ExitDeviceFailure,
        step, done.problem);
}

int list(CliContext &ctx)
{
    CliDevice device(ctx.env);
    if (auto code = deviceUnreachable(ctx, device, QStringLiteral("sounds")))
        return *code;
    QStringList names;
    GetSoundList(device.link, names);
    for (const QString &name : soundNames(names))
        ctx.out << name << '\n';
    return ExitOk;
}

} // namespace

// quorixctl sounds [put FILE.snd [NAME] [--replace] | get NAME OUT.snd | remove NAME].
int soundsCommand(const QStringList &args, CliContext &ctx)
{
    if (args.isEmpty())
        return list(ctx);
    QStringList rest = args.mid(1);
    const bool replace = args.first() == u"put" && rest.removeAll(QStringLiteral("--replace")) > 0;
    const QString &op = args.first();
    const bool fits = (op == u"put" && (rest.size() == 1 || rest.size() == 2)) ||
                      (op == u"get" && rest.size() == 2) || (op == u"remove" && rest.size() == 1);
    if (!fits) {
        ctx.err << "quorixctl: " << kUsage << '\n';
        return ExitUsage;
    }
    const QString step = QStringLiteral("sounds ") + op;

    QByteArray snd;
    if (op == u"put") {
        QFile file(rest.at(0));
        if (!QFileInfo(rest.at(0)).isFile() || !file.open(QIODevice::ReadOnly))
            return fail(ctx, ExitBadInput, step,
                        rest.at(0) + QStringLiteral(": cannot read the file"));
        snd = file.read(qint64(MaxSndBytes) + 1);
    }
    // The name is checked before the device is looked for.
    const QString name = rest.value(op == u"put" ? 1 : 0, QFileInfo(rest.at(0)).completeBaseName());
    QString problem;
    if (!DeviceMelodies::deviceName(name, &problem))
        return fail(ctx, ExitBadInput, step, problem);

    CliDevice device(ctx.env);
    if (auto code = deviceUnreachable(ctx, device, step))
        return *code;
    QTemporaryDir work;
    if (!work.isValid())
        return fail(ctx, ExitDeviceFailure, step, QStringLiteral("no temporary folder"));
    DeviceMelodies melodies(device.link, work.path(), DeviceMelodies::keepFolderFrom(ctx.env));
    if (op == u"put")
        return outcome(ctx, step, melodies.put(snd, name, replace));
    if (op == u"remove")
        return outcome(ctx, step, melodies.remove(name));
    if (const auto got = melodies.get(name, snd); !got.ok())
        return outcome(ctx, step, got);
    QString error;
    if (!writeFileAtomically(rest.at(1), snd, &error))
        return fail(ctx, ExitBadInput, step, error);
    return ExitOk;
}
