#pragma once

#include <string_view>

// The one rule for names on the device and in Windows paths: what a single path component may
// hold. Control characters (NUL included), DEL, path separators, drive or stream colons,
// wildcards, quotes and angle brackets never do; "." and ".." are not names.

// True for a character a device file name can hold.
bool isDeviceNameChar(char32_t c);

// A whole file name: not empty, not "." or "..", only characters isDeviceNameChar accepts.
bool isDeviceFileName(std::u16string_view name);

// A listing pattern: like a file name, except that it may be empty and '*' and '?' are
// wildcards.
bool isDeviceNamePattern(std::u16string_view pattern);
