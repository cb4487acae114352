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

#include <QCheckBox>

// All seven pages bound to one settings state, in one window as the program holds them.
struct PageFixture
{
    QWidget window;
    SettingsState state;
    FakeMessageBoxes boxes;
    PowerPage power{state, boxes, &window};
    SoundPage sound{state, boxes, &window};
    FilerPage filer{state, boxes, &window};
    DisplayPage display{state, boxes, &window};
    TimePage time{state, boxes, &window};
    AlarmPage alarm{state, boxes, &window};
    UserNamePage userName{state, boxes, &window};
    PageBinding binding{state, {&power, &sound, &filer, &display, &time, &alarm, &userName}};
    QStringList soundFiles; // what the settings layer offers the alarm lists

    PageFixture()
    {
        alarm.setSoundFiles([this] { return soundFiles; });
    }

    void offerSounds(const QStringList &fileNames)
    {
        soundFiles = fileNames;
        alarm.SoundCombo_Disp();
    }

    int ticked(int n) const // alarm n's ticked weekday boxes, Monday bit 0 .. Sunday bit 6
    {
        int bits = 0;
        for (int day = 0; day < AlarmPage::DayCount; ++day)
            bits |= alarm.ALWeek(n, day)->isChecked() ? 1 << day : 0;
        return bits;
    }

    void load() // what a load does around the binding
    {
        state.LoadingPages = true;
        binding.RecordsToPages();
        binding.refreshPageDisplays();
        state.LoadingPages = false;
        state.ChangedFlag = false;
    }
};
