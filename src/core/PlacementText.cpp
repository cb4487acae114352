#include "core/PlacementText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

std::string_view trimBlanks(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::int32_t> parseField(std::string_view field)
{
    field = trimBlanks(field);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    if (field.empty())
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string FormatPrefNumber(std::int32_t value)
{
    const std::string digits = std::to_string(value);
    return value >= 0 ? " " + digits : digits;
}

std::string FormatPlacement(const WindowPlacement &placement)
{
    const PlacementRect &r = placement.normalPosition;
    return FormatPrefNumber(placement.showCmd) + "," + FormatPrefNumber(r.bottom) + "," +
           FormatPrefNumber(r.left) + "," + FormatPrefNumber(r.right) + "," +
           FormatPrefNumber(r.top);
}

bool ParsePlacement(std::string_view text, WindowPlacement &placement)
{
    std::int32_t fields[5] = {};
    for (int i = 0; i < 5; ++i) {
        std::string_view field = text;
        if (i < 4) {
            const auto comma = text.find(',');
            if (comma == std::string_view::npos)
                return false;
            field = text.substr(0, comma);
            text.remove_prefix(comma + 1);
        }
        const auto value = parseField(field);
        if (!value)
            return false;
        fields[i] = *value;
    }
    placement.showCmd = fields[0];
    placement.normalPosition.bottom = fields[1];
    placement.normalPosition.left = fields[2];
    placement.normalPosition.right = fields[3];
    placement.normalPosition.top = fields[4];
    return true;
}

std::optional<double> ParseFlagNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool FlagTextSuppresses(std::string_view text)
{
    const auto value = ParseFlagNumber(text);
    return value && *value == 1.0;
}

PlacementPoint CentredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight,
                             bool clampToScreen)
{
    // Halves are not truncated before the sum; the result is rounded once.
    double x = screenWidth / 2.0 - windowWidth / 2.0;
    double y = screenHeight / 2.0 - windowHeight / 2.0;
    if (clampToScreen) {
        x = std::max(x, 0.0);
        y = std::max(y, 0.0);
    }
    return {static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y))};
}
