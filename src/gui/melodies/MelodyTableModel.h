#pragma once

#include "core/Melody.h"

#include <QAbstractTableModel>

#include <optional>

class QUndoStack;

// One melody as a table: a row per record with its note ("A4" or "rest"), its length in units
// and the quarters it sounds. Edits through setData go onto the undo stack; the edit commands
// change the melody through the plain setters below.
class MelodyTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        NoteColumn,
        LengthColumn,
        SoundedColumn,
        ColumnCount
    };
    // The note of a row as a number, -1 for a rest (the note editor's value).
    static constexpr int RestNote = -1;
    // The note a rest takes when it is given quarters to sound.
    static constexpr std::uint8_t DefaultNote = 35; // A4

    MelodyTableModel(Melody melody, QUndoStack &stack, QObject *parent = nullptr);

    const Melody &melody() const { return m_melody; }
    QUndoStack &undoStack() const { return m_stack; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Refuses values outside the format's ranges; an accepted edit is an undo step.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // The record a row holds after setting one column to value; nullopt when out of range.
    static std::optional<MelodyRecord> edited(MelodyRecord record, int column, int value);

    // Unrecorded changes, for the undo commands.
    void setRecord(int row, const MelodyRecord &record);
    void insertRecords(int row, const std::vector<MelodyRecord> &records);
    void removeRecords(int row, int count);
    void setMelody(const Melody &melody);

signals:
    // Any change of the melody, its tempo included.
    void melodyChanged();

private:
    Melody m_melody;
    QUndoStack &m_stack;
};
