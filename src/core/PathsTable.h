#pragma once

#include <string>
#include <utility>
#include <vector>

// Every directory and file name the program derives from the suite's installation directory.
// Entries keep the suite's Windows form (backslashes); they are mapped to host paths only
// where a file is touched.
struct PathsTable
{
    std::string InstallPath;
    std::string ProgramDir;
    std::string PcIniDir;
    std::string CacheSystemDir;
    std::string SoundCacheDir;
    std::string DefaultsDir;
    std::string PcSystemFile;
    std::string PcWeeklyFile;
    std::string CacheSystemFile;
    std::string CacheWeeklyFile;
    std::string DefaultSystemFile;
    std::string DefaultWeeklyFile;
    std::string SoundCachePattern;
    std::string HelpFilePath;
    std::string CheckFileSource;
    std::string CheckFileCopy;

    // installPath never ends with a backslash (the registry lookup removes one).
    static PathsTable compute(const std::string &installPath, const std::string &programDir);

    static std::string cacheSystemDirOf(const std::string &installPath);

    // Name and value of every entry, in table order.
    std::vector<std::pair<std::string, std::string>> entries() const;
};
