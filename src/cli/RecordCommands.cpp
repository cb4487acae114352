#include "cli/Commands.h"
#include "cli/RecordJson.h"

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"
#include "settings/RecordFile.h"

#include <QFile>

namespace {

enum class Kind
{
    Unknown,
    System,
    Weekly
};

struct Target
{
    Kind kind = Kind::Unknown;
    Rules rules = Rules::Checked;
    QString file;
    QStringList rest;
};

// Splits [--system|--weekly] FILE [rest...]; false on a usage error.
bool parseTarget(const QStringList &args, Target &t)
{
    QStringList positional;
    for (const QString &a : args) {
        if (a == u"--system")
            t.kind = Kind::System;
        else if (a == u"--weekly")
            t.kind = Kind::Weekly;
        else if (a == u"--raw")
            t.rules = Rules::StorageOnly;
        else if (a.startsWith(u"--"))
            return false;
        else
            positional << a;
    }
    if (positional.isEmpty())
        return false;
    t.file = positional.takeFirst();
    t.rest = positional;
    return true;
}

// Reads FILE whole and fixes its kind from the option or from its size.
bool loadImage(CliContext &ctx, Target &t, QByteArray &bytes)
{
    QFile f(t.file);
    if (!f.open(QIODevice::ReadOnly)) {
        ctx.err << "quorixctl: " << t.file << ": " << f.errorString() << '\n';
        return false;
    }
    bytes = f.readAll();
    if (t.kind == Kind::Unknown) {
        if (bytes.size() == qsizetype(SystemRecord::Size))
            t.kind = Kind::System;
        else if (bytes.size() == qsizetype(WeeklyRecord::Size))
            t.kind = Kind::Weekly;
        else {
            ctx.err << "quorixctl: " << t.file << ": " << bytes.size()
                    << " bytes is neither a system record (256) nor a weekly record (76); "
                       "use --system or --weekly\n";
            return false;
        }
    }
    return true;
}

} // namespace

int showCommand(const QStringList &args, CliContext &ctx)
{
    Target t;
    if (!parseTarget(args, t) || !t.rest.isEmpty() || t.rules != Rules::Checked) {
        ctx.err << "usage: quorixctl show [--system|--weekly] FILE\n";
        return ExitUsage;
    }
    QByteArray bytes;
    if (!loadImage(ctx, t, bytes))
        return ExitBadInput;
    ctx.out << (t.kind == Kind::System ? showSystem(toRecord<SystemRecord>(bytes))
                                       : showWeekly(toRecord<WeeklyRecord>(bytes)))
            << '\n';
    return ExitOk;
}

int setCommand(const QStringList &args, CliContext &ctx)
{
    Target t;
    if (!parseTarget(args, t) || t.rest.isEmpty()) {
        ctx.err << "usage: quorixctl set [--system|--weekly] [--raw] FILE NAME=VALUE...\n";
        return ExitUsage;
    }
    QByteArray bytes;
    if (!loadImage(ctx, t, bytes))
        return ExitBadInput;
    // Rewriting a file of the other record's size, or a longer one, at this record's size would
    // lose its bytes.
    const bool system = t.kind == Kind::System;
    const auto size = qsizetype(system ? SystemRecord::Size : WeeklyRecord::Size);
    const auto otherSize = qsizetype(system ? WeeklyRecord::Size : SystemRecord::Size);
    if (bytes.size() > size || bytes.size() == otherSize) {
        ctx.err << "quorixctl: " << t.file << ": " << bytes.size() << " bytes is not a "
                << (system ? "system" : "weekly") << " record (" << size
                << " bytes); file left unchanged\n";
        return ExitBadInput;
    }

    auto applyAll = [&](auto record) {
        for (const QString &assignment : t.rest) {
            const QString problem = assignField(record, assignment, t.rules);
            if (!problem.isEmpty()) {
                ctx.err << "quorixctl: " << t.file << ": " << problem << "; file left unchanged\n";
                return int(ExitBadInput);
            }
        }
        QString error;
        if (!recordfile::write(t.file, record.bytes, &error)) {
            ctx.err << "quorixctl: " << t.file << ": cannot write: " << error << '\n';
            return int(ExitBadInput);
        }
        return int(ExitOk);
    };
    return t.kind == Kind::System ? applyAll(toRecord<SystemRecord>(bytes))
                                  : applyAll(toRecord<WeeklyRecord>(bytes));
}
