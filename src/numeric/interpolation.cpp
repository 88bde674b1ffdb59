#include "interpolation.h"

#include <cstddef>

namespace steam::numeric {
namespace {

double at(std::span<const double> row, int k) { return row[static_cast<std::size_t>(k)]; }

}  // namespace

double interpolateRows(std::span<const double> upper, std::span<const double> lower, int column, int knownColumn,
                       double known) {
    const double upperKey = at(upper, knownColumn);
    const double lowerKey = at(lower, knownColumn);
    if (upperKey == lowerKey) return at(upper, column);
    return at(upper, column) + ((known - upperKey) / (lowerKey - upperKey)) * (at(lower, column) - at(upper, column));
}

double interpolateFourRows(std::span<const double> A, std::span<const double> B, std::span<const double> C,
                           std::span<const double> D, int column, int firstColumn, int secondColumn, double first,
                           double second) {
    // Along the first column: the rows A and B (and C and D) lie at the same place of the other
    // grid column, so blending them to the first value gives two points of its line.
    const double lowerLevel = at(A, firstColumn);
    const double upperLevel = at(B, firstColumn);
    const double f = lowerLevel == upperLevel ? 0.0 : (first - lowerLevel) / (upperLevel - lowerLevel);
    const auto blend = [f](std::span<const double> low, std::span<const double> high, int k) {
        return at(low, k) + f * (at(high, k) - at(low, k));
    };
    // Then along that line in the second column, between the two points' own values of it.
    const double value = blend(A, B, column);
    const double firstKey = blend(A, B, secondColumn);
    const double secondKey = blend(C, D, secondColumn);
    if (firstKey == secondKey) return value;
    return value + ((second - firstKey) / (secondKey - firstKey)) * (blend(C, D, column) - value);
}

}  // namespace steam::numeric
