#pragma once
// Linear interpolation between table rows. A row is its values by column position (1 to 8
// in the saturation table, 1 to 5 in the grids); position 0 is never read.
#include <span>

namespace steam::numeric {

/// Column aa at the value cc of column bb, on the straight line through the rows H and L.
/// When both rows carry the same bb value (cc itself tabulated), H's value unchanged.
double interpolateRows(std::span<const double> H, std::span<const double> L, int aa, int bb, double cc);

/// Column aa at (cc in column bb, dd in column ee) from four rows on two grid lines of bb:
/// A and C on the lower bb line, B and D on the upper, A beside B and C beside D at one value
/// each of the other grid column (A and B below dd in ee, C and D above). A and B are blended
/// to bb = cc, C and D likewise, and the result interpolated between these two points of the
/// line bb = cc at their own ee values. When ee is the other grid column this is bilinear
/// interpolation on the rectangular grid; for v, h or s it is the point of that bilinear
/// surface on the line bb = cc where ee takes the value dd.
double interpolateFourRows(std::span<const double> A, std::span<const double> B, std::span<const double> C,
                           std::span<const double> D, int aa, int bb, int ee, double cc, double dd);

}  // namespace steam::numeric
