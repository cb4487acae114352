#include "gui/StartOptions.h"

#include "core/Version.h"
#include "platform/ExitStatus.h"

#include <QCommandLineParser>

namespace {

// The options QGuiApplication and QApplication take from the command line themselves.
void addQtOptions(QCommandLineParser &parser)
{
    const char *const withValue[] = {
        "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
        "style",       "stylesheet",         "qmljsdebugger"};
    const char *const flags[] = {"reverse", "widgetcount", "nograb", "dograb"};
    for (const char *name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

std::optional<int> ReadStartOptions(const QStringList &arguments, QTextStream &out,
                                    QTextStream &err)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Edit the system settings of a Tavion handheld organiser.\n"
                       "Qt's own options (-platform, -style, ...) are accepted; see quorix(1)."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    addQtOptions(parser);

    if (!parser.parse(arguments)) {
        err << "quorix: " << parser.errorText() << "\n\n" << parser.helpText();
        return ExitUsage;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << "quorix: unexpected argument '" << parser.positionalArguments().first() << "'\n\n"
            << parser.helpText();
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return ExitOk;
    }
    if (parser.isSet(version)) {
        out << "quorix " << QuorixVersion << '\n';
        return ExitOk;
    }
    return std::nullopt;
}
