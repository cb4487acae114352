#pragma once

#include <QIcon>

#include <functional>

// An icon drawn in code, drawn when it is first painted or asked for a pixmap rather than when
// it is made: a button on a hidden page costs no drawing at start-up. A picture drawn at two
// scales gets its scale-2 pixmaps only once a request needs more pixels than the scale-1 ones
// have, as on a high-density screen. Every request is answered by a QIcon holding the pixmaps
// drawn so far, which gives what one holding all of them from the start would give.
//
//     drawnIcon(QSize(16, 16), 1, [](QIcon &icon, qreal scale) { icon.addPixmap(...); });
//
// addPixmaps(icon, scale) adds to icon the pixmaps of one scale (1, then 2 when maxScale is 2),
// for every mode that has its own picture.
using IconPixmaps = std::function<void(QIcon &icon, qreal scale)>;
QIcon drawnIcon(QSize size, int maxScale, IconPixmaps addPixmaps);
