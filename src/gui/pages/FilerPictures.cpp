#include "gui/pages/FilerPictures.h"

#include <QPainter>

#include <array>
#include <string_view>

namespace filerpictures {
namespace {

// A 3 x 5 pixel font like the device's smallest one: five rows of three bits per glyph.
struct Glyph
{
    char ch;
    std::array<std::uint8_t, 5> rows;
};

constexpr Glyph kGlyphs[] = {
    {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},  {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}},
    {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}},  {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}},
    {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}},  {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}},
    {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}},  {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}},
    {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}},  {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}},
    {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}},  {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}},
    {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},  {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}},
    {'2', {6, 1, 2, 4, 7}}, {'3', {6, 1, 2, 1, 6}},  {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 6, 1, 6}},
    {'6', {3, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}},  {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 6}},
    {'.', {0, 0, 0, 0, 2}}, {'\\', {4, 4, 2, 1, 1}}, {'-', {0, 0, 7, 0, 0}},
};

constexpr int GlyphAdvance = 4;

int textWidth(std::string_view text)
{
    return text.empty() ? 0 : static_cast<int>(text.size()) * GlyphAdvance - 1;
}

// Pixel drawing on a black-on-white canvas; "ink" is black, or white inside inverse areas.
class Canvas
{
public:
    explicit Canvas(QImage &image) : m_painter(&image)
    {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
    }

    void fill(int x, int y, int w, int h, bool black)
    {
        m_painter.fillRect(x, y, w, h, black ? Qt::black : Qt::white);
    }
    void dot(int x, int y, bool black = true) { fill(x, y, 1, 1, black); }
    void hline(int x0, int x1, int y, bool black = true) { fill(x0, y, x1 - x0 + 1, 1, black); }
    void vline(int x, int y0, int y1, bool black = true) { fill(x, y0, 1, y1 - y0 + 1, black); }
    void outline(int x, int y, int w, int h, bool black = true)
    {
        hline(x, x + w - 1, y, black);
        hline(x, x + w - 1, y + h - 1, black);
        vline(x, y, y + h - 1, black);
        vline(x + w - 1, y, y + h - 1, black);
    }

    void text(int x, int y, std::string_view text, bool black = true)
    {
        for (char ch : text) {
            for (const Glyph &glyph : kGlyphs) {
                if (glyph.ch != ch)
                    continue;
                for (int row = 0; row < 5; ++row)
                    for (int col = 0; col < 3; ++col)
                        if (glyph.rows[static_cast<std::size_t>(row)] & (4 >> col))
                            dot(x + col, y + row, black);
            }
            x += GlyphAdvance;
        }
    }

private:
    QPainter m_painter;
};

enum class Kind
{
    Folder,
    Document,
    Sound,
    Program
};

// Large icons of the icon view, 15 x 12 pixels.
void largeIcon(Canvas &c, int x, int y, Kind kind, bool ink)
{
    switch (kind) {
    case Kind::Folder:
        c.outline(x, y + 2, 15, 10, ink);
        c.hline(x, x + 5, y, ink);
        c.vline(x, y, y + 2, ink);
        c.vline(x + 6, y + 1, y + 2, ink);
        c.hline(x + 1, x + 13, y + 4, ink);
        break;
    case Kind::Document:
        c.outline(x + 2, y, 11, 12, ink);
        c.fill(x + 10, y, 3, 3, !ink); // folded corner
        c.hline(x + 10, x + 12, y + 2, ink);
        c.vline(x + 10, y, y + 2, ink);
        for (int line = 0; line < 3; ++line)
            c.hline(x + 4, x + 10, y + 4 + 2 * line, ink);
        break;
    case Kind::Sound:
        c.vline(x + 8, y, y + 9, ink);
        c.hline(x + 9, x + 10, y + 1, ink);
        c.hline(x + 11, x + 12, y + 2, ink);
        c.fill(x + 5, y + 8, 4, 3, ink);
        c.fill(x + 4, y + 9, 1, 1, ink);
        break;
    case Kind::Program:
        c.outline(x + 1, y, 13, 12, ink);
        c.hline(x + 1, x + 13, y + 2, ink);
        c.fill(x + 4, y + 5, 3, 4, ink);
        c.fill(x + 8, y + 5, 3, 4, ink);
        break;
    }
}

// Small icons of the list views, 5 x 6 pixels.
void smallIcon(Canvas &c, int x, int y, Kind kind)
{
    switch (kind) {
    case Kind::Folder:
        c.hline(x, x + 2, y, true);
        c.outline(x, y + 1, 7, 5);
        break;
    case Kind::Document:
        c.outline(x, y, 5, 6);
        c.hline(x + 1, x + 3, y + 2);
        c.hline(x + 1, x + 3, y + 4);
        break;
    case Kind::Sound:
        c.vline(x + 3, y, y + 4);
        c.dot(x + 4, y + 1);
        c.fill(x + 1, y + 4, 2, 2, true);
        break;
    case Kind::Program:
        c.outline(x, y, 5, 6);
        c.hline(x, x + 4, y + 1);
        c.dot(x + 2, y + 3);
        break;
    }
}

void titleBar(Canvas &c, std::string_view title)
{
    c.fill(0, 0, Width, 9, true);
    c.text(3, 2, title, false);
}

void drawIconView(Canvas &c)
{
    titleBar(c, "FILER");
    const struct
    {
        std::string_view caption;
        Kind kind;
    } items[] = {{"DOCS", Kind::Folder},   {"SOUND", Kind::Folder},  {"MEMO", Kind::Document},
                 {"CLOCK", Kind::Program}, {"TODO", Kind::Document}, {"ALARM", Kind::Sound},
                 {"GAMES", Kind::Program}, {"NOTES", Kind::Document}};
    constexpr int CellWidth = 23;
    constexpr int CellHeight = 25;
    constexpr int Selected = 2;
    for (int i = 0; i < 8; ++i) {
        const int x = 1 + CellWidth * (i % 4);
        const int y = 11 + CellHeight * (i / 4);
        const bool selected = i == Selected;
        if (selected)
            c.fill(x, y - 1, CellWidth - 1, CellHeight - 3, true);
        largeIcon(c, x + 4, y, items[i].kind, !selected);
        const std::string_view caption = items[i].caption;
        c.text(x + (CellWidth - 1 - textWidth(caption)) / 2, y + 14, caption, !selected);
    }
    // More icons below: a down arrow at the right edge.
    for (int row = 0; row < 4; ++row)
        c.hline(95 + row, 101 - row, 56 + row);
}

void drawTreeView(Canvas &c, bool withExtensions)
{
    titleBar(c, "FILER");
    smallIcon(c, 1, 11, Kind::Folder);
    const std::string_view folder = "SYSTEM";
    c.fill(10, 10, textWidth(folder) + 2, 7, true);
    c.text(11, 11, folder, false);

    const struct
    {
        std::string_view name;
        Kind kind;
    } files[] = {{"ALARM1.SND", Kind::Sound},  {"CLOCK.APP", Kind::Program},
                 {"MEMO.TXT", Kind::Document}, {"PHONE.DAT", Kind::Document},
                 {"TODO.TXT", Kind::Document}, {"WAKEUP.SND", Kind::Sound}};
    int y = 18;
    int lastBranch = y;
    for (const auto &file : files) {
        const std::string_view name =
            withExtensions ? file.name : file.name.substr(0, file.name.find('.'));
        lastBranch = y + 3;
        c.dot(6, lastBranch);
        c.dot(8, lastBranch);
        smallIcon(c, 10, y, file.kind);
        c.text(17, y + 1, name);
        y += 8;
    }
    // Dotted trunk from the folder down to the last file.
    for (int dotY = 17; dotY <= lastBranch; dotY += 2)
        c.dot(4, dotY);
}

} // namespace

QImage draw(int viewMode)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        Canvas canvas(image);
        if (viewMode == Icon)
            drawIconView(canvas);
        else if (viewMode == ListsWithType || viewMode == Lists)
            drawTreeView(canvas, viewMode == ListsWithType);
    }
    return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

} // namespace filerpictures
