#include "surface_pair_search.h"

#include <algorithm>
#include <cmath>

namespace steam::search {
namespace {

constexpr int kMaxSteps = 100;
constexpr double kEdge = 1e-9;  // how far past a cell's edge a solution still belongs to it

// Coefficients of a bilinear function over the unit square, X = c0 + c1 f + c2 tau + c3 f tau,
// from its values at the corners (f, tau) = (0,0), (1,0), (0,1), (1,1).
struct Bilinear {
    double c0, c1, c2, c3;
    Bilinear(double x00, double x10, double x01, double x11)
        : c0(x00), c1(x10 - x00), c2(x01 - x00), c3(x11 - x10 - x01 + x00) {}
    double at(double f, double tau) const { return c0 + c1 * f + c2 * tau + c3 * f * tau; }
};

// The point of the unit square where both bilinear functions are zero; false when none lies
// in it. Eliminating tau leaves a quadratic in f; two Newton steps then polish the root.
bool solveBilinear(const Bilinear& a, const Bilinear& b, double& f, double& tau) {
    const double qa = b.c1 * a.c3 - b.c3 * a.c1;
    const double qb = b.c0 * a.c3 + b.c1 * a.c2 - b.c2 * a.c1 - b.c3 * a.c0;
    const double qc = b.c0 * a.c2 - b.c2 * a.c0;
    double roots[2];
    int count = 0;
    if (qa == 0.0) {
        if (qb != 0.0) roots[count++] = -qc / qb;
    } else {
        const double disc = qb * qb - 4 * qa * qc;
        if (disc >= 0.0) {
            const double q = -0.5 * (qb + std::copysign(std::sqrt(disc), qb));
            roots[count++] = q / qa;
            if (q != 0.0) roots[count++] = qc / q;
        }
    }
    for (int i = 0; i < count; ++i) {
        double x = roots[i];
        if (!(x >= -kEdge && x <= 1 + kEdge)) continue;
        const double da = a.c2 + a.c3 * x;
        const double db = b.c2 + b.c3 * x;
        double y = std::fabs(da) >= std::fabs(db) ? -(a.c0 + a.c1 * x) / da : -(b.c0 + b.c1 * x) / db;
        if (!(y >= -kEdge && y <= 1 + kEdge)) continue;
        for (int step = 0; step < 2; ++step) {
            const double ra = a.at(x, y), rb = b.at(x, y);
            const double j11 = a.c1 + a.c3 * y, j12 = a.c2 + a.c3 * x;
            const double j21 = b.c1 + b.c3 * y, j22 = b.c2 + b.c3 * x;
            const double det = j11 * j22 - j12 * j21;
            if (det == 0.0 || !std::isfinite(det)) break;
            x -= (ra * j22 - rb * j12) / det;
            y -= (j11 * rb - j21 * ra) / det;
        }
        f = std::clamp(x, 0.0, 1.0);
        tau = std::clamp(y, 0.0, 1.0);
        return true;
    }
    return false;
}

}  // namespace

SurfacePairSearch::SurfacePairSearch(data::GridTable& table, int inner, double innerValue, int outer, double outerValue,
                                     bool rises, bool logPressure)
    : m_table(table),
      m_inner(inner),
      m_outer(outer),
      m_innerValue(innerValue),
      m_outerValue(outerValue),
      m_rises(rises),
      m_logPressure(logPressure) {}

// v by its logarithm, which steam makes nearly straight in log p.
double SurfacePairSearch::signedDifference(double outer) const {
    const double d = m_outer == 3 && outer > 0.0 && m_outerValue > 0.0 ? std::log(outer) - std::log(m_outerValue)
                                                                       : outer - m_outerValue;
    return m_rises ? d : -d;
}

double SurfacePairSearch::place(double p) const { return m_logPressure && p > 0.0 ? std::log(p) : p; }

double SurfacePairSearch::fromPlace(double u) const { return m_logPressure ? std::exp(u) : u; }

// The isobar p (a tabulated one): where it reaches the inner value and the outer value there.
// False when it does not reach it; d then tells on which side of p the state lies.
bool SurfacePairSearch::isobar(double p, Point& point) {
    point = Point{};
    point.p = p;
    point.onGrid = true;
    ++m_isobarsRead;
    SurfaceLine line(m_table, data::GridColumn::p, p, p, p);
    if (!line.findCrossing(m_inner, m_innerValue, {}, point.first, point.second, m_hint)) {
        unreached(point);
        return false;
    }
    const double i1 = line.at(point.first, m_inner), i2 = line.at(point.second, m_inner);
    const double o1 = line.at(point.first, m_outer), o2 = line.at(point.second, m_outer);
    const double outer = i1 == i2 ? o1 : o1 + (m_innerValue - i1) / (i2 - i1) * (o2 - o1);
    point.d = signedDifference(outer);
    if (!std::isfinite(point.d)) return false;
    point.reach = Reach::Between;
    m_hint = point.first.x;
    return true;
}

// An isobar whose rows all lie colder or all hotter than the inner value (which rises along
// it). Hotter than the table's hottest row: as p falls along the line of the inner value, so
// does t, and the state lies below. Hotter than the rows of an isobar of water that ends
// sooner, at or near saturation: the line of the value leaves the liquid at that pressure, and
// water's state lies above. Colder than steam's rows: along steam's line t rises with p, and
// the state lies above. Colder than water's rows (0.01 C): the line leaves the table there,
// where water near its density maximum cools or warms with p, and the outer value at the
// isobar's coldest row tells the side. NaN when the isobar reaches around the value but lacks
// rows.
void SurfacePairSearch::unreached(Point& point) const {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    point.d = std::nan("");
    const auto first = m_table.endRow(data::GridColumn::p, point.p, false);
    const auto last = m_table.endRow(data::GridColumn::p, point.p, true);
    const auto temperatures = m_table.range(data::GridColumn::t);
    if (!first || !last || !temperatures) return;
    const double hottest = temperatures->highest;
    const bool water = m_table.name() == "WATER";
    if (m_innerValue > (*last)[static_cast<size_t>(m_inner)]) {
        point.reach = Reach::Hotter;
        point.d = water && (*last)[1] < hottest ? -kInfinity : kInfinity;
    } else if (m_innerValue < (*first)[static_cast<size_t>(m_inner)]) {
        point.reach = Reach::Colder;
        point.d = water ? signedDifference((*first)[static_cast<size_t>(m_outer)]) : -kInfinity;
    }
}

// The table's isobars, ascending, read once and kept by the table.
const std::vector<double>& SurfacePairSearch::isobars() const { return m_table.lines(data::GridColumn::p); }

// The tabulated isobar at or above p (below: at or below it); false when there is none.
bool SurfacePairSearch::gridIsobar(double p, bool above, double& isobar) const {
    const auto& all = isobars();
    auto it = std::lower_bound(all.begin(), all.end(), p);
    if (above) {
        if (it == all.end()) return false;
    } else {
        if (it == all.end() || *it > p) {
            if (it == all.begin()) return false;
            --it;
        }
    }
    isobar = *it;
    return true;
}

// A tabulated isobar above lo and below hi (up to and including `top` before the value is
// bracketed), the first at or above the estimate, else the last below it.
bool SurfacePairSearch::gridBetween(double estimate, const Point& lo, double top, bool bracketed, double& p) const {
    const auto inside = [&](double q) { return q > lo.p && (bracketed ? q < top : q <= top); };
    double e = estimate > lo.p ? estimate : std::nextafter(lo.p, std::numeric_limits<double>::infinity());
    if (e > top) e = top;
    return (gridIsobar(e, true, p) && inside(p)) || (gridIsobar(e, false, p) && inside(p));
}

// Narrows lo (the outer value not yet reached) and hi (reached, or beyond the table) to two
// neighbouring places along p. Before hi is known, the isobar next to lo and then secant steps
// through the places seen reach for it, the stretch's top being the last resort. False when
// no place of the stretch reaches the value.
bool SurfacePairSearch::narrow(Point& lo, Point& hi, bool& bracketed, double top) {
    // Every point with a value: its place, d, and where its isobar reached the inner value
    // (a dome end, not an isobar, has none).
    struct Seen {
        double u, d, t;
    };
    std::vector<Seen> seen;
    const auto crossingOf = [](const Point& point) { return point.reached() ? point.first.x : std::nan(""); };
    if (lo.valued()) seen.push_back({place(lo.p), lo.d, crossingOf(lo)});
    if (bracketed && hi.valued()) seen.push_back({place(hi.p), hi.d, crossingOf(hi)});
    double flo = lo.d, fhi = hi.d;  // as regula falsi sees them (Illinois)
    int moved = 0;
    // The bracket's width two steps back: a halving is due when the steps gain less than that.
    double widths[2] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    for (int step = 0; step < kMaxSteps; ++step) {
        const double width = bracketed ? place(hi.p) - place(lo.p) : std::numeric_limits<double>::infinity();
        const bool slow = width > 0.5 * widths[0];
        widths[0] = widths[1];
        widths[1] = width;
        // The secant through the two places nearest the value; it also tells where the next
        // isobar will reach the inner value, where its search starts.
        double secant = std::numeric_limits<double>::quiet_NaN();
        Seen nearest[2]{};
        if (seen.size() >= 2) {
            const auto closer = [](const Seen& a, const Seen& b) { return std::fabs(a.d) < std::fabs(b.d); };
            nearest[0] = *std::min_element(seen.begin(), seen.end(), closer);
            nearest[1] = seen.front().u == nearest[0].u ? seen[1] : seen.front();
            for (const Seen& point : seen)
                if (point.u != nearest[0].u && closer(point, nearest[1])) nearest[1] = point;
            if (nearest[0].d != nearest[1].d)
                secant = fromPlace(nearest[0].u -
                                   nearest[0].d * (nearest[1].u - nearest[0].u) / (nearest[1].d - nearest[0].d));
        }
        double estimate;
        if (!bracketed) {
            estimate = seen.size() < 2 ? std::nextafter(lo.p, top) : secant;
            if (!(estimate > lo.p) || !(estimate <= top)) estimate = top;
        } else if (secant > lo.p && secant < hi.p && !slow) {
            estimate = secant;
        } else if (!lo.valued() || !hi.valued() || slow) {
            estimate = fromPlace(0.5 * (place(lo.p) + place(hi.p)));
        } else {
            estimate = fromPlace(place(lo.p) + flo / (flo - fhi) * (place(hi.p) - place(lo.p)));
        }
        double p = 0.0;
        if (!gridBetween(estimate, lo, bracketed ? hi.p : top, bracketed, p)) return bracketed;
        if (seen.size() >= 2 && std::isfinite(nearest[0].t) && std::isfinite(nearest[1].t) &&
            nearest[0].u != nearest[1].u) {
            const double along = (place(p) - nearest[0].u) / (nearest[1].u - nearest[0].u);
            m_hint = nearest[0].t + along * (nearest[1].t - nearest[0].t);
        }
        Point point;
        isobar(p, point);
        if (point.valued()) seen.push_back({place(p), point.d, crossingOf(point)});
        if (point.d < 0.0) {
            lo = std::move(point);
            flo = lo.d;
            if (moved == -1) fhi /= 2;
            moved = -1;
        } else if (point.d >= 0.0) {
            hi = std::move(point);
            fhi = hi.d;
            if (moved == 1) flo /= 2;
            moved = 1;
            bracketed = true;
        } else {
            return false;  // rows missing
        }
    }
    return false;
}

// lo and hi become the tabulated isobars around the state: an end known from the saturation
// line gives way to the isobar next to it, which reaches on into the metastable state. Where
// that isobar does not hold both values (the surface and the saturation line, two
// interpolations, differ a little there), the state is the end itself.
SurfacePairSearch::Outcome SurfacePairSearch::gridEnds(Point& lo, Point& hi) {
    if (!lo.onGrid) {
        double p = 0.0;
        Point point;
        if (!gridIsobar(lo.p, false, p)) return Outcome::AtLowerEnd;
        isobar(p, point);
        if (point.reach == Reach::Unknown || point.d > 0.0) return Outcome::AtLowerEnd;
        lo = std::move(point);
    }
    if (!hi.onGrid) {
        double p = 0.0;
        Point point;
        if (!gridIsobar(hi.p, true, p)) return Outcome::AtUpperEnd;
        isobar(p, point);
        if (point.reach == Reach::Unknown || point.d < 0.0) return Outcome::AtUpperEnd;
        hi = std::move(point);
    }
    const bool known = lo.reach != Reach::Unknown && hi.reach != Reach::Unknown;
    return (lo.reached() || hi.reached()) && known && lo.p < hi.p ? Outcome::Found : Outcome::Missing;
}

bool SurfacePairSearch::readIsobar(double p, double tFrom, double tTo, std::vector<data::GridRow>& rows) const {
    rows = m_table.rowsBetween(data::GridColumn::p, p, tFrom, tTo);
    return !rows.empty();
}

// Between the isobars lo and hi, the cells of the temperatures both hold from where either
// reached the inner value to where the other did (or from an end of an isobar that does not
// reach it): in each the surface is bilinear, and the state is the point where the inner and
// the outer value are both taken.
bool SurfacePairSearch::solveStrip(const Point& lo, const Point& hi, std::array<double, 6>& state) {
    // An isobar that does not reach the inner value: the cells from its coldest row (the state
    // colder than its rows) or up to its hottest (hotter).
    constexpr double kColdest = -1000.0, kHottest = 100000.0;
    const auto from = [](const Point& point) {
        return point.reached() ? point.first.x : point.reach == Reach::Colder ? kColdest : kHottest;
    };
    const auto to = [](const Point& point) {
        return point.reached() ? point.second.x : point.reach == Reach::Hotter ? kHottest : kColdest;
    };
    const double tFrom = std::min(from(lo), from(hi));
    const double tTo = std::max(to(lo), to(hi));
    std::vector<data::GridRow> low, high;
    if (!readIsobar(lo.p, tFrom, tTo, low) || !readIsobar(hi.p, tFrom, tTo, high)) return false;
    std::vector<std::pair<const data::GridRow*, const data::GridRow*>> nodes;  // equal t on both
    for (size_t i = 0, j = 0; i < low.size() && j < high.size();) {
        if (low[i][1] == high[j][1]) {
            nodes.push_back({&low[i++], &high[j++]});
        } else if (low[i][1] < high[j][1]) {
            ++i;
        } else {
            ++j;
        }
    }
    for (size_t n = 0; n + 1 < nodes.size(); ++n) {
        const auto& c00 = *nodes[n].first;
        const auto& c10 = *nodes[n].second;
        const auto& c01 = *nodes[n + 1].first;
        const auto& c11 = *nodes[n + 1].second;
        const auto corners = [&](int k, double known) {
            return Bilinear(c00[k] - known, c10[k] - known, c01[k] - known, c11[k] - known);
        };
        double f = 0.0, tau = 0.0;
        if (!solveBilinear(corners(m_inner, m_innerValue), corners(m_outer, m_outerValue), f, tau)) continue;
        for (int k = 1; k <= 5; ++k) state[k] = corners(k, 0.0).at(f, tau);
        m_cell = {c00, c10, c01, c11, f, tau};
        return true;
    }
    return false;
}

SurfacePairSearch::Outcome SurfacePairSearch::find(const PressureEnd& from, const PressureEnd& to,
                                                   std::array<double, 6>& state) {
    Point lo, hi;
    bool bracketed = false;
    if (std::isfinite(from.outer)) {
        lo.p = from.p;
        lo.d = signedDifference(from.outer);
    } else {
        double p = 0.0;
        if (!gridIsobar(from.p, true, p) || p > to.p) return Outcome::Missing;
        isobar(p, lo);
        if (std::isnan(lo.d)) return Outcome::Missing;
    }
    if (lo.d > 0.0) return Outcome::Below;
    if (std::isfinite(to.outer)) {
        hi.p = to.p;
        hi.d = signedDifference(to.outer);
        if (hi.d < 0.0) return Outcome::Above;
        bracketed = true;
    }
    if (!narrow(lo, hi, bracketed, to.p)) return bracketed ? Outcome::Missing : Outcome::Above;
    if (!bracketed) return Outcome::Above;
    const Outcome ends = gridEnds(lo, hi);
    if (ends != Outcome::Found) return ends;
    return solveStrip(lo, hi, state) ? Outcome::Found : Outcome::Missing;
}

}  // namespace steam::search
