#include "lookup.h"

#include "property_database.h"
#include "query_text.h"

#include <cmath>
#include <limits>

namespace steam::data {

void RowSetSlots::renew() { *this = RowSetSlots{}; }

int gridColumnPosition(const std::string& column) {
    static const char* const names[] = {"t", "p", "v", "h", "s"};
    for (int k = 0; k < 5; ++k)
        if (column == names[k]) return k + 1;
    return 0;
}

bool isTurningSaturationColumn(const std::string& table, const std::string& column) {
    return table == "SWATER" && (column == "h11" || column == "v1");
}

bool Lookup::aggregate(const std::string& path, const std::string& query, double& value) {
    return singleValue(m_db, path, query, value);
}

bool Lookup::hasRow(const std::string& path, const std::string& query, RowSet& into) {
    return into.Open(m_db, path, query) && !into.isEOF();
}

int Lookup::outOfRange(int alarm) {
    if (alarm == 1) m_messages.push_back(outOfRangeMessage());
    return -1;
}

int Lookup::checkScale(const std::string& path, const std::string& table, const std::string& item, double knownV) {
    if (!std::isfinite(knownV)) return -1;
    double lo = 0.0;
    double hi = 0.0;
    if (!m_db.columnRange(path, table, item, lo, hi)) return -1;
    float loSingle = static_cast<float>(lo);
    float hiSingle = static_cast<float>(hi);
    if (loSingle > lo) loSingle = std::nextafter(loSingle, -std::numeric_limits<float>::infinity());
    if (hiSingle < hi) hiSingle = std::nextafter(hiSingle, std::numeric_limits<float>::infinity());
    return (knownV < loSingle || knownV > hiSingle) ? -1 : 1;
}

int Lookup::FindData(const std::string& path, const std::string& table, const std::string& item1, double known1,
                     const std::string& item2, double known2, RowSet& Hrs, RowSet& Lrs, int alarm, double slack) {
    if (slack > 0.0 && std::isfinite(known1) && std::isfinite(known2)) {
        if (FindData(path, table, item1, known1, item2, known2, Hrs, Lrs, 0) == 1) return 1;
        const std::string rows = " from " + table + " where " + item2 + "=" + numberText(known2);
        double lowest = 0.0;
        double highest = 0.0;
        if (aggregate(path, "select min(" + item1 + ")" + rows, lowest) &&
            aggregate(path, "select max(" + item1 + ")" + rows, highest)) {
            if (known1 < lowest && lowest - known1 <= slack) known1 = lowest;
            if (known1 > highest && known1 - highest <= slack) known1 = highest;
        }
    }
    if (!std::isfinite(known2) || checkScale(path, table, item1, known1) != 1) return outOfRange(alarm);
    if (isTurningSaturationColumn(table, item1)) {
        const int found = findOnFirstCrossing(path, table, item1, known1, item2, known2, Hrs, Lrs);
        return found == 1 ? 1 : outOfRange(alarm);
    }
    const std::string k1 = numberText(known1);
    const std::string k2 = numberText(known2);
    double upper = 0.0;
    double lower = 0.0;
    if (!aggregate(path, "select min(" + item1 + ") from " + table + " where " + item1 + " >=" + k1 + " AND " + item2 +
                             "=" + k2,
                   upper) ||
        !aggregate(path, "select max(" + item1 + ") from " + table + " where " + item1 + " <= " + k1 + " AND " +
                             item2 + "=" + k2,
                   lower))
        return outOfRange(alarm);
    RowSet high;
    RowSet low;
    if (!hasRow(path, "select * from " + table + " where " + item1 + " =" + numberText(upper) + " AND " + item2 + "=" + k2,
                high) ||
        !hasRow(path, "select * from  " + table + " where " + item1 + " =" + numberText(lower) + " AND " + item2 + "=" + k2,
                low))
        return outOfRange(alarm);
    Hrs = std::move(high);
    Lrs = std::move(low);
    return 1;
}

// h'' rises to a maximum and falls towards the critical point; v' falls to a minimum near
// 4 C and rises again. Bracketing such a column by the nearest values above and below
// anywhere in the table may take rows from both sides of the turn and describe a state that
// does not exist, so the value is bracketed on one branch: the first, in table order, that
// reaches it. The row number in column n gives the table order.
int Lookup::findOnFirstCrossing(const std::string& path, const std::string& table, const std::string& item1,
                                double known1, const std::string& item2, double known2, RowSet& Hrs, RowSet& Lrs) {
    const bool peak = item1 == "h11";
    const std::string k2 = numberText(known2);
    const std::string flag = item2 + "=" + k2;
    double extreme = 0.0;
    double turnRow = 0.0;
    double firstRow = 0.0;
    double firstValue = 0.0;
    if (!aggregate(path, std::string(peak ? "select max(" : "select min(") + item1 + ") from " + table + " where " + flag,
                   extreme) ||
        !aggregate(path, "select min(n) from " + table + " where " + item1 + "=" + numberText(extreme) + " AND " + flag,
                   turnRow) ||
        !aggregate(path, "select min(n) from " + table + " where " + flag, firstRow) ||
        !aggregate(path, "select " + item1 + " from " + table + " where n=" + numberText(firstRow), firstValue))
        return -1;
    if (peak ? known1 > extreme : known1 < extreme) return -1;
    const bool onFirstBranch = peak ? known1 >= firstValue : known1 <= firstValue;
    const std::string branch = std::string(onFirstBranch ? " AND n <= " : " AND n >= ") + numberText(turnRow);
    const std::string k1 = numberText(known1);
    double upper = 0.0;
    double lower = 0.0;
    if (!aggregate(path, "select min(" + item1 + ") from " + table + " where " + item1 + " >=" + k1 + " AND " + flag + branch,
                   upper) ||
        !aggregate(path, "select max(" + item1 + ") from " + table + " where " + item1 + " <= " + k1 + " AND " + flag + branch,
                   lower))
        return -1;
    RowSet high;
    RowSet low;
    if (!hasRow(path, "select * from " + table + " where " + item1 + " =" + numberText(upper) + " AND " + flag + branch, high) ||
        !hasRow(path, "select * from " + table + " where " + item1 + " =" + numberText(lower) + " AND " + flag + branch, low))
        return -1;
    Hrs = std::move(high);
    Lrs = std::move(low);
    return 1;
}

// The rows around K2 on the line of the (t, p) surface at K1: Choose 1 when a row of the grid
// line yyy = K1 holds K2 itself, 2 for two rows of that grid line, 4 for two rows on each of
// the grid lines around K1.
bool Lookup::bracketOnLine(SurfaceLine& line, const std::string& zzz, double K2, const LineDomain& domain,
                           RowSetSlots& slots, int& Choose) {
    const int position = gridColumnPosition(zzz);
    LineNode first;
    LineNode second;
    if (!line.findCrossing(position, K2, domain, first, second)) {
        outOfRange(1);
        return false;
    }
    const bool firstHigher = line.at(first, position) >= line.at(second, position);
    LineNode& high = firstHigher ? first : second;
    LineNode& low = firstHigher ? second : first;
    if (line.isGridLine()) {
        for (LineNode* node : {&first, &second}) {
            if (line.at(*node, position) == K2) {
                Choose = 1;
                slots.ExactRs = std::move(node->lower);
                return true;
            }
        }
        slots.HrsFixY = std::move(high.lower);
        slots.LrsFixY = std::move(low.lower);
    } else {
        slots.HrsLowerY = std::move(high.lower);
        slots.HrsUpperY = std::move(high.upper);
        slots.LrsLowerY = std::move(low.lower);
        slots.LrsUpperY = std::move(low.upper);
    }
    return true;
}

int Lookup::SQL(const std::string& path, const std::string& VVV, const std::string& yyy, const std::string& zzz,
                double K1, double K2, RowSetSlots& slots, int& Choose, bool& rowsFound, const LineDomain& domain) {
    rowsFound = false;
    if (!std::isfinite(K1) || !std::isfinite(K2)) {
        // Such a number never reaches a query text.
        outOfRange(1);
        return 1;
    }
    // v, h and s are not grid columns: rows holding K2 lie at unrelated places of the grid.
    const bool gridSecond = zzz == "t" || zzz == "p";
    const std::string k1 = numberText(K1);
    const std::string k2 = numberText(K2);
    if (!gridSecond) {
        // The line of the (t, p) surface at K1; a row holding K2 itself is found on it too.
        std::optional<SurfaceLine> line = SurfaceLine::around(m_db, path, VVV, yyy, K1);
        Choose = line && line->isGridLine() ? 2 : 4;
        if (!line) {
            outOfRange(1);
            return 1;
        }
        rowsFound = bracketOnLine(*line, zzz, K2, domain, slots, Choose);
        return 1;
    }
    RowSet probe;
    if (hasRow(path, "select * from  " + VVV + " where " + yyy + "= " + k1, probe)) {
        probe.Close();
        if (hasRow(path, "select * from " + VVV + " where " + zzz + " =" + k2 + " AND " + yyy + " =" + k1, slots.ExactRs)) {
            Choose = 1;
            rowsFound = true;
            return 1;
        }
        Choose = 2;
        rowsFound = FindData(path, VVV, zzz, K2, yyy, K1, slots.HrsFixY, slots.LrsFixY, 1) == 1;
        return 1;
    }
    if (hasRow(path, "select *  from  " + VVV + " where " + zzz + "= " + k2, probe)) {
        probe.Close();
        Choose = 3;
        rowsFound = FindData(path, VVV, yyy, K1, zzz, K2, slots.HrsFixZ, slots.LrsFixZ, 1) == 1;
        return 1;
    }
    Choose = 4;
    double above = 0.0;
    double below = 0.0;
    if (!aggregate(path, "select min(" + yyy + ") from  " + VVV + " where " + yyy + ">=" + k1, above) ||
        !aggregate(path, "select max(" + yyy + ") from  " + VVV + " where " + yyy + "<=" + k1, below)) {
        outOfRange(1);
        return 1;
    }
    const bool upperFound = FindData(path, VVV, zzz, K2, yyy, above, slots.HrsUpperY, slots.LrsUpperY, 1) == 1;
    const bool lowerFound = FindData(path, VVV, zzz, K2, yyy, below, slots.HrsLowerY, slots.LrsLowerY, 1) == 1;
    rowsFound = upperFound && lowerFound;
    return 1;
}

}  // namespace steam::data
