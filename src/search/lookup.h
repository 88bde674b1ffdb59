#pragma once
// Range checks and bracketing searches over the property tables. A known value found between
// two tabulated rows leaves those rows in two result slots, which the interpolation (cz, cz2,
// cz3, cz4) then reads. Results are 1 (found) or -1 (out of range); each out-of-range report
// that asks for the range message is counted, and the caller shows the message that often.
// Every search may throw data::DataFault when a data file fails.
#include "data/grid_table.h"
#include "data/property_database.h"
#include "data/schema.h"
#include "surface_line.h"

namespace steam::search {

/// The result slots through which bracketing rows pass from the searches to the interpolation.
/// A fresh set holds no rows; every calculation starts with one.
struct RowSlots {
    data::SatRow HrsSat{}, LrsSat{};
    data::GridRow HrsFixY{}, LrsFixY{};
    data::GridRow HrsFixZ{}, LrsFixZ{};
    data::GridRow HrsUpperY{}, LrsUpperY{};
    data::GridRow HrsLowerY{}, LrsLowerY{};
    data::GridRow ExactRs{};
};

/// The interpolations of the calculators, each over its own pair (or four) of result slots:
/// cz over HrsSat/LrsSat (saturation), cz2 over HrsFixY/LrsFixY (known first value on a grid
/// line), cz3 over HrsFixZ/LrsFixZ (known second value on a grid line), cz4 over the four
/// rows around both values (A = LrsLowerY, B = LrsUpperY, C = HrsLowerY, D = HrsUpperY).
/// Each gives column `column` where `knownColumn` (cz4: the first and second columns) takes the
/// known value(s), as numeric/interpolation.h interpolates.
double cz(const RowSlots& s, int column, int knownColumn, double known);
double cz2(const RowSlots& s, int column, int knownColumn, double known);
double cz3(const RowSlots& s, int column, int knownColumn, double known);
double cz4(const RowSlots& s, int column, int firstColumn, int secondColumn, double first, double second);

class Lookup {
public:
    explicit Lookup(const data::PropertyDatabase& db) : m_db(db) {}

    /// How many range messages the searches have asked for so far.
    int rangeMessages() const { return m_rangeMessages; }

    /// 1 when knownV lies within the column's whole range, -1 otherwise; a non-finite knownV
    /// or an empty column is out of range. The bounds are held in single precision, rounded
    /// outwards, so that the column's own end values always lie within them.
    int checkScale(data::SatColumn item, double knownV);
    int checkScale(data::GridTable& table, data::GridColumn item, double knownV);

    /// Brackets known1 in column item1 of SWATER among its lookup rows: Hrs gets the row at the
    /// smallest tabulated value at or above known1, Lrs the one at the largest at or below.
    /// -1 when known1 is out of range or no row lies on one side; with alarm == 1 the range
    /// message is asked for. The slots are only touched on success. A known1 beyond the
    /// column's smallest or largest lookup value by no more than `slack` is taken as that end
    /// row: a value shown rounded and typed back names it. h'' and v' are not monotonic: there
    /// the two rows are consecutive rows of the first branch, in table order, on which the
    /// value is crossed.
    int FindData(data::SatColumn item1, double known1, data::SatRow& Hrs, data::SatRow& Lrs, int alarm,
                 double slack = 0.0);
    /// For a turning column (h'', v'): the two rows on the branch that FindData does not take,
    /// when that branch reaches the value too; -1 (and no message) when it does not.
    int otherCrossing(data::SatColumn item1, double known1, data::SatRow& Hrs, data::SatRow& Lrs);

    /// The same on the grid line item2 = known2 of WATER or VAPOR, item1 the other grid column.
    int FindData(data::GridTable& table, data::GridColumn item1, double known1, data::GridColumn item2, double known2,
                 data::GridRow& Hrs, data::GridRow& Lrs, int alarm);

    /// Probes the (t, p) grid of `table` for the known values `first` (of `firstColumn`, t or p)
    /// and `second` (of `secondColumn`) and prepares the rows to interpolate between:
    ///   Choose 1: a row holds both values (ExactRs);
    ///   Choose 2: the first value is tabulated: the two neighbouring rows of its grid line
    ///             between which the second lies (HrsFixY above, LrsFixY below);
    ///   Choose 3: the first value is not tabulated and the second column is the other grid
    ///             column with the second value tabulated: the two rows on that grid line around
    ///             the first value (HrsFixZ, LrsFixZ);
    ///   Choose 4: otherwise, four rows around both values on the grid lines of the first
    ///             column just below and just above it (HrsLowerY/LrsLowerY on the lower line,
    ///             HrsUpperY/LrsUpperY on the upper; Hrs above the second value, Lrs below).
    /// For a second column that is not a grid column (v, h, s), its value is searched along the
    /// line of the tables' (t, p) surface at the first (see SurfaceLine), within `domain` of the
    /// other grid column, first crossing first: the two (or four) rows then lie at two
    /// neighbouring values of the other grid column. Always returns 1; rowsFound tells whether
    /// every row the case needs was found (when not, the range message has been asked for).
    int SQL(data::GridTable& table, data::GridColumn firstColumn, data::GridColumn secondColumn, double first,
            double second, RowSlots& slots, int& Choose, bool& rowsFound, const LineDomain& domain = {});
    /// How many pieces of the line the last SQL searched along read (SurfaceLine::piecesRead);
    /// 0 when it bracketed the values directly.
    int piecesRead() const { return m_piecesRead; }

private:
    int outOfRange(int alarm);
    int findOnBranch(data::SatColumn item1, double known1, bool first, data::SatRow& Hrs, data::SatRow& Lrs);
    bool bracketOnLine(SurfaceLine& line, data::GridColumn column, double known, const LineDomain& domain,
                       RowSlots& slots, int& Choose);

    const data::PropertyDatabase& m_db;
    int m_rangeMessages = 0;
    int m_piecesRead = 0;
};

/// Columns of the saturation table that rise to an extreme and turn back (h'' and v').
bool isTurningSaturationColumn(data::SatColumn column);

}  // namespace steam::search
