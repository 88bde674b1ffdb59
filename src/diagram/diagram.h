#pragma once
// The h-s diagram of water: owns the scale, the curve stores, the layer switches and the
// readiness flag, and draws the whole diagram onto a DrawingSurface in diagram
// coordinates (s in kJ/(kg.K) across, h in kJ/kg up). Every change to what should be
// shown ends in a full drawWindow; nothing is updated incrementally. The register store
// (calc) supplies the state points and which registers are shown.
#include "curve_store.h"
#include "diagram_scale.h"
#include "drawing_surface.h"
#include "label_placement.h"

#include <array>
#include <string>
#include <vector>

namespace steam::calc {
class RegisterStore;
}

namespace steam::diagram {

/// Layer switch indices of CHKpic; 7 and 8 are the pick modes and switch no layer.
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

inline constexpr double kCriticalEntropy = 4.407;
inline constexpr double kCriticalEnthalpy = 2084.3;

/// Axis titles, drawn into pictures that leave the window.
inline constexpr const char* kEntropyAxisTitle = "s (kJ/kg.K)";
inline constexpr const char* kEnthalpyAxisTitle = "h (kJ/kg)";

class Diagram {
public:
    DiagramScale scale;
    CurveStore curves;
    /// Layer check boxes, all unchecked at start.
    std::array<bool, 9> CHKpic{};
    /// 0 while drawWindow runs, 1 once the diagram is complete.
    int DiagramReady = 0;
    /// Colour of curve family f = 1 to 4 (index 0 unused).
    std::array<Rgb, kFamilyCount + 1> CurveColour{
        Rgb{0, 0, 0}, Rgb{200, 0, 0}, Rgb{0, 0, 200}, Rgb{0, 170, 0}, Rgb{0, 0, 0}};
    /// Whether the axis titles are drawn in the margins (pictures written to files; the
    /// window shows them as captions of its own).
    bool axisTitles = false;

    /// Clears the surface's image and draws the whole diagram for this window: grid,
    /// switched-on layers, shown registers and current results, the curves' labels where
    /// they fit this window, margins, axis numbers and frame. The scale must come from
    /// DefineScale on a window with the same spans.
    void drawWindow(DrawingSurface& pic, const calc::RegisterStore& registers, double Xmin, double Xmax,
                    double Ymin, double Ymax);
    /// drawWindow over the current window (a layer click, a new result, a pan).
    void redraw(DrawingSurface& pic, const calc::RegisterStore& registers);
    /// Makes the dragged rectangle the current window, rescales and draws it.
    void ZoomWindow(DrawingSurface& pic, const calc::RegisterStore& registers);
    /// Back to the default window, rescaled and drawn.
    void restoreDefault(DrawingSurface& pic, const calc::RegisterStore& registers);

    /// Marks the saturated water (s', h') and steam (s'', h'') points of saturation slot
    /// ii (0 to 6) with squares and labels " ( s', h')" + LabName and "(s'', h'')" + LabName.
    void drawUpDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii, const std::string& LabName,
                   Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const;
    /// Marks the point (s, h) of state slot ii (0 to 5), labelled "( s , h )" + LabName.
    void drawDownDot(DrawingSurface& pic, const calc::RegisterStore& registers, int ii, const std::string& LabName,
                     Rgb ColoDot, Rgb ColoDotLine, Rgb ColoLabel) const;

private:
    struct CurveLabel {
        int family;
        std::string text;
        std::vector<PixelPoint> curve;  // the whole curve, in pixels
    };
    /// Diagram coordinates to the surface's layout pixels, for the pass being drawn.
    struct PixelMap {
        double left = 0, top = 0, perX = 1, perY = 1;
        PixelPoint toPixel(double x, double y) const { return {(x - left) * perX, (y - top) * perY}; }
        SurfacePoint toUser(const PixelPoint& p) const { return {left + p.x / perX, top + p.y / perY}; }
        PixelBox box(double x1, double y1, double x2, double y2) const;
    };

    void drawFamily(DrawingSurface& pic, int f, std::vector<CurveLabel>& labels) const;
    void drawSaturationLine(DrawingSurface& pic) const;
    void drawRegionLabels(DrawingSurface& pic) const;
    void drawCriticalPoint(DrawingSurface& pic) const;
    void drawCurveLabels(DrawingSurface& pic, const std::vector<CurveLabel>& labels) const;
    void drawAxisTitles(DrawingSurface& pic, double Ymin) const;
    void drawVisible(DrawingSurface& pic, std::span<const SurfacePoint> points, Rgb colour) const;
    void drawMarkers(DrawingSurface& pic, const calc::RegisterStore& registers) const;
    void drawMarginBands(DrawingSurface& pic, double Xmin, double Xmax, double Ymin, double Ymax) const;
    void drawPoint(DrawingSurface& pic, float x, float y, int labelDivisor, const std::string& text, Rgb dot,
                   Rgb dotLine, Rgb label) const;

    // State of the pass being drawn: the window, its pixels, and the boxes of the region
    // names and marks drawn so far, which the curves' labels keep clear of.
    double m_xmin = 0, m_xmax = 0, m_ymin = 0, m_ymax = 0;
    PixelMap m_map;
    mutable std::vector<PixelBox> m_footprints;
    mutable std::vector<SurfacePoint> m_run;  // reused for the visible stretches of a curve
};

}  // namespace steam::diagram
