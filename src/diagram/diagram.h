#pragma once
// The diagram box: one of four charts of water (h-s, T-s, p-v, p-t; chart.h describes each).
// Owns the chart shown, the scale, the curve stores, the layer switches and the readiness
// flag, and draws the whole chart onto a DrawingSurface in chart coordinates (the values on
// a linear axis, their logarithms on a logarithmic one; s in kJ/(kg.K) across and h in kJ/kg
// up on the h-s chart). Every change to what should be shown ends in a full drawWindow;
// nothing is updated incrementally. The register store (calc) supplies the state points and
// which registers are shown.
#include "chart.h"
#include "curve_store.h"
#include "cycle_paths.h"
#include "diagram_scale.h"
#include "drawing_surface.h"
#include "label_placement.h"
#include "mark_layout.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace steam::calc {
class RegisterStore;
}

namespace steam::diagram {

/// Layer switch indices of CHKpic; 7 and 8 are the pick modes and switch no layer. The
/// first four carry the families of the chart shown; their names are the h-s chart's.
enum Layer : int {
    kIsotherms = 0,
    kIsobars = 1,
    kIsochores = 2,
    kDrynessLines = 3,
    kSaturationLayer = 4,
    kCriticalPointLayer = 5,
    kRegionLabels = 6,
    kPickEntropy = 7,
    kPickEntropyEnthalpy = 8,
};

class Diagram {
public:
    DiagramScale scale;
    CurveStore curves;
    /// Layer check boxes of the chart shown, all unchecked at start.
    std::array<bool, 9> CHKpic{};
    /// 0 while drawWindow runs, 1 once the diagram is complete.
    int DiagramReady = 0;
    /// Whether the axis titles are drawn in the margins (pictures written to files; the
    /// window shows them as captions of its own).
    bool axisTitles = false;
    /// The cycle drawn on every chart while showCycle is on: its legs along their paths in
    /// the cycle's colour (dashed where a real machine's path is not known) with an arrow
    /// halfway along each in the direction of flow, and its states as markers numbered 1, 2,
    /// ... in cycle order, laid out after the other markers. Every caption, region name and
    /// curve label keeps clear of its lines.
    CycleDrawing cycle;
    bool showCycle = true;

    Chart chart() const { return m_chart; }
    const ChartDescription& description() const { return chartDescription(m_chart); }
    /// Makes another chart the one shown (nothing is drawn). The chart left keeps its current
    /// window for its next showing; the new one shows the window it had then, or its default
    /// window the first time, rescaled. A family's tick goes with the family: a switch shows
    /// the tick its family last had on any chart, and a family this chart lacks keeps its
    /// tick for the charts that have it. "图选s" is unticked where s does not run across.
    void setChart(Chart chart);
    /// The chart's default window, set and made the current one, rescaled (the start-up).
    void showDefaultWindow();

    /// Clears the surface's image and draws the whole chart for this window: grid,
    /// switched-on layers, shown registers and current results, the curves' labels where
    /// they fit this window, margins, axis numbers and frame. No label covers another or a
    /// marker: markers and their captions are placed first, then the region names, then the
    /// curves' labels (mark_layout.h, label_placement.h). The scale must come from
    /// DefineScale on a window with the same spans.
    void drawWindow(DrawingSurface& pic, const calc::RegisterStore& registers, double Xmin, double Xmax, double Ymin,
                    double Ymax);
    /// drawWindow over the current window (a layer click, a new result, a pan).
    void redraw(DrawingSurface& pic, const calc::RegisterStore& registers);
    /// Makes the dragged rectangle the current window, rescales and draws it.
    void ZoomWindow(DrawingSurface& pic, const calc::RegisterStore& registers);
    /// Back to the default window, rescaled and drawn.
    void restoreDefault(DrawingSurface& pic, const calc::RegisterStore& registers);

    /// Marks the points of saturation slot ii (0 to 6) with squares and labels: on the h-s
    /// chart saturated water (s', h') and steam (s'', h''), labelled " ( s', h')" + LabName
    /// and "(s'', h'')" + LabName; on the others at their own pair of properties (one point,
    /// (ts, ps), on the p-t chart). A point a logarithmic axis cannot show (a value of 0) is
    /// left out.
    void drawUpDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii, const std::string& LabName,
                   Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const;
    /// Marks the point of state slot ii (0 to 5) at its own coordinates: (s, h) labelled
    /// "( s , h )" + LabName on the h-s chart.
    void drawDownDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii, const std::string& LabName,
                     Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const;

private:
    struct CurveLabel {
        int family;  // the layer switch carrying it, 1 to 4
        std::string text;
        std::vector<PixelPoint> curve;  // the whole curve, in pixels
    };
    /// Chart coordinates to the surface's layout pixels, for the pass being drawn.
    struct PixelMap {
        double left = 0, top = 0, perX = 1, perY = 1;
        PixelPoint toPixel(double x, double y) const { return {(x - left) * perX, (y - top) * perY}; }
        SurfacePoint toUser(const PixelPoint& p) const { return {left + p.x / perX, top + p.y / perY}; }
        PixelBox box(double x1, double y1, double x2, double y2) const;
    };

    void drawFamily(DrawingSurface& pic, int layer, std::vector<CurveLabel>& labels) const;
    void drawCurve(DrawingSurface& pic, int layer, double key, std::span<const SurfacePoint> points,
                   std::vector<CurveLabel>& labels) const;
    void drawSaturationLine(DrawingSurface& pic) const;
    void drawRegionLabels(DrawingSurface& pic) const;
    void drawCriticalPoint(DrawingSurface& pic) const;
    void drawFixedPoint(DrawingSurface& pic, const std::array<double, 2>& at) const;
    void drawCurveLabels(DrawingSurface& pic, const std::vector<CurveLabel>& labels) const;
    void drawAxisTitles(DrawingSurface& pic, double Ymin) const;
    void drawVisible(DrawingSurface& pic, std::span<const SurfacePoint> points, Rgb colour) const;
    /// Places the markers' captions and the region names for the pass (nothing is drawn).
    void layOutMarks(DrawingSurface& pic, const calc::RegisterStore& registers);
    /// The square of the critical or triple point, in pixels of the pass.
    PixelBox fixedPointBox(const std::array<double, 2>& at) const;
    void drawMarkers(DrawingSurface& pic, const calc::RegisterStore& registers) const;
    void drawMarginBands(DrawingSurface& pic, double Xmin, double Xmax, double Ymin, double Ymax) const;
    /// A marker's square and caption; the caption's box is the span over labelDivisor wide,
    /// or as wide as its text for a divisor of 0.
    void drawPoint(DrawingSurface& pic, float x, float y, int labelDivisor, const std::string& text, Rgb dot,
                   Rgb dotLine, Rgb label) const;
    /// A state's marker (t p v h s x u) at its own coordinates.
    void drawStateValues(DrawingSurface& pic, const std::array<double, 7>& values, const std::string& LabName,
                         Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const;

    // The cycle (diagram_cycle.cpp).
    bool cycleVisible() const { return showCycle && !cycle.empty(); }
    /// A state's place in chart coordinates; nothing where the chart cannot show it.
    std::optional<SurfacePoint> chartPoint(const cycle::StateValues& state) const;
    std::vector<SurfacePoint> chartPath(const CyclePath& path) const;
    void drawCycleLegs(DrawingSurface& pic) const;
    void drawCycleArrow(DrawingSurface& pic, const std::vector<SurfacePoint>& points, Rgb colour) const;
    /// Small boxes along the cycle's lines, in pixels of the pass: what the layout keeps clear of.
    std::vector<PixelBox> cycleLineBoxes() const;
    void drawCycleStates(DrawingSurface& pic) const;
    /// A register point at the values (xValue, yValue), mapped onto the chart; nothing where
    /// the chart cannot show them.
    void drawValuePoint(DrawingSurface& pic, float xValue, float yValue, int labelDivisor, const std::string& text,
                        Rgb dot, Rgb dotLine, Rgb label) const;

    Chart m_chart = Chart::HS;
    // Each chart's current window while another is shown, and whether it has one yet.
    std::array<std::array<double, 4>, kChartCount> m_views{};
    std::array<bool, kChartCount> m_hasView{};
    // The families' ticks, by the property constant along them.
    std::array<bool, kQuantityCount> m_familyTicks{};

    // State of the pass being drawn: the window, its pixels, and the boxes of the region
    // names and marks drawn so far, which the curves' labels keep clear of.
    double m_xmin = 0, m_xmax = 0, m_ymin = 0, m_ymax = 0;
    PixelMap m_map;
    mutable std::vector<PixelBox> m_footprints;
    // The markers are gone through twice a pass: first planned (their footprints, in drawing
    // order), then drawn with their captions where the layout put them.
    mutable bool m_planning = false;
    mutable std::vector<MarkerFootprint> m_plannedMarkers;
    std::vector<std::optional<PixelPoint>> m_captionPlaces;
    mutable size_t m_nextMarker = 0;
    std::vector<std::optional<PixelPoint>> m_regionPlaces;  // of description().regionLabels
    mutable std::vector<SurfacePoint> m_run;                // reused for the visible stretches of a curve
    mutable std::vector<SurfacePoint> m_points;             // reused for an h-s curve out of its slots
};

}  // namespace steam::diagram
