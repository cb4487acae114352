#include "gui/about/Emblems.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>

namespace family {

namespace {

const std::array<const char *, TitleCount> Titles = {
    "Sorvane",  // the suite's start pad
    "Quorix",   // system settings
    "Calendra", // schedule
    "Memlet",   // memos
    "Contaxo",  // address book
    "Tallyon",  // expenses
    "Chimevox", // alarm sounds
    "Pixtone",  // pictures
    "Glyphory", // fonts
    "Routeca",  // world time
    "Fitrune",  // step counter
    "Taskwyn",  // to-do list
    "Lexibar",  // dictionary
};

const std::array<QColor, TitleCount> TileColours = {
    QColor(0x1f, 0x3a, 0x68), QColor(0x0f, 0x7c, 0x7a), QColor(0xc0, 0x39, 0x2b),
    QColor(0xd8, 0x9a, 0x10), QColor(0x28, 0x6d, 0xc0), QColor(0x2e, 0x8b, 0x47),
    QColor(0x7b, 0x3f, 0xa0), QColor(0xe0, 0x6a, 0x1b), QColor(0x4a, 0x4a, 0x4a),
    QColor(0x27, 0x9c, 0xd6), QColor(0x7c, 0xb3, 0x2b), QColor(0x3c, 0x3f, 0x9e),
    QColor(0x8a, 0x5a, 0x34),
};

// Every glyph is drawn in a 100 x 100 box and scaled to the emblem.
void drawHub(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 8));
    p.drawEllipse(QPointF(50, 50), 18, 18);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (const QPointF c : {QPointF(50, 18), QPointF(82, 50), QPointF(50, 82), QPointF(18, 50)})
        p.drawEllipse(c, 9, 9);
}

void drawGear(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(50, 50);
        p.rotate(i * 45.0);
        p.drawRoundedRect(QRectF(-8, -38, 16, 20), 3, 3);
        p.restore();
    }
    QPainterPath ring;
    ring.addEllipse(QPointF(50, 50), 27, 27);
    ring.addEllipse(QPointF(50, 50), 11, 11);
    p.drawPath(ring);
}

void drawCalendar(QPainter &p)
{
    p.setPen(QPen(Qt::white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(20, 24, 60, 56), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(20, 24, 60, 14));
    p.drawRect(QRectF(32, 14, 6, 16));
    p.drawRect(QRectF(62, 14, 6, 16));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(30 + col * 15, 47 + row * 14, 9, 8));
}

void drawMemo(QPainter &p)
{
    QPolygonF page(
        {QPointF(26, 14), QPointF(62, 14), QPointF(76, 28), QPointF(76, 86), QPointF(26, 86)});
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.setPen(QPen(QColor(0xd8, 0x9a, 0x10), 5));
    for (int y = 40; y <= 72; y += 12)
        p.drawLine(QPointF(34, y), QPointF(68, y));
}

void drawPerson(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(50, 36), 16, 16);
    p.drawChord(QRectF(20, 58, 60, 56), 0, 180 * 16);
}

void drawBars(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(20, 58, 16, 26));
    p.drawRect(QRectF(42, 40, 16, 44));
    p.drawRect(QRectF(64, 20, 16, 64));
}

void drawBell(QPainter &p)
{
    QPainterPath bell;
    bell.moveTo(24, 72);
    bell.cubicTo(32, 64, 30, 54, 32, 42);
    bell.cubicTo(34, 26, 66, 26, 68, 42);
    bell.cubicTo(70, 54, 68, 64, 76, 72);
    bell.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(bell);
    p.drawEllipse(QPointF(50, 80), 8, 8);
    p.drawEllipse(QPointF(50, 24), 5, 5);
}

void drawLandscape(QPainter &p)
{
    p.setPen(QPen(Qt::white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(16, 22, 68, 56));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF(
        {QPointF(20, 74), QPointF(42, 46), QPointF(56, 62), QPointF(64, 54), QPointF(80, 74)}));
    p.drawEllipse(QPointF(66, 38), 7, 7);
}

void drawLetter(QPainter &p)
{
    p.setPen(QPen(Qt::white, 10, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(22, 84), QPointF(50, 16), QPointF(78, 84)}));
    p.drawLine(QPointF(34, 60), QPointF(66, 60));
}

void drawGlobe(QPainter &p)
{
    p.setPen(QPen(Qt::white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(50, 50), 32, 32);
    p.drawEllipse(QPointF(50, 50), 13, 32);
    p.drawLine(QPointF(18, 50), QPointF(82, 50));
    p.drawLine(QPointF(24, 34), QPointF(76, 34));
    p.drawLine(QPointF(24, 66), QPointF(76, 66));
}

void drawSteps(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.save();
    p.translate(36, 60);
    p.rotate(-12);
    p.drawEllipse(QPointF(0, 0), 10, 18);
    p.drawEllipse(QPointF(0, 25), 7, 6);
    p.restore();
    p.save();
    p.translate(64, 36);
    p.rotate(12);
    p.drawEllipse(QPointF(0, 0), 10, 18);
    p.drawEllipse(QPointF(0, 25), 7, 6);
    p.restore();
}

void drawCheck(QPainter &p)
{
    p.setPen(QPen(Qt::white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(20, 20, 60, 60), 8, 8);
    p.setPen(QPen(Qt::white, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(32, 50), QPointF(45, 64), QPointF(70, 34)}));
}

void drawBook(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(14, 28), QPointF(47, 34), QPointF(47, 82), QPointF(14, 76)}));
    p.drawPolygon(QPolygonF({QPointF(53, 34), QPointF(86, 28), QPointF(86, 76), QPointF(53, 82)}));
}

using GlyphPainter = void (*)(QPainter &);
const std::array<GlyphPainter, TitleCount> Glyphs = {
    drawHub,       drawGear,   drawCalendar, drawMemo,  drawPerson, drawBars, drawBell,
    drawLandscape, drawLetter, drawGlobe,    drawSteps, drawCheck,  drawBook,
};

} // namespace

QString Title(int index)
{
    if (index < 0 || index >= TitleCount)
        return {};
    return QString::fromLatin1(Titles[static_cast<std::size_t>(index)]);
}

QPixmap DrawEmblem(int index, int size)
{
    if (index < 0 || index >= TitleCount || size <= 0)
        return {};
    const auto at = static_cast<std::size_t>(index);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);

    QLinearGradient shade(0, 0, 0, 100);
    shade.setColorAt(0, TileColours[at].lighter(125));
    shade.setColorAt(1, TileColours[at]);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(2, 2, 96, 96), 18, 18);

    Glyphs[at](p);
    return pixmap;
}

QPixmap DrawTavionPicture(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width / 100.0, height / 130.0);

    // Strap above and below the case.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3b, 0x3f, 0x46));
    p.drawRoundedRect(QRectF(30, 0, 40, 34), 4, 4);
    p.drawRoundedRect(QRectF(30, 96, 40, 34), 4, 4);
    p.setBrush(QColor(0x2a, 0x2d, 0x33));
    for (int y = 8; y < 30; y += 8)
        p.drawRect(QRectF(34, y, 32, 2));
    for (int y = 102; y < 126; y += 8)
        p.drawRect(QRectF(34, y, 32, 2));

    // Case with side buttons.
    p.setBrush(QColor(0x9a, 0xa3, 0xad));
    p.drawRect(QRectF(86, 48, 6, 10));
    p.drawRect(QRectF(86, 72, 6, 10));
    p.drawRect(QRectF(8, 60, 6, 10));
    QLinearGradient metal(0, 24, 0, 106);
    metal.setColorAt(0, QColor(0xe4, 0xe8, 0xec));
    metal.setColorAt(1, QColor(0x8c, 0x95, 0x9f));
    p.setBrush(metal);
    p.setPen(QPen(QColor(0x5c, 0x63, 0x6b), 1.5));
    p.drawRoundedRect(QRectF(12, 24, 76, 82), 14, 14);

    // Display: clock and a row of status marks on a greenish panel.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb8, 0xc9, 0xa0));
    p.drawRoundedRect(QRectF(22, 36, 56, 50), 4, 4);
    p.setPen(QColor(0x26, 0x30, 0x1c));
    QFont digits(QStringLiteral("Monospace"));
    digits.setStyleHint(QFont::TypeWriter);
    digits.setPixelSize(15);
    digits.setBold(true);
    p.setFont(digits);
    p.drawText(QRectF(22, 44, 56, 22), Qt::AlignCenter, QStringLiteral("10:24"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x30, 0x1c));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(28 + i * 12, 72, 8, 6));
    p.drawRect(QRectF(26, 40, 48, 1.5));

    // Brand strip under the display.
    p.setBrush(QColor(0x0f, 0x7c, 0x7a));
    p.drawRoundedRect(QRectF(38, 92, 24, 5), 2, 2);
    return pixmap;
}

QIcon QuorixIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(DrawEmblem(QuorixEntry, size));
    return icon;
}

} // namespace family
