#pragma once

#include <QString>

#include <cstdint>
#include <span>

// Whole-file reads and writes of record images at host paths.
namespace recordfile {

// Fills `record` from the start of the file. A shorter file fills only as many bytes as it
// has and leaves the rest of `record` as it was; a longer one is read up to the record size.
// bytesRead (if given) receives the file's byte count used.
bool read(const QString &hostPath, std::span<std::uint8_t> record, qint64 *bytesRead,
          QString *error);

// Replaces the file with exactly these bytes. The new file is written beside the old one and
// renamed over it, so the old file stays whole if anything fails on the way.
bool write(const QString &hostPath, std::span<const std::uint8_t> record, QString *error);

} // namespace recordfile
