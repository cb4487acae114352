#pragma once

#include <QString>

#include <cstdint>
#include <span>

// The link to the Tavion: copies single files between the PC and the device and lists device
// directories. Device paths look like "\system\system.ini"; PC paths are the suite's Windows
// paths (or host paths starting with '/'). Results keep the library's conventions, which callers
// rely on: 0 is success for the transfers, and only the low 16 bits of the other results count.
class DeviceLink
{
public:
    virtual ~DeviceLink() = default;

    // 0 = the device file now exists at pcPath; anything else = not fetched. Trailing blanks
    // of pcPath (the load passes a blank-padded field) are not part of the path.
    virtual std::int32_t Vlt_GetFile(const QString &pcPath, const QString &devicePath,
                                     std::int32_t mode) = 0;
    // Low 16 bits 0 = the PC file was copied to devicePath.
    virtual std::int32_t Vlt_PutFile(const QString &devicePath, const QString &pcPath,
                                     std::int32_t mode) = 0;
    // Low 16 bits non-zero = the device file or directory exists.
    virtual std::int32_t Vlt_IsExist(const QString &devicePath) = 0;
    // Low 16 bits 0 = the device file was removed. Directories are never removed.
    virtual std::int32_t Vlt_DeleteFile(const QString &devicePath) = 0;
    // Writes the ANSI names of deviceDir's files with that extension into buffer, separated by
    // tabs, at most maxChars of them; the low 16 bits, signed, are the characters written.
    virtual std::int32_t Vlt_DirByExt(const QString &deviceDir, const QString &extension,
                                      std::span<char> buffer, std::int32_t maxChars) = 0;
    // Shows the link's own settings.
    virtual void Vlt_SetupDisconnection() = 0;
    // Low 16 bits 0 = the device may be released and the window may close.
    virtual std::int32_t Vlt_DoDisconnect() = 0;
};

// The settings files and the sound folder on the device.
inline const QString kDeviceSystemFile = QStringLiteral("\\system\\system.ini");
inline const QString kDeviceWeeklyFile = QStringLiteral("\\system\\weekly.ini");
inline const QString kDeviceSoundDir = QStringLiteral("\\system\\sound");
inline const QString kSoundExtension = QStringLiteral("snd");

// The transfer mode that copies a whole file.
constexpr std::int32_t kWholeFile = -1;

// Result codes of the shipped link; callers only test for zero.
namespace vlt {

constexpr std::int32_t Ok = 0;
constexpr std::int32_t Unreachable = 1;   // no device root, or it is not a directory
constexpr std::int32_t PathRefused = 2;   // the device path would leave the device
constexpr std::int32_t NotFound = 3;      // no such device (or PC) file
constexpr std::int32_t CopyFailed = 4;    // reading or writing a file failed
constexpr std::int32_t KeepConnected = 1; // Vlt_DoDisconnect: the user kept the device

// Low 16 bits, as the callers of the library read its results.
inline std::int16_t low16(std::int32_t result)
{
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(result) & 0xFFFFu);
}

// What a transfer result means, for messages of the command line tool.
QString describe(std::int32_t result);

} // namespace vlt
