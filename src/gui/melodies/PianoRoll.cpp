#include "gui/melodies/PianoRoll.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

RollGeometry::RollGeometry(const Melody &melody, int height) : m_melody(melody), m_height(height)
{
    m_starts.reserve(melody.records.size() + 1);
    std::uint64_t at = 0;
    bool any = false;
    for (const MelodyRecord &r : melody.records) {
        m_starts.push_back(at);
        at += r.length;
        if (r.isRest())
            continue;
        m_low = any ? std::min<int>(m_low, r.note) : r.note;
        m_high = any ? std::max<int>(m_high, r.note) : r.note;
        any = true;
    }
    m_starts.push_back(at);
}

QRectF RollGeometry::noteRect(std::size_t record) const
{
    const MelodyRecord &r = m_melody.records.at(record);
    if (r.isRest())
        return {};
    return {double(m_starts[record] * UnitWidth), rowTop(r.note),
            r.length * r.sounded * UnitWidth / 4.0, rowHeight()};
}

QRectF RollGeometry::spanRect(std::size_t first, std::size_t last) const
{
    const double left = double(m_starts.at(first) * UnitWidth);
    return {left, 0, double(m_starts.at(last + 1) * UnitWidth) - left, double(m_height)};
}

PianoRoll::PianoRoll(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MelodyRoll"));
    setAccessibleName(QStringLiteral("Melody over time"));
    setFocusPolicy(Qt::NoFocus);
    setFixedHeight(96);
    resizeToMelody();
}

void PianoRoll::setMelody(const Melody *melody)
{
    m_melody = melody;
    m_first = m_last = -1;
    resizeToMelody();
    update();
}

void PianoRoll::setSelection(int first, int last)
{
    m_first = first;
    m_last = last;
    update();
}

void PianoRoll::resizeToMelody()
{
    const int width = m_melody ? RollGeometry(*m_melody, height()).width() : 0;
    setFixedWidth(std::max(width, 1));
}

QRect PianoRoll::selectionRect() const
{
    if (!m_melody || m_first < 0 || std::size_t(m_last) >= m_melody->records.size())
        return {};
    return RollGeometry(*m_melody, height())
        .spanRect(std::size_t(m_first), std::size_t(m_last))
        .toAlignedRect();
}

void PianoRoll::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (!m_melody)
        return;
    painter.fillRect(selectionRect(), palette().highlight().color().lighter(170));
    const RollGeometry geometry(*m_melody, height());
    const QRect visible = event->rect();
    // Each C's row is underlined and named every few bars' width, for orientation; the
    // places do not move with scrolling, so a repaint of a strip draws the same.
    constexpr int LabelEvery = 20 * RollGeometry::UnitWidth;
    painter.setPen(palette().mid().color());
    for (int note = geometry.lowest(); note <= geometry.highest(); ++note) {
        const std::string name = NoteName(note);
        if (name[0] != 'C' || name[1] == '#')
            continue;
        const double bottom = geometry.rowTop(note) + geometry.rowHeight();
        painter.drawLine(QPointF(visible.left(), bottom), QPointF(visible.right(), bottom));
        for (int x = visible.left() / LabelEvery * LabelEvery; x <= visible.right();
             x += LabelEvery)
            painter.drawText(QPointF(x + 2, bottom - 2), QString::fromStdString(name));
    }
    painter.setPen(palette().text().color());
    painter.setBrush(palette().highlight());
    for (std::size_t i = 0; i < m_melody->records.size(); ++i) {
        const QRectF bar = geometry.noteRect(i);
        if (bar.isEmpty() || bar.right() < visible.left())
            continue;
        if (bar.left() > visible.right())
            break;
        painter.drawRect(bar.adjusted(0, 0, -1, -1));
    }
}
