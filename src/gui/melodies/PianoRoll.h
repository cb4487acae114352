#pragma once

#include "core/Melody.h"

#include <QRectF>
#include <QWidget>

// Where each record of a melody lies in a piano-roll picture of a given height: time runs to
// the right, UnitWidth pixels a unit; the melody's lowest to highest note fill the height, one
// row a semitone. A note's bar covers the part of its record that sounds.
class RollGeometry
{
public:
    static constexpr int UnitWidth = 12;

    RollGeometry(const Melody &melody, int height);

    // The record's bar; empty for a rest.
    QRectF noteRect(std::size_t record) const;
    // From the start of `first` to the end of `last`, the full height.
    QRectF spanRect(std::size_t first, std::size_t last) const;
    int width() const { return int(m_starts.back()) * UnitWidth; }
    // The melody's lowest and highest note (equal, and 0, when it has none).
    int lowest() const { return m_low; }
    int highest() const { return m_high; }
    // The vertical band of a note's row.
    double rowTop(int note) const { return (m_high - note) * rowHeight(); }
    double rowHeight() const { return double(m_height) / (m_high - m_low + 1); }

private:
    const Melody &m_melody;
    std::vector<std::uint64_t> m_starts; // unit where each record starts, then the end
    int m_height;
    int m_low = 0, m_high = 0;
};

// The picture of a melody over time, with the table's selection marked.
class PianoRoll : public QWidget
{
    Q_OBJECT

public:
    explicit PianoRoll(QWidget *parent = nullptr);

    // The melody must outlive the picture or be replaced first; nullptr shows nothing.
    void setMelody(const Melody *melody);
    // Records first..last are marked; first < 0 marks none.
    void setSelection(int first, int last);
    // The marked part, in the widget's coordinates (empty when nothing is marked).
    QRect selectionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void resizeToMelody();

    const Melody *m_melody = nullptr;
    int m_first = -1, m_last = -1;
};
