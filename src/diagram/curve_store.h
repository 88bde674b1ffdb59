#pragma once
// The point lists the charts draw: for the h-s chart the saturation dome and the four curve
// families (s in kJ/(kg.K), h in kJ/kg), for the other charts their saturation lines and
// families in chart coordinates; read once from the data store at start-up and never
// changed afterwards.
#include "chart.h"
#include "drawing_surface.h"

#include <array>
#include <string>
#include <vector>

namespace steam::data {
class PropertyDatabase;
}

namespace steam::diagram {

inline constexpr int kSaturationSlots = 40;
inline constexpr int kCurveSlots = 800;
inline constexpr int kFamilyCount = 4;
inline constexpr int kSaturationSamples = 20;

struct SaturationPoint {
    float s = 0.0f;
    float h = 0.0f;
};

/// One slot of a curve family: component 1 (key, the property constant along the curve),
/// 2 (h) and 3 (s), all as the data store delivers them.
struct CurvePoint {
    double key = 0.0;
    double h = 0.0;
    double s = 0.0;
};

/// One curve of a chart other than h-s: its key and its points in drawing order, in chart
/// coordinates (logarithms on a logarithmic axis).
struct ChartCurve {
    double key = 0.0;
    std::vector<SurfacePoint> points;
};

/// What a chart other than h-s draws from the data: its saturation line (the dome up the
/// steam side and back down the water side, or the one vapour-pressure curve of the p-t
/// chart, from the triple to the critical point) and the families of its layer switches.
struct ChartCurves {
    std::vector<SurfacePoint> saturationLine;
    std::array<std::vector<ChartCurve>, kFamilySwitches> families;
};

struct CurveStore {
    /// Slots 1 to 20: saturated steam (s'', h'') of the sampled rows in table order;
    /// slots 21 to 40: saturated water (s', h') of the same rows in reverse order.
    /// Slot 0 stays (0, 0).
    std::array<SaturationPoint, kSaturationSlots + 1> SaturationLine{};
    /// The saturation line as drawn: saturated steam (x = s'', y = h'') from the first row
    /// of SWATER to the last (the critical point), then saturated water back to the first,
    /// through as many rows as keep every row of the table within a quarter of a pixel of
    /// the line at ten times the default zoom. Empty before loading.
    std::vector<SurfacePoint> SaturationDome;
    /// [f][j]: family f = 1 (isotherms), 2 (isobars), 3 (isochores), 4 (dryness), slot
    /// j = 1 to 800; rows in table order from slot 1, zeros after the last row. Index 0 of
    /// either dimension is unused.
    std::array<std::array<CurvePoint, kCurveSlots + 1>, kFamilyCount + 1> CurveFamily{};
    /// Key column of family f, also the label prefix ("t", "p", "v", "x").
    std::array<std::string, kFamilyCount + 1> CurveKeyName{"", "t", "p", "v", "x"};
    /// Table (and data source) of family f ("DengT", "DengP", "DengV", "DengX").
    std::array<std::string, kFamilyCount + 1> CurveTable{"", "DengT", "DengP", "DengV", "DengX"};
    /// The other charts' lines, by chart; the entry of the h-s chart stays empty (it draws
    /// from the stores above).
    std::array<ChartCurves, kChartCount> Charts;

    /// Fills the stores from the open database: 20 rows of SWATER sampled evenly by row
    /// number, each chart's saturation line through those, the last row and the rows between
    /// that its shape needs on that chart, then up to 800 rows with a non-zero key from each
    /// h-s curve table, and every row of each table of the charts source. On failure (a
    /// query that does not run, an empty or over-long SWATER, a row too short, with an empty
    /// value or one a logarithmic axis cannot show) returns false, error names the table, and
    /// the stores hold zeros.
    bool ReadCurveData(const data::PropertyDatabase& db, std::string& error);

    /// Back to the state before loading: every slot zero.
    void clearPoints();
};

}  // namespace steam::diagram
