#pragma once
// Which rows a printed property table lists: the temperatures (pressures) of its rows from the
// range and the step a teacher picks. Every list runs from the start of the range to its end,
// both included, and in between holds the round values of its rule, so that a page reads like
// a textbook's: 0.01, 10, 20, ..., 370 for 0.01 to 370 every 10.
//
// Units: t in C, p in MPa.
#include <optional>
#include <vector>

namespace steam::calc {

enum class TableKind { SaturationByTemperature, SaturationByPressure, Isobar };

/// The ends of the saturation line as its boxes read them: the triple point (0.01 C and its
/// pressure) and the critical point (373.95 C shown, 22.064 MPa). A value within half a unit
/// of its box's last decimal beyond an end is taken as that end (saturation_solver.h).
inline constexpr double kTripleTemperature = 0.01;
inline constexpr double kTriplePressure = 0.000611655;
/// The (t, p) grids' reach: 0.01 to 1000 C, up to 100 MPa.
inline constexpr double kHighestTableTemperature = 1000.0;
inline constexpr double kHighestTablePressure = 100.0;

/// At most this many rows a page: beyond that a range or step is refused.
inline constexpr int kMaxTableRows = 5000;

/// `from`, the multiples of `step` between `from` and `to`, and `to` (once when they are
/// equal). Each multiple is the value its decimal text names (0.1 * 3 is 0.3). Empty when
/// from > to, step <= 0 or any is not finite; the multiples then are not tried.
std::vector<double> steppedRows(double from, double to, double step);
/// How many rows steppedRows gives at most, without making them (to check against
/// kMaxTableRows: the ends may be multiples too); 0 where it gives none.
double steppedRowCount(double from, double to, double step);

/// `from`, the values m x 10^k between `from` and `to` for every decade k and every mantissa
/// m (each from 1 to below 10), ascending, and `to`. Empty when from > to, from <= 0, a
/// mantissa lies outside [1, 10) or none is given.
std::vector<double> decadeRows(double from, double to, const std::vector<double>& mantissas);

/// The temperatures of a textbook's table: 0.01 C, then every 5 C to 100 C, then every 10 C;
/// those between `from` and `to`, with `from` and `to` themselves. Empty when from > to.
std::vector<double> defaultTemperatureRows(double from, double to);

/// The range a teacher picks for a page: its kind, the first and last row's value (ts, ps or,
/// along the isobar `pressure`, t), and the step, or without one the mantissas per decade
/// (pressures) or the textbook's temperatures.
struct PageRange {
    TableKind kind = TableKind::SaturationByTemperature;
    double from = kTripleTemperature;
    double to = 373.95;
    std::optional<double> step;
    std::vector<double> perDecade{1, 2, 5};
    double pressure = 1.0;
};

/// A page of the kind over its whole reach: ts 0.01 to 373.95 C, ps 0.001 to 22.064 MPa (1, 2
/// and 5 per decade), t 0.01 to 800 C along the isobar of 1 MPa.
PageRange defaultRange(TableKind kind);

/// Where a kind of page may run: the saturation line (ps from half a unit of its box below the
/// triple point) or the grids' temperatures.
struct Reach {
    double lowest, highest;
};
Reach reachOf(TableKind kind);

enum class RangeFault {
    None,
    FromBeyond,  ///< from lies beyond the kind's reach
    ToBeyond,
    Reversed,        ///< from > to
    PressureBeyond,  ///< the isobar's pressure is not above 0 and at most 100 MPa
    StepNotPositive,
    TooManyRows,  ///< more than kMaxTableRows rows
    NoMantissa,   ///< no step and no mantissa in [1, 10)
};
/// The first thing wrong with a range, in the order listed; None when it makes a page.
RangeFault checkRange(const PageRange& range);

/// The rows of a page whose range passes checkRange.
std::vector<double> pageRows(const PageRange& range);

}  // namespace steam::calc
