#pragma once
// Solid one-pixel polylines written straight into an ARGB32 image: the curves of a full
// diagram cover some 40 000 pixels, which QPainter's line drawing spends most of a redraw on.
// Each segment is cut to the image and walked with Bresenham's steps, both ends included.
#include <QImage>
#include <QPointF>

#include <span>

namespace steam::render {

/// Draws the segments joining consecutive points (pixel positions, rounded to whole
/// pixels) in an opaque colour. The image must be ARGB32, premultiplied or not.
void drawPixelPolyline(QImage& image, std::span<const QPointF> points, QRgb colour);

}  // namespace steam::render
