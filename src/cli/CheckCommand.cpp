#include "cli/CheckCommand.h"

#include "core/ValueRules.h"
#include "settings/RecordFile.h"

#include <QFile>

namespace {

std::vector<RuleBreach> breachesOf(const QByteArray &image)
{
    return image.size() == qsizetype(SystemRecord::Size)
               ? outsideRules(toRecord<SystemRecord>(image))
               : outsideRules(toRecord<WeeklyRecord>(image));
}

int report(CliContext &ctx, const std::vector<RuleBreach> &breaches)
{
    for (const RuleBreach &b : breaches)
        ctx.out << QString::fromStdString(b.field + '\t' + b.value + '\t' + b.allowed) << '\n';
    return breaches.empty() ? ExitOk : ExitBadInput;
}

} // namespace

int checkCommand(const QStringList &args, CliContext &ctx)
{
    if (args.size() > 1 || args.value(0).startsWith(u'-')) {
        ctx.err << "usage: quorixctl check [FILE | device]\n";
        return ExitUsage;
    }
    if (args.isEmpty() || args.first() == u"device") {
        SystemRecord system;
        WeeklyRecord weekly;
        if (auto code = readDeviceRecords(ctx, QStringLiteral("check"), system, weekly))
            return *code;
        auto breaches = outsideRules(system);
        for (RuleBreach &b : outsideRules(weekly))
            breaches.push_back(std::move(b));
        return report(ctx, breaches);
    }
    QFile f(args.first());
    if (!f.open(QIODevice::ReadOnly)) {
        ctx.err << "quorixctl: check: " << f.fileName() << ": " << f.errorString() << '\n';
        return ExitBadInput;
    }
    const QByteArray image = f.readAll();
    if (image.size() != qsizetype(SystemRecord::Size) &&
        image.size() != qsizetype(WeeklyRecord::Size)) {
        ctx.err << "quorixctl: check: " << f.fileName() << ": " << image.size()
                << " bytes is neither a system record (256) nor a weekly record (76)\n";
        return ExitBadInput;
    }
    return report(ctx, breachesOf(image));
}

void warnOutsideRules(CliContext &ctx, const QString &step, const RecordPair &images)
{
    for (const QByteArray *image : {&images.system, &images.weekly}) {
        for (const RuleBreach &b : breachesOf(*image))
            ctx.err << "quorixctl: " << step << ": warning: "
                    << QString::fromStdString(b.field + " is " + b.value + ", not " + b.allowed)
                    << "; sent as it is\n";
    }
}
