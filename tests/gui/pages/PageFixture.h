#pragma once

#include "gui/PageBinding.h"
#include "gui/pages/AlarmPage.h"
#include "gui/pages/DisplayPage.h"
#include "gui/pages/FilerPage.h"
#include "gui/pages/PowerPage.h"
#include "gui/pages/SoundPage.h"
#include "gui/pages/TimePage.h"
#include "gui/pages/UserNamePage.h"
#include "settings/SettingsState.h"
#include "support/FakeMessageBoxes.h"

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

    // The sound files the settings layer offers the alarm lists.
    QStringList soundFiles;

    PageFixture()
    {
        alarm.setSoundFiles([this] { return soundFiles; });
    }

    void offerSounds(const QStringList &fileNames)
    {
        soundFiles = fileNames;
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
