#pragma once

#include "core/PathsTable.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

class PathMapper;

// Where the program's folders and factory files come from: the device maker's suite when its
// Wine prefix names an installation directory, else Quorix's own installation (its shipped
// factory files, and folders in the user's XDG cache and data folders).
struct Installation
{
    enum class Source
    {
        Suite,
        Own
    };
    Source source = Source::Own;
    PathsTable paths;
};

// The places both sources are looked for in.
struct InstallationPlaces
{
    QString userRegPath;
    QString cacheDir;        // $XDG_CACHE_HOME/quorix
    QString dataDir;         // $XDG_DATA_HOME/quorix
    QStringList factoryDirs; // where the shipped factory files may be, first match wins
    QString programDir;

    // The installed programs find the factory files in ../share/quorix/factory, those run from
    // the build tree in the build tree's share/quorix/factory.
    static InstallationPlaces from(const QProcessEnvironment &env, const PathMapper &mapper,
                                   const QString &programDir);
};

// $XDG_CACHE_HOME and $XDG_DATA_HOME, else their defaults below $HOME; relative values are
// ignored, as for every XDG variable.
QString xdgCacheHome(const QProcessEnvironment &env);
QString xdgDataHome(const QProcessEnvironment &env);

// The suite when it is installed, else Quorix's own installation; nullopt, with the reason in
// *problem, when neither is usable (no suite, and the shipped factory files are missing).
std::optional<Installation> FindInstallation(const InstallationPlaces &places, QString *problem);

// Creates the own installation's folders that do not exist yet, readable by the user alone.
// False when one cannot be made.
bool CreateOwnFolders(const PathsTable &paths);
