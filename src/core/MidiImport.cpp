#include "core/MidiImport.h"

#include "core/ToneSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>

namespace {

constexpr std::uint32_t DefaultQuarter = 500000; // microseconds: 120 beats a minute
constexpr int DrumChannel = 9;                   // channel 10 counted from 1
constexpr int KeyOffset = 34;                    // key 69 (A 440 Hz) is note 35

constexpr std::size_t Nowhere = SIZE_MAX; // a failure of the whole file, not of one place

struct Failure
{
    std::string what;
    std::size_t at;
};

struct TempoChange
{
    std::uint64_t tick;
    std::uint32_t quarter; // microseconds
};

struct Note
{
    std::uint64_t start;
    std::uint64_t end;
    int key;
};

struct Track
{
    std::vector<Note> notes;
};

class Reader
{
public:
    Reader(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t end)
        : m_bytes(bytes), m_at(at), m_end(end)
    {
    }
    std::size_t at() const { return m_at; }
    bool done() const { return m_at >= m_end; }

    std::uint8_t byte()
    {
        if (m_at >= m_end)
            throw Failure{"the track ends inside an event", m_at};
        return m_bytes[m_at++];
    }
    std::uint8_t peek() const
    {
        if (m_at >= m_end)
            throw Failure{"the track ends inside an event", m_at};
        return m_bytes[m_at];
    }
    // A variable-length quantity: at most four bytes of seven bits.
    std::uint32_t quantity()
    {
        const std::size_t start = m_at;
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte();
            value = value << 7 | (b & 0x7Fu);
            if (!(b & 0x80))
                return value;
        }
        throw Failure{"a number longer than four bytes", start};
    }
    void skip(std::uint32_t count)
    {
        if (count > m_end - m_at)
            throw Failure{"a length of " + std::to_string(count) + " runs past the track's end",
                          m_at};
        m_at += count;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at;
    std::size_t m_end;
};

std::uint32_t be(std::span<const std::uint8_t> b, std::size_t at, int width)
{
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value = value << 8 | b[at + i];
    return value;
}

// The notes of one track; its tempo changes join the file's tempo map.
Track readTrack(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t end,
                std::vector<TempoChange> &tempos)
{
    Reader r(bytes, at, end);
    Track track;
    std::map<int, std::deque<std::uint64_t>> open; // channel * 128 + key: starts, oldest first
    std::uint64_t tick = 0;
    int status = 0;
    while (!r.done()) {
        tick += r.quantity();
        const std::size_t eventAt = r.at();
        const std::uint8_t lead = r.peek();
        int kind = 0;
        // Meta and system exclusive events leave the running status as it was.
        if (lead & 0x80) {
            r.byte();
            (lead >= 0xF0 ? kind : status) = lead;
        }
        if (kind == 0xFF) {
            const std::uint8_t type = r.byte();
            const std::uint32_t length = r.quantity();
            const std::size_t data = r.at();
            r.skip(length);
            if (type == 0x51 && length == 3)
                tempos.push_back({tick, be(bytes, data, 3)});
            if (type == 0x2F)
                break;
            continue;
        }
        if (kind == 0xF0 || kind == 0xF7) {
            r.skip(r.quantity());
            continue;
        }
        if (kind != 0)
            throw Failure{"status byte " + std::to_string(kind) +
                              " (decimal) has no place in a file",
                          eventAt};
        if (status == 0)
            throw Failure{"a data byte with no status before it", eventAt};
        const int type = status & 0xF0, channel = status & 0x0F;
        const std::uint8_t first = r.byte();
        const std::uint8_t second = type == 0xC0 || type == 0xD0 ? 0 : r.byte();
        if ((first | second) & 0x80)
            throw Failure{"a data byte above 127", r.at() - 1};
        if (channel == DrumChannel || (type != 0x80 && type != 0x90))
            continue;
        auto &starts = open[channel * 128 + first];
        if (type == 0x90 && second > 0) {
            starts.push_back(tick);
        } else if (!starts.empty()) {
            track.notes.push_back({starts.front(), tick, first});
            starts.pop_front();
        }
    }
    for (auto &[channelKey, starts] : open) {
        for (const std::uint64_t start : starts)
            track.notes.push_back({start, tick, channelKey % 128});
    }
    return track;
}

// Converts ticks into seconds through the merged tempo map, or the SMPTE frame rate.
class Clock
{
public:
    Clock(std::uint16_t division, std::vector<TempoChange> tempos) : m_tempos(std::move(tempos))
    {
        std::stable_sort(
            m_tempos.begin(), m_tempos.end(),
            [](const TempoChange &a, const TempoChange &b) { return a.tick < b.tick; });
        if (division & 0x8000) {
            const int fps = 256 - (division >> 8);
            m_smpteTick = 1.0 / ((fps == 29 ? 29.97 : fps) * (division & 0xFF));
        }
        m_perQuarter = division & 0x7FFF;
        double seconds = 0;
        std::uint64_t tick = 0;
        std::uint32_t quarter = DefaultQuarter;
        for (const TempoChange &t : m_tempos) {
            seconds += double(t.tick - tick) * quarter / 1e6 / m_perQuarter;
            m_starts.push_back(seconds);
            tick = t.tick, quarter = t.quarter;
        }
    }

    std::uint32_t firstQuarter() const
    {
        return m_tempos.empty() ? DefaultQuarter : m_tempos.front().quarter;
    }

    double seconds(std::uint64_t tick) const
    {
        if (m_smpteTick > 0)
            return double(tick) * m_smpteTick;
        const auto after = std::upper_bound(
            m_tempos.begin(), m_tempos.end(), tick,
            [](std::uint64_t t, const TempoChange &change) { return t < change.tick; });
        if (after == m_tempos.begin())
            return double(tick) * DefaultQuarter / 1e6 / m_perQuarter;
        const std::size_t i = std::size_t(after - m_tempos.begin()) - 1;
        return m_starts[i] +
               double(tick - m_tempos[i].tick) * m_tempos[i].quarter / 1e6 / m_perQuarter;
    }

private:
    std::vector<TempoChange> m_tempos;
    std::vector<double> m_starts;
    double m_smpteTick = 0;
    int m_perQuarter = 1;
};

struct Span
{
    std::int64_t start;
    std::int64_t end;
    int key;
    std::size_t order; // earlier notes of the same key win
};

// The highest note sounding at each moment, as pieces of notes in time order.
std::vector<Span> skyline(std::vector<Span> spans)
{
    std::vector<std::pair<std::int64_t, std::size_t>> starts, ends;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        spans[i].order = i;
        starts.emplace_back(spans[i].start, i);
        ends.emplace_back(spans[i].end, i);
    }
    std::sort(starts.begin(), starts.end());
    std::sort(ends.begin(), ends.end());
    auto higher = [&](std::size_t a, std::size_t b) {
        return spans[a].key != spans[b].key ? spans[a].key > spans[b].key : a < b;
    };
    std::set<std::size_t, decltype(higher)> sounding(higher);
    std::vector<Span> pieces;
    std::size_t s = 0, e = 0;
    while (s < starts.size() || e < ends.size()) {
        const std::int64_t now = std::min(s < starts.size() ? starts[s].first : INT64_MAX,
                                          e < ends.size() ? ends[e].first : INT64_MAX);
        while (e < ends.size() && ends[e].first == now)
            sounding.erase(ends[e++].second);
        while (s < starts.size() && starts[s].first == now)
            sounding.insert(starts[s++].second);
        const std::int64_t next = std::min(s < starts.size() ? starts[s].first : INT64_MAX,
                                           e < ends.size() ? ends[e].first : INT64_MAX);
        if (sounding.empty() || next == INT64_MAX)
            continue;
        const Span &top = spans[*sounding.begin()];
        if (!pieces.empty() && pieces.back().order == top.order && pieces.back().end == now)
            pieces.back().end = next;
        else
            pieces.push_back({now, next, top.key, top.order});
    }
    return pieces;
}

} // namespace

bool LooksLikeMidi(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 4 && bytes[0] == 'M' && bytes[1] == 'T' && bytes[2] == 'h' &&
           bytes[3] == 'd';
}

MelodyResult ImportMidi(std::span<const std::uint8_t> bytes, const ImportOptions &options)
{
    MelodyResult result;
    try {
        if (!LooksLikeMidi(bytes) || bytes.size() < 14)
            throw Failure{"not a Standard MIDI File (no MThd header)", 0};
        const std::uint32_t headerLength = be(bytes, 4, 4);
        const std::uint32_t format = be(bytes, 8, 2);
        const auto division = static_cast<std::uint16_t>(be(bytes, 12, 2));
        if (headerLength < 6 || headerLength > bytes.size() - 8)
            throw Failure{"the header's length " + std::to_string(headerLength) + " is wrong", 4};
        if (format > 2)
            throw Failure{"format " + std::to_string(format) + " is not 0, 1 or 2", 8};
        if ((division & 0x8000) ? (division & 0xFF) == 0 : division == 0)
            throw Failure{"the time division is 0", 12};

        std::vector<Track> tracks;
        std::vector<TempoChange> tempos;
        for (std::size_t at = 8 + headerLength; at + 8 <= bytes.size();) {
            const std::uint32_t length = be(bytes, at + 4, 4);
            if (length > bytes.size() - at - 8)
                throw Failure{"a chunk of " + std::to_string(length) +
                                  " bytes runs past the end of the file",
                              at + 4};
            if (std::equal(bytes.begin() + at, bytes.begin() + at + 4, "MTrk"))
                tracks.push_back(readTrack(bytes, at + 8, at + 8 + length, tempos));
            at += 8 + length;
        }

        std::size_t chosen = 0;
        if (options.track > 0) {
            chosen = std::size_t(options.track) - 1;
            if (chosen >= tracks.size())
                throw Failure{"there is no track " + std::to_string(options.track) +
                                  " (the file has " + std::to_string(tracks.size()) + ")",
                              Nowhere};
        } else {
            for (std::size_t i = 0; i < tracks.size(); ++i) {
                if (tracks[i].notes.size() > tracks[chosen].notes.size())
                    chosen = i;
            }
        }
        if (tracks.empty() || tracks[chosen].notes.empty())
            throw Failure{tracks.empty() ? std::string("no track")
                                         : "track " + std::to_string(chosen + 1) +
                                               " has no notes outside channel 10",
                          Nowhere};

        const Clock clock(division, std::move(tempos));
        const double thirtySecond = clock.firstQuarter() / 8e6;
        const auto tempo = static_cast<int>(std::clamp(std::lround(64 * thirtySecond), 1L, 32L));
        const double unit = tempo / 64.0;
        std::vector<Span> spans;
        constexpr double MaxUnits = 1e15; // far beyond any melody the device holds
        for (const Note &n : tracks[chosen].notes) {
            const double startUnits = clock.seconds(n.start) / unit;
            const double endUnits = clock.seconds(n.end) / unit;
            if (endUnits > MaxUnits)
                throw Failure{"the notes last longer than any melody can", Nowhere};
            const auto start = std::llround(startUnits);
            const auto end = std::llround(endUnits);
            if (end > start)
                spans.push_back({start, end, n.key, 0});
        }
        if (spans.empty())
            throw Failure{"every note is shorter than half a unit", Nowhere};

        result.melody.tempo = static_cast<std::uint8_t>(tempo);
        std::int64_t now = 0;
        for (const Span &piece : skyline(std::move(spans))) {
            int note = piece.key - KeyOffset + options.transpose;
            while (note < 0)
                note += 12;
            while (note > MaxNote)
                note -= 12;
            if (!AppendNote(result.melody, 0, std::uint64_t(piece.start - now), true, false) ||
                !AppendNote(result.melody, note, std::uint64_t(piece.end - piece.start), false,
                            options.legato))
                throw Failure{"more than " + std::to_string(MaxMelodyRecords) + " records",
                              Nowhere};
            now = piece.end;
        }
        if (const std::string problem = MelodyProblem(result.melody); !problem.empty())
            throw Failure{problem, Nowhere};
    } catch (const Failure &failure) {
        result.melody = {};
        result.error = failure.at == Nowhere
                           ? failure.what
                           : "at byte " + std::to_string(failure.at) + ": " + failure.what;
        result.position = failure.at == Nowhere ? -1 : static_cast<std::int64_t>(failure.at);
    }
    return result;
}
