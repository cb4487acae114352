#pragma once

#include "settings/SystemRecord.h"
#include "settings/WeeklyRecord.h"

#include <QStringList>

// The settings the window edits, and the flags that say what state its pages are in.
// One instance, owned by the main window and shared with the store and the pages.
struct SettingsState
{
    SystemRecord systemRecord;
    WeeklyRecord weeklyRecord;
    bool ChangedFlag = false;  // the pages hold edits that are not saved
    bool LoadingPages = false; // records or defaults are being put into the pages
    QStringList SoundList;     // the device's sound file names, ended by an empty entry
};
