#pragma once

#include "core/SystemRecord.h"
#include "core/WeeklyRecord.h"
#include "settings/RecordFile.h"

#include <QByteArray>
#include <QString>

// The JSON views of the two records and the NAME=VALUE assignments that the record commands
// (show, set) and the device commands share.

// One-line JSON objects of the records' fields, in file order.
QString showSystem(const SystemRecord &r);
QString showWeekly(const WeeklyRecord &r);

// Checked: a value must keep its field's value rule, and fields without a control are refused.
// StorageOnly (--raw): any value the field's bytes can hold, in every field.
enum class Rules
{
    Checked,
    StorageOnly
};

// Applies NAME=VALUE to the record; returns an error text, empty on success.
QString assignField(SystemRecord &r, const QString &assignment, Rules rules = Rules::Checked);
QString assignField(WeeklyRecord &r, const QString &assignment, Rules rules = Rules::Checked);
