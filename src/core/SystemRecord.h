#pragma once

#include "core/RecordImage.h"

// The 16-bit fields of the system record; the value is the byte offset in the record.
enum class SystemField : std::uint8_t
{
    Hidden06 = 6,
    Contrast = 8,
    Hidden10 = 10,
    Hidden12 = 12,
    Hidden14 = 14,
    Hidden16 = 16,
    Hidden18 = 18,
    Hidden28 = 28,
    StandbyMode = 30,
    AutoOffDelay = 32,
    PowerOnHour = 34,
    PowerOnMinute = 36,
    PowerOffHour = 38,
    PowerOffMinute = 40,
    BacklightTime = 42,
    KeyChirp = 44,
    AlarmSoundOn = 46,
    FilerViewMode = 48,
    FilerSortKey = 50,
    FilerSortOrder = 52,
    Hidden54 = 54,
    ClockFormat = 56,
    Hidden58 = 58,
    Hidden60 = 60,
    DaylightSaving = 62,
    Hidden64 = 64,
    Hidden66 = 66,
};

// The device's general system settings (system.ini / system.cif), 256 bytes.
struct SystemRecord : RecordImage<256>
{
    static constexpr std::size_t UserNameOffset = 100;
    static constexpr std::size_t UserNameWidth = 12;

    std::int16_t get(SystemField field) const { return int16At(static_cast<std::size_t>(field)); }
    void set(SystemField field, std::int16_t value)
    {
        setInt16At(static_cast<std::size_t>(field), value);
    }

    // Single-byte (Windows-1252) user name, without padding.
    std::string userName() const { return textAt(UserNameOffset, UserNameWidth); }
    bool setUserName(std::string_view ansiName)
    {
        return setTextAt(UserNameOffset, UserNameWidth, ansiName);
    }
};
