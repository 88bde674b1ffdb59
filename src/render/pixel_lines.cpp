#include "pixel_lines.h"

#include "diagram/pixel_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace steam::render {

void drawPixelPolyline(QImage& image, std::span<const QPointF> points, QRgb colour) {
    const int width = image.width(), height = image.height();
    if (width == 0 || height == 0) return;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto plot = [&](int x, int y) { reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour; };
    for (size_t i = 1; i < points.size(); ++i) {
        diagram::PixelPoint a{points[i - 1].x(), points[i - 1].y()}, b{points[i].x(), points[i].y()};
        if (!diagram::clipSegment({0.0, 0.0, width - 1.0, height - 1.0}, a, b)) continue;
        int x0 = static_cast<int>(std::lround(a.x)), y0 = static_cast<int>(std::lround(a.y));
        const int x1 = static_cast<int>(std::lround(b.x)), y1 = static_cast<int>(std::lround(b.y));
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
