#pragma once

#include <QList>

#include <optional>

class MelodyTableModel;

// The editor's changes beyond one cell, each one undo step on the model's stack. `rows` are
// the selected rows in ascending order; a change answers the rows to select afterwards, or
// nullopt when it cannot be made (and nothing changed).
namespace melodyops {

struct Rows
{
    int first;
    int last;
};

// A copy of the last selected note after it (an A4 at the end when nothing is selected).
std::optional<Rows> insertNote(MelodyTableModel &model, const QList<int> &rows);
std::optional<Rows> deleteNotes(MelodyTableModel &model, const QList<int> &rows);
// Moves a selection without gaps by delta rows, not past either end.
std::optional<Rows> moveNotes(MelodyTableModel &model, const QList<int> &rows, int delta);
// Moves the notes of the rows (all when empty) by semitones; refused when a note would leave
// the device's range.
bool transpose(MelodyTableModel &model, int semitones, const QList<int> &rows);
void setTempo(MelodyTableModel &model, int tempo);

} // namespace melodyops
