#pragma once
// The diagram drawn with a painter somebody else owns, into a rectangle of its device: a PDF
// page, a printed page. One picture, no overlay: switching retained drawing does nothing,
// and a clear paints the background over the rectangle. Everything is drawn as vectors and
// text, cut to the rectangle; fonts and lines grow with the scale as on the other surfaces.
#include "painter_surface.h"

#include <QRect>

namespace steam::render {

class PageSurface : public PainterSurface {
public:
    /// Draws into `target` (device pixels of the painter) at `scale` times the size on
    /// screen. The painter must stay open while the surface draws; finish gives it back as
    /// it was.
    PageSurface(QPainter& painter, const QRect& target, double scale);
    ~PageSurface() override;
    PageSurface(const PageSurface&) = delete;
    PageSurface& operator=(const PageSurface&) = delete;

    void setRetained(bool) override {}
    void clear() override;
    void setBackground(Rgb colour) { m_background = colour; }

    /// Ends the drawing: the painter's state (transform, clip, pen, font) is restored.
    void finish();

protected:
    QPainter& painter() override;

private:
    QPainter& m_painter;
    QRect m_target;
    bool m_open = false;
    Rgb m_background{240, 243, 240};
};

}  // namespace steam::render
