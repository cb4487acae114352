#pragma once

#include <string>
#include <utility>
#include <vector>

// Every directory and file name the program works with. With the device maker's suite they are
// derived from its installation directory and keep the suite's Windows form (backslashes),
// mapped to host paths only where a file is touched. Without the suite they are Quorix's own
// folders, host paths from the start.
struct PathsTable
{
    // True for Quorix's own installation: its factory files carry none of a device's own bytes
    // and there is no check file.
    bool OwnInstallation = false;

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

    // Quorix's own folders: the transfer and sound cache below cacheDir, the PC backups below
    // dataDir, the shipped factory files in factoryDir. All are host paths.
    static PathsTable own(const std::string &cacheDir, const std::string &dataDir,
                          const std::string &factoryDir, const std::string &programDir);

    static std::string cacheSystemDirOf(const std::string &installPath);

    // Name and value of every entry, in table order.
    std::vector<std::pair<std::string, std::string>> entries() const;
};
