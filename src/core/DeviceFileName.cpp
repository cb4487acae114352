#include "core/DeviceFileName.h"

#include <algorithm>

namespace {

constexpr std::u32string_view kForbidden = U"\\/:*?\"<>|";

} // namespace

bool isDeviceNameChar(char32_t c)
{
    return c >= 32 && c != 127 && kForbidden.find(c) == std::u32string_view::npos;
}

bool isDeviceFileName(std::u16string_view name)
{
    if (name.empty() || name == u"." || name == u"..")
        return false;
    return std::all_of(name.begin(), name.end(), [](char16_t c) { return isDeviceNameChar(c); });
}

bool isDeviceNamePattern(std::u16string_view pattern)
{
    return std::all_of(pattern.begin(), pattern.end(),
                       [](char16_t c) { return c == u'*' || c == u'?' || isDeviceNameChar(c); });
}
