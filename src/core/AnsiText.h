#pragma once

#include <optional>
#include <string>
#include <string_view>

// The device and its files store text as single-byte Windows-1252 ("ANSI").
// Everything above the file boundary works in UTF-8.
namespace ansi {

// Decodes Windows-1252 bytes; the five bytes the code page leaves undefined map to U+0081 etc.
std::string toUtf8(std::string_view ansiBytes);

// Encodes UTF-8 text; nullopt when the text is not valid UTF-8 or holds a character
// that Windows-1252 cannot store.
std::optional<std::string> fromUtf8(std::string_view utf8);

// Encodes one Unicode code point; nullopt when Windows-1252 has no byte for it.
std::optional<unsigned char> fromCodePoint(char32_t cp);

// Decodes UTF-8 into code points; nullopt on malformed input.
std::optional<std::u32string> decodeUtf8(std::string_view utf8);

std::string encodeUtf8(char32_t cp);

// Upper case as the device makes it, byte for byte: a-z, the accented small letters
// 0xE0-0xFE (0xF7, the division sign, aside), and the small letters of 0x9A, 0x9C, 0x9E and
// 0xFF. Every other byte, 0xDF (sharp s) and 0xB5 (micro sign) among them, stays as it is.
std::string toUpper(std::string_view ansiBytes);

} // namespace ansi
