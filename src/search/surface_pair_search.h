#pragma once
// The state of the (t, p) surface of WATER or VAPOR where two of v, h and s take known values:
// the inner one, h or s, which rises along every isobar, and the outer one, which changes one
// way only as p rises along the line of constant inner value (h rises with p at constant s, v
// falls with p at constant s or h).
//
// The search walks the tabulated isobars: on each, the inner value is bracketed between two
// neighbouring rows (SurfaceLine) and the outer value read there; secant and regula falsi steps
// over the isobars narrow down the two neighbouring isobars between which the outer value is
// reached. Between them the surface is bilinear in each cell of the grid, and the state is the
// point of a cell where both values are taken: the point a (t, p) calculation at its t and p
// reads, which reproduces both known values.
//
// Row positions are those of the grid tables: 1 t, 2 p, 3 v, 4 h, 5 s.
#include "surface_line.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace steam::search {

/// One end of the stretch of pressures to search: its pressure and, when known from elsewhere
/// (the saturation line), the outer value there; otherwise the table's isobar at or next to
/// the pressure, within the stretch, tells it.
struct PressureEnd {
    double p = 0.0;
    double outer = std::numeric_limits<double>::quiet_NaN();
};

class SurfacePairSearch {
public:
    enum class Outcome {
        Found,
        Below,    ///< the outer value is reached below the stretch
        Above,    ///< the outer value is reached above the stretch
        Missing,  ///< within the stretch, but rows the state needs are not in the table
        /// At the lower (upper) end of the stretch, an end known from the saturation line: the
        /// table's isobars next to it do not hold both values there.
        AtLowerEnd,
        AtUpperEnd,
    };

    /// `rises`: whether the outer value rises with p along the line of constant inner value.
    /// `logPressure`: whether the estimates see p by its logarithm (steam) or as it is (water).
    SurfacePairSearch(data::GridTable& table, int inner, double innerValue, int outer, double outerValue, bool rises,
                      bool logPressure);

    /// The state with p from `from` to `to`: t p v h s at positions 1 to 5 of `state`.
    Outcome find(const PressureEnd& from, const PressureEnd& to, std::array<double, 6>& state);

    /// The cell of the grid where the last state found lies: the rows of the lower and the
    /// upper isobar at the colder and the hotter isotherm, and the state's fractions of the
    /// way along p (lower to upper isobar) and along t (colder to hotter isotherm), at which
    /// the bilinear surface takes both values.
    struct Cell {
        data::GridRow lowerCold{}, upperCold{}, lowerHot{}, upperHot{};
        double alongP = 0.0, alongT = 0.0;
    };
    const Cell& cell() const { return m_cell; }
    /// How many tabulated isobars the searches of this object have read.
    int isobarsRead() const { return m_isobarsRead; }

private:
    // How a tabulated isobar meets the inner value: between two of its rows (its nodes), or
    // not at all, the state lying colder or hotter than all its rows.
    enum class Reach { Between, Colder, Hotter, Unknown };

    // A place along p: the outer value there less the known one, signed so that it rises with
    // p (as the estimates see it), and where an isobar reached the inner value. An isobar that
    // does not reach it has d -infinity when the state lies above it and +infinity when below,
    // or, where that is not known, d at its row nearest the state.
    struct Point {
        double p = 0.0;
        double d = 0.0;
        bool onGrid = false;  ///< a tabulated isobar
        Reach reach = Reach::Unknown;
        LineNode first, second;
        bool valued() const { return std::isfinite(d); }
        bool reached() const { return reach == Reach::Between; }
    };

    bool isobar(double p, Point& point);
    void unreached(Point& point) const;
    double signedDifference(double outer) const;
    double place(double p) const;
    double fromPlace(double u) const;
    const std::vector<double>& isobars() const;
    bool gridIsobar(double p, bool above, double& isobar) const;
    bool gridBetween(double estimate, const Point& lo, double top, bool bracketed, double& p) const;
    bool narrow(Point& lo, Point& hi, bool& bracketed, double top);
    Outcome gridEnds(Point& lo, Point& hi);
    bool solveStrip(const Point& lo, const Point& hi, std::array<double, 6>& state);
    bool readIsobar(double p, double tFrom, double tTo, std::vector<data::GridRow>& rows) const;

    data::GridTable& m_table;
    int m_inner, m_outer;
    double m_innerValue, m_outerValue;
    bool m_rises, m_logPressure;
    double m_hint = std::numeric_limits<double>::quiet_NaN();  // where the last isobar reached the inner value
    Cell m_cell;
    int m_isobarsRead = 0;
};

}  // namespace steam::search
