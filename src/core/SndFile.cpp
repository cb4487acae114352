#include "core/SndFile.h"

#include "core/ToneSynth.h"

#include <cstdio>
#include <limits>

namespace {

constexpr std::uint8_t FormatByte = 7;
constexpr std::uint8_t EndByte = 0xFF;
constexpr std::uint64_t WavHeaderSize = 44;

bool isEndMarker(const SndRecord &record)
{
    return record.N == EndByte && record.D == EndByte;
}

} // namespace

bool fitsWav(std::uint64_t sampleCount)
{
    return WavHeaderSize + sampleCount - 8 <= std::numeric_limits<std::uint32_t>::max();
}

SndResult ParseSndFile(std::span<const std::uint8_t> bytes, SndFile &snd)
{
    if (bytes.size() < 4 || bytes[0] != FormatByte || bytes[1] != 0 || bytes[3] != 0)
        return {SndError::BadHeader};
    const std::uint8_t T = bytes[2];
    if (T < MinTempo || T > MaxTempo)
        return {SndError::BadTempo, 2, T};

    SndFile parsed;
    parsed.tempo = T;
    for (std::size_t at = 4;; at += 2) {
        const auto offset = static_cast<std::int64_t>(at);
        if (at >= MaxSndBytes)
            return {SndError::TooManyRecords, offset};
        if (at == bytes.size())
            return {SndError::NoEndMarker, offset};
        if (at + 1 == bytes.size())
            return {SndError::CutRecord, offset};
        const SndRecord record{bytes[at], bytes[at + 1]};
        if (isEndMarker(record))
            break;
        if (record.N > MaxNote)
            return {SndError::NoteTooHigh, offset, record.N};
        parsed.sampleCount += static_cast<std::uint64_t>(NoteSpanOf(record.D, T).sampleCount);
        if (!fitsWav(parsed.sampleCount))
            return {SndError::TooLong, offset};
        parsed.records.push_back(record);
    }
    snd = std::move(parsed);
    return {};
}

SndResult ReadSndFile(const std::filesystem::path &path, SndFile &snd)
{
    // Only regular files: a FIFO or a device could block or never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {SndError::Unreadable};
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {SndError::Unreadable};
    std::vector<std::uint8_t> bytes(MaxSndBytes);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return {SndError::Unreadable};
    bytes.resize(got);
    return ParseSndFile(bytes, snd);
}

std::string SndResultText(const SndResult &result)
{
    const std::string at = " at offset " + std::to_string(result.offset);
    switch (result.error) {
    case SndError::None:
        return "converted";
    case SndError::Unreadable:
        return "cannot read the sound file";
    case SndError::BadHeader:
        return "not a device sound file (bad header)";
    case SndError::BadTempo:
        return "tempo " + std::to_string(result.value) + " is outside 1..32";
    case SndError::NoEndMarker:
        return "no end marker (FF FF) before the end of the file";
    case SndError::CutRecord:
        return "the file ends inside the record" + at;
    case SndError::NoteTooHigh:
        return "note number " + std::to_string(result.value) + at + " is above " +
               std::to_string(MaxNote);
    case SndError::TooManyRecords:
        return "no end marker (FF FF) within " + std::to_string(MaxSndRecords) + " records";
    case SndError::TooLong:
        return "the sound is too long for a WAV file (4 GiB)";
    case SndError::WriteFailed:
        return "cannot write the WAV file";
    }
    return "unknown error";
}
