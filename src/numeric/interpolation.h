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
/// A and C on the lower bb line, B and D on the upper, A beside B and C beside D at one value
/// each of the other grid column (A and B below dd in ee, C and D above). A and B are blended
/// to bb = cc, C and D likewise, and the result interpolated between these two points of the
/// line bb = cc at their own ee values. When ee is the other grid column this is bilinear
/// interpolation on the rectangular grid; for v, h or s it is the point of that bilinear
/// surface on the line bb = cc where ee takes the value dd.
double interpolateFourRows(const data::RowSet& A, const data::RowSet& B, const data::RowSet& C,
                           const data::RowSet& D, int aa, int bb, int ee, double cc, double dd);

/// The interpolations of the calculators, each over its own pair (or four) of result slots:
/// cz over HrsSat/LrsSat (saturation), cz2 over HrsFixY/LrsFixY (known first value on a grid
/// line), cz3 over HrsFixZ/LrsFixZ (known second value on a grid line), cz4 over the four
/// rows around both values (A = LrsLowerY, B = LrsUpperY, C = HrsLowerY, D = HrsUpperY).
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
