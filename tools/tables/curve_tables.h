#pragma once
// Points of the diagram's curve families, computed from IAPWS-95: isotherms, isobars,
// isochores and lines of constant dryness. Each curve runs through the whole default window
// (s 0 to 9.99, h 0 to 5000), from the point before it enters to the point after it leaves,
// or to the end of the formulation's range (100 MPa, 1000 C, the critical point). Points are
// placed where the curve bends: between neighbours the curve stays within half a pixel of the
// chord when the default window is zoomed ten times. Labels are placed when the diagram is
// drawn, so nothing here depends on them.
#include <string>
#include <vector>

namespace tables {

struct CurvePoint {
    double key, h, s;
};

struct CurveFamilyTable {
    std::string table;  ///< DengT, DengP, DengV, DengX
    std::string keyColumn;
    std::vector<CurvePoint> points;  ///< curves consecutive, each in drawing order
};

/// Key values of the families, in table order: isotherms (C), isobars (MPa), isochores
/// (m^3/kg), lines of constant dryness.
std::vector<double> isothermTemperatures();
std::vector<double> isobarPressures();
std::vector<double> isochoreVolumes();
std::vector<double> drynessFractions();

/// The default window and the picture's pixels per unit at ten times its zoom, the scale
/// at which the curves' points are chosen.
inline constexpr double kChartSmax = 9.99;
inline constexpr double kChartHmax = 5000.0;
inline constexpr double kEntropyPerPixel = kChartSmax * 1.16 / 4890.0;
inline constexpr double kEnthalpyPerPixel = kChartHmax * 1.16 / 4650.0;
/// Largest distance of the true curve from a drawn segment, in those pixels.
inline constexpr double kCurveTolerancePixels = 0.5;

/// The four families, curves in the order of their keys. Throws iapws95::SolveError on a
/// failed solve and std::runtime_error when a family needs more than 800 points.
std::vector<CurveFamilyTable> buildCurveTables(int threads = 1);

}  // namespace tables
