#include "platform/PathMapper.h"

#include "platform/DeviceNames.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The entry of `dir` called `name`, exact if it exists, else the first case-insensitive match.
QString matchEntry(const QString &dir, const QString &name)
{
    if (QFileInfo::exists(dir + u'/' + name))
        return name;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDir::Name | QDir::IgnoreCase);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

} // namespace

PathMapper::PathMapper(QString prefixRoot) : m_prefix(std::move(prefixRoot))
{
    while (m_prefix.size() > 1 && m_prefix.endsWith(u'/'))
        m_prefix.chop(1);
}

QString PathMapper::prefixFromEnvironment(const QProcessEnvironment &env)
{
    const QString prefix = env.value(QStringLiteral("WINEPREFIX"));
    if (!prefix.isEmpty())
        return prefix;
    return env.value(QStringLiteral("HOME"), QDir::homePath()) + QStringLiteral("/.wine");
}

QString PathMapper::toHost(const QString &windowsPath) const
{
    if (windowsPath.contains(QChar(0)))
        return {};
    if (windowsPath.startsWith(u'/'))
        return QString(windowsPath).replace(u'\\', u'/');
    if (windowsPath.size() < 2 || windowsPath.at(1) != u':' || !windowsPath.at(0).isLetter() ||
        windowsPath.at(0).unicode() > 127)
        return {};
    const QString rest = windowsPath.mid(2);
    if (!rest.isEmpty() && rest.front() != u'\\' && rest.front() != u'/')
        return {}; // "C:foo" is relative to a drive's current directory: not ours to guess

    QString host = m_prefix + QStringLiteral("/dosdevices/") + windowsPath.at(0).toLower() + u':';
    const int driveLength = int(host.size());
    const QStringList parts = QString(rest).replace(u'/', u'\\').split(u'\\', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == u".")
            continue;
        if (part == u"..") {
            // Windows stops at the drive root.
            if (host.size() > driveLength)
                host.truncate(host.lastIndexOf(u'/'));
            continue;
        }
        if (!isDeviceFileName(part))
            return {};
        host += u'/' + matchEntry(host, part);
    }
    return host;
}
