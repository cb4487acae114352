#pragma once

#include "core/Melody.h"

#include <QUndoCommand>

class MelodyTableModel;

// The undo steps of the melody editor, each one kind of change of a MelodyTableModel.

// One record changed in place.
class RecordEdit : public QUndoCommand
{
public:
    RecordEdit(MelodyTableModel &model, int row, const MelodyRecord &before,
               const MelodyRecord &after);
    void redo() override;
    void undo() override;

private:
    MelodyTableModel &m_model;
    int m_row;
    MelodyRecord m_before, m_after;
};

// Records inserted at a row, or (Remove) the records at a row taken out.
class RecordsInsert : public QUndoCommand
{
public:
    enum Kind
    {
        Insert,
        Remove
    };
    RecordsInsert(Kind kind, MelodyTableModel &model, int row, std::vector<MelodyRecord> records);
    void redo() override;
    void undo() override;

private:
    void insert();
    void remove();

    Kind m_kind;
    MelodyTableModel &m_model;
    int m_row;
    std::vector<MelodyRecord> m_records;
};

// A run of records moved by `delta` rows.
class RecordsMove : public QUndoCommand
{
public:
    RecordsMove(MelodyTableModel &model, int first, int count, int delta);
    void redo() override;
    void undo() override;

private:
    void move(int from, int to);

    MelodyTableModel &m_model;
    int m_first, m_count, m_delta;
};

// The whole melody changed at once: transposed, or given another tempo.
class MelodyReplace : public QUndoCommand
{
public:
    MelodyReplace(MelodyTableModel &model, Melody before, Melody after, const QString &text);
    void redo() override;
    void undo() override;

private:
    MelodyTableModel &m_model;
    Melody m_before, m_after;
};
