#include "gui/DrawnIcon.h"

#include <QIconEngine>
#include <QPainter>

namespace {

class DrawnIconEngine : public QIconEngine
{
public:
    DrawnIconEngine(QSize size, int maxScale, IconPixmaps addPixmaps)
        : m_size(size), m_maxScale(maxScale), m_addPixmaps(std::move(addPixmaps))
    {
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawnFor(size).pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        if (!(scale > 1.0))
            return pixmap(size, mode, state);
        // size counts device pixels; the inner icon multiplies by scale again.
        return drawnFor(size).pixmap(size / scale, scale, mode, state);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        drawnFor(rect.size() * scale).paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        // A pixmap icon answers with the pixmap it would give; the public actualSize() would
        // apply the screen's density a second time.
        return drawnFor(size).pixmap(size, 1.0, mode, state).size();
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return drawnFor(m_size * m_maxScale).availableSizes(mode, state);
    }

    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DrawnIconEngine"); }
    QIconEngine *clone() const override { return new DrawnIconEngine(*this); }

private:
    DrawnIconEngine(const DrawnIconEngine &other) = default;

    // The icon with every scale a request for this many device pixels can use.
    const QIcon &drawnFor(QSize devicePixels)
    {
        if (m_drawnScale == 0)
            m_addPixmaps(m_drawn, m_drawnScale = 1);
        while (m_drawnScale < m_maxScale &&
               (devicePixels.width() > m_size.width() * m_drawnScale ||
                devicePixels.height() > m_size.height() * m_drawnScale))
            m_addPixmaps(m_drawn, ++m_drawnScale);
        return m_drawn;
    }

    QSize m_size;
    int m_maxScale;
    IconPixmaps m_addPixmaps;
    QIcon m_drawn;
    int m_drawnScale = 0;
};

} // namespace

QIcon drawnIcon(QSize size, int maxScale, IconPixmaps addPixmaps)
{
    return QIcon(new DrawnIconEngine(size, maxScale, std::move(addPixmaps)));
}
