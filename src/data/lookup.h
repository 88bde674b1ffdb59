#pragma once
// Range checks and bracketing searches over the property tables. Every search is a query
// text run through a RowSet; a known value found between two tabulated rows leaves those
// rows as the current rows of two result slots, which the interpolation then reads.
// Results are 1 (found) or -1 (out of range); the range message goes to the message list.
#include "message.h"
#include "row_set.h"

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

    /// 1 when KnownV lies within the column's whole range (bounds held in single precision),
    /// -1 otherwise; a non-finite KnownV or an empty column is out of range.
    int checkScale(const std::string& path, const std::string& table, const std::string& item, double knownV);

    /// Brackets Known1 in column Item1 among the rows with Item2 = Known2: Hrs gets the row at
    /// the smallest tabulated value at or above Known1, Lrs the one at the largest at or below.
    /// -1 when Known1 is out of range or no row lies on one side; with alarm == 1 the range
    /// message is added. The slots are only touched on success.
    /// In the saturation table, h'' and v' are not monotonic: there the two rows are consecutive
    /// rows of the first branch, in table order, on which the value is crossed. Along a grid
    /// line of WATER or VAPOR the two rows are likewise always neighbours on the line.
    int FindData(const std::string& path, const std::string& table, const std::string& item1, double known1,
                 const std::string& item2, double known2, RowSet& Hrs, RowSet& Lrs, int alarm);

    /// Probes the (t, p) grid of table VVV for the known values K1 (column yyy) and K2
    /// (column zzz) and prepares one row (Choose 1, ExactRs), two rows on the grid line
    /// yyy = K1 (Choose 2), two rows on zzz = K2 (Choose 3) or four rows on the two grid
    /// lines of yyy around K1 (Choose 4). Always returns 1; rowsFound tells whether every
    /// row the case needs was found (when not, the range message has been added).
    int SQL(const std::string& path, const std::string& VVV, const std::string& yyy, const std::string& zzz,
            double K1, double K2, RowSetSlots& slots, int& Choose, bool& rowsFound);

private:
    /// Single value of an aggregate query; false when it yields no value (null) or fails.
    bool aggregate(const std::string& path, const std::string& query, double& value);
    bool hasRow(const std::string& path, const std::string& query, RowSet& into);
    int findOnFirstCrossing(const std::string& path, const std::string& table, const std::string& item1,
                            double known1, const std::string& item2, double known2, RowSet& Hrs, RowSet& Lrs);
    int outOfRange(int alarm);
    static bool isGridLine(const std::string& table, const std::string& item1, const std::string& item2);
    bool adjacentOnLine(const std::string& path, const std::string& table, const std::string& line,
                        const std::string& k2, const RowSet& high, const RowSet& low);
    bool firstCrossingOnLine(const std::string& path, const std::string& table, const std::string& item1,
                             double known1, const std::string& line, const std::string& k2, RowSet& high, RowSet& low);

    const PropertyDatabase& m_db;
    Messages& m_messages;
};

/// Columns of the saturation table that rise to an extreme and turn back.
bool isTurningSaturationColumn(const std::string& table, const std::string& column);

}  // namespace steam::data
