// quorixctl show: any file is shown as a system or a weekly record. The output must be one
// valid JSON object, whatever bytes the record holds.
#include "cli/RecordJson.h"

#include <QJsonDocument>

#include <cstdlib>

namespace {

void mustBeJsonObject(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    mustBeJsonObject(showSystem(toRecord<SystemRecord>(bytes)));
    mustBeJsonObject(showWeekly(toRecord<WeeklyRecord>(bytes)));
    return 0;
}
