#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A melody the program can write as a device sound file: a tempo and a list of records.
// A unit lasts tempo/64 seconds; a record sounds `sounded` quarters of its `length` units and is
// silent for the rest. A rest is a record that sounds no quarter; it is written as note 0.
inline constexpr std::size_t MaxMelodyRecords = 32766;
inline constexpr int MaxRecordUnits = 16;
inline constexpr int FullySounded = 4;

struct MelodyRecord
{
    std::uint8_t note = 0;    // 0..MaxNote
    std::uint8_t length = 1;  // units, 1..16
    std::uint8_t sounded = 0; // quarters, 0..4; 0 = a rest

    bool isRest() const { return sounded == 0; }
    friend bool operator==(const MelodyRecord &, const MelodyRecord &) = default;
};

struct Melody
{
    std::uint8_t tempo = 16; // MinTempo..MaxTempo
    std::vector<MelodyRecord> records;
    friend bool operator==(const Melody &, const Melody &) = default;
};

// What an importer or the melody reader says: a melody, or an error with its position (a byte
// offset of the input, -1 where there is none). Notes are remarks on a melody that was made.
struct MelodyResult
{
    Melody melody;
    std::string error;
    std::int64_t position = -1;
    std::vector<std::string> notes;

    bool ok() const { return error.empty(); }
};

// Empty when the writer takes the melody, else why not (naming the record, counted from 1).
std::string MelodyProblem(const Melody &melody);

// The device sound file of a melody MelodyProblem accepts: 07 00 T 00, two bytes a record, FF FF.
std::vector<std::uint8_t> WriteMelodySnd(const Melody &melody);

// Reads a device sound file into a melody. A record that sounds no quarter is a rest whatever
// its note; one that sounds more than four quarters has no place in a melody and is refused.
MelodyResult ReadMelodySnd(std::span<const std::uint8_t> bytes);

// The text form: a line "tempo T", then one record a line, "N L H" or "rest L"; '#' starts a
// comment. MelodyText writes the note's name as a comment ("35 4 3 # A4").
std::string MelodyText(const Melody &melody);
MelodyResult ParseMelodyText(std::string_view text);
// True when the text's first line that is not blank or a comment starts with "tempo".
bool LooksLikeMelodyText(std::string_view text);

// The pitch class of a note letter, C = 0 ... B = 11, in any case; -1 for another character.
int PitchClassOf(char letter);
// The note of a pitch class in an octave: octave 4 holds A = 440 Hz, note 35.
constexpr int NoteOf(int octave, int pitchClass)
{
    return 12 * octave + pitchClass - 22;
}

// The note's name with its octave, octave 4 holding A = 440 Hz: 35 is "A4", 0 is "A#1".
std::string NoteName(int note);
// The note of a name as NoteName writes it ("C#5"; a flat as "Db5"; letters in any case), -1
// when the name is no note or lies outside 0..MaxNote.
int NoteFromName(std::string_view name);

// Splits `units` of one note or pause into records of at most 16 units. Every record of a note
// sounds fully except the last, which sounds three quarters unless legato, so that repeated
// notes stay apart. False, appending nothing more, when the melody would outgrow
// MaxMelodyRecords.
bool AppendNote(Melody &melody, int note, std::uint64_t units, bool rest, bool legato);

// How an importer turns notes into records.
struct ImportOptions
{
    int transpose = 0;   // semitones
    bool legato = false; // the last record of a note sounds fully too
    int track = 0;       // MIDI: the track counted from 1; 0 = the one with the most notes
};
