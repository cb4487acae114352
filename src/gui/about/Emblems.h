#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Titles and emblems of the Tavion desktop family. Every program of the family shares the
// About box and picks its own entry; Quorix is entry 1.
namespace family {

constexpr int TitleCount = 13;
constexpr int QuorixEntry = 1;

// Title of entry index (0..12); empty outside.
QString Title(int index);

// The emblem of entry index, drawn as a square of size pixels; a null pixmap outside 0..12.
QPixmap DrawEmblem(int index, int size);

// The fixed picture of the About box: a Tavion organiser on its strap.
QPixmap DrawTavionPicture(int width, int height);

// Quorix's window icon, made from its emblem at the usual icon sizes.
QIcon QuorixIcon();

} // namespace family
