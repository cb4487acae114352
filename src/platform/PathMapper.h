#pragma once

#include <QProcessEnvironment>
#include <QString>

// Turns the suite's Windows paths into host paths inside a Wine prefix:
// "C:\Suite\razevo" -> "<prefix>/dosdevices/c:/Suite/razevo", each component matched
// case-insensitively when the exact name does not exist. Host paths ("/...") pass unchanged.
class PathMapper
{
public:
    explicit PathMapper(QString prefixRoot);

    // $WINEPREFIX, else ~/.wine.
    static QString prefixFromEnvironment(const QProcessEnvironment &env);

    const QString &prefixRoot() const { return m_prefix; }
    QString userRegPath() const { return m_prefix + QStringLiteral("/user.reg"); }

    // Empty when the path has no drive, holds characters no Windows name may hold, or
    // is otherwise unusable. Wildcards are refused here; listings handle them.
    QString toHost(const QString &windowsPath) const;

private:
    QString m_prefix;
};
