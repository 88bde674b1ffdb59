#pragma once
// The h-s diagram of water: owns the scale, the curve stores, the layer switches and the
// readiness flag, and draws the whole diagram onto a DrawingSurface in diagram
// coordinates (s in kJ/(kg.K) across, h in kJ/kg up). Every change to what should be
// shown ends in a full drawWindow; nothing is updated incrementally. The register store
// (calc) supplies the state points and which registers are shown.
#include "curve_store.h"
#include "diagram_scale.h"
#include "drawing_surface.h"

#include <array>
#include <string>

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

    /// Clears the surface's image and draws the whole diagram for this window: grid,
    /// switched-on layers, shown registers and current results, margins, axis numbers and
    /// frame. The scale must come from DefineScale on a window with the same spans.
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
    void drawFamily(DrawingSurface& pic, int f) const;
    void drawSaturationLine(DrawingSurface& pic) const;
    void drawRegionLabels(DrawingSurface& pic) const;
    void drawCriticalPoint(DrawingSurface& pic) const;
    void drawMarkers(DrawingSurface& pic, const calc::RegisterStore& registers) const;
    void drawMarginBands(DrawingSurface& pic, double Xmin, double Xmax, double Ymin, double Ymax) const;
    void drawPoint(DrawingSurface& pic, float x, float y, int labelDivisor, const std::string& text, Rgb dot,
                   Rgb dotLine, Rgb label) const;
};

}  // namespace steam::diagram
