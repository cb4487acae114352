#include "core/FactoryValues.h"

SystemRecord factorySystemRecord()
{
    SystemRecord record;
    for (const FactoryValue &v : kFactorySystemValues)
        record.set(v.field, v.value);
    record.setUserName(kFactoryUserName);
    return record;
}

WeeklyRecord factoryWeeklyRecord()
{
    return WeeklyRecord{};
}
