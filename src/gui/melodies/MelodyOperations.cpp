#include "gui/melodies/MelodyOperations.h"

#include "core/ToneSynth.h"
#include "gui/melodies/MelodyEdits.h"
#include "gui/melodies/MelodyTableModel.h"

#include <QUndoStack>

namespace melodyops {

std::optional<Rows> insertNote(MelodyTableModel &model, const QList<int> &rows)
{
    if (model.melody().records.size() >= MaxMelodyRecords)
        return std::nullopt;
    const int at = rows.isEmpty() ? model.rowCount() : rows.last() + 1;
    const MelodyRecord record = rows.isEmpty() ? MelodyRecord{MelodyTableModel::DefaultNote, 4, 3}
                                               : model.melody().records[std::size_t(rows.last())];
    model.undoStack().push(new RecordsInsert(RecordsInsert::Insert, model, at, {record}));
    return Rows{at, at};
}

std::optional<Rows> deleteNotes(MelodyTableModel &model, const QList<int> &rows)
{
    if (rows.isEmpty())
        return std::nullopt;
    QUndoStack &stack = model.undoStack();
    // Runs of selected rows, the last first so that the earlier rows keep their places.
    stack.beginMacro(QStringLiteral("Delete notes"));
    for (qsizetype end = rows.size(); end > 0;) {
        qsizetype start = end - 1;
        while (start > 0 && rows[start - 1] == rows[start] - 1)
            --start;
        const auto &records = model.melody().records;
        stack.push(
            new RecordsInsert(RecordsInsert::Remove, model, rows[start],
                              std::vector<MelodyRecord>(records.begin() + rows[start],
                                                        records.begin() + rows[end - 1] + 1)));
        end = start;
    }
    stack.endMacro();
    const int next = std::min(rows.first(), model.rowCount() - 1);
    return Rows{next, next};
}

std::optional<Rows> moveNotes(MelodyTableModel &model, const QList<int> &rows, int delta)
{
    if (rows.isEmpty())
        return std::nullopt;
    const int first = rows.first(), count = rows.last() - first + 1;
    if (count != rows.size() || first + delta < 0 || first + count + delta > model.rowCount())
        return std::nullopt;
    model.undoStack().push(new RecordsMove(model, first, count, delta));
    return Rows{first + delta, first + delta + count - 1};
}

bool transpose(MelodyTableModel &model, int semitones, const QList<int> &rows)
{
    Melody moved = model.melody();
    for (std::size_t i = 0; i < moved.records.size(); ++i) {
        MelodyRecord &r = moved.records[i];
        if (r.isRest() || (!rows.isEmpty() && !rows.contains(int(i))))
            continue;
        const int note = r.note + semitones;
        if (note < 0 || note > MaxNote)
            return false;
        r.note = std::uint8_t(note);
    }
    model.undoStack().push(new MelodyReplace(model, model.melody(), moved,
                                             QStringLiteral("Transpose by %1").arg(semitones)));
    return true;
}

void setTempo(MelodyTableModel &model, int tempo)
{
    if (model.melody().tempo == tempo)
        return;
    Melody changed = model.melody();
    changed.tempo = std::uint8_t(tempo);
    model.undoStack().push(
        new MelodyReplace(model, model.melody(), changed, QStringLiteral("Change the tempo")));
}

} // namespace melodyops
