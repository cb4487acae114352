#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "core/Version.h"

#include <array>

namespace {

int helpCommand(const QStringList &args, CliContext &ctx);

struct Command
{
    const char *name;
    const char *usage;
    const char *summary;
    const char *example;
    int (*run)(const QStringList &, CliContext &);
};

constexpr std::array commands{
    Command{"show", "show [--system|--weekly] FILE",
            "Print the record in FILE as one JSON object, its fields in file order.",
            "quorixctl show weekly.ini", showCommand},
    Command{"set", "set [--system|--weekly] [--raw] FILE NAME=VALUE...",
            "Change fields of the record in FILE to values the window could set; a refused value "
            "leaves the file untouched. --raw (for experts) also changes the fields no control "
            "shows and allows any value the field can store.",
            "quorixctl set system.ini Contrast=18 'AlarmEntry[2].Hour=7'", setCommand},
    Command{"paths", "paths",
            "Print the folders in use as JSON: \"Suite\" says whose, \"wine\" (the maker's "
            "suite; host and Windows form) or \"own\" (Quorix's own; host form only).",
            "quorixctl paths", pathsCommand},
    Command{"snd2wav", "snd2wav IN.snd OUT.wav", "Render a device melody into a WAV file.",
            "quorixctl snd2wav CHIME.snd chime.wav", snd2wavCommand},
    Command{"pull", "pull DIR",
            "Fetch system.ini and weekly.ini from the device into DIR (both or neither).",
            "quorixctl pull ~/tavion", pullCommand},
    Command{"push", "push DIR", "Send DIR/system.ini, then DIR/weekly.ini, to the device.",
            "quorixctl push ~/tavion", pushCommand},
    Command{
        "melody",
        "melody import IN OUT.snd [--track N] [--transpose K] [--legato] | melody show FILE.snd",
        "Make a device melody from ringtone text (RTTTL), a MIDI file or the text form, or "
        "print a melody in the text form.",
        "quorixctl melody import tune.mid TUNE.snd --transpose -12", melodyCommand},
    Command{"sounds", "sounds [put FILE.snd [NAME] [--replace] | get NAME OUT.snd | remove NAME]",
            "List the device's melodies, one name a line, or put, fetch or remove one; a "
            "replaced or removed melody is kept in the history's sounds folder first.",
            "quorixctl sounds put TUNE.snd WAKEUP", soundsCommand},
    Command{"device",
            "device show | device set [--raw] NAME=VALUE... | device find | device wait [--timeout "
            "SECONDS]",
            "Print both records of the device as JSON, change fields on the device, list "
            "the Tavions found among the mounted folders as JSON, or wait until one is plugged "
            "in and list them (exit 4 at the timeout).",
            "quorixctl device set Contrast=18", deviceCommand},
    Command{"history", "history",
            "List the snapshots of the device's settings kept before each write to it, newest "
            "first, as a JSON array.",
            "quorixctl history", historyCommand},
    Command{"restore", "restore ID",
            "Put a snapshot back on the device (keeping the device's settings as a snapshot "
            "first, and reading them back after).",
            "quorixctl restore 20240501-120000", restoreCommand},
    Command{"diff", "diff A B",
            "Print the fields that differ, NAME<TAB>old<TAB>new; A or B may be a snapshot id. "
            "Exit 0 equal, 1 different, 2 trouble.",
            "quorixctl diff 20240501-120000 system.ini", diffCommand},
    Command{"check", "check [FILE | device]",
            "List the fields of a record file, or of the device's records, whose values the "
            "window could not set: NAME<TAB>value<TAB>allowed. Exit 0 none, 1 some.",
            "quorixctl check backup/system.ini", checkCommand},
    Command{"help", "help [COMMAND]", "List the commands, or show one command's usage.",
            "quorixctl help set", helpCommand},
};

const Command *findCommand(const QString &name)
{
    for (const Command &c : commands) {
        if (name == QLatin1StringView(c.name))
            return &c;
    }
    return nullptr;
}

void listCommands(QTextStream &to)
{
    to << "usage: quorixctl COMMAND [ARGS]\n";
    for (const Command &c : commands)
        to << "  quorixctl " << c.usage << '\n';
    to << "  quorixctl --version\n";
    to << "'quorixctl help COMMAND' shows a command with an example; see also quorixctl(1).\n";
}

int usageError(CliContext &ctx)
{
    listCommands(ctx.err);
    return ExitUsage;
}

int helpCommand(const QStringList &args, CliContext &ctx)
{
    if (args.isEmpty()) {
        listCommands(ctx.out);
        return ExitOk;
    }
    const Command *c = args.size() == 1 ? findCommand(args.first()) : nullptr;
    if (!c) {
        ctx.err << "quorixctl: no command '" << args.join(u' ') << "'\n";
        return usageError(ctx);
    }
    ctx.out << "usage: quorixctl " << c->usage << '\n'
            << c->summary << '\n'
            << "example: " << c->example << '\n';
    return ExitOk;
}

bool asksForHelp(const QStringList &args)
{
    return args.contains(u"--help") || args.contains(u"-h");
}

} // namespace

int runQuorixCtl(const QStringList &args, CliContext &ctx)
{
    if (args.isEmpty())
        return usageError(ctx);
    if (asksForHelp(args.first(1)))
        return helpCommand({}, ctx);
    if (args.first() == u"--version") {
        ctx.out << "quorixctl " << QuorixVersion << '\n';
        return ExitOk;
    }
    const Command *c = findCommand(args.first());
    if (!c) {
        ctx.err << "quorixctl: unknown command '" << args.first() << "'\n";
        return usageError(ctx);
    }
    if (asksForHelp(args.mid(1)))
        return helpCommand({args.first()}, ctx);
    return c->run(args.mid(1), ctx);
}
