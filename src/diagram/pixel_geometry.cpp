#include "pixel_geometry.h"

#include <algorithm>
#include <cmath>

namespace steam::diagram {

bool clipSegment(const PixelBox& box, PixelPoint& a, PixelPoint& b) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
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
    const PixelPoint start = a;
    a = {start.x + dx * t0, start.y + dy * t0};
    b = {start.x + dx * t1, start.y + dy * t1};
    return true;
}

double distanceToSegment(const PixelPoint& p, const PixelPoint& a, const PixelPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double px = p.x - a.x, py = p.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(px - t * dx, py - t * dy);
}

}  // namespace steam::diagram
