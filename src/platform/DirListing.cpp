#include "platform/DirListing.h"

#include "platform/DeviceNames.h"

#include <QDir>
#include <QFileInfo>

bool matchesWildcard(QStringView pattern, QStringView name)
{
    // Iterative glob with one backtrack point, linear in practice.
    qsizetype p = 0, n = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == u'?' ||
             QStringView(pattern.mid(p, 1)).compare(name.mid(n, 1), Qt::CaseInsensitive) == 0)) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

QString DirListing::first(const QString &path, int attributes)
{
    m_names.clear();
    m_pos = 0;

    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    if (path.isEmpty() || path.contains(QChar(0)))
        return {};
    QString dirPart = cut >= 0 ? path.left(cut + 1) : QString();
    QString pattern = cut >= 0 ? path.mid(cut + 1) : path;
    if (dirPart.isEmpty() && pattern.size() == 2 && pattern.at(1) == u':') {
        dirPart = pattern + u'\\'; // a bare drive lists its root
        pattern.clear();
    }
    if (dirPart.isEmpty() || dirPart.contains(u'*') || dirPart.contains(u'?'))
        return {};
    if (!isDeviceNamePattern(pattern))
        return {};
    if (pattern.isEmpty() || pattern == u"*.*")
        pattern = QStringLiteral("*");

    const QString hostDir = m_mapper.toHost(dirPart);
    if (hostDir.isEmpty() || !QFileInfo(hostDir).isDir())
        return {};

    QDir::Filters filters = QDir::Files | QDir::NoDotAndDotDot;
    if (attributes & Directories)
        filters |= QDir::Dirs;
    if (attributes & Hidden)
        filters |= QDir::Hidden;
    const QStringList entries = QDir(hostDir).entryList(filters, QDir::Name | QDir::IgnoreCase);

    const bool wildcard = pattern.contains(u'*') || pattern.contains(u'?');
    for (const QString &entry : entries) {
        if (wildcard ? matchesWildcard(pattern, entry)
                     : entry.compare(pattern, Qt::CaseInsensitive) == 0)
            m_names << entry;
    }
    // An exact name comes first when several differ only in case.
    if (!wildcard && m_names.contains(pattern))
        m_names.move(m_names.indexOf(pattern), 0);
    return next();
}

QString DirListing::next()
{
    if (m_pos >= m_names.size())
        return {};
    return m_names.at(m_pos++);
}

QString DirOrEmpty(const PathMapper &mapper, const QString &path, int attributes)
{
    DirListing listing(mapper);
    return listing.first(path, attributes);
}
