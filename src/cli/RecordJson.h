#pragma once

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"

#include <QByteArray>
#include <QString>

#include <algorithm>

// The JSON views of the two records and the NAME=VALUE assignments that the record commands
// (show, set) and the device commands share.

// The record held in bytes; missing bytes of a short image stay zero.
template <typename Record> Record toRecord(const QByteArray &bytes)
{
    Record r;
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), qsizetype(Record::Size)),
                reinterpret_cast<char *>(r.bytes.data()));
    return r;
}

// One-line JSON objects of the records' fields, in file order.
QString showSystem(const SystemRecord &r);
QString showWeekly(const WeeklyRecord &r);

// Applies NAME=VALUE to the record; returns an error text, empty on success.
QString assignField(SystemRecord &r, const QString &assignment);
QString assignField(WeeklyRecord &r, const QString &assignment);
