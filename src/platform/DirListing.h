#pragma once

#include "platform/PathMapper.h"

#include <QStringList>

// Directory listing over Windows paths: the first name that matches a path or a pattern
// ('*' and '?' in the last component, case-insensitive), or empty on no match or any error.
// Further names of the same listing come from next().
class DirListing
{
public:
    enum Attribute
    {
        PlainFiles = 0,
        Hidden = 2,
        Directories = 16
    };

    explicit DirListing(const PathMapper &mapper) : m_mapper(mapper) {}

    QString first(const QString &path, int attributes);
    // Empty when the listing is exhausted (or was never started).
    QString next();

private:
    const PathMapper &m_mapper;
    QStringList m_names;
    qsizetype m_pos = 0;
};

// One-shot form used wherever only existence matters.
QString DirOrEmpty(const PathMapper &mapper, const QString &path, int attributes);

// Wildcard match as Windows listings do it: '*' any run, '?' one character, case-insensitive.
bool matchesWildcard(QStringView pattern, QStringView name);
