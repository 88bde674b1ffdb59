#include "surface_line.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace steam::search {
namespace {

constexpr int kMaxProbes = 200;
constexpr double kSmallest = 1e-4;  // where the logarithmic place turns straight

bool across(double d, double reference) { return d == 0.0 || (d < 0.0) != (reference < 0.0); }

}  // namespace

using data::GridColumn;
using data::GridRow;

SurfaceLine::SurfaceLine(data::GridTable& table, GridColumn column, double value, double lowerLine, double upperLine)
    : m_table(&table),
      m_column(column),
      m_otherPosition(data::position(data::alongOf(column))),
      m_lower(lowerLine),
      m_upper(upperLine),
      m_fraction(lowerLine == upperLine ? 0.0 : (value - lowerLine) / (upperLine - lowerLine)) {}

std::optional<SurfaceLine> SurfaceLine::around(data::GridTable& table, GridColumn column, double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const std::vector<double>& lines = table.lines(column);
    const auto upper = std::lower_bound(lines.begin(), lines.end(), value);
    if (upper == lines.end()) return std::nullopt;
    if (*upper == value) return SurfaceLine(table, column, value, value, value);
    if (upper == lines.begin()) return std::nullopt;
    return SurfaceLine(table, column, value, *(upper - 1), *upper);
}

double SurfaceLine::at(const LineNode& node, int k) const {
    const double low = node.lower[static_cast<size_t>(k)];
    if (isGridLine()) return low;
    return low + m_fraction * (node.upper[static_cast<size_t>(k)] - low);
}

// The upper grid line's rows at the places of the first `count` nodes, which it must hold,
// read from `from` on.
bool SurfaceLine::upperHolds(LineNode* nodes, int count, double from) const {
    const data::LineRows rows = m_table->rowsFrom(m_column, m_upper, from);
    if (rows.count < count) return false;
    for (int k = 0; k < count; ++k) {
        const GridRow& row = rows.rows[static_cast<size_t>(k)];
        if (row[static_cast<size_t>(m_otherPosition)] != nodes[k].x) return false;
        nodes[k].upper = row;
    }
    return true;
}

// Nodes from two rows of the lower grid line (both lines' rows when it is a grid line).
namespace {

bool nodesOf(const data::LineRows& rows, int otherPosition, bool gridLine, LineNode* nodes) {
    if (rows.count < 2) return false;
    for (int k = 0; k < 2; ++k) {
        nodes[k].lower = rows.rows[static_cast<size_t>(k)];
        nodes[k].x = nodes[k].lower[static_cast<size_t>(otherPosition)];
        if (gridLine) nodes[k].upper = nodes[k].lower;
    }
    return true;
}

}  // namespace

// Two neighbouring nodes as a piece of the line, kept for the rest of the search.
const SurfaceLine::Segment* SurfaceLine::keep(LineNode (&nodes)[2]) {
    Segment s;
    s.first = std::move(nodes[0]);
    s.second = std::move(nodes[1]);
    s.d1 = difference(s.first);
    s.d2 = difference(s.second);
    m_seen.push_back(std::move(s));
    return &m_seen.back();
}

// The piece of the line from x1 <= x to the next node x2 > x: the lower grid line names the
// two places, and the upper one must hold them too.
const SurfaceLine::Segment* SurfaceLine::probe(double x) {
    for (const Segment& s : m_seen)
        if (s.first.x <= x && x < s.second.x) return &s;
    LineNode nodes[2];
    if (!nodesOf(m_table->pieceAt(m_column, m_lower, x), m_otherPosition, isGridLine(), nodes)) return nullptr;
    if (!isGridLine() && !upperHolds(nodes, 2, nodes[0].x)) return nullptr;
    return keep(nodes);
}

// The first two places both grid lines hold, from x on (from the line's start when x is not
// finite).
const SurfaceLine::Segment* SurfaceLine::startingAt(double x) {
    LineNode nodes[2];
    const double from = std::isfinite(x) ? x : -std::numeric_limits<double>::infinity();
    if (!nodesOf(m_table->rowsFrom(m_column, m_lower, from), m_otherPosition, isGridLine(), nodes)) return nullptr;
    if (!isGridLine()) {
        const auto upperStart = m_table->rowsFrom(m_column, m_upper, nodes[0].x);
        if (upperStart.count == 0) return nullptr;
        const double start = upperStart.rows[0][static_cast<size_t>(m_otherPosition)];
        if (start != nodes[0].x) return startingAt(start);  // the upper line starts later
        if (!upperHolds(nodes, 2, nodes[0].x)) return nullptr;
    }
    return keep(nodes);
}

// One end of the stretch to search: the point at the bound on the straight piece of the line
// that holds it, or, where the bound lies beyond the line, the line's own end (the first or
// last place both grid lines hold).
bool SurfaceLine::domainEnd(bool start, double bound, Point& end) {
    if (std::isfinite(bound)) {
        if (const Segment* s = probe(bound)) {
            end = pointAt(*s, bound);
            return true;
        }
    }
    // The line begins where both grid lines do, and ends where the first of them ends.
    const auto lowerEnd = m_table->endRow(m_column, m_lower, !start);
    if (!lowerEnd) return false;
    LineNode node;
    node.lower = *lowerEnd;
    node.x = node.lower[static_cast<size_t>(m_otherPosition)];
    if (isGridLine()) {
        node.upper = node.lower;
    } else {
        const auto upperEnd = m_table->endRow(m_column, m_upper, !start);
        if (!upperEnd) return false;
        const double upperX = (*upperEnd)[static_cast<size_t>(m_otherPosition)];
        const bool upperDecides = start ? upperX > node.x : upperX < node.x;
        const double x = upperDecides ? upperX : node.x;
        const double t = m_column == GridColumn::t ? m_lower : x;
        const double p = m_column == GridColumn::t ? x : m_lower;
        const auto lowerAt = m_table->rowAt(t, p);
        const auto upperAt = upperDecides ? upperEnd
                                          : m_table->rowAt(m_column == GridColumn::t ? m_upper : x,
                                                           m_column == GridColumn::t ? x : m_upper);
        if (!lowerAt || !upperAt) return false;
        node.lower = *lowerAt;
        node.upper = *upperAt;
        node.x = x;
    }
    if (std::isfinite(bound) && (start ? bound > node.x : bound < node.x)) return false;  // the stretch misses the line
    end = {node.x, difference(node)};
    return true;
}

SurfaceLine::Point SurfaceLine::pointAt(const Segment& s, double x) {
    const double g = (x - s.first.x) / (s.second.x - s.first.x);
    return {x, s.d1 + g * (s.d2 - s.d1)};
}

SurfaceLine::Point SurfaceLine::clippedFirst(const Segment& s, const Point& a) {
    return s.first.x <= a.x ? a : Point{s.first.x, s.d1};
}

SurfaceLine::Point SurfaceLine::clippedSecond(const Segment& s, const Point& b) {
    return s.second.x >= b.x ? b : Point{s.second.x, s.d2};
}

// The logarithm of x + shift, continued as a straight line below kSmallest (liquid under
// tension has negative pressures), so that place and fromPlace stay inverse and rising.
double SurfaceLine::place(double x) const {
    if (!m_logPlace) return x;
    const double y = x + m_placeShift;
    return y >= kSmallest ? std::log(y) : std::log(kSmallest) + (y - kSmallest) / kSmallest;
}

double SurfaceLine::fromPlace(double u) const {
    if (!m_logPlace) return u;
    const double lowest = std::log(kSmallest);
    const double y = u >= lowest ? std::exp(u) : kSmallest + (u - lowest) * kSmallest;
    return y - m_placeShift;
}

// A point's difference from the known value as the estimates see it.
double SurfaceLine::scaled(const Point& point) const {
    const double value = point.d + m_known;
    return m_logValue && value > 0.0 ? std::log(value) - std::log(m_known) : point.d;
}

// The line crosses the value once between a and b (their differences have opposite signs, or
// a's is zero): regula falsi with the Illinois step over the straight pieces of the line, each
// probe fetching the piece around its estimate.
bool SurfaceLine::regulaFalsi(Point a, Point b, const Segment*& found) {
    double fa = scaled(a);
    double fb = scaled(b);
    int moved = 0;  // which end moved last: -1 a, +1 b
    for (int i = 0; i < kMaxProbes; ++i) {
        const double ua = place(a.x);
        const double ub = place(b.x);
        double u = ua + fa / (fa - fb) * (ub - ua);
        if (!(u >= ua && u < ub)) u = 0.5 * (ua + ub);
        double x = fromPlace(u);
        if (!(x >= a.x && x < b.x)) x = a.x;
        const Segment* s = probe(x);
        if (!s) return false;
        const Point left = clippedFirst(*s, a);
        const Point right = clippedSecond(*s, b);
        if (left.d == 0.0 || (!across(left.d, a.d) && across(right.d, left.d))) {
            found = s;
            return true;
        }
        if (across(left.d, a.d)) {
            b = left;
            fb = scaled(b);
            if (moved == 1) fa /= 2;
            moved = 1;
        } else {
            a = right;
            fa = scaled(a);
            if (moved == -1) fb /= 2;
            moved = -1;
        }
    }
    return false;
}

// The ends lie on the same side of the value. A line with one turn (a lowest or a highest
// point) may still reach the value twice in between: bisect towards the turn, and as soon as
// a node lies across the value, the first crossing lies between the start and that node.
bool SurfaceLine::throughTurn(const Point& a, const Point& b, const Segment*& found) {
    const bool above = a.d > 0.0;
    Point lo = a;
    Point hi = b;
    for (int i = 0; i < kMaxProbes; ++i) {
        double x = fromPlace(0.5 * (place(lo.x) + place(hi.x)));
        if (!(x >= lo.x && x < hi.x)) x = lo.x;
        const Segment* s = probe(x);
        if (!s) return false;
        const Point left = clippedFirst(*s, a);
        const Point right = clippedSecond(*s, b);
        if (across(left.d, a.d)) return regulaFalsi(a, left, found);
        if (across(right.d, a.d)) {
            found = s;
            return true;
        }
        const double slope = right.d - left.d;
        if (slope == 0.0) return false;
        if (above == (slope < 0.0)) {  // still heading for the turn
            if (right.x >= hi.x) return false;
            lo = right;
        } else {
            if (left.x <= lo.x) return false;
            hi = left;
        }
    }
    return false;
}

// Where a line of the tables may turn: h of compressed water along an isotherm hotter than
// about 150 C has a lowest point (at tens of MPa), s along an isotherm colder than about 4 C a
// highest one, and v along an isobar a lowest one near 4 C (see shortWayHolds). Every other
// line runs one way.
bool SurfaceLine::runsOneWay() const {
    if (m_table->name() != "WATER") return true;
    if (m_otherPosition == 2) return m_position == 3 || (m_position == 4 ? m_upper < 150.0 : m_lower >= 10.0);
    return true;
}

// Along a water isobar v turns near 4 C. The short way answers only for a crossing at or above
// 20 C, which lies above v at 0.01 C and so is the only one; the rest takes the long way.
bool SurfaceLine::shortWayHolds(bool found, const Segment* s) const {
    const bool turnsWhenCold = m_table->name() == "WATER" && m_otherPosition == 1 && m_position == 3;
    return !turnsWhenCold || (found && s->first.x >= 20.0);
}

// On a line that runs one way: from the piece at a bound of the stretch (or at the line's
// start), secant steps in the coordinates in which the line is nearly straight; once two
// places lie across the value, secant steps within them (with a halving now and then, so
// that every step gains), until a piece holds the value. `settled` is false when this way
// gave no answer either way, and the search must take the long way.
bool SurfaceLine::bySecants(const LineDomain& domain, double startNear, const Segment*& found, bool& settled) {
    settled = false;
    const bool nearInside = startNear >= domain.from && startNear <= domain.to;
    const Segment* s = nearInside ? probe(startNear) : nullptr;
    if (!s)
        s = std::isfinite(domain.from) ? probe(domain.from)
            : std::isfinite(domain.to) ? probe(domain.to)
                                       : startingAt(domain.from);
    if (!s) return false;
    std::vector<Point> points;  // the places seen, in ascending order
    const auto add = [&points](const Point& p) {
        points.insert(
            std::upper_bound(points.begin(), points.end(), p, [](const Point& a, const Point& b) { return a.x < b.x; }),
            p);
    };
    bool farEnd = false;
    for (int step = 0; step < kMaxProbes; ++step) {
        if (s) {
            // The piece as far as it lies within the stretch.
            const Point left = s->first.x < domain.from ? pointAt(*s, domain.from) : Point{s->first.x, s->d1};
            const Point right = s->second.x > domain.to ? pointAt(*s, domain.to) : Point{s->second.x, s->d2};
            if (left.x > right.x) return false;
            if (across(right.d, left.d)) {
                settled = true;
                found = s;
                return true;
            }
            add(left);
            add(right);
        }
        const Secant next = secantThroughNearest(points);
        const auto bracket = std::adjacent_find(points.begin(), points.end(),
                                                [](const Point& lo, const Point& hi) { return across(hi.d, lo.d); });
        if (bracket != points.end()) {
            // Within two places across the value; a halving now and then, so every step gains.
            const Point& lo = bracket[0];
            const Point& hi = bracket[1];
            double x = next.x;
            if (!(x > lo.x && x < hi.x) || step % 3 == 2) x = fromPlace(0.5 * (place(lo.x) + place(hi.x)));
            if (!(s = probe(x))) return false;
            continue;
        }
        // Every place so far lies on one side of the value: on, away from them all.
        const bool ahead = next.valid && (next.forward ? next.x > points.back().x : next.x < points.front().x);
        if (ahead && step < 2 && (next.forward ? next.x < domain.to : next.x > domain.from) && (s = probe(next.x)))
            continue;
        // Steps too slow, or beyond the stretch or the line: the far end decides.
        if (farEnd || !next.valid) return false;
        farEnd = true;
        Point end;
        if (!domainEnd(!next.forward, next.forward ? domain.to : domain.from, end)) return false;
        if (!across(end.d, (next.forward ? points.back() : points.front()).d)) {
            settled = true;  // the line stops short of the value
            return false;
        }
        add(end);
        s = nullptr;
    }
    return false;
}

// The secant through the two places whose values lie nearest the known one, in the
// coordinates the estimates use; forward when it points to larger values of the other column.
SurfaceLine::Secant SurfaceLine::secantThroughNearest(const std::vector<Point>& points) const {
    const Point* p1 = nullptr;
    for (const Point& p : points)
        if (!p1 || std::fabs(scaled(p)) < std::fabs(scaled(*p1))) p1 = &p;
    const Point* p2 = nullptr;
    for (const Point& p : points)
        if (p.x != p1->x && (!p2 || std::fabs(scaled(p)) < std::fabs(scaled(*p2)))) p2 = &p;
    if (!p2 || scaled(*p2) == scaled(*p1)) return {};
    const double x =
        fromPlace(place(p1->x) - scaled(*p1) * (place(p2->x) - place(p1->x)) / (scaled(*p2) - scaled(*p1)));
    return {std::isfinite(x), p1->x > p2->x, x};
}

void SurfaceLine::take(const Segment& s, LineNode& first, LineNode& second) {
    first = s.first;
    second = s.second;
}

bool SurfaceLine::findCrossing(int position, double known, const LineDomain& domain, LineNode& first, LineNode& second,
                               double startNear) {
    m_position = position;
    m_known = known;
    m_seen.clear();
    if (!std::isfinite(known)) return false;
    const bool alongP = m_otherPosition == 2;
    m_placeShift = alongP ? 0.0 : 273.15;
    m_logPlace = position == 3 || position == 5;
    m_logValue = position == 3 && known > 0.0;
    const Segment* found = nullptr;
    bool settled = false;
    bool ok = runsOneWay() && bySecants(domain, startNear, found, settled);
    if (settled && !shortWayHolds(ok, found)) settled = false;
    if (!settled) {
        // The long way: both ends of the stretch, then regula falsi between them, or the turn.
        Point a;
        Point b;
        if (!domainEnd(true, domain.from, a) || !domainEnd(false, domain.to, b) || !(a.x <= b.x)) return false;
        ok = across(b.d, a.d) ? regulaFalsi(a, b, found) : throughTurn(a, b, found);
    }
    if (!ok || !found) return false;
    take(*found, first, second);
    return true;
}

}  // namespace steam::search
