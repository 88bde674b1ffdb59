#include "saturation_walk.h"

#include <algorithm>
#include <cmath>

namespace steam::search {
namespace {

constexpr int kMaxProbes = 200;

bool sameSign(double a, double b) { return (a < 0.0) == (b < 0.0); }

}  // namespace

std::optional<SaturatedValues> SaturationWalk::first() const {
    if (samples().empty()) return std::nullopt;
    return samples().front();
}

std::optional<SaturatedValues> SaturationWalk::last() const {
    if (samples().empty()) return std::nullopt;
    return samples().back();
}

// The lookup row at or below ts and the one after it (the same row when ts is tabulated).
bool SaturationWalk::rowsAround(double ts, SaturatedValues& below, SaturatedValues& above) const {
    return m_table.rowsAround(ts, below, above);
}

std::optional<SaturatedValues> SaturationWalk::at(double ts) const {
    SaturatedValues below, above;
    if (!rowsAround(ts, below, above)) return std::nullopt;
    if (below[1] == above[1]) return below;
    return blend(below, above, (ts - below[1]) / (above[1] - below[1]));
}

SaturatedValues SaturationWalk::blend(const SaturatedValues& a, const SaturatedValues& b, double fraction) {
    SaturatedValues v{};
    for (int k = 1; k <= data::kSatColumns; ++k) v[k] = a[k] + fraction * (b[k] - a[k]);
    // u' and u'' as the blended h, p and v make them, as a state's u is made.
    data::addInternalEnergy(v);
    return v;
}

// a and b lie within one step of the table, where every column is linear in ts: regula falsi
// (Illinois) on the blend of the two.
std::optional<SaturatedValues> SaturationWalk::withinOneStep(const Function& g, const Place& a, const Place& b) {
    double lo = 0.0, hi = 1.0, glo = a.g, ghi = b.g;
    int moved = 0;  // -1 lo moved last, +1 hi
    for (int i = 0; i < kMaxProbes && hi - lo > 1e-15; ++i) {
        double f = lo + glo / (glo - ghi) * (hi - lo);
        if (!(f > lo && f < hi) || i % 4 == 3) f = 0.5 * (lo + hi);
        const SaturatedValues v = blend(a.values, b.values, f);
        const double gv = g(v);
        if (gv == 0.0) return v;
        if (std::isnan(gv)) return std::nullopt;
        if (sameSign(gv, glo)) {
            lo = f;
            glo = gv;
            if (moved == -1) ghi /= 2;
            moved = -1;
        } else {
            hi = f;
            ghi = gv;
            if (moved == 1) glo /= 2;
            moved = 1;
        }
    }
    return blend(a.values, b.values, 0.5 * (lo + hi));
}

// g changes sign from a to b: regula falsi over the rows between them, each probe reading the
// two rows around its estimate, until a and b lie within one step of the table.
std::optional<SaturatedValues> SaturationWalk::settle(const Function& g, Place a, Place b) const {
    double fa = a.g, fb = b.g;  // as the estimates see them (Illinois)
    int moved = 0;
    for (int i = 0; i < kMaxProbes; ++i) {
        const double ta = a.values[1], tb = b.values[1];
        double ts = ta + fa / (fa - fb) * (tb - ta);
        if (!(ts > ta && ts < tb) || i % 3 == 2) ts = 0.5 * (ta + tb);
        SaturatedValues below, above;
        if (!rowsAround(ts, below, above)) return std::nullopt;
        if (below[1] <= ta && above[1] >= tb) return withinOneStep(g, a, b);
        for (const SaturatedValues* row : {&below, &above}) {
            const double t = (*row)[1];
            if (!(t > a.values[1] && t < b.values[1])) continue;
            const double gr = g(*row);
            if (gr == 0.0) return *row;
            if (std::isnan(gr)) return std::nullopt;
            if (sameSign(gr, a.g)) {
                a = {*row, gr};
                fa = gr;
                if (moved == -1) fb /= 2;
                moved = -1;
            } else {
                b = {*row, gr};
                fb = gr;
                if (moved == 1) fa /= 2;
                moved = 1;
            }
        }
    }
    return std::nullopt;
}

std::optional<SaturatedValues> SaturationWalk::firstZero(const Function& g, double from, double to,
                                                         double slack) const {
    const auto& rows = samples();
    if (rows.empty() || !(from <= to)) return std::nullopt;
    const double firstTs = rows.front()[1];
    const double lastTs = rows.back()[1];
    if (from > lastTs || to < firstTs) return std::nullopt;
    // The last two places seen (b after a), of one sign.
    std::optional<Place> a, b, start;
    std::optional<SaturatedValues> found;
    const auto visit = [&](const SaturatedValues& values) {
        const Place c{values, g(values)};
        if (c.g == 0.0) {
            found = values;
        } else if (std::isnan(c.g)) {
            a.reset();
            b.reset();
        } else if (b && !sameSign(c.g, b->g)) {
            found = settle(g, *b, c);
            if (!found) a.reset(), b.reset();
        } else if (a && b && turnsToZero(*a, *b, c)) {
            if (const auto across = throughTurn(g, *a, c, slack)) {
                found = across->g == 0.0 ? across->values : settle(g, *a, *across);
                return found.has_value();
            }
        }
        if (!start) start = c;
        a = b;
        b = c;
        return found.has_value();
    };
    double last = -kInfinity;
    if (from > firstTs) {
        const auto start = at(from);
        if (!start) return std::nullopt;
        if (visit(*start)) return found;
        last = from;
    }
    // The samples from the first after `from`: the table is ascending in ts.
    const auto less = [](const data::SatRow& row, double ts) { return row[1] < ts; };
    for (auto it = std::lower_bound(rows.begin(), rows.end(), from, less); it != rows.end() && (*it)[1] <= to; ++it) {
        if ((*it)[1] <= last) continue;
        last = (*it)[1];
        if (visit(*it)) return found;
    }
    if (to < lastTs && to > last) {
        const auto end = at(to);
        if (!end) return std::nullopt;
        if (visit(*end)) return found;
    }
    // Short of zero by no more than the slack at an end of the line.
    if (from <= firstTs && start && std::fabs(start->g) <= slack) return start->values;
    if (to >= lastTs && b && std::fabs(b->g) <= slack) return b->values;
    return std::nullopt;
}

// g comes closest to zero at b, and a parabola through the three places comes within a quarter
// of g(b) of zero or crosses it: g may reach zero twice between a and c.
bool SaturationWalk::turnsToZero(const Place& a, const Place& b, const Place& c) {
    if (!(std::fabs(b.g) < std::fabs(a.g) && std::fabs(b.g) <= std::fabs(c.g))) return false;
    const double ta = a.values[1], tb = b.values[1], tc = c.values[1];
    const double ab = (b.g - a.g) / (tb - ta), bc = (c.g - b.g) / (tc - tb);
    const double abc = (bc - ab) / (tc - ta);
    if (abc == 0.0) return false;
    const double t = 0.5 * (ta + tb) - ab / (2 * abc);
    const double vertex = a.g + ab * (t - ta) + abc * (t - ta) * (t - tb);
    return !sameSign(vertex, b.g) || std::fabs(vertex) < 0.25 * std::fabs(b.g);
}

// Golden-section search between a and c for the place where g comes closest to zero, stopping
// at the first place found across zero (or within the slack of it); none when g keeps its sign
// and stays further away.
std::optional<SaturationWalk::Place> SaturationWalk::throughTurn(const Function& g, const Place& a, const Place& c,
                                                                 double slack) const {
    const double sign = a.g < 0.0 ? -1.0 : 1.0;
    const double ratio = 0.5 * (std::sqrt(5.0) - 1.0);
    double lo = a.values[1], hi = c.values[1];
    const auto probe = [&](double ts) -> std::optional<Place> {
        const auto values = at(ts);
        if (!values) return std::nullopt;
        return Place{*values, g(*values)};
    };
    auto x1 = probe(hi - ratio * (hi - lo)), x2 = probe(lo + ratio * (hi - lo));
    for (int i = 0; i < 60 && x1 && x2; ++i) {
        for (const auto& x : {x1, x2})
            if (!std::isnan(x->g) && (x->g == 0.0 || !sameSign(x->g, a.g))) return x;
        if (hi - lo < 1e-9) {
            const Place& closest = std::fabs(x1->g) < std::fabs(x2->g) ? *x1 : *x2;
            if (std::fabs(closest.g) <= slack) return Place{closest.values, 0.0};
            break;
        }
        if (sign * x1->g < sign * x2->g) {
            hi = x2->values[1];
            x2 = x1;
            x1 = probe(hi - ratio * (hi - lo));
        } else {
            lo = x1->values[1];
            x1 = x2;
            x2 = probe(lo + ratio * (hi - lo));
        }
    }
    return std::nullopt;
}

}  // namespace steam::search
