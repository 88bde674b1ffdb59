#pragma once
// Points of the charts' curve families, computed from IAPWS-95: isotherms, isobars,
// isochores, isenthalps, isentropes and lines of constant dryness. Each curve is walked along
// its own parameter (pressure, temperature or the distance from the critical point), the
// fluid and the wet mixture each as a smooth stretch with the corners on the saturation line
// exact, and its points are placed where it bends on the chart that shows it: between
// neighbours the curve stays within half a pixel of the chord when the chart's default window
// is zoomed ten times (measured in log space on a logarithmic axis). Each curve runs through
// the whole default window, from the point before it enters to the point after it leaves, or
// to the end of the formulation's range (100 MPa, 1000 C, the triple and critical points).
// Labels are placed when the diagram is drawn, so nothing here depends on them.
#include "diagram/chart.h"

#include <array>
#include <string>
#include <vector>

namespace tables {

struct CurvePoint {
    double key, h, s;
};

/// One of the h-s chart's four tables (DengT, DengP, DengV, DengX).
struct CurveFamilyTable {
    std::string table;
    std::string keyColumn;
    std::vector<CurvePoint> points;  ///< curves consecutive, each in drawing order
};

/// One table of the charts source (data/chart_tables.h): rows of key, x value, y value in the
/// properties' own units.
struct ChartFamilyTable {
    std::string table;
    std::vector<std::array<double, 3>> rows;  ///< curves consecutive, each in drawing order
};

/// Key values of the h-s families, in table order: isotherms (C), isobars (MPa), isochores
/// (m^3/kg), lines of constant dryness.
std::vector<double> isothermTemperatures();
std::vector<double> isobarPressures();
std::vector<double> isochoreVolumes();
std::vector<double> drynessFractions();
/// Key values of a table of the charts source, in table order; empty for an unknown table.
std::vector<double> chartFamilyKeys(const std::string& table);
/// The chart a table of the charts source belongs to and its switch (0 to 3).
struct ChartPlace {
    steam::diagram::Chart chart;
    int layer;
};
ChartPlace chartPlaceOf(const std::string& table);

/// The h-s default window and the picture's pixels per unit at ten times its zoom.
inline constexpr double kChartSmax = 9.99;
inline constexpr double kChartHmax = 5000.0;
inline constexpr double kEntropyPerPixel = kChartSmax * 1.16 / 4890.0;
inline constexpr double kEnthalpyPerPixel = kChartHmax * 1.16 / 4650.0;
/// Largest distance of the true curve from a drawn segment, in those pixels.
inline constexpr double kCurveTolerancePixels = 0.5;

/// The four h-s families, curves in the order of their keys. Throws iapws95::SolveError on
/// a failed solve and std::runtime_error when a family needs more than 800 points.
std::vector<CurveFamilyTable> buildCurveTables(int threads = 1);
/// The eight tables of the charts source, in the order of data::kChartTables.
std::vector<ChartFamilyTable> buildChartTables(int threads = 1);

}  // namespace tables
