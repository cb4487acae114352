#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// A registry hive file of a Wine prefix (user.reg), read only. Key and value names are
// matched case-insensitively, as the Windows registry does.
class WineRegistryFile
{
public:
    enum class ValueType
    {
        String,
        ExpandString,
        Other
    };
    struct Value
    {
        ValueType type = ValueType::Other;
        QString text; // decoded data of string values
    };

    static WineRegistryFile parse(const QByteArray &fileText);
    // nullopt when the file cannot be read.
    static std::optional<WineRegistryFile> load(const QString &path);

    bool hasKey(const QString &keyPath) const;
    std::optional<Value> value(const QString &keyPath, const QString &valueName) const;

private:
    QHash<QString, QHash<QString, Value>>
        m_keys; // lower-cased key path -> lower-cased name -> value
};

// The suite's installation directory from the prefix's user.reg, following the rules of the
// ANSI registry query: nullopt when the file, the key or a non-empty InstallDir is missing.
// One trailing backslash is removed; nothing else is changed.
std::optional<QString> ReadInstallPath(const QString &userRegPath);
// The same rules applied to a registry file already read.
std::optional<QString> InstallPathFrom(const WineRegistryFile &reg);

// What both programs say when the suite installation is not found: the registry file, key and
// value that were read.
QString InstallationNotFound(const QString &userRegPath);

inline const QString kInstallDirKey = QStringLiteral("Software\\KVQ\\Veltrix-e\\PC");
inline const QString kInstallDirValue = QStringLiteral("InstallDir");
