#pragma once
// Where the captions of the state markers and the region names go, in the picture's pixels
// (x to the right, y down), before anything of them is drawn. Markers win: every marker's
// square is drawn where its state lies, and its caption takes the first free place around
// it: with its corner at the square's centre to the lower right as it always stood, else to
// the upper right, the lower or upper left, straight beside, above or below the square; in a
// crowd of markers stacked above or below on either side, nearest first, up to eight caption
// heights away. A free place lies wholly inside the window and clear of every other marker's
// square, every caption placed before it and every reserved mark (the critical and triple
// points). Only when no place is free is the caption left out; the square stays. Squares that
// overlap a marker's own square (two registers holding nearly the same state) cannot be kept
// clear of, and are not tried to be.
// Region names come next: each stands at its own place when that covers no square, caption,
// reserved mark or earlier region name; else at the nearest free place within two of its
// heights and one of its widths, inside the window; else it is left out. Curve labels
// (label_placement.h) then keep clear of everything taken here.
#include "pixel_geometry.h"

#include <optional>
#include <vector>

namespace steam::diagram {

/// A marker as the layout sees it: its square and the size of its caption, whose top-left
/// corner stands at the square's centre unless it has to move.
struct MarkerFootprint {
    PixelBox square;
    double captionWidth = 0.0;
    double captionHeight = 0.0;

    PixelPoint centre() const { return {(square.left + square.right) / 2, (square.top + square.bottom) / 2}; }
};

class MarkLayout {
public:
    /// Captions and moved region names must lie inside area (the window of the chart).
    explicit MarkLayout(const PixelBox& area, double gap = 1.0);

    /// A mark everything here keeps clear of.
    void reserve(const PixelBox& box);

    /// Places the captions of all markers, in their drawing order. For each marker, the
    /// top-left corner of its caption, or nothing where it is left out.
    std::vector<std::optional<PixelPoint>> placeCaptions(const std::vector<MarkerFootprint>& markers);

    /// A region name width x height wanted with its top-left corner at `wanted`. Where it
    /// goes, or nothing where it is left out. Place region names after the captions.
    std::optional<PixelPoint> placeRegionName(PixelPoint wanted, double width, double height);

    /// Every square, caption, region name and reserved mark, each as drawn (without the gap).
    const std::vector<PixelBox>& taken() const { return m_taken; }

private:
    bool isFree(const PixelBox& box, const std::vector<size_t>& exempt) const;
    void take(const PixelBox& box);

    PixelBox m_area;
    double m_gap;
    std::vector<PixelBox> m_taken;
};

}  // namespace steam::diagram
