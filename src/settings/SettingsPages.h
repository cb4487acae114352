#pragma once

#include <QString>

// What the settings store needs from the window: copying between records and controls,
// the page checks, and the displays that follow a load. The window implements it; tests
// use a fake.
class SettingsPages
{
public:
    virtual ~SettingsPages() = default;

    virtual void RecordsToPages() = 0;
    // false when a page value cannot be stored (a user name outside Windows-1252).
    virtual bool PagesToRecords() = 0;
    virtual void ApplyFactoryDefaults() = 0;

    // 1-based index of the selected tab.
    virtual int selectedTab() const = 0;
    virtual bool CheckPowerPage() = 0;
    virtual bool CheckAlarmPage() = 0;

    // Refills the alarm sound lists (SoundCombo_Disp) once the device's sounds were listed.
    virtual void refillSoundLists() = 0;
    // ShowPowerFrames, ShowFilerPicture, SoundCombo_Disp, RefreshAllAlarms, in this order.
    virtual void refreshPageDisplays() = 0;

    // A save succeeded: what the pages show now counts as saved (the user-name box included,
    // which is compared at close).
    virtual void pagesSaved() {}

    virtual void setCaption(const QString &caption) = 0;
    // Asks the window to close (the working-file lookup found nothing to work on).
    virtual void closeWindow() = 0;
};

// The tabs whose pages check themselves before they are left or saved.
constexpr int kPowerTab = 1;
constexpr int kAlarmTab = 6;

// The check of the page on that tab; tabs without one always pass.
inline bool CheckPageOfTab(SettingsPages &pages, int tab)
{
    if (tab == kPowerTab)
        return pages.CheckPowerPage();
    if (tab == kAlarmTab)
        return pages.CheckAlarmPage();
    return true;
}
