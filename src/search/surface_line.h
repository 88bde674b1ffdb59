#pragma once
// A line of the (t, p) surface of WATER or VAPOR: the states at one temperature (an isotherm,
// along which p varies) or at one pressure (an isobar, along which t varies). When that value
// is tabulated the line is its grid line. Otherwise the line lies between the two grid lines
// around the value, and each of its nodes is the pair of rows of those two lines at one
// tabulated value of the other grid column, blended linearly to the value; between two
// neighbouring nodes the line runs straight. Every point of the line is thus a point of the
// tables' bilinear (t, p) surface, so a search along it for a second property (v, h or s)
// never mixes the rows of unrelated states.
//
// Row positions are those of the grid tables: 1 t, 2 p, 3 v, 4 h, 5 s.
#include "data/grid_table.h"
#include "data/schema.h"

#include <deque>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace steam::search {

/// The rows of the two grid lines at one value of the other grid column (the same row twice
/// when the line is a grid line itself).
struct LineNode {
    data::GridRow lower{}, upper{};
    double x = 0.0;  ///< the value of the other grid column
};

/// A stretch of a line: the values of the other grid column from `from` to `to`. An infinite
/// end leaves the stretch open to the end of the tabulated line.
struct LineDomain {
    double from = -std::numeric_limits<double>::infinity();
    double to = std::numeric_limits<double>::infinity();
};

class SurfaceLine {
public:
    /// The line at `value` of grid column `column` (t or p) of `table`, between the tabulated
    /// grid lines `lowerLine` <= value <= `upperLine` (equal when the value is tabulated).
    SurfaceLine(data::GridTable& table, data::GridColumn column, double value, double lowerLine, double upperLine);

    /// The same, finding the grid lines at or around `value` itself (the value when it is
    /// tabulated, else the tabulated values next above and below); none when the value lies
    /// beyond the table's first or last grid line, or is not finite.
    static std::optional<SurfaceLine> around(data::GridTable& table, data::GridColumn column, double value);

    bool isGridLine() const { return m_lower == m_upper; }
    /// Column k (1 to 5) of the line at a node: its two rows blended to the line's value.
    double at(const LineNode& node, int k) const;

    /// The first place within the domain, in ascending order of the other grid column, where
    /// column `position` of the line takes the value `known`: the neighbouring nodes `first`
    /// and `second` (in that order) between which the line reaches it. A line that turns
    /// (h of hot compressed water along an isotherm, v of cold water along an isobar) may
    /// reach a value twice; the first is taken. False when the line does not reach the
    /// value within the domain, or a row it needs is missing. On a line that runs one way,
    /// `startNear` (a place of the other grid column where the value is expected, such as
    /// where a neighbouring line reached it) is where the search looks first.
    bool findCrossing(int position, double known, const LineDomain& domain, LineNode& first, LineNode& second,
                      double startNear = std::numeric_limits<double>::quiet_NaN());
    /// How many pieces of the line (two neighbouring nodes each) the last search read.
    int piecesRead() const { return static_cast<int>(m_seen.size()); }

private:
    // A point of the line within the domain: its place and the line's value there less the known value.
    struct Point {
        double x = 0.0;
        double d = 0.0;
    };
    // An estimate of where the line reaches the value.
    struct Secant {
        bool valid = false;
        bool forward = false;  ///< towards larger values of the other grid column
        double x = 0.0;
    };
    // Two neighbouring nodes and the values there less the known value.
    struct Segment {
        LineNode first, second;
        double d1 = 0.0, d2 = 0.0;
    };

    bool upperHolds(LineNode* nodes, int count, double from) const;
    static Point pointAt(const Segment& s, double x);
    const Segment* keep(LineNode (&nodes)[2]);
    const Segment* probe(double x);
    const Segment* startingAt(double x);
    bool domainEnd(bool start, double bound, Point& end);
    double difference(const LineNode& node) const { return at(node, m_position) - m_known; }
    static Point clippedFirst(const Segment& s, const Point& a);
    static Point clippedSecond(const Segment& s, const Point& b);
    double place(double x) const;
    double fromPlace(double u) const;
    double scaled(const Point& point) const;
    bool runsOneWay() const;
    bool shortWayHolds(bool found, const Segment* s) const;
    bool bySecants(const LineDomain& domain, double startNear, const Segment*& found, bool& settled);
    Secant secantThroughNearest(const std::vector<Point>& points) const;
    bool regulaFalsi(Point a, Point b, const Segment*& found);
    bool throughTurn(const Point& a, const Point& b, const Segment*& found);
    static void take(const Segment& s, LineNode& first, LineNode& second);

    data::GridTable* m_table = nullptr;
    data::GridColumn m_column = data::GridColumn::t;
    int m_otherPosition = 2;
    double m_lower = 0.0, m_upper = 0.0, m_fraction = 0.0;
    // Of the search under way.
    int m_position = 4;
    double m_known = 0.0;
    // How the estimates of the search see the line: the other grid column as its logarithm
    // (of T in kelvin along an isobar), the searched value as its logarithm (v). Steam is
    // nearly an ideal gas: v goes as 1/p and T, s with ln p and ln T, h hardly with either.
    bool m_logPlace = false;
    double m_placeShift = 0.0;
    bool m_logValue = false;
    std::deque<Segment> m_seen;  // pieces fetched by this search
};

}  // namespace steam::search
