#include "cli/Commands.h"
#include "cli/JsonWriter.h"

#include "core/PathsTable.h"
#include "platform/Installation.h"
#include "platform/PathMapper.h"

#include <QCoreApplication>

namespace {

// Patterns keep their wildcard part; only the directory is mapped.
QString hostForm(const PathMapper &mapper, const QString &windowsForm)
{
    const qsizetype cut = windowsForm.lastIndexOf(u'\\');
    if (cut > 0 && windowsForm.indexOf(u'*', cut) > 0)
        return mapper.toHost(windowsForm.left(cut)) + u'/' + windowsForm.mid(cut + 1);
    return mapper.toHost(windowsForm);
}

} // namespace

int pathsCommand(const QStringList &args, CliContext &ctx)
{
    if (!args.isEmpty()) {
        ctx.err << "usage: quorixctl paths\n";
        return ExitUsage;
    }
    const PathMapper mapper(PathMapper::prefixFromEnvironment(ctx.env));
    QString problem;
    const auto installation = FindInstallation(
        InstallationPlaces::from(ctx.env, mapper, QCoreApplication::applicationDirPath()),
        &problem);
    if (!installation) {
        ctx.err << "quorixctl: " << problem << '\n';
        return ExitNoInstallation;
    }
    const bool own = installation->source == Installation::Source::Own;

    JsonWriter json;
    json.add(QStringLiteral("Suite"), own ? QStringLiteral("own") : QStringLiteral("wine"));
    if (own)
        json.addRaw(QStringLiteral("WinePrefix"), QStringLiteral("null"));
    else
        json.add(QStringLiteral("WinePrefix"), mapper.prefixRoot());
    for (const auto &[name, value] : installation->paths.entries()) {
        const QString windowsForm = QString::fromStdString(value);
        if (windowsForm.isEmpty()) { // no check file in Quorix's own installation
            json.addRaw(QString::fromStdString(name), QStringLiteral("null"));
            continue;
        }
        JsonWriter entry;
        // The program folder, the help file and Quorix's own folders are Linux paths already:
        // no Windows form.
        if (!windowsForm.startsWith(u'/'))
            entry.add(QStringLiteral("windows"), windowsForm);
        entry.add(QStringLiteral("host"), hostForm(mapper, windowsForm));
        json.addRaw(QString::fromStdString(name), entry.toString());
    }
    ctx.out << json.toString() << '\n';
    return ExitOk;
}
