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
double cz(const RowSlots& s, int aa, int bb, double cc);
double cz2(const RowSlots& s, int aa, int bb, double cc);
double cz3(const RowSlots& s, int aa, int bb, double cc);
double cz4(const RowSlots& s, int aa, int bb, int ee, double cc, double dd);

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
    /// The same on the grid line item2 = known2 of WATER or VAPOR, item1 the other grid column.
    int FindData(data::GridTable& table, data::GridColumn item1, double known1, data::GridColumn item2, double known2,
                 data::GridRow& Hrs, data::GridRow& Lrs, int alarm);

    /// Probes the (t, p) grid of table VVV for the known values K1 (column yyy, t or p) and K2
    /// (column zzz) and prepares the rows to interpolate between:
    ///   Choose 1: a row holds both values (ExactRs);
    ///   Choose 2: K1 is tabulated: the two neighbouring rows of the grid line yyy = K1 between
    ///             which K2 lies (HrsFixY above, LrsFixY below in zzz);
    ///   Choose 3: K1 is not tabulated and zzz is the other grid column with K2 tabulated: the
    ///             two rows on the grid line zzz = K2 around K1 (HrsFixZ, LrsFixZ);
    ///   Choose 4: otherwise, four rows around both values on the grid lines of yyy just below
    ///             and just above K1 (HrsLowerY/LrsLowerY on the lower line, HrsUpperY/LrsUpperY
    ///             on the upper; Hrs above K2, Lrs below).
    /// For a zzz that is not a grid column (v, h, s), K2 is searched along the line of the
    /// tables' (t, p) surface at K1 (see SurfaceLine), within `domain` of the other grid
    /// column, first crossing first: the two (or four) rows then lie at two neighbouring
    /// values of the other grid column. Always returns 1; rowsFound tells whether every row
    /// the case needs was found (when not, the range message has been asked for).
    int SQL(data::GridTable& VVV, data::GridColumn yyy, data::GridColumn zzz, double K1, double K2, RowSlots& slots,
            int& Choose, bool& rowsFound, const LineDomain& domain = {});

private:
    int outOfRange(int alarm);
    int findOnFirstCrossing(data::SatColumn item1, double known1, data::SatRow& Hrs, data::SatRow& Lrs);
    bool bracketOnLine(SurfaceLine& line, data::GridColumn zzz, double K2, const LineDomain& domain, RowSlots& slots,
                       int& Choose);

    const data::PropertyDatabase& m_db;
    int m_rangeMessages = 0;
};

/// Columns of the saturation table that rise to an extreme and turn back (h'' and v').
bool isTurningSaturationColumn(data::SatColumn column);

}  // namespace steam::search
