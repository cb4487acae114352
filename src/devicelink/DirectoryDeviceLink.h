#pragma once

#include "devicelink/DeviceFinder.h"
#include "devicelink/DeviceLink.h"
#include "platform/PathMapper.h"

#include <QProcessEnvironment>
#include <QStringList>

#include <functional>
#include <optional>

// The link's own settings, kept in the user's settings of organisation and application
// "Rovoveri" and edited by the link's setup dialog.
struct DeviceLinkSettings
{
    QString deviceRoot;            // Link/DeviceRoot
    bool askBeforeRelease = false; // Link/AskBeforeRelease
    // With no root set: the Tavions found among the mounts (never stored). The root is the one
    // found when there is exactly one; several leave it unset, for the user to choose.
    QStringList found{};

    static DeviceLinkSettings load();
    void save() const;
};

// The Tavions a link with no folder set works with: looked for when first needed, and again when
// the window learns that the mounts changed.
class DeviceSearch
{
public:
    explicit DeviceSearch(const QProcessEnvironment &env);

    // The stored settings with the root replaced by $TAVION_DEVICE_ROOT when that is set, else
    // by the one Tavion found.
    DeviceLinkSettings settings();
    // The Tavions there as last looked for: the folder set when it holds one, else those found.
    QStringList present();
    // Looks again, so the link works with what is mounted now, and returns present().
    QStringList rescan();

private:
    QString m_rootOverride;
    DeviceFinder m_finder;
    std::optional<QStringList> m_found;
};

// The shipped link: the Tavion is reached as a mounted directory tree. Device names are matched
// case-insensitively, and no device path may lead outside the device root.
class DirectoryDeviceLink : public DeviceLink
{
public:
    // What the window supplies; without them setup does nothing and release never asks.
    struct Hooks
    {
        std::function<void()> setup;      // shows the link's settings dialog
        std::function<bool()> mayRelease; // true = the device may be released
    };
    using SettingsProvider = std::function<DeviceLinkSettings()>;

    // The settings are read at every call, so a root changed in the setup dialog counts at once.
    DirectoryDeviceLink(const PathMapper &mapper, SettingsProvider settings, Hooks hooks = {});

    // The settings of a DeviceSearch of its own: the Tavions mounted at the first call are kept
    // for the run.
    static SettingsProvider settingsFrom(const QProcessEnvironment &env);

    // Empty when the device root is usable, else why every transfer fails.
    QString rootProblem() const;
    // The root when it is the one Tavion found among the mounts; empty when it was set.
    QString foundRoot() const;
    // The host path a device path stands for; nullopt when it is refused or the device
    // cannot be reached. Missing trailing components keep the spelling given.
    std::optional<QString> hostPathOf(const QString &devicePath) const;

    std::int32_t Vlt_GetFile(const QString &pcPath, const QString &devicePath,
                             std::int32_t mode) override;
    std::int32_t Vlt_PutFile(const QString &devicePath, const QString &pcPath,
                             std::int32_t mode) override;
    std::int32_t Vlt_IsExist(const QString &devicePath) override;
    std::int32_t Vlt_DeleteFile(const QString &devicePath) override;
    std::int32_t Vlt_DirByExt(const QString &deviceDir, const QString &extension,
                              std::span<char> buffer, std::int32_t maxChars) override;
    void Vlt_SetupDisconnection() override;
    std::int32_t Vlt_DoDisconnect() override;

private:
    struct Target
    {
        std::int32_t status = vlt::Ok;
        QString hostPath;
    };
    Target resolve(const QString &devicePath) const;
    QString hostPcPath(const QString &pcPath) const;

    const PathMapper &m_mapper;
    SettingsProvider m_settings;
    Hooks m_hooks;
};
