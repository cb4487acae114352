// quorixctl set and device set: NAME=VALUE assignments on a record from the input. The input is
// the record bytes (first 256 for the system record, the same start for the weekly record),
// then one assignment per line. A refused assignment must leave the record exactly as it was;
// an accepted one must read back through show.
#include "cli/RecordJson.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdlib>

namespace {

template <typename Record>
void applyAll(Record record, const QList<QByteArray> &lines, QString (*show)(const Record &))
{
    for (const QByteArray &line : lines) {
        const Record before = record;
        const QString problem = assignField(record, QString::fromUtf8(line));
        if (!problem.isEmpty() && !(record == before))
            std::abort();
        QJsonParseError error;
        QJsonDocument::fromJson(show(record).toUtf8(), &error);
        if (error.error != QJsonParseError::NoError)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const qsizetype recordBytes = std::min<qsizetype>(qsizetype(size), SystemRecord::Size);
    const QByteArray image(reinterpret_cast<const char *>(data), recordBytes);
    const QByteArray rest(reinterpret_cast<const char *>(data) + recordBytes,
                          qsizetype(size) - recordBytes);
    const QList<QByteArray> lines = rest.split('\n');
    applyAll<SystemRecord>(toRecord<SystemRecord>(image), lines, showSystem);
    applyAll<WeeklyRecord>(toRecord<WeeklyRecord>(image), lines, showWeekly);
    return 0;
}
