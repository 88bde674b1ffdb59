#pragma once
// The point lists the diagram draws: the saturation dome and the four curve families,
// read once from the data store at start-up and never changed afterwards.
// Coordinates are s in kJ/(kg.K) and h in kJ/kg.
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

    /// Fills both stores from the open database: 20 rows of SWATER sampled evenly by row
    /// number, the dome through those, the last row and the rows between that it needs,
    /// then up to 800 rows with a non-zero key from each curve table. On failure
    /// (a query that does not run, an empty or over-long SWATER, a row too short or with
    /// an empty value) returns false, error names the table, and the stores hold zeros.
    bool ReadCurveData(const data::PropertyDatabase& db, std::string& error);

    /// Back to the state before loading: every slot zero.
    void clearPoints();
};

}  // namespace steam::diagram
