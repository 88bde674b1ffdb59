#include "interpolation.h"

namespace steam::numeric {

double interpolateRows(const data::RowSet& H, const data::RowSet& L, int aa, int bb, double cc) {
    const double hb = H.Fields(bb);
    const double lb = L.Fields(bb);
    if (hb == lb) return H.Fields(aa);
    return H.Fields(aa) + ((cc - hb) / (lb - hb)) * (L.Fields(aa) - H.Fields(aa));
}

double interpolateFourRows(const data::RowSet& A, const data::RowSet& B, const data::RowSet& C,
                           const data::RowSet& D, int aa, int bb, int ee, double cc, double dd) {
    // Along bb first: the rows A and B (and C and D) lie at the same place of the other grid
    // column, so blending them to cc gives two points of the line bb = cc.
    const double lowerLevel = A.Fields(bb);
    const double upperLevel = B.Fields(bb);
    const double f = lowerLevel == upperLevel ? 0.0 : (cc - lowerLevel) / (upperLevel - lowerLevel);
    const auto blend = [f](const data::RowSet& low, const data::RowSet& high, int k) {
        return low.Fields(k) + f * (high.Fields(k) - low.Fields(k));
    };
    // Then along that line in ee, between the two points' own ee values.
    const double first = blend(A, B, aa);
    const double firstKey = blend(A, B, ee);
    const double secondKey = blend(C, D, ee);
    if (firstKey == secondKey) return first;
    return first + ((dd - firstKey) / (secondKey - firstKey)) * (blend(C, D, aa) - first);
}

}  // namespace steam::numeric
