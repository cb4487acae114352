#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A fixed-size record exactly as the device stores it: little-endian 16-bit integers and
// NUL-padded single-byte text. Bytes the program does not interpret are simply kept.
template <std::size_t N> struct RecordImage
{
    static constexpr std::size_t Size = N;
    std::array<std::uint8_t, N> bytes{};

    std::int16_t int16At(std::size_t offset) const
    {
        const auto value =
            static_cast<std::uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
        return static_cast<std::int16_t>(value);
    }

    void setInt16At(std::size_t offset, std::int16_t value)
    {
        const auto raw = static_cast<std::uint16_t>(value);
        bytes.at(offset) = static_cast<std::uint8_t>(raw & 0xFF);
        bytes.at(offset + 1) = static_cast<std::uint8_t>(raw >> 8);
    }

    // The text before the first NUL; a field that is full has no terminator.
    std::string textAt(std::size_t offset, std::size_t width) const
    {
        std::string text;
        for (std::size_t i = offset; i < offset + width && bytes.at(i) != 0; ++i)
            text += static_cast<char>(bytes[i]);
        return text;
    }

    // Stores single-byte text NUL-padded; refuses text longer than the field.
    bool setTextAt(std::size_t offset, std::size_t width, std::string_view ansiText)
    {
        if (ansiText.size() > width || offset + width > N)
            return false;
        for (std::size_t i = 0; i < width; ++i)
            bytes[offset + i] = i < ansiText.size() ? static_cast<std::uint8_t>(ansiText[i]) : 0;
        return true;
    }

    friend bool operator==(const RecordImage &, const RecordImage &) = default;
};
