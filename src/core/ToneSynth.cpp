#include "core/ToneSynth.h"

#include "core/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {

int lengthUnits(std::uint8_t D)
{
    const int L = D % 16;
    return L == 0 ? 16 : L;
}

// Stepping k * step through the note's row, the phase is back at 0 after period / gcd samples.
void makeCycle(WaveTables &tables, int N)
{
    const int s = N % 12;
    const int period = tables.WavePeriod[s];
    const int step = (1 << (N / 12)) % period;
    const int cycle = period / std::gcd(period, step);
    int phase = 0;
    for (int k = 0; k < cycle; ++k) {
        tables.NoteCycle[N][k] = tables.WaveTable[s][phase];
        phase += step;
        if (phase >= period)
            phase -= period;
    }
    tables.NoteCycleLength[N] = static_cast<std::int16_t>(cycle);
}

} // namespace

WaveTables MakeWaveTable(std::int32_t sampleRate)
{
    WaveTables tables;
    for (int s = 0; s < WaveRows; ++s) {
        // The frequency is kept in single precision on purpose: the periods depend on it.
        const auto f = static_cast<float>(55.0 * std::pow(2.0, (s + 1) / 12.0));
        const double period = std::floor(sampleRate / static_cast<double>(f));
        // Rates far from 22050 must not write past the row or leave an empty period.
        const auto P = static_cast<std::int16_t>(std::clamp(period, 1.0, double(WaveColumns)));
        tables.WavePeriod[s] = P;
        for (int j = 0; j < P; ++j) {
            const double value = std::floor(std::sin(j * 6.283185307 / P) * 127.5 + 128);
            tables.WaveTable[s][j] = static_cast<std::uint8_t>(value);
        }
    }
    for (int N = 0; N <= MaxNote; ++N)
        makeCycle(tables, N);
    return tables;
}

NoteSpan NoteSpanOf(std::uint8_t D, std::uint8_t T)
{
    const int L = lengthUnits(D);
    const int H = D / 16;
    // 16-bit like the device's own arithmetic; a valid tempo keeps both within 7680.
    const auto toneUnits = static_cast<std::int16_t>(T * L * H);
    const auto restUnits = static_cast<std::int16_t>(T * L * (4 - H));
    const auto toneSec = static_cast<float>(toneUnits / 256.0);
    const auto restSec = static_cast<float>(restUnits / 256.0);
    const auto toneSamples = static_cast<std::int32_t>(std::floor(toneSec * double(SampleRate)));
    const float noteSec = toneSec + restSec;
    const auto sampleCount = static_cast<std::int32_t>(std::floor(noteSec * double(SampleRate)));
    return {sampleCount, toneSamples};
}

std::int32_t SoundedSamples(const WaveTables &tables, std::uint8_t N, std::uint8_t D,
                            std::uint8_t T)
{
    const NoteSpan span = NoteSpanOf(D, T);
    if (span.toneSamples <= 0)
        return 0;
    if (span.toneSamples >= span.sampleCount)
        return span.sampleCount;
    // The tone turns to finishing after sample toneSamples and falls silent after the first
    // wrap of the phase from sample toneSamples + 1 on; that sample is the last one sounded.
    // Sample k wraps when (k + 1) * step reaches the next multiple of the period.
    const std::int64_t period = tables.WavePeriod[N % 12];
    const std::int64_t step = std::int64_t{1} << (N / 12);
    const std::int64_t from = span.toneSamples + 1;
    const std::int64_t nextWrap = from * step / period + 1;
    const std::int64_t lastTone = (nextWrap * period + step - 1) / step - 1;
    return static_cast<std::int32_t>(std::min<std::int64_t>(lastTone + 1, span.sampleCount));
}

bool PutNoteWave(WavWriter &out, const WaveTables &tables, std::uint8_t N, std::uint8_t D,
                 std::uint8_t T)
{
    if (N > MaxNote || T < MinTempo || T > MaxTempo)
        return false;
    const NoteSpan span = NoteSpanOf(D, T);
    const std::int32_t sounded = SoundedSamples(tables, N, D, T);
    if (sounded > 0)
        out.repeat(tables.NoteCycle[N].data(), std::size_t(tables.NoteCycleLength[N]),
                   std::size_t(sounded));
    out.fill(Midpoint, static_cast<std::size_t>(span.sampleCount - sounded));
    return true;
}
