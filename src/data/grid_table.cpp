#include "grid_table.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace steam::data {
namespace {

std::string columnName(GridColumn c) { return kGridColumnNames[static_cast<std::size_t>(position(c))]; }

// Index of a grid line's statements: 0 for lines of t, 1 for lines of p.
std::size_t lineIndex(GridColumn line) {
    if (line != GridColumn::t && line != GridColumn::p) throw std::invalid_argument("a grid line is one of t or p");
    return line == GridColumn::t ? 0 : 1;
}

// SQLite orders numbers but does not bind infinities everywhere alike: the ends of the
// double range stand for them.
double bound(double value) {
    return std::clamp(value, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
}

}  // namespace

struct GridTable::Statements {
    using PerLine = std::array<std::unique_ptr<Statement>, 2>;
    std::array<std::unique_ptr<Statement>, kGridColumns + 1> lowest, highest;
    PerLine lines, above, below, piece, from, first, last, between;
    std::unique_ptr<Statement> at;
};

namespace {

// The statement of a slot, made from its text the first time it is needed.
template <typename Text>
Statement& made(SqliteSource& source, std::unique_ptr<Statement>& slot, Text&& sql) {
    if (!slot) slot = std::make_unique<Statement>(source, sql());
    return *slot;
}

LineRows twoRows(StatementRun rows) {
    LineRows out;
    while (out.count < 2 && rows.next())
        out.rows[static_cast<std::size_t>(out.count++)] = rows.row<std::tuple_size_v<GridRow>>();
    return out;
}

}  // namespace

GridTable::GridTable(SqliteSource& source, std::string table)
    : m_source(source), m_table(std::move(table)), m_q(std::make_unique<Statements>()) {}

GridTable::~GridTable() = default;

std::optional<ColumnRange> GridTable::range(GridColumn c) {
    const auto i = static_cast<std::size_t>(position(c));
    auto& cached = m_ranges[i];
    if (cached) return cached;
    std::array<double, 1> low{}, high{};
    if (!made(m_source, m_q->lowest[i], [&] { return "select min(" + columnName(c) + ") from " + m_table; })
             .first(low) ||
        !made(m_source, m_q->highest[i], [&] { return "select max(" + columnName(c) + ") from " + m_table; })
             .first(high) ||
        !std::isfinite(low[0]) || !std::isfinite(high[0]))
        return std::nullopt;
    return cached = ColumnRange{low[0], high[0]};
}

const std::vector<double>& GridTable::lines(GridColumn line) {
    const std::size_t i = lineIndex(line);
    if (m_lines[i]) return *m_lines[i];
    // From each value to the next by one search each: far fewer steps than reading every row.
    std::vector<double> values;
    Statement& next = made(m_source, m_q->lines[i], [&] {
        return "select min(" + columnName(line) + ") from " + m_table + " where " + columnName(line) + " > ?1";
    });
    std::array<double, 1> value{-std::numeric_limits<double>::max()};
    while (next.first(value, value[0]) && std::isfinite(value[0])) values.push_back(value[0]);
    return *(m_lines[i] = std::move(values));
}

bool GridTable::isLine(GridColumn line, double value) {
    const auto& values = lines(line);
    return std::binary_search(values.begin(), values.end(), value);
}

std::optional<GridRow> GridTable::rowAt(double t, double p) {
    GridRow row{};
    if (!made(m_source, m_q->at, [&] {
             return "select n, t, p, v, h, s from " + m_table + " where t = ?1 and p = ?2";
         }).first(row, t, p))
        return std::nullopt;
    return row;
}

namespace {

// "select n, t, p, v, h, s from T where L = ?1" and what follows, for a line of L.
std::string onLine(const std::string& table, GridColumn line, const std::string& rest) {
    return "select n, t, p, v, h, s from " + table + " where " + columnName(line) + " = ?1" + rest;
}

}  // namespace

std::optional<GridRow> GridTable::atOrAbove(GridColumn line, double at, double value) {
    const std::string a = columnName(alongOf(line));
    GridRow row{};
    if (!made(m_source, m_q->above[lineIndex(line)], [&] {
             return onLine(m_table, line, " and " + a + " >= ?2 order by " + a + " limit 1");
         }).first(row, at, bound(value)))
        return std::nullopt;
    return row;
}

std::optional<GridRow> GridTable::atOrBelow(GridColumn line, double at, double value) {
    const std::string a = columnName(alongOf(line));
    GridRow row{};
    if (!made(m_source, m_q->below[lineIndex(line)], [&] {
             return onLine(m_table, line, " and " + a + " <= ?2 order by " + a + " desc limit 1");
         }).first(row, at, bound(value)))
        return std::nullopt;
    return row;
}

LineRows GridTable::pieceAt(GridColumn line, double at, double value) {
    // A grid line holds its rows at tabulated values of the other column, and an isobar at every
    // one of them within its stretch: the tabulated value at or below `value`, looked up in
    // memory, names the row to start from, and one search reads it and the next one.
    const std::vector<double>& places = lines(alongOf(line));
    const auto above = std::upper_bound(places.begin(), places.end(), value);
    if (above != places.begin()) {
        const double place = *(above - 1);
        const LineRows rows = rowsFrom(line, at, place);
        if (rows.count > 0 && rows.rows[0][static_cast<std::size_t>(position(alongOf(line)))] == place) return rows;
    }
    // A line without a row there (or none below): the row at or below `value` found by its own
    // search.
    const std::string a = columnName(alongOf(line));
    const std::string l = columnName(line);
    return twoRows(made(m_source, m_q->piece[lineIndex(line)], [&] {
                       return onLine(m_table, line,
                                     " and " + a + " >= (select max(" + a + ") from " + m_table + " where " + l +
                                         " = ?1 and " + a + " <= ?2) order by " + a + " limit 2");
                   }).run(at, bound(value)));
}

LineRows GridTable::rowsFrom(GridColumn line, double at, double from) {
    const std::string a = columnName(alongOf(line));
    return twoRows(made(m_source, m_q->from[lineIndex(line)], [&] {
                       return onLine(m_table, line, " and " + a + " >= ?2 order by " + a + " limit 2");
                   }).run(at, bound(from)));
}

std::optional<GridRow> GridTable::endRow(GridColumn line, double at, bool last) {
    const std::string a = columnName(alongOf(line));
    const std::size_t i = lineIndex(line);
    GridRow row{};
    if (!made(m_source, last ? m_q->last[i] : m_q->first[i], [&] {
             return onLine(m_table, line, " order by " + a + (last ? " desc" : "") + " limit 1");
         }).first(row, at))
        return std::nullopt;
    return row;
}

std::vector<GridRow> GridTable::rowsBetween(GridColumn line, double at, double from, double to) {
    const std::string a = columnName(alongOf(line));
    std::vector<GridRow> rows;
    StatementRun run = made(m_source, m_q->between[lineIndex(line)], [&] {
                           return onLine(m_table, line, " and " + a + " >= ?2 and " + a + " <= ?3 order by " + a);
                       }).run(at, bound(from), bound(to));
    while (run.next()) rows.push_back(run.row<std::tuple_size_v<GridRow>>());
    return rows;
}

}  // namespace steam::data
