#include "core/PathsTable.h"

namespace {

// The files inside the folders and the program folder, named with the installation's separator.
void addFiles(PathsTable &p, char separator)
{
    const auto in = [separator](const std::string &dir, const char *name) {
        return dir + separator + name;
    };
    p.PcSystemFile = in(p.PcIniDir, "system.ini");
    p.PcWeeklyFile = in(p.PcIniDir, "weekly.ini");
    p.CacheSystemFile = in(p.CacheSystemDir, "system.ini");
    p.CacheWeeklyFile = in(p.CacheSystemDir, "weekly.ini");
    p.DefaultSystemFile = in(p.DefaultsDir, "system.cif");
    p.DefaultWeeklyFile = in(p.DefaultsDir, "weekly.cif");
    p.SoundCachePattern = in(p.SoundCacheDir, "*.snd");
    p.HelpFilePath = in(p.ProgramDir, "Tavion.hlp");
}

} // namespace

std::string PathsTable::cacheSystemDirOf(const std::string &installPath)
{
    return installPath + "\\dockman\\cache\\system";
}

PathsTable PathsTable::compute(const std::string &installPath, const std::string &programDir)
{
    PathsTable p;
    p.InstallPath = installPath;
    p.ProgramDir = programDir;
    p.PcIniDir = installPath + "\\userdata\\ini";
    p.CacheSystemDir = cacheSystemDirOf(installPath);
    p.SoundCacheDir = installPath + "\\dockman\\cache\\system\\sound";
    p.DefaultsDir = installPath + "\\razevo";
    addFiles(p, '\\');
    p.CheckFileSource = installPath + "\\vxapps\\check.exf";
    p.CheckFileCopy = installPath + "\\dockman\\cache\\system\\apps\\check.exf";
    return p;
}

PathsTable PathsTable::own(const std::string &cacheDir, const std::string &dataDir,
                           const std::string &factoryDir, const std::string &programDir)
{
    PathsTable p;
    p.OwnInstallation = true;
    p.InstallPath = dataDir;
    p.ProgramDir = programDir;
    p.PcIniDir = dataDir + "/backup";
    p.CacheSystemDir = cacheDir + "/system";
    p.SoundCacheDir = p.CacheSystemDir + "/sound";
    p.DefaultsDir = factoryDir;
    addFiles(p, '/');
    // No check file: CheckFileSource and CheckFileCopy stay empty.
    return p;
}

std::vector<std::pair<std::string, std::string>> PathsTable::entries() const
{
    return {
        {"InstallPath", InstallPath},
        {"ProgramDir", ProgramDir},
        {"PcIniDir", PcIniDir},
        {"CacheSystemDir", CacheSystemDir},
        {"SoundCacheDir", SoundCacheDir},
        {"DefaultsDir", DefaultsDir},
        {"PcSystemFile", PcSystemFile},
        {"PcWeeklyFile", PcWeeklyFile},
        {"CacheSystemFile", CacheSystemFile},
        {"CacheWeeklyFile", CacheWeeklyFile},
        {"DefaultSystemFile", DefaultSystemFile},
        {"DefaultWeeklyFile", DefaultWeeklyFile},
        {"SoundCachePattern", SoundCachePattern},
        {"HelpFilePath", HelpFilePath},
        {"CheckFileSource", CheckFileSource},
        {"CheckFileCopy", CheckFileCopy},
    };
}
