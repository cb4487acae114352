#pragma once

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"

#include <array>
#include <string_view>

// The settings a Tavion leaves the factory with: what the reset shows on the pages and what
// the suite's factory files hold.
struct FactoryValue
{
    SystemField field;
    std::int16_t value;
    bool shownOnPage; // false: a device setting no page shows, set by the reset directly
};

inline constexpr std::array<FactoryValue, 27> kFactorySystemValues{{
    {SystemField::Hidden06, 1, false},      {SystemField::Contrast, 16, true},
    {SystemField::Hidden10, 0, false},      {SystemField::Hidden12, 2, false},
    {SystemField::Hidden14, 1, false},      {SystemField::Hidden16, 10, false},
    {SystemField::Hidden18, 2, false},      {SystemField::Hidden28, 1, false},
    {SystemField::StandbyMode, 1, true},    {SystemField::AutoOffDelay, 3, true},
    {SystemField::PowerOnHour, 7, true},    {SystemField::PowerOnMinute, 0, true},
    {SystemField::PowerOffHour, 23, true},  {SystemField::PowerOffMinute, 0, true},
    {SystemField::BacklightTime, 3, true},  {SystemField::KeyChirp, 0, true},
    {SystemField::AlarmSoundOn, 1, true},   {SystemField::FilerViewMode, 2, true},
    {SystemField::FilerSortKey, 4, true},   {SystemField::FilerSortOrder, 0, true},
    {SystemField::Hidden54, 7, false},      {SystemField::ClockFormat, 0, true},
    {SystemField::Hidden58, 0, false},      {SystemField::Hidden60, 1, false},
    {SystemField::DaylightSaving, 0, true}, {SystemField::Hidden64, 0, false},
    {SystemField::Hidden66, 0, false},
}};

inline constexpr std::string_view kFactoryUserName = "My Computer";

// Every field above and the user name; the rest of the record is zero.
SystemRecord factorySystemRecord();
// All alarms off, no sounds, no hourly chime.
WeeklyRecord factoryWeeklyRecord();
