#pragma once
// The four charts the diagram box shows, as data: the axes (property, linear or logarithmic,
// title, default window), the curve families on the first four layer switches, the
// saturation line, the critical and triple points, the region names and where the register
// points go. The drawing, the curve loader, the mouse and the windows read these; nothing
// else knows which chart is which.
//
// Positions on a chart ("chart coordinates") are the values themselves on a linear axis and
// their decimal logarithms on a logarithmic one, so zoom, pan and the curves' points all
// work in log space there.
#include "colour/colours.h"

#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>

namespace steam::diagram {

using colour::Rgb;

enum class Chart { HS, TS, PV, PT };
inline constexpr int kChartCount = 4;
inline constexpr std::array<Chart, kChartCount> kCharts{Chart::HS, Chart::TS, Chart::PV, Chart::PT};

/// The properties a chart names, in the order of the state panel's rows.
enum class Quantity { t, p, v, h, s, x };
inline constexpr int kQuantityCount = 6;

/// Layer switches that carry a curve family (CHKpic(0) to CHKpic(3)).
inline constexpr int kFamilySwitches = 4;

/// The critical point's entropy, kJ/(kg.K): where it is drawn, and on the "图选s" pick the
/// border between saturated water (left) and steam.
inline constexpr double kCriticalEntropy = 4.407;

struct ChartAxis {
    Quantity quantity;
    bool logarithmic;
    const char* title;              ///< with its unit: "s (kJ/kg.K)"
    double defaultMin, defaultMax;  ///< the default window, in the property's units

    /// Where a value lies on the axis: the value, or its decimal logarithm (NaN for a value
    /// that is not positive, which a logarithmic axis cannot show).
    double toChart(double value) const {
        if (!logarithmic) return value;
        return value > 0 ? std::log10(value) : std::nan("");
    }
    double fromChart(double position) const { return logarithmic ? std::pow(10.0, position) : position; }
};

/// How a curve family looks wherever it is drawn: the label prefix ("t" of " t=300"), the
/// caption of its layer switch, the colour of its curves and of that caption.
struct FamilyStyle {
    Quantity key;
    const char* keyName;
    const char* caption;
    Rgb colour;
    Rgb captionColour;
};

/// A region name, its top-left corner at (x, y) in the axes' units.
struct ChartLabel {
    const char* text;
    double x, y;
};

/// A register point: which of a register slot's values (1-based, in the slot's own order)
/// go across and up, and the fixed text beside the point.
struct MarkedPoint {
    int xValue, yValue;
    const char* text;
};

/// The saturation line: columns (0-based positions in SWATER, 1 = ts ... 8 = s'') of the
/// saturated water and steam points; one branch when both name the same point (p-t).
struct SaturationColumns {
    int waterX, waterY, steamX, steamY;
    bool oneBranch() const { return waterX == steamX && waterY == steamY; }
};

struct ChartDescription {
    Chart chart;
    const char* name;         ///< on the command line: "hs", "ts", "pv", "pt"
    const char* menuItem;     ///< "s—h图"
    const char* pictureName;  ///< preset name when the picture is saved
    ChartAxis x, y;
    /// The family on each of the switches CHKpic(0) to CHKpic(3); none where the chart has
    /// no family for that place (it is greyed).
    std::array<std::optional<Quantity>, kFamilySwitches> switches;
    /// The table of each of those families in the charts source; the h-s chart's families
    /// have sources of their own (DengT to DengX).
    std::array<const char*, kFamilySwitches> tables;
    SaturationColumns saturation;
    std::array<double, 2> criticalPoint;  ///< in the axes' units
    std::optional<std::array<double, 2>> triplePoint;
    std::span<const ChartLabel> regionLabels;
    /// Points of a saturation slot (saturated water and steam; one point on the p-t chart)
    /// and of a state slot.
    std::span<const MarkedPoint> saturationMarks;
    MarkedPoint stateMark;

    /// Whether s runs across, so the "图选s" pick can read it.
    bool entropyAcross() const { return x.quantity == Quantity::s; }
};

const ChartDescription& chartDescription(Chart chart);
const FamilyStyle& familyStyle(Quantity key);
/// The colour of a curve family's curves and labels.
Rgb CurveColour(Quantity key);
/// The chart with this command-line name, if any.
std::optional<Chart> chartNamed(std::string_view name);

/// The picture on screen in pixels, across and up.
inline constexpr double kPicturePixelsAcross = 489;
inline constexpr double kPicturePixelsUp = 465;

/// Chart units per pixel of the default window at ten times its zoom: the scale at which
/// the curves' points are placed and the saturation line's rows chosen. `pixels` is the
/// picture's width or height, the window taking all but 8 % margins each side.
double unitsPerPixelAtTenfoldZoom(const ChartAxis& axis, double pixels);

}  // namespace steam::diagram
