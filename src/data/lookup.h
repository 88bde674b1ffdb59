#pragma once
// Range checks and bracketing searches over the property tables. Every search is a query
// text run through a RowSet; a known value found between two tabulated rows leaves those
// rows as the current rows of two result slots, which the interpolation then reads.
// Results are 1 (found) or -1 (out of range); the range message goes to the message list.
#include "message.h"
#include "row_set.h"
#include "surface_line.h"

#include <string>

namespace steam::data {

class PropertyDatabase;

/// The result slots through which bracketing rows pass from the searches to the interpolation.
struct RowSetSlots {
    RowSet HrsSat, LrsSat;
    RowSet HrsFixY, LrsFixY;
    RowSet HrsFixZ, LrsFixZ;
    RowSet HrsUpperY, LrsUpperY;
    RowSet HrsLowerY, LrsLowerY;
    RowSet ExactRs;

    /// Replaces every slot by a fresh, unopened one.
    void renew();
};

class Lookup {
public:
    Lookup(const PropertyDatabase& db, Messages& messages) : m_db(db), m_messages(messages) {}

    /// 1 when KnownV lies within the column's whole range, -1 otherwise; a non-finite KnownV
    /// or an empty column is out of range. The bounds are held in single precision, rounded
    /// outwards, so that the column's own end values always lie within them.
    int checkScale(const std::string& path, const std::string& table, const std::string& item, double knownV);

    /// Brackets Known1 in column Item1 among the rows with Item2 = Known2: Hrs gets the row at
    /// the smallest tabulated value at or above Known1, Lrs the one at the largest at or below.
    /// -1 when Known1 is out of range or no row lies on one side; with alarm == 1 the range
    /// message is added. The slots are only touched on success.
    /// A Known1 beyond the column's smallest or largest value (among those rows) by no more
    /// than `slack` is taken as that end row: a value shown rounded and typed back names it.
    /// In the saturation table, h'' and v' are not monotonic: there the two rows are consecutive
    /// rows of the first branch, in table order, on which the value is crossed. (v, h and s
    /// along the grid lines of WATER and VAPOR are searched by SQL along SurfaceLine instead.)
    int FindData(const std::string& path, const std::string& table, const std::string& item1, double known1,
                 const std::string& item2, double known2, RowSet& Hrs, RowSet& Lrs, int alarm, double slack = 0.0);

    /// Probes the (t, p) grid of table VVV for the known values K1 (column yyy, "t" or "p")
    /// and K2 (column zzz) and prepares the rows to interpolate between:
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
    /// the case needs was found (when not, the range message has been added).
    int SQL(const std::string& path, const std::string& VVV, const std::string& yyy, const std::string& zzz,
            double K1, double K2, RowSetSlots& slots, int& Choose, bool& rowsFound, const LineDomain& domain = {});

private:
    /// Single value of an aggregate query; false when it yields no value (null) or fails.
    bool aggregate(const std::string& path, const std::string& query, double& value);
    bool hasRow(const std::string& path, const std::string& query, RowSet& into);
    int findOnFirstCrossing(const std::string& path, const std::string& table, const std::string& item1,
                            double known1, const std::string& item2, double known2, RowSet& Hrs, RowSet& Lrs);
    int outOfRange(int alarm);
    bool bracketOnLine(SurfaceLine& line, const std::string& zzz, double K2, const LineDomain& domain,
                       RowSetSlots& slots, int& Choose);

    const PropertyDatabase& m_db;
    Messages& m_messages;
};

/// Position of a column of WATER and VAPOR: t 1, p 2, v 3, h 4, s 5 (0 for any other name).
int gridColumnPosition(const std::string& column);

/// Columns of the saturation table that rise to an extreme and turn back.
bool isTurningSaturationColumn(const std::string& table, const std::string& column);

}  // namespace steam::data
