#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

// Appends the 32 bytes from "WAVE" to "data": PCM, mono, 8 bits, SampleRate samples per second.
void PutWavFormat(std::vector<std::uint8_t> &out);

// Writes an 8-bit mono WAV file: a provisional header with "SIZE" and "size" in its size fields,
// the samples, then both sizes patched in from the length of the closed file.
// The file is built under a temporary name beside wavPath and renamed over it only when
// finished, so a writer that fails or is destroyed unfinished leaves no file behind and any
// earlier file at wavPath as it was.
class WavWriter
{
public:
    explicit WavWriter(std::filesystem::path wavPath);
    ~WavWriter();
    WavWriter(const WavWriter &) = delete;
    WavWriter &operator=(const WavWriter &) = delete;

    // Creates the temporary file and writes the provisional header.
    bool open();
    void put(const std::uint8_t *samples, std::size_t count);
    // Appends count samples that repeat pattern[0, length) from its start.
    void repeat(const std::uint8_t *pattern, std::size_t length, std::size_t count);
    void fill(std::uint8_t value, std::size_t count);
    // True once a write failed or before open() succeeded; later samples are dropped.
    bool failed() const { return failed_; }
    // Patches the sizes and moves the file to wavPath.
    bool finish();

private:
    void write(const std::uint8_t *bytes, std::size_t count);
    void flush();
    bool closeFile();
    bool patchSizes();
    bool discard();

    std::filesystem::path wavPath_;
    std::filesystem::path partPath_;
    std::FILE *file_ = nullptr;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;
    bool failed_ = true;
};
