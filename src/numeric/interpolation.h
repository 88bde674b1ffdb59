#pragma once
// Linear interpolation between the current rows of bracketing result slots. Positions are
// 0-based column positions of the rows (1 to 8 in the saturation table, 1 to 5 in the grids).
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

}  // namespace steam::numeric
