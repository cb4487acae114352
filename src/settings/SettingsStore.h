#pragma once

#include "core/PathsTable.h"
#include "devicelink/DeviceLink.h"
#include "platform/MessageBoxes.h"
#include "platform/PathMapper.h"
#include "settings/DeviceTransfer.h"
#include "settings/SettingsHistory.h"
#include "settings/SettingsPages.h"
#include "settings/SettingsState.h"

#include <optional>

// Where a pair of settings files is read from or written to.
enum class SettingsSource
{
    PC,      // PcSystemFile, PcWeeklyFile
    Device,  // CacheSystemFile, CacheWeeklyFile, handed to and from the device
    Default, // the factory files; read only
};

// Moves the two records between the pages and the places settings live, and keeps ChangedFlag,
// LoadingPages and the caption in step. Every failure is reported through the message boxes;
// nothing is thrown.
class SettingsStore
{
public:
    SettingsStore(SettingsState &state, const PathsTable &paths, const PathMapper &mapper,
                  DeviceLink &link, MessageBoxes &boxes, SettingsPages &pages,
                  SettingsHistory &history);

    // Fills both records from the source and puts them into the pages.
    void LoadSettings(SettingsSource source);
    // PC or Device; true when both files were written (and handed to the device). A save to
    // the device first keeps the device's settings in the history, asks before replacing
    // settings changed on the device since this window last loaded or saved them, and ends by
    // reading both records back.
    bool SaveSettings(SettingsSource destination);
    // Offers to save unsaved edits to the device; false = stop what was about to happen.
    bool SavePrompt();
    // The reset command: asks, then loads the factory files.
    void ResetToDefaults();
    // Start-up: the device when both files can be fetched, else the factory files; nullopt
    // (after closing the window) when those are missing too.
    std::optional<SettingsSource> FindWorkingFiles();
    // Start-up: brings the device check file in the transfer cache up to date. Silent.
    void RefreshCheckFile();
    // Rebuilds SoundList from the device.
    void GetSoundList();

    // The "open from the device" command.
    void OpenFromDevice();
    // Shows a snapshot of the history as unsaved changes; false (after a message) when it is
    // damaged.
    bool OpenSnapshot(const SettingsHistory::Snapshot &snapshot);

    // The sound file names the alarm lists offer: the device's SoundList when the settings
    // shown first came from the device, else the *.snd files of the sound cache.
    QStringList alarmSoundFiles() const;

private:
    struct FilePair
    {
        std::string system;
        std::string weekly;
    };
    FilePair filesOf(SettingsSource source) const;
    bool fetchDeviceFiles();
    void mirrorSoundFiles();
    bool readRecords(const FilePair &files);
    enum class Written
    {
        Yes,
        No,
        Declined
    };
    Written writeFiles(SettingsSource destination);
    Written writeToDevice(const FilePair &files);
    bool exists(const std::string &windowsPath) const;
    QString host(const std::string &windowsPath) const;

    SettingsState &m_state;
    const PathsTable &m_paths;
    const PathMapper &m_mapper;
    DeviceLink &m_link;
    MessageBoxes &m_boxes;
    SettingsPages &m_pages;
    SettingsHistory &m_history;
    // What this window last loaded from or saved to the device; the guard compares with it.
    std::optional<RecordPair> m_lastDevice;
};
