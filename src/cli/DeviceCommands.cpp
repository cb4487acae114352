#include "cli/CheckCommand.h"
#include "cli/CliDevice.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/RecordJson.h"

#include "core/AnsiText.h"
#include "core/RecordLayout.h"
#include "devicelink/DeviceFinder.h"
#include "devicelink/DirectoryDeviceLink.h"
#include "platform/AtomicFile.h"
#include "platform/FileLock.h"
#include "settings/DeviceTransfer.h"
#include "settings/RecordFile.h"
#include "settings/SettingsHistory.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <optional>

namespace {

const QString kSystemName = QStringLiteral("system.ini");
const QString kWeeklyName = QStringLiteral("weekly.ini");

int fail(CliContext &ctx, int code, const QString &message)
{
    ctx.err << "quorixctl: " << message << '\n';
    return code;
}

std::optional<int> fetch(CliContext &ctx, CliDevice &device, const QString &devicePath,
                         const QString &hostPath)
{
    const std::int32_t r = device.link.Vlt_GetFile(hostPath, devicePath, kWholeFile);
    if (r == 0)
        return std::nullopt;
    return fail(
        ctx, ExitDeviceFailure,
        QStringLiteral("fetching %1 from the device failed: %2").arg(devicePath, vlt::describe(r)));
}

// Both device records, fetched into a private directory.
struct DeviceRecords
{
    SystemRecord system;
    WeeklyRecord weekly;
};

std::optional<int> fetchRecords(CliContext &ctx, CliDevice &device, const QTemporaryDir &work,
                                DeviceRecords &records)
{
    const QString system = work.filePath(kSystemName);
    const QString weekly = work.filePath(kWeeklyName);
    if (auto code = fetch(ctx, device, kDeviceSystemFile, system))
        return code;
    if (auto code = fetch(ctx, device, kDeviceWeeklyFile, weekly))
        return code;
    QFile s(system), w(weekly);
    if (!s.open(QIODevice::ReadOnly) || !w.open(QIODevice::ReadOnly))
        return fail(ctx, ExitDeviceFailure, QStringLiteral("reading the fetched records failed"));
    records.system = toRecord<SystemRecord>(s.readAll());
    records.weekly = toRecord<WeeklyRecord>(w.readAll());
    return std::nullopt;
}

bool renameOver(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), ec);
    return !ec;
}

// A write of settings to the device. The device's records are fetched into Quorix's own
// transfer folder and kept in the history before anything is sent, and both are read back
// afterwards. One command at a time uses the folder.
class DeviceWrite
{
public:
    DeviceWrite(CliContext &ctx, QString step)
        : m_ctx(ctx), m_step(std::move(step)), m_device(ctx.env),
          m_history(SettingsHistory::folderFrom(ctx.env)),
          m_folder(QFileInfo(m_history.folder()).path() + QStringLiteral("/transfer")),
          m_lock(m_folder + QStringLiteral("/.lock")), m_transfer(m_device.link, m_device.mapper)
    {
    }

    // A file of the transfer folder.
    QString file(const QString &name) const { return m_folder + u'/' + name; }
    const RecordPair &onDevice() const { return m_onDevice; }

    // Makes sure the device is there and fetches its records; a record the device does not
    // hold yet is empty.
    std::optional<int> begin()
    {
        if (auto code = deviceUnreachable(m_ctx, m_device, m_step))
            return code;
        if (!QDir().mkpath(m_folder) || !m_lock.lock(10000))
            return fail(m_ctx, ExitDeviceFailure,
                        QStringLiteral("%1: %2 cannot be used").arg(m_step, m_folder));
        const auto records = m_transfer.fetch();
        if (!records)
            return failed();
        m_onDevice = *records;
        return std::nullopt;
    }

    // Keeps what the device held as a snapshot, sends the files (device path, PC file) in
    // order, and checks that the device then holds `expected`.
    std::optional<int> finish(const QList<std::pair<QString, QString>> &files,
                              const RecordPair &expected)
    {
        if (!m_transfer.keep(m_history, m_onDevice))
            return failed();
        if (m_transfer.snapshotId().isEmpty())
            m_ctx.err << "quorixctl: " << m_step
                      << ": the device holds no settings yet; nothing to keep in the history\n";
        for (const auto &[devicePath, pcFile] : files) {
            if (!m_transfer.send(devicePath, pcFile))
                return failed();
        }
        if (!m_transfer.readBack(expected))
            return fail(m_ctx, ExitDeviceFailure,
                        QStringLiteral("%1: %2; the settings the device held before are kept as "
                                       "snapshot %3")
                            .arg(m_step, m_transfer.problem(), m_transfer.snapshotId()));
        return std::nullopt;
    }

private:
    int failed()
    {
        return fail(m_ctx, ExitDeviceFailure, m_step + QStringLiteral(": ") + m_transfer.problem());
    }

    CliContext &m_ctx;
    QString m_step;
    CliDevice m_device;
    SettingsHistory m_history;
    QString m_folder;
    FileLock m_lock;
    DeviceTransfer m_transfer;
    RecordPair m_onDevice;
};

int deviceShow(CliContext &ctx)
{
    CliDevice device(ctx.env);
    if (auto code = deviceUnreachable(ctx, device, QStringLiteral("device show")))
        return *code;
    QTemporaryDir work;
    DeviceRecords records;
    if (!work.isValid())
        return fail(ctx, ExitDeviceFailure, QStringLiteral("device show: no temporary directory"));
    if (auto code = fetchRecords(ctx, device, work, records))
        return *code;
    JsonWriter json;
    json.addRaw(QStringLiteral("system"), showSystem(records.system));
    json.addRaw(QStringLiteral("weekly"), showWeekly(records.weekly));
    ctx.out << json.toString() << '\n';
    return ExitOk;
}

int deviceSet(QStringList assignments, CliContext &ctx)
{
    const Rules rules = assignments.removeAll(u"--raw") ? Rules::StorageOnly : Rules::Checked;
    if (assignments.isEmpty())
        return fail(ctx, ExitUsage,
                    QStringLiteral("usage: quorixctl device set [--raw] NAME=VALUE..."));
    // Names and values are checked before the device is touched.
    QList<bool> toSystem;
    SystemRecord trySystem;
    WeeklyRecord tryWeekly;
    for (const QString &a : assignments) {
        const qsizetype eq = a.indexOf(u'=');
        if (eq <= 0)
            return fail(ctx, ExitBadInput,
                        QStringLiteral("device set: '%1' is not NAME=VALUE").arg(a));
        const std::string name = a.left(eq).toStdString();
        const bool inSystem = findField(systemLayout(), name) != nullptr;
        const bool inWeekly = findField(weeklyLayout(), name) != nullptr;
        if (inSystem == inWeekly)
            return fail(ctx, ExitBadInput,
                        QStringLiteral("device set: field '%1': no such field").arg(a.left(eq)));
        toSystem << inSystem;
        const QString problem =
            inSystem ? assignField(trySystem, a, rules) : assignField(tryWeekly, a, rules);
        if (!problem.isEmpty())
            return fail(ctx, ExitBadInput,
                        QStringLiteral("device set: %1; nothing was sent").arg(problem));
    }

    DeviceWrite write(ctx, QStringLiteral("device set"));
    if (auto code = write.begin())
        return *code;
    if (write.onDevice().system.isEmpty() || write.onDevice().weekly.isEmpty())
        return fail(ctx, ExitDeviceFailure,
                    QStringLiteral("device set: the device holds no settings to change yet; "
                                   "quorixctl push gives it some"));
    const auto system = toRecord<SystemRecord>(write.onDevice().system);
    const auto weekly = toRecord<WeeklyRecord>(write.onDevice().weekly);
    SystemRecord changedSystem = system;
    WeeklyRecord changedWeekly = weekly;
    for (qsizetype i = 0; i < assignments.size(); ++i) {
        const QString problem = toSystem[i] ? assignField(changedSystem, assignments[i], rules)
                                            : assignField(changedWeekly, assignments[i], rules);
        if (!problem.isEmpty())
            return fail(ctx, ExitBadInput,
                        QStringLiteral("device set: %1; nothing was sent").arg(problem));
    }

    // Only what changed goes back, the system record first.
    QList<std::pair<QString, QString>> files;
    RecordPair expected = write.onDevice();
    auto change = [&](const auto &record, const QString &name, const QString &devicePath,
                      QByteArray &image) -> std::optional<int> {
        QString error;
        if (!recordfile::write(write.file(name), record.bytes, &error))
            return fail(ctx, ExitDeviceFailure, QStringLiteral("device set: %1").arg(error));
        files.append({devicePath, write.file(name)});
        image = imageOf(record);
        return std::nullopt;
    };
    if (!(changedSystem == system)) {
        if (auto code = change(changedSystem, kSystemName, kDeviceSystemFile, expected.system))
            return *code;
    }
    if (!(changedWeekly == weekly)) {
        if (auto code = change(changedWeekly, kWeeklyName, kDeviceWeeklyFile, expected.weekly))
            return *code;
    }
    if (files.isEmpty())
        return ExitOk;
    if (auto code = write.finish(files, expected))
        return *code;
    return ExitOk;
}

// --- diff ---

constexpr int DiffEqual = 0;
constexpr int DiffDifferent = 1;
constexpr int DiffTrouble = 2;

QString byteText(std::uint8_t b)
{
    return QStringLiteral("0x%1").arg(b, 2, 16, QLatin1Char('0'));
}

template <std::size_t N>
QStringList differences(const RecordImage<N> &a, const RecordImage<N> &b,
                        const std::vector<FieldLayout> &layout)
{
    QStringList lines;
    auto line = [&](const QString &name, const QString &old, const QString &now) {
        lines << name + u'\t' + old + u'\t' + now;
    };
    auto textOf = [](const RecordImage<N> &r, const FieldLayout &f) {
        return JsonWriter::quote(QString::fromStdString(ansi::toUtf8(r.textAt(f.offset, f.width))));
    };
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const FieldLayout &f = layout[i];
        switch (f.type) {
        case FieldType::Int16:
            if (a.int16At(f.offset) != b.int16At(f.offset))
                line(QString::fromStdString(f.name), QString::number(a.int16At(f.offset)),
                     QString::number(b.int16At(f.offset)));
            break;
        case FieldType::Text:
            if (textOf(a, f) != textOf(b, f))
                line(QString::fromStdString(f.name), textOf(a, f), textOf(b, f));
            break;
        case FieldType::Bytes: {
            // Bytes that have a text view are shown as text when the text differs.
            const bool hasText = i + 1 < layout.size() && layout[i + 1].type == FieldType::Text &&
                                 layout[i + 1].offset == f.offset;
            if (hasText && textOf(a, layout[i + 1]) != textOf(b, layout[i + 1]))
                break;
            for (std::size_t o = f.offset; o < f.offset + f.width; ++o) {
                if (a.bytes[o] != b.bytes[o])
                    line(QStringLiteral("byte %1").arg(o), byteText(a.bytes[o]),
                         byteText(b.bytes[o]));
            }
            break;
        }
        }
    }
    return lines;
}

} // namespace

std::optional<int> readDeviceRecords(CliContext &ctx, const QString &step, SystemRecord &system,
                                     WeeklyRecord &weekly)
{
    CliDevice device(ctx.env);
    if (auto code = deviceUnreachable(ctx, device, step))
        return code;
    QTemporaryDir work;
    DeviceRecords records;
    if (!work.isValid())
        return fail(ctx, ExitDeviceFailure, step + QStringLiteral(": no temporary directory"));
    if (auto code = fetchRecords(ctx, device, work, records))
        return code;
    system = records.system;
    weekly = records.weekly;
    return std::nullopt;
}

int pullCommand(const QStringList &args, CliContext &ctx)
{
    if (args.size() != 1)
        return fail(ctx, ExitUsage, QStringLiteral("usage: quorixctl pull DIR"));
    const QFileInfo dir(args.first());
    if (!dir.isDir())
        return fail(ctx, ExitBadInput,
                    QStringLiteral("pull: %1 is not a directory").arg(args.first()));
    CliDevice device(ctx.env);
    if (auto code = deviceUnreachable(ctx, device, QStringLiteral("pull")))
        return *code;

    // Both files land in DIR only when both were fetched. The staging folder has a fixed name,
    // so one that a killed pull left behind is replaced by the next.
    const QString target = dir.absoluteFilePath();
    const QDir staging(target + QStringLiteral("/.pull.quorix-tmp"));
    QDir(staging).removeRecursively();
    const auto cleanUp = qScopeGuard([&] { QDir(staging).removeRecursively(); });
    if (!QDir().mkdir(staging.path()))
        return fail(ctx, ExitBadInput, QStringLiteral("pull: cannot write in %1").arg(target));
    if (auto code = fetch(ctx, device, kDeviceSystemFile, staging.filePath(kSystemName)))
        return *code;
    if (auto code = fetch(ctx, device, kDeviceWeeklyFile, staging.filePath(kWeeklyName)))
        return *code;
    for (const QString &name : {kSystemName, kWeeklyName}) {
        if (!renameOver(staging.filePath(name), target + u'/' + name))
            return fail(ctx, ExitBadInput,
                        QStringLiteral("pull: cannot put %1 into %2").arg(name, target));
    }
    if (!syncFolder(target))
        return fail(ctx, ExitBadInput, QStringLiteral("pull: cannot flush %1").arg(target));
    return ExitOk;
}

int pushCommand(const QStringList &args, CliContext &ctx)
{
    if (args.size() != 1)
        return fail(ctx, ExitUsage, QStringLiteral("usage: quorixctl push DIR"));
    const QDir dir(args.first());
    const std::pair<QString, qint64> expected[] = {{kSystemName, qint64(SystemRecord::Size)},
                                                   {kWeeklyName, qint64(WeeklyRecord::Size)}};
    for (const auto &[name, size] : expected) {
        const QFileInfo file(dir.filePath(name));
        if (!file.isFile())
            return fail(ctx, ExitBadInput,
                        QStringLiteral("push: %1 is missing").arg(file.filePath()));
        if (file.size() != size)
            return fail(ctx, ExitBadInput,
                        QStringLiteral("push: %1 is %2 bytes, not %3")
                            .arg(file.filePath())
                            .arg(file.size())
                            .arg(size));
    }
    DeviceWrite write(ctx, QStringLiteral("push"));
    if (auto code = write.begin())
        return *code;
    const QString system = dir.absoluteFilePath(kSystemName);
    const QString weekly = dir.absoluteFilePath(kWeeklyName);
    QFile systemFile(system), weeklyFile(weekly);
    if (!systemFile.open(QIODevice::ReadOnly) || !weeklyFile.open(QIODevice::ReadOnly))
        return fail(ctx, ExitBadInput, QStringLiteral("push: cannot read %1").arg(dir.path()));
    const RecordPair images{systemFile.readAll(), weeklyFile.readAll()};
    warnOutsideRules(ctx, QStringLiteral("push"), images);
    if (auto code =
            write.finish({{kDeviceSystemFile, system}, {kDeviceWeeklyFile, weekly}}, images))
        return *code;
    return ExitOk;
}

// The Tavions found among the mounts, whatever folder is set:
// [{"root":"/media/alice/TAVION","label":"TAVION"}, ...].
int deviceFind(CliContext &ctx)
{
    QStringList items;
    for (const FoundDevice &device :
         DeviceFinder(DeviceFinder::Places::fromEnvironment(ctx.env)).find()) {
        JsonWriter item;
        item.add(QStringLiteral("root"), device.root);
        item.addRaw(QStringLiteral("label"), device.label.isNull()
                                                 ? QStringLiteral("null")
                                                 : JsonWriter::quote(device.label));
        items << item.toString();
    }
    ctx.out << '[' << items.join(u',') << "]\n";
    return ExitOk;
}

int deviceCommand(const QStringList &args, CliContext &ctx)
{
    if (args.value(0) == u"show" && args.size() == 1)
        return deviceShow(ctx);
    if (args.value(0) == u"set")
        return deviceSet(args.mid(1), ctx);
    if (args.value(0) == u"find" && args.size() == 1)
        return deviceFind(ctx);
    if (args.value(0) == u"wait") {
        const int code = deviceWait(args.mid(1), ctx);
        return code == ExitOk ? deviceFind(ctx) : code;
    }
    return fail(ctx, ExitUsage,
                QStringLiteral("usage: quorixctl device show | quorixctl device set [--raw] "
                               "NAME=VALUE... | quorixctl device find | quorixctl device wait "
                               "[--timeout SECONDS]"));
}

int historyCommand(const QStringList &args, CliContext &ctx)
{
    if (!args.isEmpty())
        return fail(ctx, ExitUsage, QStringLiteral("usage: quorixctl history"));
    QStringList entries;
    for (const auto &snapshot : SettingsHistory(SettingsHistory::folderFrom(ctx.env)).list()) {
        JsonWriter json;
        json.add(QStringLiteral("id"), snapshot.id);
        json.add(
            QStringLiteral("time"),
            snapshot.time.toOffsetFromUtc(snapshot.time.offsetFromUtc()).toString(Qt::ISODate));
        json.add(QStringLiteral("system"), snapshot.systemFile);
        json.add(QStringLiteral("weekly"), snapshot.weeklyFile);
        entries << json.toString();
    }
    ctx.out << u'[' << entries.join(u',') << "]\n";
    return ExitOk;
}

int restoreCommand(const QStringList &args, CliContext &ctx)
{
    if (args.size() != 1)
        return fail(ctx, ExitUsage, QStringLiteral("usage: quorixctl restore ID"));
    const SettingsHistory history(SettingsHistory::folderFrom(ctx.env));
    const auto snapshot = history.find(args.first());
    if (!snapshot)
        return fail(ctx, ExitBadInput,
                    QStringLiteral("restore: no snapshot %1 in %2 (quorixctl history lists them)")
                        .arg(args.first(), history.folder()));
    RecordPair records;
    if (!SettingsHistory::read(*snapshot, records.system, records.weekly))
        return fail(ctx, ExitBadInput,
                    QStringLiteral("restore: snapshot %1 is damaged: its records are missing or "
                                   "not 256 and 76 bytes")
                        .arg(snapshot->id));

    DeviceWrite write(ctx, QStringLiteral("restore"));
    if (auto code = write.begin())
        return *code;
    warnOutsideRules(ctx, QStringLiteral("restore"), records);
    // Sent from copies: keeping the device's settings may prune the oldest snapshots.
    const QString system = write.file(kSystemName), weekly = write.file(kWeeklyName);
    QString error;
    if (!writeFileAtomically(system, records.system, &error) ||
        !writeFileAtomically(weekly, records.weekly, &error))
        return fail(ctx, ExitDeviceFailure, QStringLiteral("restore: %1").arg(error));
    if (auto code =
            write.finish({{kDeviceSystemFile, system}, {kDeviceWeeklyFile, weekly}}, records))
        return *code;
    return ExitOk;
}

int diffCommand(const QStringList &args, CliContext &ctx)
{
    if (args.size() != 2)
        return fail(ctx, DiffTrouble, QStringLiteral("usage: quorixctl diff A B"));
    // Each argument is a record file, else a snapshot id.
    const SettingsHistory history(SettingsHistory::folderFrom(ctx.env));
    QByteArray bytes[2];
    std::optional<RecordPair> snapshots[2];
    for (int n = 0; n < 2; ++n) {
        const auto snapshot = QFileInfo::exists(args[n]) ? std::nullopt : history.find(args[n]);
        if (snapshot) {
            snapshots[n].emplace();
            if (!SettingsHistory::read(*snapshot, snapshots[n]->system, snapshots[n]->weekly))
                return fail(ctx, DiffTrouble,
                            QStringLiteral("diff: snapshot %1 is damaged").arg(args[n]));
            continue;
        }
        QFile f(args[n]);
        if (!f.open(QIODevice::ReadOnly))
            return fail(ctx, DiffTrouble,
                        QStringLiteral("diff: %1: %2").arg(args[n], f.errorString()));
        bytes[n] = f.readAll();
        if (bytes[n].size() != qsizetype(SystemRecord::Size) &&
            bytes[n].size() != qsizetype(WeeklyRecord::Size))
            return fail(ctx, DiffTrouble,
                        QStringLiteral("diff: %1: %2 bytes is neither a system record (256) nor "
                                       "a weekly record (76)")
                            .arg(args[n])
                            .arg(bytes[n].size()));
    }

    QStringList lines;
    auto compare = [&](const QByteArray &a, const QByteArray &b) {
        lines << (a.size() == qsizetype(SystemRecord::Size)
                      ? differences(toRecord<SystemRecord>(a), toRecord<SystemRecord>(b),
                                    systemLayout())
                      : differences(toRecord<WeeklyRecord>(a), toRecord<WeeklyRecord>(b),
                                    weeklyLayout()));
    };
    if (snapshots[0] && snapshots[1]) {
        compare(snapshots[0]->system, snapshots[1]->system);
        compare(snapshots[0]->weekly, snapshots[1]->weekly);
    } else {
        // An id stands for its record of the other argument's kind.
        for (int n = 0; n < 2; ++n) {
            if (snapshots[n])
                bytes[n] = bytes[1 - n].size() == qsizetype(SystemRecord::Size)
                               ? snapshots[n]->system
                               : snapshots[n]->weekly;
        }
        if (bytes[0].size() != bytes[1].size())
            return fail(ctx, DiffTrouble,
                        QStringLiteral("diff: %1 and %2 are records of different kinds")
                            .arg(args[0], args[1]));
        compare(bytes[0], bytes[1]);
    }
    for (const QString &l : lines)
        ctx.out << l << '\n';
    return lines.isEmpty() ? DiffEqual : DiffDifferent;
}
