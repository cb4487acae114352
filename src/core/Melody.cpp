#include "core/Melody.h"

#include "core/SndFile.h"
#include "core/ToneSynth.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

constexpr std::uint8_t FormatByte = 7;
constexpr std::uint8_t EndByte = 0xFF;

std::string recordText(std::size_t index)
{
    return "record " + std::to_string(index + 1);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// The words of one line up to its comment.
std::vector<std::string_view> wordsOf(std::string_view line)
{
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlank(line[at]))
            ++at;
        const std::size_t start = at;
        while (at < line.size() && !isBlank(line[at]))
            ++at;
        if (at > start)
            words.push_back(line.substr(start, at - start));
    }
    return words;
}

bool numberOf(std::string_view word, int low, int high, int &value)
{
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size() && value >= low &&
           value <= high;
}

MelodyResult failed(std::string error, std::int64_t position)
{
    MelodyResult result;
    result.error = std::move(error);
    result.position = position;
    return result;
}

} // namespace

std::string MelodyProblem(const Melody &melody)
{
    if (melody.tempo < MinTempo || melody.tempo > MaxTempo)
        return "tempo " + std::to_string(melody.tempo) + " is outside 1..32";
    if (melody.records.size() > MaxMelodyRecords)
        return "more than " + std::to_string(MaxMelodyRecords) + " records";
    std::uint64_t samples = 0;
    for (std::size_t i = 0; i < melody.records.size(); ++i) {
        const MelodyRecord &r = melody.records[i];
        if (r.note > MaxNote)
            return recordText(i) + ": note " + std::to_string(r.note) + " is above " +
                   std::to_string(MaxNote);
        if (r.length < 1 || r.length > MaxRecordUnits)
            return recordText(i) + ": length " + std::to_string(r.length) + " is outside 1..16";
        if (r.sounded > FullySounded)
            return recordText(i) + ": " + std::to_string(r.sounded) +
                   " quarters sounded, at most 4";
        if (r.isRest() && r.note != 0)
            return recordText(i) + ": a rest has note 0";
        samples += static_cast<std::uint64_t>(
            NoteSpanOf(std::uint8_t(r.sounded * 16 + r.length % 16), melody.tempo).sampleCount);
        if (!fitsWav(samples))
            return recordText(i) + ": the melody grows too long for a WAV file (4 GiB)";
    }
    return {};
}

std::vector<std::uint8_t> WriteMelodySnd(const Melody &melody)
{
    std::vector<std::uint8_t> bytes{FormatByte, 0, melody.tempo, 0};
    bytes.reserve(6 + 2 * melody.records.size());
    for (const MelodyRecord &r : melody.records) {
        bytes.push_back(r.note);
        bytes.push_back(static_cast<std::uint8_t>(r.sounded * 16 + r.length % 16));
    }
    bytes.push_back(EndByte);
    bytes.push_back(EndByte);
    return bytes;
}

MelodyResult ReadMelodySnd(std::span<const std::uint8_t> bytes)
{
    SndFile snd;
    const SndResult read = ParseSndFile(bytes, snd);
    if (read.error != SndError::None)
        return failed(SndResultText(read), read.offset);
    MelodyResult result;
    result.melody.tempo = snd.tempo;
    if (snd.records.size() > MaxMelodyRecords)
        return failed("more than " + std::to_string(MaxMelodyRecords) + " records", -1);
    for (std::size_t i = 0; i < snd.records.size(); ++i) {
        const SndRecord &r = snd.records[i];
        const int H = r.D / 16, L = r.D % 16 == 0 ? 16 : r.D % 16;
        if (H > FullySounded)
            return failed(recordText(i) + " sounds " + std::to_string(H) +
                              " quarters of a unit, a melody at most 4",
                          static_cast<std::int64_t>(4 + 2 * i));
        result.melody.records.push_back(
            {H == 0 ? std::uint8_t(0) : r.N, std::uint8_t(L), std::uint8_t(H)});
    }
    return result;
}

std::string NoteName(int note)
{
    static constexpr std::array<const char *, 12> names{"C",  "C#", "D",  "D#", "E",  "F",
                                                        "F#", "G",  "G#", "A",  "A#", "B"};
    const int key = note + 22;
    return std::string(names[key % 12]) + std::to_string(key / 12);
}

int PitchClassOf(char letter)
{
    static constexpr std::array<int, 7> letterKeys{9, 11, 0, 2, 4, 5, 7}; // A..G from C
    letter = static_cast<char>(letter | 0x20);
    return letter >= 'a' && letter <= 'g' ? letterKeys[std::size_t(letter - 'a')] : -1;
}

int NoteFromName(std::string_view name)
{
    if (name.empty())
        return -1;
    int key = PitchClassOf(name.front());
    if (key < 0)
        return -1;
    name.remove_prefix(1);
    if (!name.empty() && (name.front() == '#' || name.front() == 'b')) {
        key += name.front() == '#' ? 1 : -1;
        name.remove_prefix(1);
    }
    int octave = 0;
    if (!numberOf(name, 0, 11, octave))
        return -1;
    const int note = NoteOf(octave, key);
    return note >= 0 && note <= MaxNote ? note : -1;
}

std::string MelodyText(const Melody &melody)
{
    std::string text = "tempo " + std::to_string(melody.tempo) + '\n';
    for (const MelodyRecord &r : melody.records) {
        if (r.isRest())
            text += "rest " + std::to_string(r.length) + '\n';
        else
            text += std::to_string(r.note) + ' ' + std::to_string(r.length) + ' ' +
                    std::to_string(r.sounded) + " # " + NoteName(r.note) + '\n';
    }
    return text;
}

bool LooksLikeMelodyText(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const auto words = wordsOf(text.substr(at, end - at));
        if (!words.empty())
            return words.front() == "tempo";
        at = end + 1;
    }
    return false;
}

MelodyResult ParseMelodyText(std::string_view text)
{
    MelodyResult result;
    bool tempoSeen = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const auto words = wordsOf(text.substr(at, end - at));
        const auto position = static_cast<std::int64_t>(at);
        const std::string line = std::string(text.substr(at, end - at));
        at = end + 1;
        if (words.empty())
            continue;
        int N = 0, L = 0, H = 0, T = 0;
        if (!tempoSeen) {
            if (words.size() != 2 || words[0] != "tempo" ||
                !numberOf(words[1], MinTempo, MaxTempo, T))
                return failed("expected \"tempo T\" with T in 1..32, not '" + line + "'", position);
            result.melody.tempo = static_cast<std::uint8_t>(T);
            tempoSeen = true;
        } else if (words.size() == 2 && words[0] == "rest" &&
                   numberOf(words[1], 1, MaxRecordUnits, L)) {
            result.melody.records.push_back({0, std::uint8_t(L), 0});
        } else if (words.size() == 3 && numberOf(words[0], 0, MaxNote, N) &&
                   numberOf(words[1], 1, MaxRecordUnits, L) &&
                   numberOf(words[2], 1, FullySounded, H)) {
            result.melody.records.push_back({std::uint8_t(N), std::uint8_t(L), std::uint8_t(H)});
        } else {
            return failed("expected \"N L H\" (N 0..102, L 1..16, H 1..4) or \"rest L\", not '" +
                              line + "'",
                          position);
        }
        if (result.melody.records.size() > MaxMelodyRecords)
            return failed("more than " + std::to_string(MaxMelodyRecords) + " records", position);
    }
    if (!tempoSeen)
        return failed("no \"tempo T\" line", 0);
    if (std::string problem = MelodyProblem(result.melody); !problem.empty())
        return failed(std::move(problem), -1);
    return result;
}

bool AppendNote(Melody &melody, int note, std::uint64_t units, bool rest, bool legato)
{
    while (units > 0) {
        if (melody.records.size() >= MaxMelodyRecords)
            return false;
        const auto length = static_cast<std::uint8_t>(std::min<std::uint64_t>(units, 16));
        units -= length;
        std::uint8_t sounded = units > 0 || legato ? FullySounded : FullySounded - 1;
        if (rest)
            sounded = 0;
        melody.records.push_back({rest ? std::uint8_t(0) : std::uint8_t(note), length, sounded});
    }
    return true;
}
