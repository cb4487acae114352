#pragma once

#include "core/RecordImage.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

// Writes a record image as a whole file, making its folder first.
template <std::size_t N>
void writeImage(const std::filesystem::path &path, const RecordImage<N> &record)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(record.bytes.data()), N);
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}
