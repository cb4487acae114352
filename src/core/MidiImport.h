#pragma once

#include "core/Melody.h"

#include <span>

// Reads one voice of a Standard MIDI File (format 0, 1 or 2): the track with the most notes
// outside channel 10, or options.track; where notes overlap the highest one sounding wins.
// The tempo is the 32nd note of the file's first tempo; starts and ends are rounded to whole
// units. Errors name the byte offset where the file stops making sense.
MelodyResult ImportMidi(std::span<const std::uint8_t> bytes, const ImportOptions &options);

// True when the bytes start like a Standard MIDI File.
bool LooksLikeMidi(std::span<const std::uint8_t> bytes);
