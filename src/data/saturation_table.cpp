#include "saturation_table.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace steam::data {
namespace {

constexpr const char* kRow = "select n, ts, ps, v1, v11, h1, h11, s1, s11 from SWATER";

std::string column(SatColumn c) { return kSatColumnNames[static_cast<std::size_t>(position(c))]; }

}  // namespace

// Statements by column are made when a column is first asked for.
struct SaturationTable::Statements {
    using PerColumn = std::array<std::unique_ptr<Statement>, kSatColumns + 1>;
    PerColumn lowest, highest, lookupLowest, lookupHighest, above, below, bracket, largest, smallest;
    std::unique_ptr<Statement> first, last, around, lookupRows, numbered, count, rowIds, byRowId, byOffset;
};

namespace {

// The statement of a slot, made from its text the first time it is needed.
template <typename Text>
Statement& made(SqliteSource& source, std::unique_ptr<Statement>& slot, Text&& sql) {
    if (!slot) slot = std::make_unique<Statement>(source, sql());
    return *slot;
}

}  // namespace

SaturationTable::SaturationTable(SqliteSource& source) : m_source(source), m_q(std::make_unique<Statements>()) {}

SaturationTable::~SaturationTable() = default;

std::optional<ColumnRange> SaturationTable::range(SatColumn c) {
    auto& cached = m_ranges[static_cast<std::size_t>(position(c))];
    if (cached) return cached;
    const auto i = static_cast<std::size_t>(position(c));
    std::array<double, 1> low{}, high{};
    if (!made(m_source, m_q->lowest[i], [&] { return "select min(" + column(c) + ") from SWATER"; }).first(low) ||
        !made(m_source, m_q->highest[i], [&] { return "select max(" + column(c) + ") from SWATER"; }).first(high) ||
        !std::isfinite(low[0]) || !std::isfinite(high[0]))
        return std::nullopt;
    return cached = ColumnRange{low[0], high[0]};
}

std::optional<ColumnRange> SaturationTable::lookupRange(SatColumn c) {
    const auto i = static_cast<std::size_t>(position(c));
    auto& cached = m_lookupRanges[i];
    if (cached) return cached;
    std::array<double, 1> low{}, high{};
    if (!made(m_source, m_q->lookupLowest[i], [&] { return "select min(" + column(c) + ") from SWATER where wf = 1"; })
             .first(low) ||
        !made(m_source, m_q->lookupHighest[i], [&] { return "select max(" + column(c) + ") from SWATER where wf = 1"; })
             .first(high) ||
        !std::isfinite(low[0]) || !std::isfinite(high[0]))
        return std::nullopt;
    return cached = ColumnRange{low[0], high[0]};
}

namespace {

// The lookup row with the smallest value of a column at or above ?1 (the largest at or below),
// the first in table order of those holding it, among the rows numbered ?2 to ?3. The row
// numbers are kept out of the choice of index ("+n"): the column's own index finds the row.
std::string nearestQuery(const std::string& name, bool above) {
    const std::string rows = " where wf = 1 and +n between ?2 and ?3 and ";
    return std::string(kRow) + rows + name + " = (select " + (above ? "min(" : "max(") + name + ") from SWATER" + rows +
           name + (above ? " >= ?1" : " <= ?1") + ") order by n limit 1";
}

}  // namespace

std::optional<SatRow> SaturationTable::atOrAbove(SatColumn c, double value, RowNumbers rows) {
    SatRow row{};
    if (!made(m_source, m_q->above[static_cast<std::size_t>(position(c))], [&] {
             return nearestQuery(column(c), true);
         }).first(row, value, rows.first, rows.last))
        return std::nullopt;
    return row;
}

std::optional<SatRow> SaturationTable::atOrBelow(SatColumn c, double value, RowNumbers rows) {
    SatRow row{};
    if (!made(m_source, m_q->below[static_cast<std::size_t>(position(c))], [&] {
             return nearestQuery(column(c), false);
         }).first(row, value, rows.first, rows.last))
        return std::nullopt;
    return row;
}

bool SaturationTable::bracket(SatColumn c, double value, SatRow& upper, SatRow& lower) {
    const auto i = static_cast<std::size_t>(position(c));
    const int k = position(c);
    if ((c == SatColumn::ts || c == SatColumn::ps) && std::isfinite(value) && indexPaysOff()) {
        // ts and ps rise together along the table: the lookup rows' own values, kept in memory,
        // name the two rows, which are then read by their numbers.
        const LookupIndex& index = lookupIndex();
        const std::vector<double>& values = c == SatColumn::ts ? index.ts : index.ps;
        const auto above = std::upper_bound(values.begin(), values.end(), value);
        if (above == values.begin()) return false;
        const auto at = static_cast<std::size_t>(above - values.begin()) - 1;
        if (values[at] == value) return rowsNumbered(index.n[at], index.n[at], lower, upper);
        if (above == values.end()) return false;
        return rowsNumbered(index.n[at], index.n[at + 1], lower, upper);
    }
    {
        // The row at the largest value at or below, and the next one up the column: one search.
        StatementRun rows = made(m_source, m_q->bracket[i], [&] {
                                const std::string name = column(c);
                                return std::string(kRow) + " where wf = 1 and " + name + " >= (select max(" + name +
                                       ") from SWATER where wf = 1 and " + name + " <= ?1) order by " + name +
                                       " limit 2";
                            }).run(value);
        if (!rows.next()) return false;
        const SatRow first = rows.row<std::tuple_size_v<SatRow>>();
        if (first[static_cast<std::size_t>(k)] == value) {
            upper = lower = first;
            return true;
        }
        if (!rows.next()) return false;
        const SatRow second = rows.row<std::tuple_size_v<SatRow>>();
        if (second[static_cast<std::size_t>(k)] != first[static_cast<std::size_t>(k)]) {
            lower = first;
            upper = second;
            return true;
        }
    }
    // Several rows hold the value below: the first of each in table order, found one by one.
    const auto high = atOrAbove(c, value);
    const auto low = high ? atOrBelow(c, value) : std::nullopt;
    if (!high || !low) return false;
    upper = *high;
    lower = *low;
    return true;
}

std::optional<SatRow> SaturationTable::extreme(SatColumn c, bool largest) {
    const auto i = static_cast<std::size_t>(position(c));
    SatRow row{};
    if (!made(m_source, largest ? m_q->largest[i] : m_q->smallest[i], [&] {
             const std::string name = column(c);
             return std::string(kRow) + " where wf = 1 and " + name + " = (select " + (largest ? "max(" : "min(") +
                    name + ") from SWATER where wf = 1) order by n limit 1";
         }).first(row))
        return std::nullopt;
    return row;
}

std::optional<SatRow> SaturationTable::firstRow() {
    if (!m_first) {
        SatRow row{};
        const bool found = made(m_source, m_q->first, [&] {
                               return std::string(kRow) + " where wf = 1 order by n limit 1";
                           }).first(row);
        m_first = found ? std::optional(row) : std::nullopt;
    }
    return *m_first;
}

std::optional<SatRow> SaturationTable::lastRow() {
    if (!m_last) {
        SatRow row{};
        const bool found = made(m_source, m_q->last, [&] {
                               return std::string(kRow) + " where wf = 1 order by n desc limit 1";
                           }).first(row);
        m_last = found ? std::optional(row) : std::nullopt;
    }
    return *m_last;
}

bool SaturationTable::rowsAround(double ts, SatRow& below, SatRow& above) {
    if (!std::isfinite(ts)) return false;
    if (!indexPaysOff()) {
        StatementRun rows = made(m_source, m_q->around, [] {
                                return std::string(kRow) +
                                       " where wf = 1 and ts >= (select max(ts) from SWATER where wf = 1 and ts <= ?1) "
                                       "order by ts limit 2";
                            }).run(ts);
        if (!rows.next()) return false;
        below = rows.row<std::tuple_size_v<SatRow>>();
        if (below[position(SatColumn::ts)] == ts) {
            above = below;
            return true;
        }
        if (!rows.next()) return false;
        above = rows.row<std::tuple_size_v<SatRow>>();
        return true;
    }
    const LookupIndex& index = lookupIndex();
    const auto after = std::upper_bound(index.ts.begin(), index.ts.end(), ts);
    if (after == index.ts.begin()) return false;
    const auto at = static_cast<std::size_t>(after - index.ts.begin()) - 1;
    if (index.ts[at] == ts) return rowsNumbered(index.n[at], index.n[at], below, above);
    if (after == index.ts.end()) return false;
    return rowsNumbered(index.n[at], index.n[at + 1], below, above);
}

// The rows numbered `below` and `above` (the same row twice when they are one): neighbouring
// lookup rows, so only rows drawn alone lie between them.
bool SaturationTable::rowsNumbered(std::int64_t below, std::int64_t above, SatRow& lower, SatRow& upper) {
    StatementRun rows = made(m_source, m_q->numbered, [&] {
                            return std::string(kRow) + " where n >= ?1 and n <= ?2 and wf = 1 order by n";
                        }).run(below, above);
    if (!rows.next()) return false;
    lower = rows.row<std::tuple_size_v<SatRow>>();
    if (below == above) {
        upper = lower;
        return true;
    }
    if (!rows.next()) return false;
    upper = rows.row<std::tuple_size_v<SatRow>>();
    return true;
}

// Reading the lookup rows' ts and ps once costs about as much as a few thousand lookups by
// their own searches save; a few dozen lookups in a run are answered without it.
bool SaturationTable::indexPaysOff() { return m_index || ++m_lookups > kLookupsWithoutIndex; }

const SaturationTable::LookupIndex& SaturationTable::lookupIndex() {
    if (m_index) return *m_index;
    // The lookup rows in table order, which is ascending ts; sorted should a table not be.
    LookupIndex index;
    {
        StatementRun rows = made(m_source, m_q->lookupRows, [] {
                                return "select n, ts, ps from SWATER where wf = 1 order by n";
                            }).run();
        while (rows.next()) {
            index.n.push_back(static_cast<std::int64_t>(rows.number(0)));
            index.ts.push_back(rows.number(1));
            index.ps.push_back(rows.number(2));
        }
    }
    if (!std::is_sorted(index.ts.begin(), index.ts.end())) {
        std::vector<std::size_t> order(index.ts.size());
        for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return index.ts[a] < index.ts[b]; });
        LookupIndex sorted;
        for (std::size_t k : order) {
            sorted.n.push_back(index.n[k]);
            sorted.ts.push_back(index.ts[k]);
            sorted.ps.push_back(index.ps[k]);
        }
        index = std::move(sorted);
    }
    // The coarse copy: whole degrees, tenths in the last degree of the table, and the first and
    // last lookup rows in table order.
    const auto temperatures = range(SatColumn::ts);
    const double lastDegree = temperatures ? temperatures->highest - 1 : 0.0;
    const auto ends = std::minmax_element(index.n.begin(), index.n.end());
    std::vector<SatRow> coarse;
    for (std::size_t k = 0; k < index.ts.size(); ++k) {
        const double ts = index.ts[k];
        const bool whole = ts == std::round(ts);
        const bool tenth = ts >= lastDegree && std::fabs(ts * 10 - std::round(ts * 10)) < 0.000001;
        const bool end = index.n[k] == *ends.first || index.n[k] == *ends.second;
        SatRow row{}, unused{};
        if ((whole || tenth || end) && rowsNumbered(index.n[k], index.n[k], row, unused)) coarse.push_back(row);
    }
    m_coarse = std::move(coarse);
    return *(m_index = std::move(index));
}

const std::vector<SatRow>& SaturationTable::coarseLine() {
    lookupIndex();
    return *m_coarse;
}

std::int64_t SaturationTable::rowCount() {
    if (m_count) return *m_count;
    std::array<double, 1> count{};
    made(m_source, m_q->count, [&] { return "select count(*) from SWATER"; }).first(count);
    return *(m_count = static_cast<std::int64_t>(count[0]));
}

std::optional<SatRow> SaturationTable::rowAtPosition(std::int64_t position) {
    if (position < 1 || position > rowCount()) return std::nullopt;
    if (!m_rowIdsChecked) {
        // A table whose row numbers run without gaps lists its rows in that order, so the row
        // at a position is the row with number first + position - 1, read alone.
        m_rowIdsChecked = true;
        std::array<double, 2> ends{};
        if (made(m_source, m_q->rowIds, [&] { return "select min(n), max(n) from SWATER"; }).first(ends) &&
            ends[1] - ends[0] + 1 == static_cast<double>(rowCount()))
            m_firstRowId = static_cast<std::int64_t>(ends[0]);
    }
    SatRow row{};
    const bool found = m_firstRowId ? made(m_source, m_q->byRowId, [&] { return std::string(kRow) + " where n = ?1"; })
                                          .first(row, *m_firstRowId + position - 1)
                                    : made(m_source, m_q->byOffset, [&] {
                                          return std::string(kRow) + " order by n limit 1 offset ?1";
                                      }).first(row, position - 1);
    if (!found) return std::nullopt;
    return row;
}

}  // namespace steam::data
