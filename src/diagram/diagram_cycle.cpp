// The cycle on the chart shown: its legs along their paths, an arrow halfway along each, and
// its states' markers; and the boxes along its lines that captions and labels keep clear of.
#include "diagram.h"

#include <algorithm>
#include <cmath>

namespace steam::diagram {

namespace {

// Layout pixels: the legs' width, the arrowheads' length and the pieces of line the layout
// keeps clear of (each box a piece's bounds grown by the margin).
constexpr int kLegWidth = 2;
// A white edge under the legs and arrows keeps them clear of the curves they cross.
constexpr int kHaloWidth = 4;
constexpr Rgb kHalo{255, 255, 255};
constexpr double kArrowLength = 9.0;
constexpr double kArrowHalfAngle = 0.45;  // radians
constexpr double kPieceLength = 5.0;
constexpr double kPieceMargin = 1.5;

double distance(const PixelPoint& a, const PixelPoint& b) { return std::hypot(b.x - a.x, b.y - a.y); }

}  // namespace

std::optional<SurfacePoint> Diagram::chartPoint(const cycle::StateValues& state) const {
    const ChartDescription& d = description();
    const double x = d.x.toChart(state[static_cast<size_t>(d.x.quantity)]);
    const double y = d.y.toChart(state[static_cast<size_t>(d.y.quantity)]);
    if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    return SurfacePoint{x, y};
}

std::vector<SurfacePoint> Diagram::chartPath(const CyclePath& path) const {
    std::vector<SurfacePoint> points;
    for (const cycle::StateValues& state : path.points)
        if (const std::optional<SurfacePoint> p = chartPoint(state)) points.push_back(*p);
    return points;
}

void Diagram::drawCycleLegs(DrawingSurface& pic) const {
    std::vector<std::vector<SurfacePoint>> paths;
    for (const CyclePath& leg : cycle.legs) paths.push_back(chartPath(leg));
    pic.setLineWidth(kHaloWidth);
    for (const auto& points : paths) {
        drawVisible(pic, points, kHalo);
        drawCycleArrow(pic, points, kHalo);
    }
    pic.setLineWidth(kLegWidth);
    for (size_t i = 0; i < paths.size(); ++i) {
        pic.setDashStyle(cycle.legs[i].dashed ? DashStyle::Dashed : DashStyle::Solid);
        drawVisible(pic, paths[i], colour::kCycleColour);
        pic.setDashStyle(DashStyle::Solid);
        drawCycleArrow(pic, paths[i], colour::kCycleColour);
    }
    pic.setLineWidth(1);
}

// Halfway along the leg as drawn, pointing along it; none on a leg too short to carry one or
// whose middle lies outside the window.
void Diagram::drawCycleArrow(DrawingSurface& pic, const std::vector<SurfacePoint>& points, Rgb colour) const {
    std::vector<PixelPoint> pixels;
    for (const SurfacePoint& p : points) pixels.push_back(m_map.toPixel(p.x, p.y));
    double length = 0;
    for (size_t i = 1; i < pixels.size(); ++i) length += distance(pixels[i - 1], pixels[i]);
    if (length < 2 * kArrowLength) return;
    double left = length / 2;
    for (size_t i = 1; i < pixels.size(); ++i) {
        const double piece = distance(pixels[i - 1], pixels[i]);
        if (piece < left || piece == 0) {
            left -= piece;
            continue;
        }
        const double ux = (pixels[i].x - pixels[i - 1].x) / piece, uy = (pixels[i].y - pixels[i - 1].y) / piece;
        const PixelPoint tip{pixels[i - 1].x + ux * (left + kArrowLength / 2),
                             pixels[i - 1].y + uy * (left + kArrowLength / 2)};
        const PixelBox window = m_map.box(m_xmin, m_ymax, m_xmax, m_ymin);
        if (!window.contains(tip)) return;
        const SurfacePoint at = m_map.toUser(tip);
        for (double side : {-1.0, 1.0}) {
            const double c = std::cos(side * kArrowHalfAngle), s = std::sin(side * kArrowHalfAngle);
            const PixelPoint back{tip.x - kArrowLength * (ux * c - uy * s), tip.y - kArrowLength * (uy * c + ux * s)};
            const SurfacePoint end = m_map.toUser(back);
            pic.line(at.x, at.y, end.x, end.y, colour);
        }
        return;
    }
}

std::vector<PixelBox> Diagram::cycleLineBoxes() const {
    std::vector<PixelBox> boxes;
    const PixelBox window = m_map.box(m_xmin, m_ymax, m_xmax, m_ymin);
    for (const CyclePath& leg : cycle.legs) {
        const std::vector<SurfacePoint> points = chartPath(leg);
        for (size_t i = 1; i < points.size(); ++i) {
            PixelPoint a = m_map.toPixel(points[i - 1].x, points[i - 1].y), b = m_map.toPixel(points[i].x, points[i].y);
            if (!clipSegment(window, a, b)) continue;
            const int pieces = std::max(1, static_cast<int>(std::ceil(distance(a, b) / kPieceLength)));
            for (int k = 0; k < pieces; ++k) {
                const double f0 = static_cast<double>(k) / pieces, f1 = static_cast<double>(k + 1) / pieces;
                const PixelPoint p{a.x + f0 * (b.x - a.x), a.y + f0 * (b.y - a.y)};
                const PixelPoint q{a.x + f1 * (b.x - a.x), a.y + f1 * (b.y - a.y)};
                boxes.push_back({std::min(p.x, q.x) - kPieceMargin, std::min(p.y, q.y) - kPieceMargin,
                                 std::max(p.x, q.x) + kPieceMargin, std::max(p.y, q.y) + kPieceMargin});
            }
        }
    }
    return boxes;
}

void Diagram::drawCycleStates(DrawingSurface& pic) const {
    for (size_t i = 0; i < cycle.states.size(); ++i) {
        const std::optional<SurfacePoint> p = chartPoint(cycle.states[i]);
        if (!p) continue;
        drawPoint(pic, static_cast<float>(p->x), static_cast<float>(p->y), 0, " " + std::to_string(i + 1),
                  colour::kCycleColour, colour::kCycleMarkerEdge, colour::kCycleLabelBox);
    }
}

}  // namespace steam::diagram
