#include "cli/RecordJson.h"

#include "cli/JsonWriter.h"
#include "core/AnsiText.h"
#include "core/RecordLayout.h"
#include "core/ValueRules.h"

#include <QStringList>

#include <limits>

namespace {

template <std::size_t N> QString hexOf(const RecordImage<N> &r, const FieldLayout &f)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char *>(r.bytes.data() + f.offset), qsizetype(f.width))
            .toHex());
}

template <std::size_t N>
void addField(JsonWriter &json, const QString &key, const RecordImage<N> &r, const FieldLayout &f)
{
    switch (f.type) {
    case FieldType::Int16:
        json.add(key, r.int16At(f.offset));
        break;
    case FieldType::Bytes:
        json.add(key, hexOf(r, f));
        break;
    case FieldType::Text:
        json.add(key, QString::fromStdString(ansi::toUtf8(r.textAt(f.offset, f.width))));
        break;
    }
}

// Applies NAME=VALUE to the record; returns an error text, empty on success.
template <std::size_t N>
QString assign(RecordImage<N> &r, const std::vector<FieldLayout> &layout, const QString &assignment,
               Rules rules)
{
    const qsizetype eq = assignment.indexOf(u'=');
    if (eq <= 0)
        return QStringLiteral("'%1' is not NAME=VALUE").arg(assignment);
    const QString name = assignment.left(eq);
    const QString value = assignment.mid(eq + 1);
    const FieldLayout *f = findField(layout, name.toStdString());
    if (!f)
        return QStringLiteral("field '%1': no such field").arg(name);
    const ValueRule *rule = rules == Rules::Checked ? findRule(f->name) : nullptr;
    if (rules == Rules::Checked && !rule)
        return QStringLiteral("field '%1' has no control in the window; only --raw (for experts) "
                              "changes it")
            .arg(name);
    const QString allowed = rule ? QString::fromStdString(allowedText(*rule)) : QString();

    switch (f->type) {
    case FieldType::Int16: {
        bool ok = false;
        const qlonglong v =
            value.startsWith(u"0x") ? value.mid(2).toLongLong(&ok, 16) : value.toLongLong(&ok, 10);
        if (!ok || v < std::numeric_limits<std::int16_t>::min() ||
            v > std::numeric_limits<std::int16_t>::max())
            return QStringLiteral("field '%1': '%2' is not a whole number in -32768..32767")
                .arg(name, value);
        if (rule && !allows(*rule, int(v)))
            return QStringLiteral("%1: %2 is outside %3").arg(name).arg(v).arg(allowed);
        r.setInt16At(f->offset, static_cast<std::int16_t>(v));
        return {};
    }
    case FieldType::Bytes: {
        const QByteArray hex = value.toLatin1();
        const QByteArray raw = QByteArray::fromHex(hex);
        const bool isHex = std::all_of(
            hex.begin(), hex.end(), [](char c) { return isxdigit(static_cast<unsigned char>(c)); });
        if (!isHex || raw.size() != qsizetype(f->width) || hex.size() != 2 * qsizetype(f->width))
            return QStringLiteral("field '%1': needs exactly %2 hex digits")
                .arg(name)
                .arg(2 * f->width);
        std::copy(raw.begin(), raw.end(), r.bytes.begin() + qsizetype(f->offset));
        return {};
    }
    case FieldType::Text: {
        const auto encoded = ansi::fromUtf8(value.toStdString());
        if (!encoded)
            return QStringLiteral("field '%1': '%2' has characters Windows-1252 cannot store")
                .arg(name, value);
        if (encoded->find('\0') != std::string::npos || encoded->size() > f->width)
            return QStringLiteral("field '%1': longer than %2 characters").arg(name).arg(f->width);
        if (rule && !allowsText(*rule, *encoded))
            return QStringLiteral("%1: \"%2\" is not %3").arg(name, value, allowed);
        r.setTextAt(f->offset, f->width, *encoded);
        return {};
    }
    }
    return {};
}

} // namespace

QString showSystem(const SystemRecord &r)
{
    JsonWriter json;
    json.add(QStringLiteral("record"), QStringLiteral("system"));
    for (const FieldLayout &f : systemLayout())
        addField(json, QString::fromStdString(f.name), r, f);
    return json.toString();
}

QString showWeekly(const WeeklyRecord &r)
{
    const auto &layout = weeklyLayout();
    auto field = [&](const std::string &name) { return *findField(layout, name); };

    JsonWriter json;
    json.add(QStringLiteral("record"), QStringLiteral("weekly"));
    QStringList entries;
    for (int n = 0; n < WeeklyRecord::AlarmCount; ++n) {
        JsonWriter entry;
        const std::string prefix = "AlarmEntry[" + std::to_string(n) + "].";
        for (const char *name : {"Repeat", "Hour", "Minute", "SoundNameBytes", "SoundName"})
            addField(entry, QString::fromLatin1(name), r, field(prefix + name));
        entries << entry.toString();
    }
    json.addRaw(QStringLiteral("AlarmEntry"), u'[' + entries.join(u',') + u']');
    json.add(QStringLiteral("Hidden56"), r.hidden56());
    json.add(QStringLiteral("HourlyChime"), r.hourlyChime());
    QStringList repeat, mask;
    for (int n = 0; n < WeeklyRecord::AlarmCount; ++n) {
        repeat << QString::number(r.repeatIndex(n));
        mask << QString::number(r.weekdayMask(n));
    }
    json.addRaw(QStringLiteral("RepeatIndex"), u'[' + repeat.join(u',') + u']');
    json.addRaw(QStringLiteral("WeekdayMask"), u'[' + mask.join(u',') + u']');
    return json.toString();
}

QString assignField(SystemRecord &r, const QString &assignment, Rules rules)
{
    return assign(r, systemLayout(), assignment, rules);
}

QString assignField(WeeklyRecord &r, const QString &assignment, Rules rules)
{
    return assign(r, weeklyLayout(), assignment, rules);
}
