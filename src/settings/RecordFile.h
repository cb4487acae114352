#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <span>

// The record held in bytes; missing bytes of a short image stay zero.
template <typename Record> Record toRecord(const QByteArray &bytes)
{
    Record r;
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), qsizetype(Record::Size)),
                reinterpret_cast<char *>(r.bytes.data()));
    return r;
}

// The bytes of a record.
template <typename Record> QByteArray imageOf(const Record &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.bytes.data()),
                      qsizetype(record.bytes.size()));
}

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
