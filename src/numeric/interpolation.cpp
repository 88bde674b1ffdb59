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
    const double onLower = interpolateRows(A, C, aa, ee, dd);
    const double onUpper = interpolateRows(B, D, aa, ee, dd);
    const double lowerLevel = A.Fields(bb);
    const double upperLevel = B.Fields(bb);
    if (lowerLevel == upperLevel) return onLower;
    return onLower + ((cc - lowerLevel) / (upperLevel - lowerLevel)) * (onUpper - onLower);
}

}  // namespace steam::numeric
