#pragma once

#include "core/SndFile.h"
#include "core/ToneSynth.h"

#include <cstdint>
#include <filesystem>

// Renders a device sound file into a WAV file. The whole sound file is checked first: a refused
// one leaves wavPath as it was (absent or unchanged). A WAV file that cannot be written
// completely is removed, and an earlier file at wavPath is then kept.
SndResult ConvertSndToWav(const WaveTables &tables, const std::filesystem::path &sndPath,
                          const std::filesystem::path &wavPath);

// 0 when the WAV file was written, -1 otherwise.
std::int16_t ConvSndToWav(const WaveTables &tables, const std::filesystem::path &sndPath,
                          const std::filesystem::path &wavPath);
