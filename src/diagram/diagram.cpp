#include "diagram.h"

#include "marker_colours.h"

#include "calc/register_store.h"
#include "numeric/number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace steam::diagram {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kHorizontalGrid{100, 100, 100};
constexpr Rgb kVerticalGrid{150, 150, 150};
// Unnumbered lines at 2 and 5 of each decade of a logarithmic axis, fainter than the grid.
constexpr Rgb kMinorHorizontalGrid{185, 185, 185};
constexpr Rgb kMinorVerticalGrid{210, 210, 210};
constexpr Rgb kSaturationColour{50, 50, 50};
constexpr Rgb kRegionLabelColour{192, 192, 192};
constexpr Rgb kCriticalFill{255, 100, 0};
constexpr Rgb kCriticalEdge{30, 30, 0};
constexpr Rgb kCurveLabelBox{220, 220, 220};
constexpr Rgb kMargin{210, 215, 210};

}  // namespace

void Diagram::setChart(Chart chart) {
    const ChartDescription& left = description();
    m_views[static_cast<size_t>(m_chart)] = {scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax};
    m_hasView[static_cast<size_t>(m_chart)] = true;
    for (int i = 0; i < kFamilySwitches; ++i)
        if (left.switches[i]) m_familyTicks[static_cast<size_t>(*left.switches[i])] = CHKpic[i];

    m_chart = chart;
    const ChartDescription& d = description();
    for (int i = 0; i < kFamilySwitches; ++i)
        CHKpic[i] = d.switches[i] && m_familyTicks[static_cast<size_t>(*d.switches[i])];
    if (!d.entropyAcross()) CHKpic[kPickEntropy] = false;
    showDefaultWindow();
    if (m_hasView[static_cast<size_t>(chart)]) {
        const auto& view = m_views[static_cast<size_t>(chart)];
        scale.ViewXmin = view[0];
        scale.ViewXmax = view[1];
        scale.ViewYmin = view[2];
        scale.ViewYmax = view[3];
        scale.DefineScale(scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax);
    }
}

void Diagram::showDefaultWindow() {
    const ChartDescription& d = description();
    scale.Xlog = d.x.logarithmic;
    scale.Ylog = d.y.logarithmic;
    scale.DefaultXmin = d.x.toChart(d.x.defaultMin);
    scale.DefaultXmax = d.x.toChart(d.x.defaultMax);
    scale.DefaultYmin = d.y.toChart(d.y.defaultMin);
    scale.DefaultYmax = d.y.toChart(d.y.defaultMax);
    scale.ViewXmin = scale.DefaultXmin;
    scale.ViewXmax = scale.DefaultXmax;
    scale.ViewYmin = scale.DefaultYmin;
    scale.ViewYmax = scale.DefaultYmax;
    scale.DefineScale(scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin, scale.DefaultYmax);
}

PixelBox Diagram::PixelMap::box(double x1, double y1, double x2, double y2) const {
    const PixelPoint a = toPixel(x1, y1), b = toPixel(x2, y2);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

void Diagram::drawWindow(DrawingSurface& pic, const calc::RegisterStore& registers, double Xmin, double Xmax,
                         double Ymin, double Ymax) {
    DiagramReady = 0;
    scale.setSurfaceEdges(Xmin, Xmax, Ymin, Ymax);
    pic.setUserCoordinates(scale.XminExt, scale.YmaxExt, scale.XmaxExt, scale.YminExt);
    m_xmin = Xmin, m_xmax = Xmax, m_ymin = Ymin, m_ymax = Ymax;
    m_map = {scale.XminExt, scale.YmaxExt, pic.pixelWidth() / (scale.XmaxExt - scale.XminExt),
             pic.pixelHeight() / (scale.YminExt - scale.YmaxExt)};
    m_footprints.clear();
    pic.setRetained(true);
    pic.clear();

    const std::vector<AxisTick> yTicks = scale.yTicks(Ymin, Ymax);
    const std::vector<AxisTick> xTicks = scale.xTicks(Xmin, Xmax);
    for (double y : scale.yMinorTicks(Ymin, Ymax, yTicks)) {
        pic.setDashStyle(DashStyle::Dotted);
        pic.line(Xmax, y, Xmin, y, kMinorHorizontalGrid);
        pic.setDashStyle(DashStyle::Solid);
    }
    for (double x : scale.xMinorTicks(Xmin, Xmax, xTicks)) pic.line(x, Ymax, x, Ymin, kMinorVerticalGrid);
    for (const AxisTick& y : yTicks) {
        pic.setDashStyle(DashStyle::Dotted);
        pic.line(Xmax, y.value, Xmin - scale.Xpct, y.value, kHorizontalGrid);
        pic.setDashStyle(DashStyle::Solid);
    }
    for (const AxisTick& x : xTicks) pic.line(x.value, Ymax, x.value, Ymin - scale.Ypct, kVerticalGrid);

    std::vector<CurveLabel> labels;
    for (int layer = 0; layer < kFamilySwitches; ++layer)
        if (CHKpic[layer] && description().switches[layer]) drawFamily(pic, layer, labels);
    if (CHKpic[kSaturationLayer]) drawSaturationLine(pic);
    layOutMarks(pic, registers);
    if (CHKpic[kRegionLabels]) drawRegionLabels(pic);
    if (CHKpic[kCriticalPointLayer]) drawCriticalPoint(pic);
    if (cycleVisible()) drawCycleLegs(pic);
    drawMarkers(pic, registers);
    // Labels come last among the curves' marks, each clear of everything named so far.
    drawCurveLabels(pic, labels);

    // The bands are the only clipping: they cover whatever the steps above drew outside.
    drawMarginBands(pic, Xmin, Xmax, Ymin, Ymax);

    for (const AxisTick& y : yTicks) {
        pic.setCurrentPosition(scale.XminExt, y.value);
        pic.text(y.text);
    }
    for (const AxisTick& x : xTicks) {
        pic.setCurrentPosition(x.value, Ymin - scale.Ypct);
        pic.text(x.text);
    }
    pic.rectangle(Xmin, Ymin, Xmax, Ymax, kBlack);
    if (axisTitles) drawAxisTitles(pic, Ymin);
    pic.setRetained(false);
    DiagramReady = 1;
}

void Diagram::redraw(DrawingSurface& pic, const calc::RegisterStore& registers) {
    drawWindow(pic, registers, scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax);
}

void Diagram::ZoomWindow(DrawingSurface& pic, const calc::RegisterStore& registers) {
    scale.setViewFromDrag();
    scale.DefineScale(scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax);
    drawWindow(pic, registers, scale.ViewXmin, scale.ViewXmax, scale.ViewYmin, scale.ViewYmax);
}

void Diagram::restoreDefault(DrawingSurface& pic, const calc::RegisterStore& registers) {
    scale.ViewXmin = scale.DefaultXmin;
    scale.ViewXmax = scale.DefaultXmax;
    scale.ViewYmin = scale.DefaultYmin;
    scale.ViewYmax = scale.DefaultYmax;
    scale.DefineScale(scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin, scale.DefaultYmax);
    drawWindow(pic, registers, scale.DefaultXmin, scale.DefaultXmax, scale.DefaultYmin, scale.DefaultYmax);
}

// Draws the stretches of a polyline that cross the window; the rest would lie under the
// margin bands.
void Diagram::drawVisible(DrawingSurface& pic, std::span<const SurfacePoint> points, Rgb colour) const {
    const auto crosses = [&](const SurfacePoint& a, const SurfacePoint& b) {
        return std::max(a.x, b.x) >= m_xmin && std::min(a.x, b.x) <= m_xmax && std::max(a.y, b.y) >= m_ymin &&
               std::min(a.y, b.y) <= m_ymax;
    };
    m_run.clear();
    for (size_t i = 1; i < points.size(); ++i) {
        if (crosses(points[i - 1], points[i])) {
            if (m_run.empty()) m_run.push_back(points[i - 1]);
            m_run.push_back(points[i]);
        } else if (!m_run.empty()) {
            pic.polyline(m_run, colour);
            m_run.clear();
        }
    }
    if (!m_run.empty()) pic.polyline(m_run, colour);
}

// The h-s chart's families come from their slots, where consecutive slots with the same
// key are one curve and the slots after the family's last row (key 0) are none; the other
// charts' come as curves.
void Diagram::drawFamily(DrawingSurface& pic, int layer, std::vector<CurveLabel>& labels) const {
    if (m_chart != Chart::HS) {
        for (const ChartCurve& curve : curves.Charts[static_cast<size_t>(m_chart)].families[layer])
            drawCurve(pic, layer, curve.key, curve.points, labels);
        return;
    }
    const auto& slots = curves.CurveFamily[layer + 1];
    for (int j = 1; j <= kCurveSlots;) {
        const double key = slots[j].key;
        int end = j;
        while (end < kCurveSlots && slots[end + 1].key == key) ++end;
        if (key != 0.0) {
            m_points.clear();
            for (int k = j; k <= end; ++k) m_points.push_back({slots[k].s, slots[k].h});
            drawCurve(pic, layer, key, m_points, labels);
        }
        j = end + 1;
    }
}

void Diagram::drawCurve(DrawingSurface& pic, int layer, double key, std::span<const SurfacePoint> points,
                        std::vector<CurveLabel>& labels) const {
    const FamilyStyle& style = familyStyle(*description().switches[layer]);
    CurveLabel label{layer + 1, std::string(" ") + style.keyName + "=" + numeric::generalText(key), {}};
    label.curve.reserve(points.size());
    for (const SurfacePoint& p : points) label.curve.push_back(m_map.toPixel(p.x, p.y));
    drawVisible(pic, points, style.colour);
    labels.push_back(std::move(label));
}

void Diagram::drawSaturationLine(DrawingSurface& pic) const {
    pic.setLineWidth(2);
    drawVisible(
        pic, m_chart == Chart::HS ? curves.SaturationDome : curves.Charts[static_cast<size_t>(m_chart)].saturationLine,
        kSaturationColour);
    pic.setLineWidth(1);
}

namespace {

// The families take turns, curve by curve in key order, so no family takes every
// good place (the window's edges) before the others get any.
std::vector<size_t> fairOrder(const std::vector<int>& families) {
    std::array<std::vector<size_t>, kFamilyCount + 1> byFamily;
    for (size_t i = 0; i < families.size(); ++i) byFamily[families[i]].push_back(i);
    std::vector<size_t> order;
    for (size_t turn = 0; order.size() < families.size(); ++turn)
        for (const auto& family : byFamily)
            if (turn < family.size()) order.push_back(family[turn]);
    return order;
}

}  // namespace

// Each label is as wide as its text and a text line high, on its curve where the curve
// leaves the window or at the first clear spot back along it; a label without one is left
// out. The texts' extents are the surface's, in its layout pixels.
void Diagram::drawCurveLabels(DrawingSurface& pic, const std::vector<CurveLabel>& labels) const {
    if (labels.empty()) return;
    LabelPlacer placer(m_map.box(m_xmin, m_ymax, m_xmax, m_ymin));
    for (const PixelBox& box : m_footprints) placer.reserve(box);
    std::vector<size_t> numbers;
    std::vector<int> families;
    for (const CurveLabel& label : labels) {
        numbers.push_back(placer.addCurve(label.family, label.curve));
        families.push_back(label.family);
    }
    for (size_t i : fairOrder(families)) {
        const CurveLabel& label = labels[i];
        const TextExtent extent = pic.textExtent(label.text);
        const std::optional<PixelBox> box =
            placer.place(numbers[i], extent.width + 2, extent.height, std::max(4.0, 0.75 * extent.height));
        if (!box) continue;
        const SurfacePoint topLeft = m_map.toUser({box->left, box->top});
        const SurfacePoint bottomRight = m_map.toUser({box->right, box->bottom});
        const Rgb colour = CurveColour(*description().switches[label.family - 1]);
        pic.filledRectangle(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, kCurveLabelBox);
        pic.rectangle(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, colour);
        pic.setTextColour(colour);
        pic.setCurrentPosition(topLeft.x, topLeft.y);
        pic.text(label.text);
        pic.setTextColour(kBlack);
    }
}

// The title across centred under the axis numbers, the title up above the numbers' column.
void Diagram::drawAxisTitles(DrawingSurface& pic, double Ymin) const {
    const TextExtent number = pic.textExtent("0");
    const char* titleAcross = description().x.title;
    const char* titleUp = description().y.title;
    const TextExtent across = pic.textExtent(titleAcross);
    const PixelPoint belowNumbers = m_map.toPixel((m_xmin + m_xmax) / 2, Ymin - scale.Ypct);
    const double top = std::min(belowNumbers.y + number.height + 1, pic.pixelHeight() - across.height);
    const SurfacePoint at = m_map.toUser({belowNumbers.x - across.width / 2, top});
    pic.setCurrentPosition(at.x, at.y);
    pic.text(titleAcross);
    const SurfacePoint corner = m_map.toUser({2, 2});
    pic.setCurrentPosition(corner.x, corner.y);
    pic.text(titleUp);
}

// Captions are measured in the font they are drawn in, Arial 8 (the axis numbers' too);
// region names in theirs. The fixed points are reserved where their layer is on.
void Diagram::layOutMarks(DrawingSurface& pic, const calc::RegisterStore& registers) {
    pic.setFont("Arial", 8, false);
    MarkLayout layout(m_map.box(m_xmin, m_ymax, m_xmax, m_ymin));
    const ChartDescription& d = description();
    if (CHKpic[kCriticalPointLayer]) {
        layout.reserve(fixedPointBox(d.criticalPoint));
        if (d.triplePoint) layout.reserve(fixedPointBox(*d.triplePoint));
    }
    if (cycleVisible())
        for (const PixelBox& box : cycleLineBoxes()) layout.reserve(box);
    m_plannedMarkers.clear();
    m_planning = true;
    drawMarkers(pic, registers);
    m_planning = false;
    m_captionPlaces = layout.placeCaptions(m_plannedMarkers);
    m_nextMarker = 0;
    m_regionPlaces.clear();
    if (CHKpic[kRegionLabels]) {
        pic.setFont("宋体", 16, true);
        for (const ChartLabel& label : d.regionLabels) {
            const TextExtent extent = pic.textExtent(label.text);
            m_regionPlaces.push_back(layout.placeRegionName(m_map.toPixel(d.x.toChart(label.x), d.y.toChart(label.y)),
                                                            extent.width, extent.height));
        }
        pic.setFont("Arial", 8, false);
    }
    m_footprints = layout.taken();
}

void Diagram::drawRegionLabels(DrawingSurface& pic) const {
    pic.setFont("宋体", 16, true);
    pic.setTextColour(kRegionLabelColour);
    const ChartDescription& d = description();
    for (size_t i = 0; i < d.regionLabels.size() && i < m_regionPlaces.size(); ++i) {
        const ChartLabel& label = d.regionLabels[i];
        if (!m_regionPlaces[i]) continue;
        double x = d.x.toChart(label.x), y = d.y.toChart(label.y);
        const PixelPoint wanted = m_map.toPixel(x, y);
        if (m_regionPlaces[i]->x != wanted.x || m_regionPlaces[i]->y != wanted.y) {
            const SurfacePoint moved = m_map.toUser(*m_regionPlaces[i]);
            x = moved.x;
            y = moved.y;
        }
        pic.setCurrentPosition(x, y);
        pic.text(label.text);
    }
    pic.setTextColour(kBlack);
    pic.setFont("Arial", 8, false);
}

// The critical point, and on the p-t chart the triple point where its curve begins.
void Diagram::drawCriticalPoint(DrawingSurface& pic) const {
    drawFixedPoint(pic, description().criticalPoint);
    if (description().triplePoint) drawFixedPoint(pic, *description().triplePoint);
}

PixelBox Diagram::fixedPointBox(const std::array<double, 2>& at) const {
    const double x = description().x.toChart(at[0]), y = description().y.toChart(at[1]);
    const double halfWidth = scale.Xspan / 120.0;
    const float halfHeight = scale.Yspan / 120.0f;
    return m_map.box(x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight);
}

void Diagram::drawFixedPoint(DrawingSurface& pic, const std::array<double, 2>& at) const {
    const double x = description().x.toChart(at[0]), y = description().y.toChart(at[1]);
    const double halfWidth = scale.Xspan / 120.0;
    const float halfHeight = scale.Yspan / 120.0f;
    const double x1 = x - halfWidth;
    const double y1 = y - halfHeight;
    const double x2 = x + halfWidth;
    const double y2 = y + halfHeight;
    pic.filledRectangle(x1, y1, x2, y2, kCriticalFill);
    pic.rectangle(x1, y1, x2, y2, kCriticalEdge);
}

void Diagram::drawMarginBands(DrawingSurface& pic, double Xmin, double Xmax, double Ymin, double Ymax) const {
    pic.filledRectangle(scale.XminExt, scale.YminExt, scale.XmaxExt, Ymin, kMargin);
    pic.filledRectangle(scale.XminExt, Ymax, scale.XmaxExt, scale.YmaxExt, kMargin);
    pic.filledRectangle(scale.XminExt, scale.YminExt, Xmin, scale.YmaxExt, kMargin);
    pic.filledRectangle(Xmax, scale.YminExt, scale.XmaxExt, scale.YmaxExt, kMargin);
}

}  // namespace steam::diagram
