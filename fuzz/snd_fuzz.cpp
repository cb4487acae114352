// Device sound files: the checks, then the whole conversion to a WAV file for sounds short
// enough to render quickly. A WAV file that is written must be whole and self-consistent.
#include "core/ConvSndToWav.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

// Longer sounds are only checked; rendering them would slow the search to a crawl.
constexpr std::uint64_t kMaxRenderedSamples = 1 << 20;

const std::filesystem::path &workDir()
{
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("quorix-snd-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

std::uint32_t le32(const std::vector<char> &b, std::size_t at)
{
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const WaveTables tables = MakeWaveTable(SampleRate);

    SndFile snd;
    const SndResult parsed = ParseSndFile({data, size}, snd);
    (void)SndResultText(parsed);
    if (parsed.error != SndError::None || snd.sampleCount > kMaxRenderedSamples)
        return 0;

    const auto sndPath = workDir() / "in.snd";
    const auto wavPath = workDir() / "out.wav";
    {
        std::ofstream out(sndPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), std::streamsize(size));
    }
    std::filesystem::remove(wavPath);
    const SndResult converted = ConvertSndToWav(tables, sndPath, wavPath);
    if (converted.error != SndError::None)
        std::abort(); // a file the checks accepted must convert

    std::ifstream in(wavPath, std::ios::binary);
    const std::vector<char> wav{std::istreambuf_iterator<char>(in), {}};
    if (wav.size() != 44 + snd.sampleCount || le32(wav, 4) != wav.size() - 8 ||
        le32(wav, 40) != wav.size() - 44)
        std::abort();
    return 0;
}
