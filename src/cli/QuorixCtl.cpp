#include "cli/CliContext.h"
#include "cli/Commands.h"

#include <array>

namespace {

struct Command
{
    const char *name;
    const char *usage;
    int (*run)(const QStringList &, CliContext &);
};

constexpr std::array commands{
    Command{"show", "show [--system|--weekly] FILE", showCommand},
    Command{"set", "set [--system|--weekly] FILE NAME=VALUE...", setCommand},
    Command{"paths", "paths", pathsCommand},
    Command{"snd2wav", "snd2wav IN.snd OUT.wav", snd2wavCommand},
    Command{"pull", "pull DIR", pullCommand},
    Command{"push", "push DIR", pushCommand},
    Command{"sounds", "sounds", soundsCommand},
    Command{"device", "device show | device set NAME=VALUE... | device find", deviceCommand},
    Command{"diff", "diff A B", diffCommand},
};

int usage(CliContext &ctx)
{
    ctx.err << "usage: quorixctl COMMAND [ARGS]\n";
    for (const Command &c : commands)
        ctx.err << "  quorixctl " << c.usage << '\n';
    return ExitUsage;
}

} // namespace

int runQuorixCtl(const QStringList &args, CliContext &ctx)
{
    if (args.isEmpty())
        return usage(ctx);
    if (args.first() == u"--help" || args.first() == u"-h") {
        usage(ctx);
        return ExitOk;
    }
    for (const Command &c : commands) {
        if (args.first() == QLatin1StringView(c.name))
            return c.run(args.mid(1), ctx);
    }
    ctx.err << "quorixctl: unknown command '" << args.first() << "'\n";
    return usage(ctx);
}
