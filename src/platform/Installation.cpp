#include "platform/Installation.h"

#include "platform/PathMapper.h"
#include "platform/WineRegistry.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kFactorySubdir = QStringLiteral("/share/quorix/factory");

QString xdgHome(const QProcessEnvironment &env, const QString &variable, const QString &fallback)
{
    const QString value = env.value(variable);
    if (value.startsWith(u'/'))
        return value;
    return env.value(QStringLiteral("HOME"), QDir::homePath()) + fallback;
}

bool holdsFactoryFiles(const QString &dir)
{
    return QFileInfo(dir + QStringLiteral("/system.cif")).isFile() &&
           QFileInfo(dir + QStringLiteral("/weekly.cif")).isFile();
}

// Every missing folder of the path, made with mode 0700.
bool makePrivatePath(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    const QString parent = QFileInfo(path).path();
    if (parent != path && !makePrivatePath(parent))
        return false;
    return QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
           QFileInfo(path).isDir();
}

} // namespace

QString xdgCacheHome(const QProcessEnvironment &env)
{
    return xdgHome(env, QStringLiteral("XDG_CACHE_HOME"), QStringLiteral("/.cache"));
}

QString xdgDataHome(const QProcessEnvironment &env)
{
    return xdgHome(env, QStringLiteral("XDG_DATA_HOME"), QStringLiteral("/.local/share"));
}

InstallationPlaces InstallationPlaces::from(const QProcessEnvironment &env,
                                            const PathMapper &mapper, const QString &programDir)
{
    const QString dir = QDir::cleanPath(programDir);
    return {mapper.userRegPath(),
            xdgCacheHome(env) + QStringLiteral("/quorix"),
            xdgDataHome(env) + QStringLiteral("/quorix"),
            {QDir::cleanPath(dir + QStringLiteral("/..") + kFactorySubdir),
             QDir::cleanPath(dir + QStringLiteral("/../..") + kFactorySubdir)},
            programDir};
}

std::optional<Installation> FindInstallation(const InstallationPlaces &places, QString *problem)
{
    if (const auto installPath = ReadInstallPath(places.userRegPath))
        return Installation{
            Installation::Source::Suite,
            PathsTable::compute(installPath->toStdString(), places.programDir.toStdString())};

    for (const QString &dir : places.factoryDirs) {
        if (holdsFactoryFiles(dir))
            return Installation{Installation::Source::Own,
                                PathsTable::own(places.cacheDir.toStdString(),
                                                places.dataDir.toStdString(), dir.toStdString(),
                                                places.programDir.toStdString())};
    }
    if (problem)
        *problem = InstallationNotFound(places.userRegPath) +
                   QStringLiteral(", and Quorix's own factory settings (system.cif, weekly.cif) "
                                  "are not in %1")
                       .arg(places.factoryDirs.join(QStringLiteral(" or ")));
    return std::nullopt;
}

bool CreateOwnFolders(const PathsTable &paths)
{
    for (const std::string &dir : {paths.SoundCacheDir, paths.PcIniDir}) {
        if (!makePrivatePath(QString::fromStdString(dir)))
            return false;
    }
    return true;
}
