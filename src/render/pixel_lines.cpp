#include "pixel_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace steam::render {

namespace {

// Liang-Barsky: cuts the segment to the box; false when nothing of it lies inside.
bool clip(QPointF& a, QPointF& b, double x0, double y0, double x1, double y1) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - x0, x1 - a.x(), a.y() - y0, y1 - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx, dy) * t0;
    b = start + QPointF(dx, dy) * t1;
    return true;
}

}  // namespace

void drawPixelPolyline(QImage& image, std::span<const QPointF> points, QRgb colour) {
    const int width = image.width(), height = image.height();
    if (width == 0 || height == 0) return;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto plot = [&](int x, int y) { reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour; };
    for (size_t i = 1; i < points.size(); ++i) {
        QPointF a = points[i - 1], b = points[i];
        if (!clip(a, b, 0.0, 0.0, width - 1.0, height - 1.0)) continue;
        int x0 = static_cast<int>(std::lround(a.x())), y0 = static_cast<int>(std::lround(a.y()));
        const int x1 = static_cast<int>(std::lround(b.x())), y1 = static_cast<int>(std::lround(b.y()));
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            plot(x0, y0);
            if (x0 == x1 && y0 == y1) break;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x0 += sx;
            }
            if (twice <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }
}

}  // namespace steam::render
