#pragma once

#include <QByteArray>
#include <QString>

#include <QTemporaryDir>

#include <memory>
#include <optional>

class DeviceLink;
class PathMapper;
class SettingsHistory;

// The two settings records as whole files.
struct RecordPair
{
    QByteArray system;
    QByteArray weekly;
    friend bool operator==(const RecordPair &, const RecordPair &) = default;
};

// The steps of every write of settings to the device: fetch what the device holds, keep it in
// the history, send, and read back what arrived. What is fetched lands in a private temporary
// folder, so the PC files to be sent are never overwritten by it. Each step reports its failure
// in problem().
class DeviceTransfer
{
public:
    DeviceTransfer(DeviceLink &link, const PathMapper &mapper);

    // Both records as the device holds them now. A record the device does not hold (a new or
    // wiped Tavion) is empty; a device that cannot be reached or read is nullopt.
    std::optional<RecordPair> fetch();
    // Keeps the pair as a snapshot; false when the history cannot take it. A device that holds
    // neither record has nothing to keep: the snapshot id stays empty.
    bool keep(SettingsHistory &history, const RecordPair &records);
    // Sends a PC file (a Windows or host path, as the link takes it) to the device.
    bool send(const QString &devicePath, const QString &pcFile);
    // True when the device now holds exactly `expected`.
    bool readBack(const RecordPair &expected);

    const QString &problem() const { return m_problem; }
    // The snapshot kept by keep().
    const QString &snapshotId() const { return m_snapshotId; }

private:
    std::optional<QByteArray> fetchOne(const QString &devicePath);

    DeviceLink &m_link;
    const PathMapper &m_mapper;
    std::unique_ptr<QTemporaryDir> m_fetched;
    QString m_problem;
    QString m_snapshotId;
};
