#pragma once

#include "core/RecordImage.h"

// The four alarms and the hourly chime (weekly.ini / weekly.cif), 76 bytes.
struct WeeklyRecord : RecordImage<76>
{
    static constexpr int AlarmCount = 4;
    static constexpr std::size_t AlarmEntrySize = 14;
    static constexpr std::size_t SoundNameWidth = 8;
    static constexpr std::size_t Hidden56Offset = 56;
    static constexpr std::size_t HourlyChimeOffset = 58;
    static constexpr std::size_t RepeatIndexOffset = 60;
    static constexpr std::size_t WeekdayMaskOffset = 68;

    // Repeat value meaning "every day"; any other non-zero value is a weekday bit mask.
    static constexpr std::int16_t RepeatDaily = 255;

    static constexpr std::size_t alarmOffset(int alarm)
    {
        return AlarmEntrySize * static_cast<std::size_t>(alarm);
    }
    static constexpr std::size_t repeatOffset(int alarm) { return alarmOffset(alarm); }
    static constexpr std::size_t hourOffset(int alarm) { return alarmOffset(alarm) + 2; }
    static constexpr std::size_t minuteOffset(int alarm) { return alarmOffset(alarm) + 4; }
    static constexpr std::size_t soundNameOffset(int alarm) { return alarmOffset(alarm) + 6; }
    static constexpr std::size_t repeatIndexOffset(int alarm)
    {
        return RepeatIndexOffset + 2 * static_cast<std::size_t>(alarm);
    }
    static constexpr std::size_t weekdayMaskOffset(int alarm)
    {
        return WeekdayMaskOffset + 2 * static_cast<std::size_t>(alarm);
    }

    std::int16_t repeat(int alarm) const { return int16At(repeatOffset(alarm)); }
    void setRepeat(int alarm, std::int16_t v) { setInt16At(repeatOffset(alarm), v); }
    std::int16_t hour(int alarm) const { return int16At(hourOffset(alarm)); }
    void setHour(int alarm, std::int16_t v) { setInt16At(hourOffset(alarm), v); }
    std::int16_t minute(int alarm) const { return int16At(minuteOffset(alarm)); }
    void setMinute(int alarm, std::int16_t v) { setInt16At(minuteOffset(alarm), v); }
    std::string soundName(int alarm) const
    {
        return textAt(soundNameOffset(alarm), SoundNameWidth);
    }
    bool setSoundName(int alarm, std::string_view ansiName)
    {
        return setTextAt(soundNameOffset(alarm), SoundNameWidth, ansiName);
    }

    std::int16_t hidden56() const { return int16At(Hidden56Offset); }
    void setHidden56(std::int16_t v) { setInt16At(Hidden56Offset, v); }
    std::int16_t hourlyChime() const { return int16At(HourlyChimeOffset); }
    void setHourlyChime(std::int16_t v) { setInt16At(HourlyChimeOffset, v); }
    std::int16_t repeatIndex(int alarm) const { return int16At(repeatIndexOffset(alarm)); }
    void setRepeatIndex(int alarm, std::int16_t v) { setInt16At(repeatIndexOffset(alarm), v); }
    std::int16_t weekdayMask(int alarm) const { return int16At(weekdayMaskOffset(alarm)); }
    void setWeekdayMask(int alarm, std::int16_t v) { setInt16At(weekdayMaskOffset(alarm), v); }
};
