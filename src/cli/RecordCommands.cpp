#include "cli/Commands.h"
#include "cli/JsonWriter.h"

#include "settings/AnsiText.h"
#include "settings/RecordFile.h"
#include "settings/RecordLayout.h"
#include "settings/SystemRecord.h"
#include "settings/WeeklyRecord.h"

#include <QFile>

#include <limits>

namespace {

enum class Kind { Unknown, System, Weekly };

struct Target
{
    Kind kind = Kind::Unknown;
    QString file;
    QStringList rest;
};

// Splits [--system|--weekly] FILE [rest...]; false on a usage error.
bool parseTarget(const QStringList &args, Target &t)
{
    QStringList positional;
    for (const QString &a : args) {
        if (a == u"--system")
            t.kind = Kind::System;
        else if (a == u"--weekly")
            t.kind = Kind::Weekly;
        else if (a.startsWith(u"--"))
            return false;
        else
            positional << a;
    }
    if (positional.isEmpty())
        return false;
    t.file = positional.takeFirst();
    t.rest = positional;
    return true;
}

// Reads FILE whole and fixes its kind from the option or from its size.
bool loadImage(CliContext &ctx, Target &t, QByteArray &bytes)
{
    QFile f(t.file);
    if (!f.open(QIODevice::ReadOnly)) {
        ctx.err << "quorixctl: " << t.file << ": " << f.errorString() << '\n';
        return false;
    }
    bytes = f.readAll();
    if (t.kind == Kind::Unknown) {
        if (bytes.size() == qsizetype(SystemRecord::Size))
            t.kind = Kind::System;
        else if (bytes.size() == qsizetype(WeeklyRecord::Size))
            t.kind = Kind::Weekly;
        else {
            ctx.err << "quorixctl: " << t.file << ": " << bytes.size()
                    << " bytes is neither a system record (256) nor a weekly record (76); "
                       "use --system or --weekly\n";
            return false;
        }
    }
    return true;
}

// Missing bytes of a short file stay zero.
template <typename Record>
Record toRecord(const QByteArray &bytes)
{
    Record r;
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), qsizetype(Record::Size)),
                reinterpret_cast<char *>(r.bytes.data()));
    return r;
}

template <std::size_t N>
QString hexOf(const RecordImage<N> &r, const FieldLayout &f)
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

// Applies NAME=VALUE to the record; returns an error text, empty on success.
template <std::size_t N>
QString assign(RecordImage<N> &r, const std::vector<FieldLayout> &layout, const QString &assignment)
{
    const qsizetype eq = assignment.indexOf(u'=');
    if (eq <= 0)
        return QStringLiteral("'%1' is not NAME=VALUE").arg(assignment);
    const QString name = assignment.left(eq);
    const QString value = assignment.mid(eq + 1);
    const FieldLayout *f = findField(layout, name.toStdString());
    if (!f)
        return QStringLiteral("field '%1': no such field").arg(name);

    switch (f->type) {
    case FieldType::Int16: {
        bool ok = false;
        const qlonglong v = value.startsWith(u"0x") ? value.mid(2).toLongLong(&ok, 16)
                                                    : value.toLongLong(&ok, 10);
        if (!ok || v < std::numeric_limits<std::int16_t>::min() ||
            v > std::numeric_limits<std::int16_t>::max())
            return QStringLiteral("field '%1': '%2' is not a whole number in -32768..32767")
                .arg(name, value);
        r.setInt16At(f->offset, static_cast<std::int16_t>(v));
        return {};
    }
    case FieldType::Bytes: {
        const QByteArray hex = value.toLatin1();
        const QByteArray raw = QByteArray::fromHex(hex);
        const bool isHex = std::all_of(hex.begin(), hex.end(), [](char c) { return isxdigit(static_cast<unsigned char>(c)); });
        if (!isHex || raw.size() != qsizetype(f->width) || hex.size() != 2 * qsizetype(f->width))
            return QStringLiteral("field '%1': needs exactly %2 hex digits").arg(name).arg(2 * f->width);
        std::copy(raw.begin(), raw.end(), r.bytes.begin() + qsizetype(f->offset));
        return {};
    }
    case FieldType::Text: {
        const auto encoded = ansi::fromUtf8(value.toStdString());
        if (!encoded)
            return QStringLiteral("field '%1': '%2' has characters Windows-1252 cannot store")
                .arg(name, value);
        if (encoded->find('\0') != std::string::npos || !r.setTextAt(f->offset, f->width, *encoded))
            return QStringLiteral("field '%1': longer than %2 characters").arg(name).arg(f->width);
        return {};
    }
    }
    return {};
}

} // namespace

int showCommand(const QStringList &args, CliContext &ctx)
{
    Target t;
    if (!parseTarget(args, t) || !t.rest.isEmpty()) {
        ctx.err << "usage: quorixctl show [--system|--weekly] FILE\n";
        return ExitUsage;
    }
    QByteArray bytes;
    if (!loadImage(ctx, t, bytes))
        return ExitBadInput;
    ctx.out << (t.kind == Kind::System ? showSystem(toRecord<SystemRecord>(bytes))
                                       : showWeekly(toRecord<WeeklyRecord>(bytes)))
            << '\n';
    return ExitOk;
}

int setCommand(const QStringList &args, CliContext &ctx)
{
    Target t;
    if (!parseTarget(args, t) || t.rest.isEmpty()) {
        ctx.err << "usage: quorixctl set [--system|--weekly] FILE NAME=VALUE...\n";
        return ExitUsage;
    }
    QByteArray bytes;
    if (!loadImage(ctx, t, bytes))
        return ExitBadInput;

    auto applyAll = [&](auto record, const std::vector<FieldLayout> &layout) {
        for (const QString &assignment : t.rest) {
            const QString problem = assign(record, layout, assignment);
            if (!problem.isEmpty()) {
                ctx.err << "quorixctl: " << t.file << ": " << problem << "; file left unchanged\n";
                return int(ExitBadInput);
            }
        }
        QString error;
        if (!recordfile::write(t.file, record.bytes, &error)) {
            ctx.err << "quorixctl: " << t.file << ": cannot write: " << error << '\n';
            return int(ExitBadInput);
        }
        return int(ExitOk);
    };
    return t.kind == Kind::System ? applyAll(toRecord<SystemRecord>(bytes), systemLayout())
                                  : applyAll(toRecord<WeeklyRecord>(bytes), weeklyLayout());
}
