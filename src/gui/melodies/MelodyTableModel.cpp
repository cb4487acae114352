#include "gui/melodies/MelodyTableModel.h"

#include "core/ToneSynth.h"
#include "gui/melodies/MelodyEdits.h"

#include <QUndoStack>

MelodyTableModel::MelodyTableModel(Melody melody, QUndoStack &stack, QObject *parent)
    : QAbstractTableModel(parent), m_melody(std::move(melody)), m_stack(stack)
{
}

int MelodyTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_melody.records.size());
}

int MelodyTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MelodyTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const MelodyRecord &r = m_melody.records[std::size_t(index.row())];
    if (role == Qt::EditRole) {
        switch (index.column()) {
        case NoteColumn:
            return r.isRest() ? RestNote : int(r.note);
        case LengthColumn:
            return int(r.length);
        default:
            return int(r.sounded);
        }
    }
    if (role == Qt::DisplayRole) {
        if (index.column() == NoteColumn)
            return r.isRest() ? QStringLiteral("rest") : QString::fromStdString(NoteName(r.note));
        return data(index, Qt::EditRole);
    }
    if (role == Qt::TextAlignmentRole && index.column() != NoteColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant MelodyTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case NoteColumn:
        return QStringLiteral("Note");
    case LengthColumn:
        return QStringLiteral("Units");
    default:
        return QStringLiteral("Sounded quarters");
    }
}

Qt::ItemFlags MelodyTableModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

std::optional<MelodyRecord> MelodyTableModel::edited(MelodyRecord record, int column, int value)
{
    switch (column) {
    case NoteColumn:
        if (value < RestNote || value > MaxNote)
            return std::nullopt;
        if (value == RestNote)
            return MelodyRecord{0, record.length, 0};
        record.note = std::uint8_t(value);
        record.sounded = record.isRest() ? std::uint8_t(FullySounded - 1) : record.sounded;
        return record;
    case LengthColumn:
        if (value < 1 || value > MaxRecordUnits)
            return std::nullopt;
        record.length = std::uint8_t(value);
        return record;
    case SoundedColumn:
        if (value < 0 || value > FullySounded)
            return std::nullopt;
        if (value > 0 && record.isRest())
            record.note = DefaultNote;
        if (value == 0)
            record.note = 0;
        record.sounded = std::uint8_t(value);
        return record;
    default:
        return std::nullopt;
    }
}

bool MelodyTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (role != Qt::EditRole || !index.isValid() || !isNumber)
        return false;
    const MelodyRecord before = m_melody.records[std::size_t(index.row())];
    const auto after = edited(before, index.column(), number);
    if (!after)
        return false;
    if (*after != before)
        m_stack.push(new RecordEdit(*this, index.row(), before, *after));
    return true;
}

void MelodyTableModel::setRecord(int row, const MelodyRecord &record)
{
    m_melody.records[std::size_t(row)] = record;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    emit melodyChanged();
}

void MelodyTableModel::insertRecords(int row, const std::vector<MelodyRecord> &records)
{
    if (records.empty())
        return;
    beginInsertRows({}, row, row + int(records.size()) - 1);
    m_melody.records.insert(m_melody.records.begin() + row, records.begin(), records.end());
    endInsertRows();
    emit melodyChanged();
}

void MelodyTableModel::removeRecords(int row, int count)
{
    if (count <= 0)
        return;
    beginRemoveRows({}, row, row + count - 1);
    m_melody.records.erase(m_melody.records.begin() + row, m_melody.records.begin() + row + count);
    endRemoveRows();
    emit melodyChanged();
}

void MelodyTableModel::setMelody(const Melody &melody)
{
    beginResetModel();
    m_melody = melody;
    endResetModel();
    emit melodyChanged();
}
