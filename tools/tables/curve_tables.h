#pragma once
// Points of the diagram's curve families, computed from IAPWS-95: isotherms, isobars,
// isochores and lines of constant dryness. The diagram joins consecutive points with equal
// key and labels each curve at its last point, with a box to the right of and below it, so
// each curve is cut where its label still reads inside the default window (s 0 to 9.99,
// h 0 to 5000) and clear of the labels placed before it.
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

/// The four families, at most 800 points each. Throws iapws95::SolveError on a failed solve.
std::vector<CurveFamilyTable> buildCurveTables();

}  // namespace tables
