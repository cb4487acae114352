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

} // namespace ansi
