#include "diagram.h"

#include "marker_colours.h"

#include "calc/register_store.h"
#include "numeric/number_text.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace steam::diagram {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kHorizontalGrid{100, 100, 100};
constexpr Rgb kVerticalGrid{150, 150, 150};
constexpr Rgb kSaturationColour{50, 50, 50};
constexpr Rgb kRegionLabelColour{192, 192, 192};
constexpr Rgb kCriticalFill{255, 100, 0};
constexpr Rgb kCriticalEdge{30, 30, 0};
constexpr Rgb kCurveLabelBox{220, 220, 220};
constexpr Rgb kMargin{210, 215, 210};

struct RegionLabel {
    const char* text;
    double s;
    double h;
};

constexpr std::array<RegionLabel, 6> kRegionLabelTexts{{
    {"饱和蒸汽", 7.5, 2750},
    {"饱和水", 0.5, 500},
    {"湿蒸汽(两相区)", 5.0, 1800},
    {"水", 2.5, 1700},
    {"过热蒸汽", 7.5, 3700},
    {"超临界区", 2.5, 3500},
}};

// Saturation values 5 to 8 of a slot: h', h'', s', s''.
constexpr int kWaterEnthalpy = 5;
constexpr int kSteamEnthalpy = 6;
constexpr int kWaterEntropy = 7;
constexpr int kSteamEntropy = 8;
// State values 4 and 5: h, s.
constexpr int kStateEnthalpy = 4;
constexpr int kStateEntropy = 5;

constexpr int kSaturationLabelDivisor = 16;
constexpr int kStateLabelDivisor = 19;

}  // namespace

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
    for (const AxisTick& y : yTicks) {
        pic.setDashStyle(DashStyle::Dotted);
        pic.line(Xmax, y.value, Xmin - scale.Xpct, y.value, kHorizontalGrid);
        pic.setDashStyle(DashStyle::Solid);
    }
    for (const AxisTick& x : xTicks) pic.line(x.value, Ymax, x.value, Ymin - scale.Ypct, kVerticalGrid);

    std::vector<CurveLabel> labels;
    for (int f = 1; f <= kFamilyCount; ++f)
        if (CHKpic[f - 1]) drawFamily(pic, f, labels);
    if (CHKpic[kSaturationLayer]) drawSaturationLine(pic);
    if (CHKpic[kRegionLabels]) drawRegionLabels(pic);
    if (CHKpic[kCriticalPointLayer]) drawCriticalPoint(pic);
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

// Consecutive slots with the same key are one curve. The slots after the family's last
// row hold key 0 and are no curve.
void Diagram::drawFamily(DrawingSurface& pic, int f, std::vector<CurveLabel>& labels) const {
    const auto& slots = curves.CurveFamily[f];
    std::vector<SurfacePoint> points;
    for (int j = 1; j <= kCurveSlots;) {
        const double key = slots[j].key;
        int end = j;
        while (end < kCurveSlots && slots[end + 1].key == key) ++end;
        if (key != 0.0) {
            points.clear();
            CurveLabel label{f, " " + curves.CurveKeyName[f] + "=" + numeric::generalText(key), {}};
            for (int k = j; k <= end; ++k) {
                points.push_back({slots[k].s, slots[k].h});
                label.curve.push_back(m_map.toPixel(slots[k].s, slots[k].h));
            }
            drawVisible(pic, points, CurveColour[f]);
            labels.push_back(std::move(label));
        }
        j = end + 1;
    }
}

void Diagram::drawSaturationLine(DrawingSurface& pic) const {
    pic.setLineWidth(2);
    drawVisible(pic, curves.SaturationDome, kSaturationColour);
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
        const std::optional<PixelBox> box = placer.place(numbers[i], extent.width + 2, extent.height,
                                                         std::max(4.0, 0.75 * extent.height));
        if (!box) continue;
        const SurfacePoint topLeft = m_map.toUser({box->left, box->top});
        const SurfacePoint bottomRight = m_map.toUser({box->right, box->bottom});
        const Rgb colour = CurveColour[label.family];
        pic.filledRectangle(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, kCurveLabelBox);
        pic.rectangle(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y, colour);
        pic.setTextColour(colour);
        pic.setCurrentPosition(topLeft.x, topLeft.y);
        pic.text(label.text);
        pic.setTextColour(kBlack);
    }
}

// The s title centred under the axis numbers, the h title above the numbers' column.
void Diagram::drawAxisTitles(DrawingSurface& pic, double Ymin) const {
    const TextExtent number = pic.textExtent("0");
    const TextExtent across = pic.textExtent(kEntropyAxisTitle);
    const PixelPoint belowNumbers = m_map.toPixel((m_xmin + m_xmax) / 2, Ymin - scale.Ypct);
    const double top = std::min(belowNumbers.y + number.height + 1, pic.pixelHeight() - across.height);
    const SurfacePoint at = m_map.toUser({belowNumbers.x - across.width / 2, top});
    pic.setCurrentPosition(at.x, at.y);
    pic.text(kEntropyAxisTitle);
    const SurfacePoint corner = m_map.toUser({2, 2});
    pic.setCurrentPosition(corner.x, corner.y);
    pic.text(kEnthalpyAxisTitle);
}

void Diagram::drawRegionLabels(DrawingSurface& pic) const {
    pic.setFont("宋体", 16, true);
    pic.setTextColour(kRegionLabelColour);
    for (const RegionLabel& label : kRegionLabelTexts) {
        pic.setCurrentPosition(label.s, label.h);
        pic.text(label.text);
        const TextExtent extent = pic.textExtent(label.text);
        const PixelPoint corner = m_map.toPixel(label.s, label.h);
        m_footprints.push_back({corner.x, corner.y, corner.x + extent.width, corner.y + extent.height});
    }
    pic.setTextColour(kBlack);
    pic.setFont("Arial", 8, false);
}

void Diagram::drawCriticalPoint(DrawingSurface& pic) const {
    const double halfWidth = scale.Xspan / 120.0;
    const float halfHeight = scale.Yspan / 120.0f;
    const double x1 = kCriticalEntropy - halfWidth;
    const double y1 = kCriticalEnthalpy - halfHeight;
    const double x2 = kCriticalEntropy + halfWidth;
    const double y2 = kCriticalEnthalpy + halfHeight;
    pic.filledRectangle(x1, y1, x2, y2, kCriticalFill);
    pic.rectangle(x1, y1, x2, y2, kCriticalEdge);
    m_footprints.push_back(m_map.box(x1, y1, x2, y2));
}

void Diagram::drawMarkers(DrawingSurface& pic, const calc::RegisterStore& registers) const {
    // Saturation registers show whenever ticked; state registers also need a non-zero h.
    for (int k = 1; k <= 5; ++k) {
        if (registers.isShown(k - 1))
            drawUpDot(pic, registers, k, " M" + std::to_string(k), calc::RegisterStore::registerColour(k - 1),
                      kRegisterDotEdge, kSaturationLabelBox);
    }
    for (int k = 1; k <= 4; ++k) {
        if (registers.isShown(k + 4) && registers.StateMemory(k, kStateEnthalpy) != 0.0)
            drawDownDot(pic, registers, k, " M" + std::to_string(k + 5), calc::RegisterStore::registerColour(k + 4),
                        kRegisterDotEdge, kStateLabelBox);
    }
    if (registers.SaturationMemory(calc::kCurrentSatSlot, kSteamEnthalpy) != 0.0)
        drawUpDot(pic, registers, calc::kCurrentSatSlot, "", kCurrentSatDot, kCurrentSatEdge, kSaturationLabelBox);
    if (registers.StateMemory(calc::kCurrentStateSlot, kStateEnthalpy) != 0.0)
        drawDownDot(pic, registers, calc::kCurrentStateSlot, "", kCurrentStateDot, kCurrentStateEdge,
                    kStateLabelBox);
}

void Diagram::drawMarginBands(DrawingSurface& pic, double Xmin, double Xmax, double Ymin, double Ymax) const {
    pic.filledRectangle(scale.XminExt, scale.YminExt, scale.XmaxExt, Ymin, kMargin);
    pic.filledRectangle(scale.XminExt, Ymax, scale.XmaxExt, scale.YmaxExt, kMargin);
    pic.filledRectangle(scale.XminExt, scale.YminExt, Xmin, scale.YmaxExt, kMargin);
    pic.filledRectangle(Xmax, scale.YminExt, scale.XmaxExt, scale.YmaxExt, kMargin);
}

// Sizes are fractions of the spans, so a marker keeps its size on screen at every zoom.
void Diagram::drawPoint(DrawingSurface& pic, float x, float y, int labelDivisor, const std::string& text, Rgb dot,
                        Rgb dotLine, Rgb label) const {
    const double halfWidth = scale.Xspan / 120.0;
    const float halfHeight = scale.Yspan / 120.0f;
    const float labelBottom = y - scale.Yspan / 37.0f;
    const float below = y - halfHeight;
    const float above = y + halfHeight;
    pic.filledRectangle(x, below, x + scale.Xspan / labelDivisor, labelBottom, label);
    pic.filledRectangle(x - halfWidth, below, x + halfWidth, above, dot);
    pic.rectangle(x - halfWidth, below, x + halfWidth, above, dotLine);
    pic.setCurrentPosition(x, y);
    pic.text(text);
    const TextExtent extent = pic.textExtent(text);
    const PixelBox square = m_map.box(x - halfWidth, below, x + halfWidth, above);
    const PixelBox box = m_map.box(x, labelBottom, x + scale.Xspan / labelDivisor, y);
    const PixelPoint corner = m_map.toPixel(x, y);
    m_footprints.push_back(square);
    m_footprints.push_back({box.left, box.top, std::max(box.right, corner.x + extent.width),
                            std::max(box.bottom, corner.y + extent.height)});
}

void Diagram::drawUpDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii, const std::string& LabName,
                        Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const {
    if (ii < 0 || ii > calc::kCurrentSatSlot) throw std::out_of_range("drawUpDot: no saturation slot " + std::to_string(ii));
    const auto value = [&](int k) { return static_cast<float>(registers.SaturationMemory(ii, k)); };
    drawPoint(pic, value(kWaterEntropy), value(kWaterEnthalpy), kSaturationLabelDivisor, " ( s', h')" + LabName,
              ColoDot, ColoDotLine, ColoLabel);
    drawPoint(pic, value(kSteamEntropy), value(kSteamEnthalpy), kSaturationLabelDivisor, "(s'', h'')" + LabName,
              ColoDot, ColoDotLine, ColoLabel);
}

void Diagram::drawDownDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii,
                          const std::string& LabName, Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const {
    if (ii < 0 || ii > calc::kCurrentStateSlot) throw std::out_of_range("drawDownDot: no state slot " + std::to_string(ii));
    const auto value = [&](int k) { return static_cast<float>(registers.StateMemory(ii, k)); };
    drawPoint(pic, value(kStateEntropy), value(kStateEnthalpy), kStateLabelDivisor, "( s , h )" + LabName, ColoDot,
              ColoDotLine, ColoLabel);
}

}  // namespace steam::diagram
