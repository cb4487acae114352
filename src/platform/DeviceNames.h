#pragma once

#include "core/DeviceFileName.h"

#include <QStringView>

// The rule of core/DeviceFileName.h for Qt strings.

inline bool isDeviceFileName(QStringView name)
{
    return isDeviceFileName(
        std::u16string_view(name.utf16(), static_cast<std::size_t>(name.size())));
}

inline bool isDeviceNamePattern(QStringView pattern)
{
    return isDeviceNamePattern(
        std::u16string_view(pattern.utf16(), static_cast<std::size_t>(pattern.size())));
}
