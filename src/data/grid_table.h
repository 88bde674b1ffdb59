#pragma once
// The queries on WATER or VAPOR, each a prepared statement with its numbers bound. The table
// is a grid: every tabulated temperature and pressure is a grid line, along which the rows lie
// at tabulated values of the other grid column. `line` names the grid column held (t or p);
// `along` values are those of the other. Ranges and the grid lines' values are read once and
// kept: the table does not change while it is open. Every query may throw DataFault.
#include "saturation_table.h"
#include "schema.h"
#include "sqlite_source.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace steam::data {

/// Up to two neighbouring rows of a grid line, in ascending order along it.
struct LineRows {
    std::array<GridRow, 2> rows{};
    int count = 0;
};

class GridTable {
public:
    GridTable(SqliteSource& source, std::string table);
    ~GridTable();

    const std::string& name() const { return m_table; }
    Source source() const { return m_source.source(); }

    /// The smallest and largest value of a column; none for an empty table.
    std::optional<ColumnRange> range(GridColumn c);
    /// Every tabulated value of t (or p), ascending: the grid lines.
    const std::vector<double>& lines(GridColumn line);
    /// Whether `value` is a grid line of t (or p).
    bool isLine(GridColumn line, double value);

    /// The row at (t, p), if tabulated.
    std::optional<GridRow> rowAt(double t, double p);
    /// On the grid line `line` = `at`: the row with the smallest value of the other grid column
    /// at or above `value`, or the largest at or below it.
    std::optional<GridRow> atOrAbove(GridColumn line, double at, double value);
    std::optional<GridRow> atOrBelow(GridColumn line, double at, double value);
    /// On that line, the row at or below `value` and the next one (the two rows whose piece
    /// holds it); fewer where the line ends.
    LineRows pieceAt(GridColumn line, double at, double value);
    /// On that line, the first two rows at or above `from` (from the line's start for -inf).
    LineRows rowsFrom(GridColumn line, double at, double from);
    /// The first (or last) row of the line.
    std::optional<GridRow> endRow(GridColumn line, double at, bool last);
    /// Every row of the line from `from` to `to` (both included), ascending.
    std::vector<GridRow> rowsBetween(GridColumn line, double at, double from, double to);

private:
    struct Statements;
    SqliteSource& m_source;
    std::string m_table;
    std::unique_ptr<Statements> m_q;
    std::array<std::optional<ColumnRange>, kGridColumns + 1> m_ranges{};
    std::array<std::optional<std::vector<double>>, 2> m_lines{};
};

/// The other grid column: p along a line of t, t along a line of p.
inline GridColumn alongOf(GridColumn line) { return line == GridColumn::t ? GridColumn::p : GridColumn::t; }

}  // namespace steam::data
