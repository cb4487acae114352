#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool writeExecutable(const QString &path, const QByteArray &script)
{
    return writeFile(path, script) &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QByteArray readFile(const QString &path)
{
    if (QFileInfo(path).isDir())
        return QByteArrayLiteral("<directory>");
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<missing>");
}

TestSuite::TestSuite(bool installed)
{
    QDir().mkpath(prefix() + QStringLiteral("/dosdevices"));
    QFile::link(QStringLiteral("../drive_c"), prefix() + QStringLiteral("/dosdevices/c:"));
    QDir().mkpath(suite());
    QDir().mkpath(device());
    if (installed)
        install();
}

QString TestSuite::suite(const QString &relative) const
{
    const QString root = prefix() + QStringLiteral("/drive_c/Suite");
    return relative.isEmpty() ? root : root + u'/' + relative;
}

bool TestSuite::install() const
{
    return writeFile(userReg(), "WINE REGISTRY Version 2\n[Software\\\\KVQ\\\\Veltrix-e\\\\PC] 1\n"
                                "\"InstallDir\"=\"C:\\\\Suite\\\\\"\n");
}

bool TestSuite::writeFactoryFiles(const QByteArray &system, const QByteArray &weekly) const
{
    return writeFile(suite(QStringLiteral("razevo/system.cif")), system) &&
           writeFile(suite(QStringLiteral("razevo/weekly.cif")), weekly);
}

bool TestSuite::writeOwnFactoryFiles(const QByteArray &system, const QByteArray &weekly) const
{
    return writeFile(dir.filePath(QStringLiteral("own/factory/system.cif")), system) &&
           writeFile(dir.filePath(QStringLiteral("own/factory/weekly.cif")), weekly);
}

InstallationPlaces TestSuite::places() const
{
    return {userReg(),
            dir.filePath(QStringLiteral("own/cache")),
            dir.filePath(QStringLiteral("own/data")),
            {dir.filePath(QStringLiteral("own/factory"))},
            prefix()};
}
