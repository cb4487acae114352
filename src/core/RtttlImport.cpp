#include "core/RtttlImport.h"

#include "core/ToneSynth.h"

#include <numeric>

namespace {

constexpr int TicksPerWhole = 128;
constexpr int MaxDigits = 5;

// The text without its blanks, each character with its offset in the original.
struct Char
{
    char c;
    std::size_t at;
};
using Chars = std::vector<Char>;

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Builds a message piece by piece (GCC 12 warns wrongly about chains of string additions).
std::string join(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (const std::string_view part : parts)
        text += part;
    return text;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string textOf(const Chars &chars, std::size_t from, std::size_t to)
{
    std::string text;
    for (std::size_t i = from; i < to; ++i)
        text += chars[i].c;
    return text;
}

// Splits [from, to) at each separator.
std::vector<std::pair<std::size_t, std::size_t>> split(const Chars &chars, std::size_t from,
                                                       std::size_t to, char separator)
{
    std::vector<std::pair<std::size_t, std::size_t>> parts;
    std::size_t start = from;
    for (std::size_t i = from; i <= to; ++i) {
        if (i == to || chars[i].c == separator) {
            parts.emplace_back(start, i);
            start = i + 1;
        }
    }
    return parts;
}

struct Parser
{
    const Chars &chars;
    std::size_t end;
    std::size_t textSize;
    std::string error;
    std::int64_t position = -1;

    bool fail(std::size_t i, const std::string &what)
    {
        const std::size_t at = i < chars.size() ? chars[i].at : textSize;
        position = static_cast<std::int64_t>(at);
        error = "at character " + std::to_string(at + 1) + ": " + what;
        return false;
    }

    // A run of digits at i, or -1 when there is none.
    bool number(std::size_t &i, std::size_t to, int &value)
    {
        value = -1;
        const std::size_t start = i;
        while (i < to && isDigit(chars[i].c))
            ++i;
        if (i - start > MaxDigits)
            return fail(start, "the number " + textOf(chars, start, i) + " is too long");
        if (i > start)
            value = std::stoi(textOf(chars, start, i));
        return true;
    }

    bool duration(std::size_t at, int d)
    {
        if (d == 1 || d == 2 || d == 4 || d == 8 || d == 16 || d == 32 || d == 64)
            return true;
        return fail(at, "duration " + std::to_string(d) + " is not 1, 2, 4, 8, 16, 32 or 64");
    }
};

struct Note
{
    int key; // N before the range check; ignored for a pause
    int ticks;
    bool pause;
};

} // namespace

MelodyResult ImportRtttl(std::string_view text, const ImportOptions &options)
{
    Chars chars;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isBlank(text[i]))
            chars.push_back({lower(text[i]), i});
    }
    Parser p{chars, chars.size(), text.size(), {}, -1};
    MelodyResult result;
    auto failed = [&] {
        result.error = p.error;
        result.position = p.position;
        return result;
    };

    auto sections = split(chars, 0, chars.size(), ':');
    if (sections.size() == 3)
        sections.erase(sections.begin());
    if (sections.size() != 2) {
        p.fail(sections.size() < 2 ? chars.size() : sections[3].first - 1,
               "expected NAME:DEFAULTS:NOTES or DEFAULTS:NOTES");
        return failed();
    }

    int d = 4, o = 6, b = 63;
    for (const auto &[from, to] : split(chars, sections[0].first, sections[0].second, ',')) {
        if (to - from < 2 || chars[from + 1].c != '=')
            continue; // not one of ours
        const char key = chars[from].c;
        if (key != 'd' && key != 'o' && key != 'b')
            continue;
        std::size_t i = from + 2;
        int value = -1;
        if (!p.number(i, to, value))
            return failed();
        if (value < 0 || i != to) {
            p.fail(from, "expected a number after " + std::string(1, key) + "=, not '" +
                             textOf(chars, from, to) + "'");
            return failed();
        }
        if (key == 'd' && !p.duration(from + 2, value))
            return failed();
        if (key == 'b' && value == 0) {
            p.fail(from, "b=0: the tempo must be at least 1 beat a minute");
            return failed();
        }
        (key == 'd' ? d : key == 'o' ? o : b) = value;
    }

    std::vector<Note> notes;
    for (const auto &[from, to] : split(chars, sections[1].first, sections[1].second, ',')) {
        if (from == to)
            continue; // a stray comma
        std::size_t i = from;
        int duration = -1, octave = -1;
        if (!p.number(i, to, duration) || (duration >= 0 && !p.duration(from, duration)))
            return failed();
        const std::string whole = textOf(chars, from, to);
        if (i == to) {
            p.fail(i, "the note '" + whole + "' has no letter");
            return failed();
        }
        const char letter = chars[i].c;
        const bool pause = letter == 'p';
        int pc = PitchClassOf(letter == 'h' ? 'b' : letter); // h is the German b
        if (!pause && pc < 0) {
            p.fail(i, join({"'", text.substr(chars[i].at, 1), "' in '", whole,
                            "' is not a note letter (a-h or p)"}));
            return failed();
        }
        ++i;
        if (!pause && i < to && (chars[i].c == '#' || chars[i].c == '_'))
            pc += chars[i++].c == '#' ? 1 : -1;
        bool dotted = i < to && chars[i].c == '.';
        i += dotted ? 1 : 0;
        if (!p.number(i, to, octave))
            return failed();
        if (!dotted && i < to && chars[i].c == '.')
            dotted = true, ++i;
        if (i != to) {
            p.fail(i, join({"unexpected '", text.substr(chars[i].at, 1), "' in the note '", whole,
                            "'"}));
            return failed();
        }
        const int ticks = TicksPerWhole / (duration < 0 ? d : duration) * (dotted ? 3 : 2) / 2;
        const int key = NoteOf(octave < 0 ? o : octave, pc) + options.transpose;
        if (!pause && (key < 0 || key > MaxNote)) {
            p.fail(from, "the note '" + whole + "' is note number " + std::to_string(key) +
                             ", outside 0..102");
            return failed();
        }
        notes.push_back({key, ticks, pause});
    }
    if (notes.empty()) {
        p.fail(sections[1].first, "no notes");
        return failed();
    }

    // The longest unit every length is a whole number of that still fits the slowest tempo.
    int g = 0;
    for (const Note &n : notes)
        g = std::gcd(g, n.ticks);
    int unit = 0, tempo = 0;
    for (int u = g; u >= 1 && unit == 0; --u) {
        const long long T = (240LL * u + b) / (2LL * b); // 120 u / b, half up
        if (g % u == 0 && T <= MaxTempo)
            unit = u, tempo = int(T);
    }
    if (unit == 0) {
        unit = 1, tempo = MaxTempo;
        result.notes.push_back("b=" + std::to_string(b) +
                               " is slower than the device can play; it plays faster");
    } else if (tempo < MinTempo) {
        tempo = MinTempo;
        result.notes.push_back("b=" + std::to_string(b) +
                               " is faster than the device can play; it plays slower");
    }
    result.melody.tempo = static_cast<std::uint8_t>(tempo);
    for (const Note &n : notes) {
        if (!AppendNote(result.melody, n.key, std::uint64_t(n.ticks / unit), n.pause,
                        options.legato)) {
            result.error = "more than " + std::to_string(MaxMelodyRecords) + " records";
            return result;
        }
    }
    result.error = MelodyProblem(result.melody);
    return result;
}
