#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text forms of the per-user preferences: the window placement ("WindwInformation") and the
// reminder flag ("MsgDsp"). Standard library only, so the command-line tool can share them.

struct PlacementPoint
{
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct PlacementRect
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// A window's placement as the window system reports it. Only the show command and the
// restored (normal) rectangle are stored.
struct WindowPlacement
{
    static constexpr std::int32_t RecordLength = 44;
    static constexpr std::int32_t ShowNormal = 1;
    static constexpr std::int32_t ShowMinimized = 2;
    static constexpr std::int32_t ShowMaximized = 3;

    std::int32_t length = RecordLength;
    std::int32_t flags = 0;
    std::int32_t showCmd = ShowNormal;
    PlacementPoint minPosition;
    PlacementPoint maxPosition;
    PlacementRect normalPosition;
};

// The number format of both preferences: a blank before a value of 0 or more, a minus sign
// before a negative one, nothing else (" 1", "-8", " 0").
std::string FormatPrefNumber(std::int32_t value);

// Show command, bottom, left, right, top, each in FormatPrefNumber form, joined by commas.
std::string FormatPlacement(const WindowPlacement &placement);

// Reads text written by FormatPlacement: the first four fields end at a comma, the fifth is the
// rest of the text; blanks around a number are ignored. Fills the show command and the
// restored rectangle. Fewer than five fields or a field that is not a whole 32-bit number fail
// and leave the record untouched.
bool ParsePlacement(std::string_view text, WindowPlacement &placement);

// The reminder flag as a number: any decimal number with blanks around it; nothing for text
// that is not a number.
std::optional<double> ParseFlagNumber(std::string_view text);

// True when the stored "MsgDsp" text switches the transfer reminder off (it equals 1).
bool FlagTextSuppresses(std::string_view text);

// Top-left corner that centres a window of the given size on a screen of the given size.
// With clampToScreen the corner never goes above or left of the screen's origin.
PlacementPoint CentredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight,
                             bool clampToScreen);
