#pragma once

#include <array>
#include <cstdint>

class WavWriter;

// Rendering rate of the preview WAV files and of the note lengths.
inline constexpr std::int32_t SampleRate = 22050;
inline constexpr std::uint8_t Midpoint = 128;
inline constexpr std::uint8_t MinTempo = 1;
inline constexpr std::uint8_t MaxTempo = 32;
// From note 103 on the phase step outgrows the sine period of the note's row.
inline constexpr std::uint8_t MaxNote = 102;

inline constexpr int WaveRows = 12;
inline constexpr int WaveColumns = 384;

// One sine period per semitone at octave 0; higher octaves step through the same row faster.
// Each note's samples repeat a cycle of at most one row, made once with the tables.
struct WaveTables
{
    std::array<std::array<std::uint8_t, WaveColumns>, WaveRows> WaveTable{};
    std::array<std::int16_t, WaveRows> WavePeriod{};
    std::array<std::array<std::uint8_t, WaveColumns>, MaxNote + 1> NoteCycle{};
    std::array<std::int16_t, MaxNote + 1> NoteCycleLength{};
};

WaveTables MakeWaveTable(std::int32_t sampleRate);

// Sample counts of one note: its whole length, and the nominal length of its tone.
struct NoteSpan
{
    std::int32_t sampleCount;
    std::int32_t toneSamples;
};

// D is the record's length byte, T the tempo (MinTempo..MaxTempo).
NoteSpan NoteSpanOf(std::uint8_t D, std::uint8_t T);

// Samples of the note that carry the tone; a tone finishes the sine cycle it is in, so this can
// exceed toneSamples. The rest of the note is silence.
std::int32_t SoundedSamples(const WaveTables &tables, std::uint8_t N, std::uint8_t D,
                            std::uint8_t T);

// Appends the samples of note N (length byte D, tempo T) to out. Returns false, writing nothing,
// for a note number above MaxNote or a tempo outside MinTempo..MaxTempo.
bool PutNoteWave(WavWriter &out, const WaveTables &tables, std::uint8_t N, std::uint8_t D,
                 std::uint8_t T);
