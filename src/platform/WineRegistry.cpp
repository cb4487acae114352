#include "platform/WineRegistry.h"

#include "core/AnsiText.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Reads a quoted or bracketed registry name/string starting after its opening character,
// undoing Wine's escapes; stops at the unescaped `end` character. pos is left after it.
std::optional<QString> unescape(const QString &line, qsizetype &pos, QChar end)
{
    QString out;
    while (pos < line.size()) {
        const QChar c = line.at(pos++);
        if (c == end)
            return out;
        if (c != u'\\' || pos >= line.size()) {
            out += c;
            continue;
        }
        const QChar e = line.at(pos++);
        switch (e.unicode()) {
        case 'a':
            out += QChar(7);
            break;
        case 'b':
            out += QChar(8);
            break;
        case 'e':
            out += QChar(27);
            break;
        case 'f':
            out += QChar(12);
            break;
        case 'n':
            out += QChar(10);
            break;
        case 'r':
            out += QChar(13);
            break;
        case 't':
            out += QChar(9);
            break;
        case 'v':
            out += QChar(11);
            break;
        case 'x': {
            uint code = 0;
            int digits = 0;
            while (digits < 4 && pos < line.size() && isxdigit(line.at(pos).toLatin1())) {
                code = code * 16 + static_cast<uint>(QString(line.at(pos)).toUInt(nullptr, 16));
                ++pos;
                ++digits;
            }
            out += digits ? QChar(static_cast<char16_t>(code)) : QChar(u'x');
            break;
        }
        default:
            if (e >= u'0' && e <= u'7') {
                uint code = static_cast<uint>(e.unicode() - u'0');
                for (int digits = 1; digits < 3 && pos < line.size() && line.at(pos) >= u'0' &&
                                     line.at(pos) <= u'7';
                     ++digits)
                    code = code * 8 + static_cast<uint>(line.at(pos++).unicode() - u'0');
                out += QChar(static_cast<char16_t>(code));
            } else {
                out += e; // \\ and \" and anything unknown stand for themselves
            }
        }
    }
    return std::nullopt; // unterminated
}

} // namespace

WineRegistryFile WineRegistryFile::parse(const QByteArray &fileText)
{
    WineRegistryFile file;
    QHash<QString, Value> *current = nullptr;
    for (const QByteArray &rawLine : fileText.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[')) {
            qsizetype pos = 1;
            const auto key = unescape(line, pos, u']');
            current = key ? &file.m_keys[key->toLower()] : nullptr;
            continue;
        }
        if (!current || line.isEmpty() || (line.front() != u'"' && line.front() != u'@'))
            continue;
        qsizetype pos = 1;
        QString name;
        if (line.front() == u'"') {
            const auto n = unescape(line, pos, u'"');
            if (!n)
                continue;
            name = *n;
        }
        if (pos >= line.size() || line.at(pos) != u'=')
            continue;
        const QString data = line.mid(pos + 1);
        Value value;
        qsizetype dataPos = -1;
        if (data.startsWith(u'"')) {
            value.type = ValueType::String;
            dataPos = 1;
        } else if (data.startsWith(u"str(2):\"")) {
            value.type = ValueType::ExpandString;
            dataPos = 8;
        }
        if (dataPos > 0) {
            const auto text = unescape(data, dataPos, u'"');
            if (!text)
                continue;
            value.text = *text;
        }
        current->insert(name.toLower(), value);
    }
    return file;
}

std::optional<WineRegistryFile> WineRegistryFile::load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(f.readAll());
}

bool WineRegistryFile::hasKey(const QString &keyPath) const
{
    return m_keys.contains(keyPath.toLower());
}

std::optional<WineRegistryFile::Value> WineRegistryFile::value(const QString &keyPath,
                                                               const QString &valueName) const
{
    const auto key = m_keys.constFind(keyPath.toLower());
    if (key == m_keys.constEnd())
        return std::nullopt;
    const auto v = key->constFind(valueName.toLower());
    if (v == key->constEnd())
        return std::nullopt;
    return *v;
}

std::optional<QString> ReadInstallPath(const QString &userRegPath)
{
    const auto reg = WineRegistryFile::load(userRegPath);
    if (!reg)
        return std::nullopt;
    return InstallPathFrom(*reg);
}

std::optional<QString> InstallPathFrom(const WineRegistryFile &reg)
{
    if (!reg.hasKey(kInstallDirKey))
        return std::nullopt;
    const auto value = reg.value(kInstallDirKey, kInstallDirValue);
    if (!value || value->type == WineRegistryFile::ValueType::Other)
        return std::nullopt;

    // The ANSI query hands back single bytes ('?' where the code page has no character) and
    // reports the size with the terminating NUL; the text is everything before that NUL.
    std::string result;
    for (char32_t cp : value->text.toStdU32String())
        result += static_cast<char>(ansi::fromCodePoint(cp).value_or('?'));
    const std::size_t size = result.size() + 1;
    if (size <= 1)
        return std::nullopt;
    if (!result.empty() && result.back() == '\\')
        result.pop_back();
    return QString::fromStdString(ansi::toUtf8(result));
}

QString InstallationNotFound(const QString &userRegPath)
{
    QString text =
        QStringLiteral("suite installation not found: no %1 under HKEY_CURRENT_USER\\%2 in %3")
            .arg(kInstallDirValue, kInstallDirKey, userRegPath);
    if (!QFileInfo::exists(userRegPath))
        text += QStringLiteral(" (the file does not exist)");
    return text;
}
