#pragma once

#include "common/FakeMessageBoxes.h"
#include "pages/AlarmPage.h"
#include "pages/DisplayPage.h"
#include "pages/FilerPage.h"
#include "pages/PowerPage.h"
#include "pages/SoundPage.h"
#include "pages/TimePage.h"
#include "pages/UserNamePage.h"
#include "settings/PageBinding.h"
#include "settings/SettingsState.h"

// All seven pages bound to one settings state, as the window holds them.
struct PageFixture
{
    SettingsState state;
    FakeMessageBoxes boxes;
    PowerPage power{state, boxes};
    SoundPage sound{state, boxes};
    FilerPage filer{state, boxes};
    DisplayPage display{state, boxes};
    TimePage time{state, boxes};
    AlarmPage alarm{state, boxes};
    UserNamePage userName{state, boxes};
    PageBinding binding{state, {&power, &sound, &filer, &display, &time, &alarm, &userName}};

    // The device's sound list, as the window passes it on after a start from the device.
    void offerSounds(const QStringList &fileNames)
    {
        state.SoundList = fileNames;
        state.SoundList << QString();
        alarm.setStartedFromDevice(true);
        alarm.SoundCombo_Disp();
    }

    // What a load does around the binding.
    void load()
    {
        state.LoadingPages = true;
        binding.RecordsToPages();
        binding.refreshPageDisplays();
        state.LoadingPages = false;
        state.ChangedFlag = false;
    }
};
