#pragma once
// Places the labels of a chart's curves at draw time, in the picture's pixels (x to the
// right, y down), whatever the chart and its axes. A label goes where its curve leaves the
// window, or failing that at the first clear spot back along the curve; it lies wholly
// inside the window, clear of every label and mark placed or reserved before it, and no
// other curve of its group (its family) passes within half a label height of the label's
// point on its curve, so it cannot be read as another's.
// A label with no such spot is left out rather than drawn over another.
#include "pixel_geometry.h"

#include <optional>
#include <span>
#include <vector>

namespace steam::diagram {

class LabelPlacer {
public:
    /// Labels must lie inside area, keeping gap pixels from its edges and from each other.
    explicit LabelPlacer(const PixelBox& area, double gap = 1.0);

    /// Something labels must keep clear of (region names, markers).
    void reserve(const PixelBox& box);

    /// A curve to be labelled, by its points in drawing order, and its group. Returns its
    /// number. Add every curve before placing labels, so each label knows its rivals.
    size_t addCurve(int group, std::vector<PixelPoint> curve);

    /// A place for the label (width x height) of an added curve: centred where the curve
    /// last leaves the area (or on its last point inside), else on points back along its
    /// visible parts, every `step` pixels; a box that sticks out is pushed inside. The box
    /// found is reserved. Nothing when every spot is taken or too near a rival.
    std::optional<PixelBox> place(size_t curve, double width, double height, double step);

    const std::vector<PixelBox>& placed() const { return m_placed; }

private:
    struct Curve {
        int group;
        std::vector<PixelPoint> points;
    };
    struct SegmentRef {
        size_t curve, segment;  // segment i joins points i and i + 1
    };
    bool isClear(const PixelBox& box) const;
    bool crossedByRival(const PixelBox& box, size_t curve) const;
    void index(size_t which);
    int column(double x) const;
    int row(double y) const;
    std::optional<PixelBox> boxAround(const PixelPoint& centre, double width, double height) const;

    PixelBox m_area;
    PixelBox m_inner;  // the area less the gap
    double m_gap;
    std::vector<PixelBox> m_reserved;  // obstacles and labels, each grown by the gap
    std::vector<PixelBox> m_placed;
    // Reserved boxes by cell of a coarse grid over the area, so a test looks at few.
    double m_cell;
    int m_columns, m_rows;
    std::vector<std::vector<size_t>> m_cells;
    std::vector<Curve> m_curves;
    std::vector<std::vector<SegmentRef>> m_segmentCells;  // curves' segments by cell
};

}  // namespace steam::diagram
