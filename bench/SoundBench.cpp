// Renders long generated device sounds and compares the rate with plainly writing as many bytes
// to the same directory. Usage: quorix_sound_bench [DIR] (default: the temporary directory).

#include "core/ConvSndToWav.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double AudioSeconds = 3600;
constexpr int Rounds = 5;
constexpr std::size_t ChunkSize = 64 * 1024;

struct Sound
{
    std::uint8_t tempo;
    std::vector<std::uint8_t> bytes;
    std::size_t notes = 0;
    double seconds = 0;
};

// Random notes, lengths and shares with about one rest in seven, until the sound lasts an hour.
Sound generate(std::uint8_t tempo, std::mt19937 &random)
{
    Sound sound{tempo, {7, 0, tempo, 0}};
    std::uniform_int_distribution<int> noteNumber(0, MaxNote);
    std::uniform_int_distribution<int> length(0, 15);
    std::discrete_distribution<int> share({15, 12, 12, 11, 40, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1});
    while (sound.seconds < AudioSeconds) {
        const auto D = static_cast<std::uint8_t>(share(random) * 16 + length(random));
        sound.bytes.push_back(static_cast<std::uint8_t>(noteNumber(random)));
        sound.bytes.push_back(D);
        sound.seconds += NoteSpanOf(D, tempo).sampleCount / double(SampleRate);
        ++sound.notes;
    }
    sound.bytes.push_back(0xFF);
    sound.bytes.push_back(0xFF);
    return sound;
}

bool writeSnd(const fs::path &path, const Sound &sound)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written =
        std::fwrite(sound.bytes.data(), 1, sound.bytes.size(), file) == sound.bytes.size();
    return std::fclose(file) == 0 && written;
}

struct Stopwatch
{
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();

    double wallSeconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    }
    double cpuSeconds() const { return double(std::clock() - cpu) / CLOCKS_PER_SEC; }
};

// Best wall-clock and processor times of each side; the processor time includes the system
// calls and is less disturbed by other programs on the machine.
struct Timing
{
    std::uintmax_t bytes = 0;
    double render = 1e30;
    double write = 1e30;
    double renderCpu = 1e30;
    double writeCpu = 1e30;
};

// The reference: the same number of bytes in 64 KiB writes, with no stdio buffer in between,
// as the WAV writer does it.
bool plainWrite(const fs::path &path, std::uintmax_t bytes, Timing &best)
{
    static const std::vector<std::uint8_t> chunk(ChunkSize, Midpoint);
    const Stopwatch watch;
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::setvbuf(file, nullptr, _IONBF, 0);
    bool written = true;
    for (std::uintmax_t left = bytes; left > 0 && written;) {
        const std::size_t n = std::min<std::uintmax_t>(left, ChunkSize);
        written = std::fwrite(chunk.data(), 1, n, file) == n;
        left -= n;
    }
    const bool closed = std::fclose(file) == 0;
    best.write = std::min(best.write, watch.wallSeconds());
    best.writeCpu = std::min(best.writeCpu, watch.cpuSeconds());
    return written && closed;
}

bool measure(const fs::path &work, const Sound &sound, const WaveTables &tables, Timing &best)
{
    const fs::path snd = work / "bench.snd";
    const fs::path wav = work / "bench.wav";
    const fs::path plain = work / "plain.bin";
    if (!writeSnd(snd, sound))
        return false;
    for (int round = 0; round < Rounds; ++round) {
        // Each side starts with no dirty pages of the other waiting to be written back.
        sync();
        const Stopwatch watch;
        if (ConvSndToWav(tables, snd, wav) != 0)
            return false;
        best.render = std::min(best.render, watch.wallSeconds());
        best.renderCpu = std::min(best.renderCpu, watch.cpuSeconds());
        best.bytes = fs::file_size(wav);
        fs::remove(wav);

        sync();
        if (!plainWrite(plain, best.bytes, best))
            return false;
        fs::remove(plain);
    }
    return true;
}

double megabytes(std::uintmax_t bytes)
{
    return static_cast<double>(bytes) / 1e6;
}

} // namespace

void printRow(const char *label, std::uintmax_t bytes, const Timing &t)
{
    const double mb = megabytes(bytes);
    std::printf("%-29s %8.1f | %7.0f %7.0f %6.2f | %7.0f %7.0f %6.2f\n", label, mb, mb / t.render,
                mb / t.write, t.render / t.write, mb / t.renderCpu, mb / t.writeCpu,
                t.renderCpu / t.writeCpu);
}

int main(int argc, char *argv[])
{
    std::error_code error;
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path(error);
    const fs::path work = base / ("quorix-sound-bench-" + std::to_string(getpid()));
    if (argc > 2 || error || !fs::create_directory(work, error)) {
        std::fprintf(stderr, "usage: quorix_sound_bench [DIR]\n");
        return 2;
    }
    std::printf("directory %s, best of %d rounds, MB = 10^6 bytes\n", work.c_str(), Rounds);
    std::printf("%-29s %8s | %-22s | %-22s\n", "", "", "wall-clock MB/s", "processor-time MB/s");
    std::printf("%-29s %8s | %7s %7s %6s | %7s %7s %6s\n", "sound", "WAV MB", "render", "write",
                "ratio", "render", "write", "ratio");

    std::mt19937 random(20240601);
    const WaveTables tables = MakeWaveTable(SampleRate);
    std::uintmax_t totalBytes = 0;
    Timing total{0, 0, 0, 0, 0};
    for (const int tempo : {2, 5, 12, 32}) {
        const Sound sound = generate(static_cast<std::uint8_t>(tempo), random);
        Timing best;
        if (!measure(work, sound, tables, best)) {
            std::fprintf(stderr, "quorix_sound_bench: cannot write in %s\n", work.c_str());
            fs::remove_all(work, error);
            return 1;
        }
        char label[64];
        std::snprintf(label, sizeof label, "tempo %2d, %5zu notes, %.2f h", tempo, sound.notes,
                      sound.seconds / 3600);
        printRow(label, best.bytes, best);
        totalBytes += best.bytes;
        total.render += best.render;
        total.write += best.write;
        total.renderCpu += best.renderCpu;
        total.writeCpu += best.writeCpu;
    }
    fs::remove_all(work, error);
    printRow("all", totalBytes, total);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory %ld KiB\n", usage.ru_maxrss);
    return 0;
}
