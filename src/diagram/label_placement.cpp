#include "label_placement.h"

#include <algorithm>
#include <cmath>

namespace steam::diagram {

namespace {

constexpr int kMaxCandidates = 400;

}  // namespace

LabelPlacer::LabelPlacer(const PixelBox& area, double gap)
    : m_area(area),
      m_inner{area.left + gap, area.top + gap, area.right - gap, area.bottom - gap},
      m_gap(gap),
      m_cell(32.0),
      m_columns(std::max(1, static_cast<int>(std::ceil(area.width() / 32.0)))),
      m_rows(std::max(1, static_cast<int>(std::ceil(area.height() / 32.0)))),
      m_cells(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows)),
      m_segmentCells(m_cells.size()) {}

int LabelPlacer::column(double x) const {
    return std::clamp(static_cast<int>(std::floor((x - m_area.left) / m_cell)), 0, m_columns - 1);
}

int LabelPlacer::row(double y) const {
    return std::clamp(static_cast<int>(std::floor((y - m_area.top) / m_cell)), 0, m_rows - 1);
}

void LabelPlacer::index(size_t which) {
    const PixelBox& b = m_reserved[which];
    for (int r = row(b.top); r <= row(b.bottom); ++r)
        for (int c = column(b.left); c <= column(b.right); ++c)
            m_cells[static_cast<size_t>(r * m_columns + c)].push_back(which);
}

void LabelPlacer::reserve(const PixelBox& box) {
    if (!box.overlaps(m_area)) return;
    m_reserved.push_back({box.left - m_gap, box.top - m_gap, box.right + m_gap, box.bottom + m_gap});
    index(m_reserved.size() - 1);
}

bool LabelPlacer::isClear(const PixelBox& box) const {
    for (int r = row(box.top); r <= row(box.bottom); ++r)
        for (int c = column(box.left); c <= column(box.right); ++c)
            for (size_t which : m_cells[static_cast<size_t>(r * m_columns + c)])
                if (m_reserved[which].overlaps(box)) return false;
    return true;
}

size_t LabelPlacer::addCurve(int group, std::vector<PixelPoint> points) {
    const size_t which = m_curves.size();
    m_curves.push_back({group, std::move(points)});
    const std::vector<PixelPoint>& p = m_curves.back().points;
    for (size_t i = 1; i < p.size(); ++i) {
        PixelPoint a = p[i - 1], b = p[i];
        if (!clipSegment(m_area, a, b)) continue;
        for (int r = row(std::min(a.y, b.y)); r <= row(std::max(a.y, b.y)); ++r)
            for (int c = column(std::min(a.x, b.x)); c <= column(std::max(a.x, b.x)); ++c)
                m_segmentCells[static_cast<size_t>(r * m_columns + c)].push_back({which, i - 1});
    }
    return which;
}

bool LabelPlacer::crossedByRival(const PixelBox& box, size_t curve) const {
    const int group = m_curves[curve].group;
    for (int r = row(box.top); r <= row(box.bottom); ++r)
        for (int c = column(box.left); c <= column(box.right); ++c)
            for (const SegmentRef& ref : m_segmentCells[static_cast<size_t>(r * m_columns + c)]) {
                const Curve& other = m_curves[ref.curve];
                if (ref.curve == curve || other.group != group) continue;
                PixelPoint a = other.points[ref.segment], b = other.points[ref.segment + 1];
                if (clipSegment(box, a, b)) return true;
            }
    return false;
}

std::optional<PixelBox> LabelPlacer::boxAround(const PixelPoint& centre, double width, double height) const {
    if (width > m_inner.width() || height > m_inner.height()) return std::nullopt;
    const double left = std::clamp(centre.x - width / 2, m_inner.left, m_inner.right - width);
    const double top = std::clamp(centre.y - height / 2, m_inner.top, m_inner.bottom - height);
    return PixelBox{left, top, left + width, top + height};
}

std::optional<PixelBox> LabelPlacer::place(size_t which, double width, double height, double step) {
    if (which >= m_curves.size() || !(step > 0.0)) return std::nullopt;
    const std::vector<PixelPoint>& curve = m_curves[which].points;
    if (curve.empty()) return std::nullopt;
    int tried = 0;
    const auto tryAt = [&](const PixelPoint& centre) -> std::optional<PixelBox> {
        ++tried;
        const std::optional<PixelBox> box = boxAround(centre, width, height);
        // The curve nearest the label's point must be its own: no rival within half a
        // label height of it.
        const double r = height / 2;
        if (box && isClear(*box) && !crossedByRival({centre.x - r, centre.y - r, centre.x + r, centre.y + r}, which))
            return box;
        return std::nullopt;
    };
    std::optional<PixelBox> found;
    if (curve.size() == 1 && m_area.contains(curve[0])) found = tryAt(curve[0]);
    // Backwards along the curve: the first visible point met is where it last leaves the
    // area (or its end); from there every step pixels along the visible parts.
    double toNext = 0.0;
    for (size_t i = curve.size() - 1; i > 0 && !found && tried < kMaxCandidates; --i) {
        PixelPoint a = curve[i], b = curve[i - 1];
        if (!clipSegment(m_area, a, b)) continue;
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (!m_area.contains(curve[i])) toNext = 0.0;  // a new visible part starts at its edge
        double along = toNext;
        while (along <= length && !found && tried < kMaxCandidates) {
            const double f = length > 0 ? along / length : 0.0;
            found = tryAt({a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f});
            along += step;
        }
        toNext = along - length;
    }
    if (found) {
        m_placed.push_back(*found);
        reserve(*found);
    }
    return found;
}

}  // namespace steam::diagram
