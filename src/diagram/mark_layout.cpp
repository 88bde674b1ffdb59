#include "mark_layout.h"

#include <algorithm>
#include <cmath>

namespace steam::diagram {

namespace {

// How many caption heights a caption may be stacked away from its marker.
constexpr int kStackedPlaces = 8;

PixelBox boxAt(PixelPoint topLeft, double width, double height) {
    return {topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
}

// The left edge of a caption on the left of its marker: clear of the square by the gap and a
// quarter of its height, so that it does not read on into a caption on the right.
double leftOf(const MarkerFootprint& marker, double gap) {
    return marker.square.left - gap - marker.captionHeight / 4 - marker.captionWidth;
}

// Top-left corners to try first for a caption, best first: on the right with a corner at the
// square's centre (lower right first, where captions have always stood; upper right a gap
// higher, so that captions of one state keep apart), on the left clear of the square; then
// straight beside, above or below.
std::vector<PixelPoint> nearPlaces(const MarkerFootprint& marker, double gap) {
    const PixelPoint c = marker.centre();
    const PixelBox& s = marker.square;
    const double w = marker.captionWidth, h = marker.captionHeight;
    return {
        {c.x, c.y},
        {c.x, c.y - h - gap},
        {leftOf(marker, gap), c.y},
        {leftOf(marker, gap), c.y - h - gap},
        {s.right + gap, c.y - h / 2},
        {leftOf(marker, gap), c.y - h / 2},
        {c.x - w / 2, s.top - gap - h},
        {c.x - w / 2, s.bottom + gap},
    };
}

// Then, in a crowd of markers, the caption is stacked above or below on either side of its
// marker, nearest first: a caption height (and the gap) a step, or right against the top or
// bottom of something taken nearby, so stacked captions close up.
std::vector<PixelPoint> stackedPlaces(const MarkerFootprint& marker, double gap, const std::vector<PixelBox>& taken) {
    const PixelPoint c = marker.centre();
    const double w = marker.captionWidth, h = marker.captionHeight;
    const double reach = kStackedPlaces * (h + gap);
    std::vector<double> tops;
    for (int step = 1; step <= kStackedPlaces; ++step) {
        tops.push_back(c.y + step * (h + gap));
        tops.push_back(c.y - h - step * (h + gap));
    }
    for (const PixelBox& t : taken) {
        for (double top : {t.bottom + gap, t.top - gap - h})
            if (std::abs(top + h / 2 - c.y) <= reach) tops.push_back(top);
    }
    std::vector<PixelPoint> places;
    for (double top : tops)
        for (double left : {c.x, leftOf(marker, gap)}) places.push_back({left, top});
    const auto distance = [&](const PixelPoint& p) { return std::hypot(p.x + w / 2 - c.x, p.y + h / 2 - c.y); };
    std::stable_sort(places.begin(), places.end(),
                     [&](const PixelPoint& a, const PixelPoint& b) { return distance(a) < distance(b); });
    return places;
}

// Shifts of a region name from its own place, nearest first: up to two heights up or down
// and one width to either side, in quarter steps.
std::vector<PixelPoint> regionShifts(double width, double height) {
    std::vector<PixelPoint> shifts;
    for (int i = -4; i <= 4; ++i)
        for (int j = -4; j <= 4; ++j)
            if (i != 0 || j != 0) shifts.push_back({j * width / 4, i * height / 2});
    std::stable_sort(shifts.begin(), shifts.end(), [](const PixelPoint& a, const PixelPoint& b) {
        return std::hypot(a.x, a.y) < std::hypot(b.x, b.y);
    });
    return shifts;
}

}  // namespace

// Inside the window within half a pixel: a marker right on the window's edge has its centre
// there up to rounding.
MarkLayout::MarkLayout(const PixelBox& area, double gap)
    : m_area{area.left - 0.5, area.top - 0.5, area.right + 0.5, area.bottom + 0.5}, m_gap(gap) {}

void MarkLayout::take(const PixelBox& box) { m_taken.push_back(box); }

void MarkLayout::reserve(const PixelBox& box) { take(box); }

bool MarkLayout::isFree(const PixelBox& box, const std::vector<size_t>& exempt) const {
    for (size_t i = 0; i < m_taken.size(); ++i) {
        if (std::find(exempt.begin(), exempt.end(), i) != exempt.end()) continue;
        const PixelBox& t = m_taken[i];
        if (box.overlaps({t.left - m_gap, t.top - m_gap, t.right + m_gap, t.bottom + m_gap})) return false;
    }
    return true;
}

std::vector<std::optional<PixelPoint>> MarkLayout::placeCaptions(const std::vector<MarkerFootprint>& markers) {
    // Every square is drawn, so every caption keeps clear of all of them, also of those
    // whose captions come later.
    const size_t firstSquare = m_taken.size();
    for (const MarkerFootprint& marker : markers) take(marker.square);

    std::vector<std::optional<PixelPoint>> places;
    for (size_t k = 0; k < markers.size(); ++k) {
        const MarkerFootprint& marker = markers[k];
        std::vector<size_t> exempt;
        for (size_t j = 0; j < markers.size(); ++j)
            if (j == k || markers[j].square.overlaps(marker.square)) exempt.push_back(firstSquare + j);
        std::optional<PixelPoint> found;
        const auto tryPlaces = [&](const std::vector<PixelPoint>& candidates) {
            for (const PixelPoint& place : candidates) {
                const PixelBox box = boxAt(place, marker.captionWidth, marker.captionHeight);
                if (m_area.contains(box) && isFree(box, exempt)) {
                    found = place;
                    return;
                }
            }
        };
        tryPlaces(nearPlaces(marker, m_gap));
        if (!found) tryPlaces(stackedPlaces(marker, m_gap, m_taken));
        if (found) take(boxAt(*found, marker.captionWidth, marker.captionHeight));
        places.push_back(found);
    }
    return places;
}

std::optional<PixelPoint> MarkLayout::placeRegionName(PixelPoint wanted, double width, double height) {
    // At its own place a name may reach beyond the window, as it always could (the margins
    // cover what sticks out); moved, it must lie inside.
    if (isFree(boxAt(wanted, width, height), {})) {
        take(boxAt(wanted, width, height));
        return wanted;
    }
    for (const PixelPoint& shift : regionShifts(width, height)) {
        const PixelPoint place{wanted.x + shift.x, wanted.y + shift.y};
        const PixelBox box = boxAt(place, width, height);
        if (m_area.contains(box) && isFree(box, {})) {
            take(box);
            return place;
        }
    }
    return std::nullopt;
}

}  // namespace steam::diagram
