#include "core/WavWriter.h"

#include "core/ToneSynth.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>

namespace {

// Large enough that the samples go out in few system calls.
constexpr std::size_t BufferSize = 64 * 1024;
constexpr std::uint64_t HeaderSize = 44;

void putText(std::vector<std::uint8_t> &out, const char (&text)[5])
{
    out.insert(out.end(), text, text + 4);
}

void putLe(std::vector<std::uint8_t> &out, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> provisionalHeader()
{
    std::vector<std::uint8_t> header;
    putText(header, "RIFF");
    putText(header, "SIZE");
    PutWavFormat(header);
    putText(header, "size");
    return header;
}

std::vector<std::uint8_t> finishedHeader(std::uint64_t fileLength)
{
    std::vector<std::uint8_t> header;
    putText(header, "RIFF");
    putLe(header, static_cast<std::uint32_t>(fileLength - 8), 4);
    PutWavFormat(header);
    putLe(header, static_cast<std::uint32_t>(fileLength - HeaderSize), 4);
    return header;
}

std::filesystem::path partName(const std::filesystem::path &wavPath, std::uint32_t tag)
{
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(tag));
    std::string name = ".";
    name += wavPath.filename().string();
    name += '.';
    name += hex;
    name += ".part";
    return wavPath.parent_path() / name;
}

} // namespace

void PutWavFormat(std::vector<std::uint8_t> &out)
{
    putText(out, "WAVE");
    putText(out, "fmt ");
    putLe(out, 16, 4);         // format chunk size
    putLe(out, 1, 2);          // PCM
    putLe(out, 1, 2);          // channels
    putLe(out, SampleRate, 4); // samples per second
    putLe(out, SampleRate, 4); // bytes per second
    putLe(out, 1, 2);          // block alignment
    putLe(out, 8, 2);          // bits per sample
    putText(out, "data");
}

WavWriter::WavWriter(std::filesystem::path wavPath) : wavPath_(std::move(wavPath)) {}

WavWriter::~WavWriter()
{
    discard();
}

bool WavWriter::open()
{
    if (file_ || wavPath_.filename().empty())
        return false;
    // Only a regular file is replaced: renaming over a device, a FIFO or a directory would
    // swap out the node itself.
    std::error_code error;
    const auto existing = std::filesystem::status(wavPath_, error);
    if (std::filesystem::exists(existing) && !std::filesystem::is_regular_file(existing))
        return false;
    std::random_device random;
    for (int attempt = 0; attempt < 16 && !file_; ++attempt) {
        partPath_ = partName(wavPath_, random());
        file_ = std::fopen(partPath_.c_str(), "wbx");
        if (!file_ && errno != EEXIST)
            break;
    }
    if (!file_) {
        partPath_.clear();
        return false;
    }
    // The buffer below is the only one: each flush is one write to the file.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    buffer_.resize(BufferSize);
    failed_ = false;
    // The header starts the buffer, so every later write begins on a page boundary of the file.
    const std::vector<std::uint8_t> header = provisionalHeader();
    put(header.data(), header.size());
    return !failed_;
}

void WavWriter::put(const std::uint8_t *samples, std::size_t count)
{
    while (count > 0 && !failed_) {
        const std::size_t n = std::min(count, BufferSize - used_);
        std::memcpy(buffer_.data() + used_, samples, n);
        used_ += n;
        samples += n;
        count -= n;
        if (used_ == BufferSize)
            flush();
    }
}

void WavWriter::repeat(const std::uint8_t *pattern, std::size_t length, std::size_t count)
{
    std::size_t phase = 0;
    while (count > 0 && !failed_) {
        const std::size_t n = std::min(count, BufferSize - used_);
        std::uint8_t *to = buffer_.data() + used_;
        // One whole pattern from the current phase, then doubled: each sample is written once.
        std::size_t filled = std::min(n, length - phase);
        std::memcpy(to, pattern + phase, filled);
        const std::size_t wrapped = std::min(n - filled, phase);
        std::memcpy(to + filled, pattern, wrapped);
        filled += wrapped;
        while (filled < n) {
            const std::size_t m = std::min(filled, n - filled);
            std::memcpy(to + filled, to, m);
            filled += m;
        }
        phase = (phase + n) % length;
        used_ += n;
        count -= n;
        if (used_ == BufferSize)
            flush();
    }
}

void WavWriter::fill(std::uint8_t value, std::size_t count)
{
    while (count > 0 && !failed_) {
        const std::size_t n = std::min(count, BufferSize - used_);
        std::memset(buffer_.data() + used_, value, n);
        used_ += n;
        count -= n;
        if (used_ == BufferSize)
            flush();
    }
}

bool WavWriter::finish()
{
    flush();
    if (!closeFile() || failed_ || !patchSizes())
        return discard();
    std::error_code error;
    std::filesystem::rename(partPath_, wavPath_, error);
    if (error)
        return discard();
    partPath_.clear();
    return true;
}

void WavWriter::write(const std::uint8_t *bytes, std::size_t count)
{
    if (std::fwrite(bytes, 1, count, file_) == count)
        written_ += count;
    else
        failed_ = true;
}

void WavWriter::flush()
{
    if (used_ > 0 && !failed_)
        write(buffer_.data(), used_);
    used_ = 0;
}

bool WavWriter::closeFile()
{
    if (!file_)
        return false;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
}

bool WavWriter::patchSizes()
{
    std::error_code error;
    const std::uint64_t length = std::filesystem::file_size(partPath_, error);
    // A length other than what went out means the file was changed under us; and the RIFF
    // size field has 32 bits.
    if (error || length != written_ || length - 8 > std::numeric_limits<std::uint32_t>::max())
        return false;
    file_ = std::fopen(partPath_.c_str(), "r+b");
    if (!file_)
        return false;
    const std::vector<std::uint8_t> header = finishedHeader(length);
    const bool patched = std::fwrite(header.data(), 1, header.size(), file_) == header.size();
    return closeFile() && patched;
}

bool WavWriter::discard()
{
    closeFile();
    if (!partPath_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(partPath_, ignored);
        partPath_.clear();
    }
    failed_ = true;
    return false;
}
