#include "cli/Commands.h"
#include "cli/JsonWriter.h"

#include "core/PathsTable.h"
#include "platform/PathMapper.h"
#include "platform/WineRegistry.h"

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
    const auto installPath = ReadInstallPath(mapper.userRegPath());
    if (!installPath) {
        ctx.err << "quorixctl: " << InstallationNotFound(mapper.userRegPath()) << '\n';
        return ExitNoInstallation;
    }
    const PathsTable paths = PathsTable::compute(
        installPath->toStdString(), QCoreApplication::applicationDirPath().toStdString());

    JsonWriter json;
    json.add(QStringLiteral("WinePrefix"), mapper.prefixRoot());
    for (const auto &[name, value] : paths.entries()) {
        const QString windowsForm = QString::fromStdString(value);
        JsonWriter entry;
        // The program folder and the help file are Linux paths already: no Windows form.
        if (!windowsForm.startsWith(u'/'))
            entry.add(QStringLiteral("windows"), windowsForm);
        entry.add(QStringLiteral("host"), hostForm(mapper, windowsForm));
        json.addRaw(QString::fromStdString(name), entry.toString());
    }
    ctx.out << json.toString() << '\n';
    return ExitOk;
}
