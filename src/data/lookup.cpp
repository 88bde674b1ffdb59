#include "lookup.h"

#include "property_database.h"
#include "query_text.h"

#include <cmath>

namespace steam::data {

void RowSetSlots::renew() { *this = RowSetSlots{}; }

bool isTurningSaturationColumn(const std::string& table, const std::string& column) {
    return table == "SWATER" && (column == "h11" || column == "v1");
}

bool Lookup::aggregate(const std::string& path, const std::string& query, double& value) {
    RowSet rs;
    if (!rs.Open(m_db, path, query) || rs.isEOF() || rs.isNull(0)) return false;
    value = rs.Fields(0);
    rs.Close();
    return std::isfinite(value);
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
    if (!aggregate(path, "select min(" + item + ")  from " + table + " ", lo)) return -1;
    if (!aggregate(path, "select max(" + item + ")  from " + table + " ", hi)) return -1;
    const double loSingle = static_cast<float>(lo);
    const double hiSingle = static_cast<float>(hi);
    return (knownV < loSingle || knownV > hiSingle) ? -1 : 1;
}

int Lookup::FindData(const std::string& path, const std::string& table, const std::string& item1, double known1,
                     const std::string& item2, double known2, RowSet& Hrs, RowSet& Lrs, int alarm) {
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
    if (isGridLine(table, item1, item2) && !adjacentOnLine(path, table, item2, k2, high, low)) {
        // v (below 4 C) and s (near 4 C) turn along some grid lines; the nearest values
        // above and below may then lie on both sides of the turn. Take the first pair of
        // neighbouring rows along the line that brackets the value instead.
        if (!firstCrossingOnLine(path, table, item1, known1, item2, k2, high, low)) return outOfRange(alarm);
    }
    Hrs = std::move(high);
    Lrs = std::move(low);
    return 1;
}

bool Lookup::isGridLine(const std::string& table, const std::string& item1, const std::string& item2) {
    return (table == "WATER" || table == "VAPOR") && (item2 == "t" || item2 == "p") && item1 != "t" && item1 != "p";
}

namespace {
std::string otherGridColumn(const std::string& line) { return line == "t" ? "p" : "t"; }
}  // namespace

bool Lookup::adjacentOnLine(const std::string& path, const std::string& table, const std::string& line,
                            const std::string& k2, const RowSet& high, const RowSet& low) {
    const std::string other = otherGridColumn(line);
    const int position = other == "t" ? 1 : 2;
    const double a = std::min(high.Fields(position), low.Fields(position));
    const double b = std::max(high.Fields(position), low.Fields(position));
    if (a == b) return true;
    double between = 0.0;
    if (!aggregate(path, "select count(*) from " + table + " where " + line + "=" + k2 + " AND " + other + " > " +
                             numberText(a) + " AND " + other + " < " + numberText(b),
                   between))
        return true;
    return between == 0.0;
}

bool Lookup::firstCrossingOnLine(const std::string& path, const std::string& table, const std::string& item1,
                                 double known1, const std::string& line, const std::string& k2, RowSet& high,
                                 RowSet& low) {
    const std::string other = otherGridColumn(line);
    RowSet walk;
    if (!walk.Open(m_db, path, "select * from " + table + " where " + line + "=" + k2 + " order by " + other)) return false;
    const int position = item1 == "v" ? 3 : item1 == "h" ? 4 : 5;
    double previous = walk.Fields(position);
    double previousKey = walk.Fields(other);
    for (walk.MoveNext(); !walk.isEOF(); walk.MoveNext()) {
        const double value = walk.Fields(position);
        const double key = walk.Fields(other);
        if ((previous - known1) * (value - known1) <= 0.0) {
            const bool rising = value >= previous;
            const std::string base = "select * from " + table + " where " + line + "=" + k2 + " AND " + other + " =";
            return hasRow(path, base + numberText(rising ? key : previousKey), high) &&
                   hasRow(path, base + numberText(rising ? previousKey : key), low);
        }
        previous = value;
        previousKey = key;
    }
    return false;
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

int Lookup::SQL(const std::string& path, const std::string& VVV, const std::string& yyy, const std::string& zzz,
                double K1, double K2, RowSetSlots& slots, int& Choose, bool& rowsFound) {
    rowsFound = false;
    if (!std::isfinite(K1) || !std::isfinite(K2)) {
        // Such a number never reaches a query text.
        outOfRange(1);
        return 1;
    }
    const std::string k1 = numberText(K1);
    const std::string k2 = numberText(K2);
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
