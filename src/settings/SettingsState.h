#pragma once

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"

#include <QStringList>

#include <array>

// The settings the window edits, and the flags that say what state its pages are in.
// One instance, owned by the main window and shared with the store and the pages.
struct SettingsState
{
    SystemRecord systemRecord;
    WeeklyRecord weeklyRecord;
    bool ChangedFlag = false;       // the pages hold edits that are not saved
    bool LoadingPages = false;      // records or defaults are being put into the pages
    QStringList SoundList;          // the device's sound file names, ended by an empty entry
    bool StartedFromDevice = false; // the settings shown first came from the device

    // Where the settings on the pages were last read from or written to, and how many loads
    // reached the pages: together they tell whether settings seen earlier are still those shown.
    enum class Origin
    {
        Factory,
        Device,
        PC,
        History
    };
    Origin ShownOrigin = Origin::Factory;
    int Loads = 0;

    // Per alarm: the weekday choice (element 0 Monday .. 6 Sunday, 0 or 1), kept for Weekly
    // mode whatever the page shows, and the sound chosen, also when the lists lack it.
    std::array<std::array<int, 7>, 4> WeekCheckSave{};
    std::array<QString, 4> AlarmSoundName;
};
