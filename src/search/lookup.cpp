#include "lookup.h"

#include "numeric/interpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace steam::search {

using data::GridColumn;
using data::GridRow;
using data::SatColumn;
using data::SatRow;

double cz(const RowSlots& s, int column, int knownColumn, double known) {
    return numeric::interpolateRows(s.HrsSat, s.LrsSat, column, knownColumn, known);
}
double cz2(const RowSlots& s, int column, int knownColumn, double known) {
    return numeric::interpolateRows(s.HrsFixY, s.LrsFixY, column, knownColumn, known);
}
double cz3(const RowSlots& s, int column, int knownColumn, double known) {
    return numeric::interpolateRows(s.HrsFixZ, s.LrsFixZ, column, knownColumn, known);
}
double cz4(const RowSlots& s, int column, int firstColumn, int secondColumn, double first, double second) {
    return numeric::interpolateFourRows(s.LrsLowerY, s.LrsUpperY, s.HrsLowerY, s.HrsUpperY, column, firstColumn,
                                        secondColumn, first, second);
}

bool isTurningSaturationColumn(SatColumn column) { return column == SatColumn::h11 || column == SatColumn::v1; }

namespace {

// Within the single-precision bounds of a range, rounded outwards.
int withinSingleBounds(const std::optional<data::ColumnRange>& range, double knownV) {
    if (!std::isfinite(knownV) || !range) return -1;
    float lo = static_cast<float>(range->lowest);
    float hi = static_cast<float>(range->highest);
    if (lo > range->lowest) lo = std::nextafter(lo, -std::numeric_limits<float>::infinity());
    if (hi < range->highest) hi = std::nextafter(hi, std::numeric_limits<float>::infinity());
    return (knownV < lo || knownV > hi) ? -1 : 1;
}

}  // namespace

int Lookup::outOfRange(int alarm) {
    if (alarm == 1) ++m_rangeMessages;
    return -1;
}

int Lookup::checkScale(SatColumn item, double knownV) {
    return withinSingleBounds(m_db.saturation().range(item), knownV);
}

int Lookup::checkScale(data::GridTable& table, GridColumn item, double knownV) {
    return withinSingleBounds(table.range(item), knownV);
}

int Lookup::FindData(SatColumn item1, double known1, SatRow& Hrs, SatRow& Lrs, int alarm, double slack) {
    data::SaturationTable& swater = m_db.saturation();
    if (slack > 0.0 && std::isfinite(known1)) {
        if (FindData(item1, known1, Hrs, Lrs, 0) == 1) return 1;
        if (const auto range = swater.lookupRange(item1)) {
            if (known1 < range->lowest && range->lowest - known1 <= slack) known1 = range->lowest;
            if (known1 > range->highest && known1 - range->highest <= slack) known1 = range->highest;
        }
    }
    if (checkScale(item1, known1) != 1) return outOfRange(alarm);
    if (isTurningSaturationColumn(item1))
        return findOnBranch(item1, known1, true, Hrs, Lrs) == 1 ? 1 : outOfRange(alarm);
    SatRow high{}, low{};
    if (!swater.bracket(item1, known1, high, low)) return outOfRange(alarm);
    Hrs = high;
    Lrs = low;
    return 1;
}

int Lookup::FindData(data::GridTable& table, GridColumn item1, double known1, GridColumn item2, double known2,
                     GridRow& Hrs, GridRow& Lrs, int alarm) {
    if (!std::isfinite(known2) || checkScale(table, item1, known1) != 1) return outOfRange(alarm);
    // The row at or below known1 on the line and the next one: the same row when it holds known1.
    const data::LineRows piece = table.pieceAt(item2, known2, known1);
    const int k = data::position(item1);
    if (piece.count >= 1 && piece.rows[0][static_cast<size_t>(k)] == known1) {
        Hrs = Lrs = piece.rows[0];
        return 1;
    }
    if (piece.count < 2) return outOfRange(alarm);
    Lrs = piece.rows[0];
    Hrs = piece.rows[1];
    return 1;
}

// h'' rises to a maximum and falls towards the critical point; v' falls to a minimum near
// 4 C and rises again. Bracketing such a column by the nearest values above and below
// anywhere in the table may take rows from both sides of the turn and describe a state that
// does not exist, so the value is bracketed on one branch: the first, in table order, that
// reaches it. The row number n gives the table order.
int Lookup::otherCrossing(SatColumn item1, double known1, SatRow& Hrs, SatRow& Lrs) {
    if (!isTurningSaturationColumn(item1) || checkScale(item1, known1) != 1) return -1;
    return findOnBranch(item1, known1, false, Hrs, Lrs);
}

int Lookup::findOnBranch(SatColumn item1, double known1, bool first, SatRow& Hrs, SatRow& Lrs) {
    data::SaturationTable& swater = m_db.saturation();
    const bool peak = item1 == SatColumn::h11;
    const int k = data::position(item1);
    const auto turn = swater.extreme(item1, peak);
    const auto firstRow = swater.firstRow();
    if (!turn || !firstRow) return -1;
    const double extreme = (*turn)[k];
    if (peak ? known1 > extreme : known1 < extreme) return -1;
    // The branch from the triple point reaches the values between its first row and the turn.
    const bool onFirstBranch = peak ? known1 >= (*firstRow)[k] : known1 <= (*firstRow)[k];
    if (!first && !onFirstBranch) return -1;  // only the branch after the turn reaches it
    const bool before = first == onFirstBranch;
    const auto turnRow = static_cast<std::int64_t>((*turn)[0]);
    const data::RowNumbers branch = before ? data::RowNumbers{std::numeric_limits<std::int64_t>::min(), turnRow}
                                           : data::RowNumbers{turnRow, std::numeric_limits<std::int64_t>::max()};
    const auto high = swater.atOrAbove(item1, known1, branch);
    const auto low = high ? swater.atOrBelow(item1, known1, branch) : std::nullopt;
    if (!high || !low) return -1;
    Hrs = *high;
    Lrs = *low;
    return 1;
}

// The rows around the second value on the line of the (t, p) surface at the first: Choose 1
// when a row of the first value's grid line holds the second itself, 2 for two rows of that
// grid line, 4 for two rows on each of the grid lines around the first value.
bool Lookup::bracketOnLine(SurfaceLine& line, GridColumn column, double known, const LineDomain& domain,
                           RowSlots& slots, int& Choose) {
    const int position = data::position(column);
    LineNode first;
    LineNode second;
    if (!line.findCrossing(position, known, domain, first, second)) {
        outOfRange(1);
        return false;
    }
    const bool firstHigher = line.at(first, position) >= line.at(second, position);
    const LineNode& high = firstHigher ? first : second;
    const LineNode& low = firstHigher ? second : first;
    if (line.isGridLine()) {
        for (const LineNode* node : {&first, &second}) {
            if (line.at(*node, position) == known) {
                Choose = 1;
                slots.ExactRs = node->lower;
                return true;
            }
        }
        slots.HrsFixY = high.lower;
        slots.LrsFixY = low.lower;
    } else {
        slots.HrsLowerY = high.lower;
        slots.HrsUpperY = high.upper;
        slots.LrsLowerY = low.lower;
        slots.LrsUpperY = low.upper;
    }
    return true;
}

int Lookup::SQL(data::GridTable& table, GridColumn firstColumn, GridColumn secondColumn, double first, double second,
                RowSlots& slots, int& Choose, bool& rowsFound, const LineDomain& domain) {
    rowsFound = false;
    m_piecesRead = 0;
    if (!std::isfinite(first) || !std::isfinite(second)) {
        outOfRange(1);
        return 1;
    }
    // v, h and s are not grid columns: rows holding second lie at unrelated places of the grid.
    const bool gridSecond = secondColumn == GridColumn::t || secondColumn == GridColumn::p;
    if (!gridSecond) {
        // The line of the (t, p) surface at first; a row holding second itself is found on it too.
        std::optional<SurfaceLine> line = SurfaceLine::around(table, firstColumn, first);
        Choose = line && line->isGridLine() ? 2 : 4;
        if (!line) {
            outOfRange(1);
            return 1;
        }
        rowsFound = bracketOnLine(*line, secondColumn, second, domain, slots, Choose);
        m_piecesRead = line->piecesRead();
        return 1;
    }
    if (table.isLine(firstColumn, first)) {
        const double t = firstColumn == GridColumn::t ? first : second;
        const double p = firstColumn == GridColumn::t ? second : first;
        if (const auto exact = table.rowAt(t, p)) {
            slots.ExactRs = *exact;
            Choose = 1;
            rowsFound = true;
            return 1;
        }
        Choose = 2;
        rowsFound = FindData(table, secondColumn, second, firstColumn, first, slots.HrsFixY, slots.LrsFixY, 1) == 1;
        return 1;
    }
    if (table.isLine(secondColumn, second)) {
        Choose = 3;
        rowsFound = FindData(table, firstColumn, first, secondColumn, second, slots.HrsFixZ, slots.LrsFixZ, 1) == 1;
        return 1;
    }
    Choose = 4;
    const std::vector<double>& lines = table.lines(firstColumn);
    const auto above = std::lower_bound(lines.begin(), lines.end(), first);
    if (above == lines.end() || above == lines.begin()) {
        outOfRange(1);
        return 1;
    }
    const bool upperFound =
        FindData(table, secondColumn, second, firstColumn, *above, slots.HrsUpperY, slots.LrsUpperY, 1) == 1;
    const bool lowerFound =
        FindData(table, secondColumn, second, firstColumn, *(above - 1), slots.HrsLowerY, slots.LrsLowerY, 1) == 1;
    rowsFound = upperFound && lowerFound;
    return 1;
}

}  // namespace steam::search
