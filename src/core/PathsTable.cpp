#include "core/PathsTable.h"

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
    p.PcSystemFile = p.PcIniDir + "\\system.ini";
    p.PcWeeklyFile = p.PcIniDir + "\\weekly.ini";
    p.CacheSystemFile = p.CacheSystemDir + "\\system.ini";
    p.CacheWeeklyFile = p.CacheSystemDir + "\\weekly.ini";
    p.DefaultSystemFile = p.DefaultsDir + "\\system.cif";
    p.DefaultWeeklyFile = p.DefaultsDir + "\\weekly.cif";
    p.SoundCachePattern = p.SoundCacheDir + "\\*.snd";
    p.HelpFilePath = programDir + "\\Tavion.hlp";
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
    p.PcSystemFile = p.PcIniDir + "/system.ini";
    p.PcWeeklyFile = p.PcIniDir + "/weekly.ini";
    p.CacheSystemFile = p.CacheSystemDir + "/system.ini";
    p.CacheWeeklyFile = p.CacheSystemDir + "/weekly.ini";
    p.DefaultSystemFile = factoryDir + "/system.cif";
    p.DefaultWeeklyFile = factoryDir + "/weekly.cif";
    p.SoundCachePattern = p.SoundCacheDir + "/*.snd";
    p.HelpFilePath = programDir + "/Tavion.hlp";
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
