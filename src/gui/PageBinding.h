#pragma once

#include <QString>

#include <cstdint>

class AlarmPage;
class DisplayPage;
class FilerPage;
class PowerPage;
class SoundPage;
class TimePage;
class UserNamePage;
struct SettingsState;
struct SystemRecord;

// Copies the system and weekly records into the page controls and back, and puts the factory
// settings into the pages. Which control holds which field, and how values are converted,
// lives here; the pages' own behaviour stays with the pages.
class PageBinding
{
public:
    struct Pages
    {
        PowerPage *power = nullptr;
        SoundPage *sound = nullptr;
        FilerPage *filer = nullptr;
        DisplayPage *display = nullptr;
        TimePage *time = nullptr;
        AlarmPage *alarm = nullptr;
        UserNamePage *userName = nullptr;
    };

    // Shown, and saved, when the record holds no user name.
    static const QString DefaultUserName;

    PageBinding(SettingsState &state, const Pages &pages);

    // Record values a control cannot take are skipped: the control keeps what it shows.
    void RecordsToPages();
    // False when a value cannot be stored (a user name outside Windows-1252); the records
    // are then partly written and must not be saved.
    bool PagesToRecords();
    void ApplyFactoryDefaults();

    // Weekday choice of an alarm (0..3) as a bit mask, Monday bit 0 .. Sunday bit 6.
    void GetWeekCheckSave(std::int16_t &mask, int alarm) const;
    void SetWeekCheckSave(std::int16_t mask, int alarm);
    // The record's Repeat value for the alarm's repeat list; also stores the list position.
    void GetWeekCheck(std::int16_t &repeat, int alarm);
    // Selects the alarm's repeat list from the record's RepeatIndex (repeat is not used).
    void SetWeekCheck(std::int16_t repeat, int alarm);

    bool CheckPowerPage();
    bool CheckAlarmPage();
    // What a load shows after the records are in the pages: power frames, filer picture,
    // refilled sound lists, alarm rows.
    void refreshPageDisplays();

    // The filer sort key is stored as a device code, listed in another order on the page.
    static int sortKeyToPosition(int code);
    static int positionToSortKey(int position);

    // The user name last put into or taken from the box; an edit since shows as a difference.
    QString UserNameSnapshot;

private:
    void checkAlarm(int alarm) const;
    // The system record's values on the pages that show them (time signal and alarms aside).
    void systemToPages(const SystemRecord &sys);

    SettingsState &m_state;
    Pages m_pages;
};
