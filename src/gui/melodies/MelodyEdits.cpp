#include "gui/melodies/MelodyEdits.h"

#include "gui/melodies/MelodyTableModel.h"

RecordEdit::RecordEdit(MelodyTableModel &model, int row, const MelodyRecord &before,
                       const MelodyRecord &after)
    : QUndoCommand(QStringLiteral("Edit note %1").arg(row + 1)), m_model(model), m_row(row),
      m_before(before), m_after(after)
{
}

void RecordEdit::redo()
{
    m_model.setRecord(m_row, m_after);
}

void RecordEdit::undo()
{
    m_model.setRecord(m_row, m_before);
}

RecordsInsert::RecordsInsert(Kind kind, MelodyTableModel &model, int row,
                             std::vector<MelodyRecord> records)
    : QUndoCommand(kind == Insert ? QStringLiteral("Insert notes")
                                  : QStringLiteral("Delete notes")),
      m_kind(kind), m_model(model), m_row(row), m_records(std::move(records))
{
}

void RecordsInsert::insert()
{
    m_model.insertRecords(m_row, m_records);
}

void RecordsInsert::remove()
{
    m_model.removeRecords(m_row, int(m_records.size()));
}

void RecordsInsert::redo()
{
    m_kind == Insert ? insert() : remove();
}

void RecordsInsert::undo()
{
    m_kind == Insert ? remove() : insert();
}

RecordsMove::RecordsMove(MelodyTableModel &model, int first, int count, int delta)
    : QUndoCommand(QStringLiteral("Move notes")), m_model(model), m_first(first), m_count(count),
      m_delta(delta)
{
}

void RecordsMove::move(int from, int to)
{
    const auto &records = m_model.melody().records;
    const std::vector<MelodyRecord> moved(records.begin() + from, records.begin() + from + m_count);
    m_model.removeRecords(from, m_count);
    m_model.insertRecords(to, moved);
}

void RecordsMove::redo()
{
    move(m_first, m_first + m_delta);
}

void RecordsMove::undo()
{
    move(m_first + m_delta, m_first);
}

MelodyReplace::MelodyReplace(MelodyTableModel &model, Melody before, Melody after,
                             const QString &text)
    : QUndoCommand(text), m_model(model), m_before(std::move(before)), m_after(std::move(after))
{
}

void MelodyReplace::redo()
{
    m_model.setMelody(m_after);
}

void MelodyReplace::undo()
{
    m_model.setMelody(m_before);
}
