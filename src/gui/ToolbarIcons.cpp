#include "gui/ToolbarIcons.h"

#include "gui/DrawnIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 24;

void drawMonitor(QPainter &p)
{
    p.setPen(QPen(QColor(40, 48, 60), 1.2));
    p.setBrush(QColor(214, 228, 242));
    p.drawRoundedRect(QRectF(2.5, 3.5, 15, 11), 1.5, 1.5);
    p.setBrush(QColor(40, 48, 60));
    p.drawRect(QRectF(8, 15, 4, 2));
    p.drawRect(QRectF(5, 17, 10, 1.5));
}

// The Tavion: a small organiser on a wrist strap.
void drawDevice(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 70, 78));
    p.drawRect(QRectF(6, 1, 8, 22));
    p.setPen(QPen(QColor(30, 30, 36), 1.2));
    p.setBrush(QColor(150, 170, 190));
    p.drawRoundedRect(QRectF(3.5, 5.5, 13, 13), 2.5, 2.5);
    p.setBrush(QColor(196, 220, 160));
    p.drawRect(QRectF(5.5, 7.5, 9, 7));
}

// An arrow in the lower right corner: pointing out of the object (open) or into it (save).
void drawArrow(QPainter &p, bool intoObject)
{
    QPainterPath path;
    if (intoObject) {
        path.moveTo(22, 13);
        path.lineTo(22, 17);
        path.lineTo(17, 17);
        path.lineTo(17, 14);
        path.lineTo(12, 18.5);
        path.lineTo(17, 23);
        path.lineTo(17, 20);
        path.lineTo(22, 20);
    } else {
        path.moveTo(12, 15);
        path.lineTo(17, 15);
        path.lineTo(17, 12);
        path.lineTo(22.5, 17.5);
        path.lineTo(17, 23);
        path.lineTo(17, 20);
        path.lineTo(12, 20);
    }
    path.closeSubpath();
    p.setPen(QPen(QColor(20, 80, 20), 1));
    p.setBrush(intoObject ? QColor(230, 140, 30) : QColor(60, 170, 60));
    p.drawPath(path);
}

void drawReset(QPainter &p)
{
    p.setPen(QPen(QColor(180, 40, 40), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 4, 16, 16), 100 * 16, 290 * 16);
    QPainterPath head;
    head.moveTo(10.5, 0.5);
    head.lineTo(15.5, 4.5);
    head.lineTo(10, 8.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(180, 40, 40));
    p.drawPath(head);
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(QPointF(12, 12), 2, 2);
}

} // namespace

QIcon toolbarIcon(const QString &key)
{
    std::function<void(QPainter &)> draw;
    if (key == u"PCOpen" || key == u"PCSave") {
        const bool save = key == u"PCSave";
        draw = [save](QPainter &p) {
            drawMonitor(p);
            drawArrow(p, save);
        };
    } else if (key == u"CoreOpen" || key == u"CoreSave") {
        const bool save = key == u"CoreSave";
        draw = [save](QPainter &p) {
            drawDevice(p);
            drawArrow(p, save);
        };
    } else if (key == u"SetDefault") {
        draw = drawReset;
    } else {
        return {};
    }
    return drawnIcon(QSize(kSize, kSize), 2, [draw](QIcon &icon, qreal scale) {
        QPixmap pixmap(QSize(kSize, kSize) * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    });
}
