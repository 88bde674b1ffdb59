#pragma once
// Linear interpolation between the current rows of bracketing result slots. Positions are
// 0-based column positions of the rows (1 to 8 in the saturation table, 1 to 5 in the grids).
#include "data/lookup.h"
#include "data/row_set.h"

namespace steam::numeric {

/// Column aa at the value cc of column bb, on the straight line through the rows H and L.
/// When both rows carry the same bb value (cc itself tabulated), H's value unchanged.
double interpolateRows(const data::RowSet& H, const data::RowSet& L, int aa, int bb, double cc);

/// Column aa at (cc in column bb, dd in column ee) from four rows on two grid lines of bb:
/// A = lower-ee row and C = upper-ee row on the lower bb line, B and D likewise on the upper
/// bb line. Each line is interpolated in ee at dd first, then the two results in bb at cc;
/// on a rectangular grid this is bilinear interpolation, and for a column ee that is not a
/// grid column each line still contributes a state at ee = dd exactly.
double interpolateFourRows(const data::RowSet& A, const data::RowSet& B, const data::RowSet& C,
                           const data::RowSet& D, int aa, int bb, int ee, double cc, double dd);

/// The interpolations of the calculators, each over its own pair (or four) of result slots:
/// cz over HrsSat/LrsSat (saturation), cz2 over HrsFixY/LrsFixY (known first value on a grid
/// line), cz3 over HrsFixZ/LrsFixZ (known second value on a grid line), cz4 over the four
/// rows around both values.
inline double cz(const data::RowSetSlots& s, int aa, int bb, double cc) { return interpolateRows(s.HrsSat, s.LrsSat, aa, bb, cc); }
inline double cz2(const data::RowSetSlots& s, int aa, int bb, double cc) {
    return interpolateRows(s.HrsFixY, s.LrsFixY, aa, bb, cc);
}
inline double cz3(const data::RowSetSlots& s, int aa, int bb, double cc) {
    return interpolateRows(s.HrsFixZ, s.LrsFixZ, aa, bb, cc);
}
inline double cz4(const data::RowSetSlots& s, int aa, int bb, int ee, double cc, double dd) {
    return interpolateFourRows(s.LrsLowerY, s.LrsUpperY, s.HrsLowerY, s.HrsUpperY, aa, bb, ee, cc, dd);
}

}  // namespace steam::numeric
