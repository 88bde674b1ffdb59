#include "page_surface.h"

#include <QPainter>

namespace steam::render {

PageSurface::PageSurface(QPainter& painter, const QRect& target, double scale)
    : PainterSurface(target.width(), target.height(), scale), m_painter(painter), m_target(target) {}

PageSurface::~PageSurface() { finish(); }

QPainter& PageSurface::painter() {
    if (!m_open) {
        m_open = true;
        m_painter.save();
        m_painter.translate(m_target.topLeft());
        m_painter.setClipRect(QRect(0, 0, m_target.width(), m_target.height()), Qt::IntersectClip);
        painterOpened(m_painter);
    }
    return m_painter;
}

void PageSurface::clear() {
    painter().fillRect(QRect(0, 0, deviceWidth(), deviceHeight()),
                       QColor(m_background.r, m_background.g, m_background.b));
}

void PageSurface::finish() {
    if (!m_open) return;
    m_painter.restore();
    m_open = false;
}

}  // namespace steam::render
