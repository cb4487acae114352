#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

// The end marker (FF FF) must be one of this many records.
inline constexpr std::int32_t MaxSndRecords = 32767;
// Header and records up to the last place the end marker may stand; later bytes are never read.
inline constexpr std::size_t MaxSndBytes = 4 + 2 * MaxSndRecords;

// One record of a device sound file: note number N and length byte D.
struct SndRecord
{
    std::uint8_t N;
    std::uint8_t D;
};

// A device sound file that can be rendered: tempo and notes, end marker excluded.
struct SndFile
{
    std::uint8_t tempo = 0;
    std::vector<SndRecord> records;
    std::uint64_t sampleCount = 0;
};

enum class SndError
{
    None,
    Unreadable,
    BadHeader,
    BadTempo,
    NoEndMarker,
    CutRecord,
    NoteTooHigh,
    TooManyRecords,
    TooLong,
    WriteFailed,
};

// Why a sound file was refused; offset and value point at the offending byte where there is one.
struct SndResult
{
    SndError error = SndError::None;
    std::int64_t offset = -1;
    int value = 0;
};

// The RIFF size field (file length - 8) has 32 bits: true when that many samples fit.
bool fitsWav(std::uint64_t sampleCount);
// Checks a whole sound file image before anything is rendered from it.
SndResult ParseSndFile(std::span<const std::uint8_t> bytes, SndFile &snd);
// Reads at most MaxSndBytes of a regular file and parses them.
SndResult ReadSndFile(const std::filesystem::path &path, SndFile &snd);
// One line of plain English, without the file name.
std::string SndResultText(const SndResult &result);
