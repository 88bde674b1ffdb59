#include "interpolation.h"

#include <cstddef>

namespace steam::numeric {
namespace {

double at(std::span<const double> row, int k) { return row[static_cast<std::size_t>(k)]; }

}  // namespace

double interpolateRows(std::span<const double> H, std::span<const double> L, int aa, int bb, double cc) {
    const double hb = at(H, bb);
    const double lb = at(L, bb);
    if (hb == lb) return at(H, aa);
    return at(H, aa) + ((cc - hb) / (lb - hb)) * (at(L, aa) - at(H, aa));
}

double interpolateFourRows(std::span<const double> A, std::span<const double> B, std::span<const double> C,
                           std::span<const double> D, int aa, int bb, int ee, double cc, double dd) {
    // Along bb first: the rows A and B (and C and D) lie at the same place of the other grid
    // column, so blending them to cc gives two points of the line bb = cc.
    const double lowerLevel = at(A, bb);
    const double upperLevel = at(B, bb);
    const double f = lowerLevel == upperLevel ? 0.0 : (cc - lowerLevel) / (upperLevel - lowerLevel);
    const auto blend = [f](std::span<const double> low, std::span<const double> high, int k) {
        return at(low, k) + f * (at(high, k) - at(low, k));
    };
    // Then along that line in ee, between the two points' own ee values.
    const double first = blend(A, B, aa);
    const double firstKey = blend(A, B, ee);
    const double secondKey = blend(C, D, ee);
    if (firstKey == secondKey) return first;
    return first + ((dd - firstKey) / (secondKey - firstKey)) * (blend(C, D, aa) - first);
}

}  // namespace steam::numeric
