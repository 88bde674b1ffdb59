#pragma once
// Linear interpolation between table rows. A row is its values by column position (1 to 8
// in the saturation table, 1 to 5 in the grids); position 0 is never read.
#include <span>

namespace steam::numeric {

/// Column `column` at the value `known` of column `knownColumn`, on the straight line through
/// the rows `upper` and `lower`. When both rows carry the same value there (`known` itself
/// tabulated), the upper row's value unchanged: nothing is divided by zero.
double interpolateRows(std::span<const double> upper, std::span<const double> lower, int column, int knownColumn,
                       double known);

/// Column `column` at (`first` in column `firstColumn`, `second` in column `secondColumn`) from
/// four rows on two grid lines of the first column: A and C on the lower line, B and D on the
/// upper, A beside B and C beside D at one value each of the other grid column (A and B below
/// `second`, C and D above). A and B are blended to the first value, C and D likewise, and the
/// result interpolated between these two points of that line at their own values of the
/// second column. When the second column is the other grid column this is bilinear
/// interpolation on the rectangular grid; for v, h or s it is the point of that bilinear
/// surface on the line of the first value where the second column takes its value.
double interpolateFourRows(std::span<const double> A, std::span<const double> B, std::span<const double> C,
                           std::span<const double> D, int column, int firstColumn, int secondColumn, double first,
                           double second);

}  // namespace steam::numeric
