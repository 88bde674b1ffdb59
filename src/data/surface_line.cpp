#include "surface_line.h"

#include "query_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace steam::data {
namespace {

constexpr int kMaxProbes = 200;
constexpr double kSmallest = 1e-4;  // where the logarithmic place turns straight

bool across(double d, double reference) { return d == 0.0 || (d < 0.0) != (reference < 0.0); }

}  // namespace

SurfaceLine::SurfaceLine(const PropertyDatabase& db, std::string path, std::string table, std::string column,
                         double value, double lowerLine, double upperLine)
    : m_db(&db),
      m_path(std::move(path)),
      m_table(std::move(table)),
      m_column(std::move(column)),
      m_other(m_column == "t" ? "p" : "t"),
      m_otherPosition(m_column == "t" ? 2 : 1),
      m_lower(lowerLine),
      m_upper(upperLine),
      m_fraction(lowerLine == upperLine ? 0.0 : (value - lowerLine) / (upperLine - lowerLine)) {}

std::optional<SurfaceLine> SurfaceLine::around(const PropertyDatabase& db, const std::string& path,
                                               const std::string& table, const std::string& column, double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const std::string k = numberText(value);
    double upper = 0.0;
    double lower = 0.0;
    if (!singleValue(db, path, "select min(" + column + ") from  " + table + " where " + column + ">=" + k, upper))
        return std::nullopt;
    if (upper == value) return SurfaceLine(db, path, table, column, value, value, value);
    if (!singleValue(db, path, "select max(" + column + ") from  " + table + " where " + column + "<=" + k, lower))
        return std::nullopt;
    return SurfaceLine(db, path, table, column, value, lower, upper);
}

double SurfaceLine::at(const LineNode& node, int k) const {
    const double low = node.lower.Fields(k);
    if (isGridLine()) return low;
    return low + m_fraction * (node.upper.Fields(k) - low);
}

std::string SurfaceLine::lineRows(double line) const {
    return "select * from " + m_table + " where " + m_column + " =" + numberText(line);
}

// The first `count` rows of a query over one grid line, ordered along it, into the nodes.
bool SurfaceLine::readLine(const std::string& query, bool upper, int count, LineNode* nodes) const {
    RowSet rows;
    if (!rows.Open(*m_db, m_path, query)) return false;
    for (int k = 0; k < count; ++k, rows.MoveNext()) {
        if (rows.isEOF()) return false;
        const double x = rows.Fields(m_otherPosition);
        if (!upper) {
            nodes[k].x = x;
            nodes[k].lower = rows.copyOfCurrentRow();
            if (isGridLine()) nodes[k].upper = rows.copyOfCurrentRow();
        } else {
            if (x != nodes[k].x) return false;  // the upper line must hold the same places
            nodes[k].upper = rows.copyOfCurrentRow();
        }
    }
    return true;
}

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
    const std::string lower = lineRows(m_lower) + " AND " + m_other + " >= (select max(" + m_other + ") from " + m_table +
                              " where " + m_column + " =" + numberText(m_lower) + " AND " + m_other + " <=" +
                              numberText(x) + ") order by " + m_other;
    if (!readLine(lower, false, 2, nodes)) return nullptr;
    if (!isGridLine() &&
        !readLine(lineRows(m_upper) + " AND " + m_other + " >=" + numberText(nodes[0].x) + " order by " + m_other, true,
                  2, nodes))
        return nullptr;
    return keep(nodes);
}

// The first two places both grid lines hold, from x on (from the line's start when x is not
// finite).
const SurfaceLine::Segment* SurfaceLine::startingAt(double x) {
    LineNode nodes[2];
    const std::string order = " order by " + m_other;
    const std::string from = std::isfinite(x) ? " AND " + m_other + " >=" + numberText(x) : "";
    if (!readLine(lineRows(m_lower) + from + order, false, 2, nodes)) return nullptr;
    if (!isGridLine()) {
        RowSet upper;
        if (!upper.Open(*m_db, m_path, lineRows(m_upper) + " AND " + m_other + " >=" + numberText(nodes[0].x) + order) ||
            upper.isEOF())
            return nullptr;
        const double upperStart = upper.Fields(m_otherPosition);
        if (upperStart != nodes[0].x) return startingAt(upperStart);  // the upper line starts later
        nodes[0].upper = upper.copyOfCurrentRow();
        upper.MoveNext();
        if (upper.isEOF() || upper.Fields(m_otherPosition) != nodes[1].x) return nullptr;
        nodes[1].upper = upper.copyOfCurrentRow();
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
    const std::string order = " order by " + m_other + (start ? "" : " desc");
    LineNode node;
    if (!readLine(lineRows(m_lower) + order, false, 1, &node)) return false;
    if (!isGridLine()) {
        LineNode other;
        if (!readLine(lineRows(m_upper) + order, false, 1, &other)) return false;
        // The line begins where both grid lines do, and ends where the first of them ends.
        const bool lowerFirst = start ? other.x > node.x : other.x < node.x;
        LineNode& known = lowerFirst ? other : node;
        const std::string at = " AND " + m_other + " =" + numberText(known.x);
        if (lowerFirst) {
            node.x = other.x;
            if (!readLine(lineRows(m_lower) + at, false, 1, &node)) return false;
            node.upper = std::move(other.lower);
        } else {
            if (!readLine(lineRows(m_upper) + at, true, 1, &node)) return false;
        }
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
    if (m_table != "WATER") return true;
    if (m_otherPosition == 2) return m_position == 3 || (m_position == 4 ? m_upper < 150.0 : m_lower >= 10.0);
    return true;
}

// Along a water isobar v turns near 4 C. The short way answers only for a crossing at or above
// 20 C, which lies above v at 0.01 C and so is the only one; the rest takes the long way.
bool SurfaceLine::shortWayHolds(bool found, const Segment* s) const {
    const bool turnsWhenCold = m_table == "WATER" && m_otherPosition == 1 && m_position == 3;
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
        points.insert(std::upper_bound(points.begin(), points.end(), p,
                                       [](const Point& a, const Point& b) { return a.x < b.x; }),
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
    const double x = fromPlace(place(p1->x) - scaled(*p1) * (place(p2->x) - place(p1->x)) / (scaled(*p2) - scaled(*p1)));
    return {std::isfinite(x), p1->x > p2->x, x};
}

void SurfaceLine::take(const Segment& s, LineNode& first, LineNode& second) {
    first.x = s.first.x;
    first.lower = s.first.lower.copyOfCurrentRow();
    first.upper = s.first.upper.copyOfCurrentRow();
    second.x = s.second.x;
    second.lower = s.second.lower.copyOfCurrentRow();
    second.upper = s.second.upper.copyOfCurrentRow();
}

bool SurfaceLine::findCrossing(int position, double known, const LineDomain& domain, LineNode& first,
                               LineNode& second, double startNear) {
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

}  // namespace steam::data
