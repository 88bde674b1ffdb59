#include "energy_segment.h"

#include <cmath>
#include <vector>

namespace steam::calc {

using data::GridRow;

GridRow pointOn(const GridRow& a, const GridRow& b, double f) {
    GridRow row{};
    for (int k = 1; k <= data::kGridColumns; ++k) row[k] = a[k] + f * (b[k] - a[k]);
    return row;
}

double fractionWithEnergy(const GridRow& a, const GridRow& b, double u) {
    const double ua = data::internalEnergy(a[4], a[2], a[3]);
    const double ub = data::internalEnergy(b[4], b[2], b[3]);
    const double straight = ub != ua ? (u - ua) / (ub - ua) : 0.0;
    const double dh = b[4] - a[4], dp = b[2] - a[2], dv = b[3] - a[3];
    const double qa = -1000.0 * dp * dv;
    const double qb = dh - 1000.0 * (a[2] * dv + a[3] * dp);
    const double qc = ua - u;
    std::vector<double> roots;
    if (qa == 0.0) {
        if (qb != 0.0) roots.push_back(-qc / qb);
    } else if (const double disc = qb * qb - 4 * qa * qc; disc >= 0.0) {
        const double q = -0.5 * (qb + std::copysign(std::sqrt(disc), qb));
        roots.push_back(q / qa);
        if (q != 0.0) roots.push_back(qc / q);
    }
    double best = straight;
    bool inside = false;
    for (double r : roots) {
        if (!(r >= -1e-9 && r <= 1 + 1e-9)) continue;
        if (!inside || std::fabs(r - straight) < std::fabs(best - straight)) best = r;
        inside = true;
    }
    return best;
}

}  // namespace steam::calc
