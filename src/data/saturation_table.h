#pragma once
// The queries on SWATER, each a prepared statement with its numbers bound. Lookups read only
// the lookup rows (wf = 1), in ascending ts; the chart reads every row by its place in the
// table. Ranges and the coarse copy of the line are read once and kept: the table does not
// change while it is open. Every query may throw DataFault.
#include "schema.h"
#include "sqlite_source.h"

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace steam::data {

struct ColumnRange {
    double lowest = 0.0;
    double highest = 0.0;
};

/// Row numbers n from `first` to `last`: the lookups may be kept to one branch of a column
/// that turns.
struct RowNumbers {
    std::int64_t first = std::numeric_limits<std::int64_t>::min();
    std::int64_t last = std::numeric_limits<std::int64_t>::max();
};

class SaturationTable {
public:
    explicit SaturationTable(SqliteSource& source);
    ~SaturationTable();

    /// The smallest and largest value of a column over every row, lookup row or not; none
    /// for an empty table.
    std::optional<ColumnRange> range(SatColumn c);
    /// The smallest and largest value of a column over the lookup rows.
    std::optional<ColumnRange> lookupRange(SatColumn c);

    /// Among the lookup rows numbered within `rows`: the row with the smallest value of c at
    /// or above `value`, the first in table order of those that hold it; or the row with the
    /// largest value at or below it.
    std::optional<SatRow> atOrAbove(SatColumn c, double value, RowNumbers rows = {});
    std::optional<SatRow> atOrBelow(SatColumn c, double value, RowNumbers rows = {});

    /// Both rows at once, for a column that runs one way along the table: upper as atOrAbove,
    /// lower as atOrBelow gives them (the same row when the value is tabulated). False when
    /// either is missing.
    bool bracket(SatColumn c, double value, SatRow& upper, SatRow& lower);

    /// The first lookup row, in table order, where c takes its largest (or smallest) value.
    std::optional<SatRow> extreme(SatColumn c, bool largest);
    /// The first and the last lookup row (read once).
    std::optional<SatRow> firstRow();
    std::optional<SatRow> lastRow();

    /// The lookup row at or below ts and the one after it; the same row twice when ts is
    /// tabulated. False off the table.
    bool rowsAround(double ts, SatRow& below, SatRow& above);

    /// A coarse copy of the line, read once: the lookup rows at whole degrees, at tenths in
    /// the last degree before the critical point, and the first and last lookup rows, in
    /// ascending ts.
    const std::vector<SatRow>& coarseLine();

    /// Rows of the whole table, lookup rows or not, in table order: how many, and the row at a
    /// 1-based position (none beyond the table). NaN stands for a value that is missing.
    std::int64_t rowCount();
    std::optional<SatRow> rowAtPosition(std::int64_t position);

private:
    // ts, ps and row number of every lookup row, ascending, and the coarse copy of the line:
    // one pass over the lookup rows, made when first needed.
    struct LookupIndex {
        std::vector<double> ts, ps;
        std::vector<std::int64_t> n;
    };
    const LookupIndex& lookupIndex();
    bool indexPaysOff();
    static constexpr int kLookupsWithoutIndex = 200;
    int m_lookups = 0;
    bool rowsNumbered(std::int64_t below, std::int64_t above, SatRow& lower, SatRow& upper);

    struct Statements;
    SqliteSource& m_source;
    std::unique_ptr<Statements> m_q;
    std::array<std::optional<ColumnRange>, kSatColumns + 1> m_ranges{};
    std::array<std::optional<ColumnRange>, kSatColumns + 1> m_lookupRanges{};
    std::optional<std::vector<SatRow>> m_coarse;
    std::optional<LookupIndex> m_index;
    std::optional<std::int64_t> m_count;
    std::optional<std::optional<SatRow>> m_first, m_last;
    std::optional<std::int64_t> m_firstRowId;  // rows numbered without gaps from here
    bool m_rowIdsChecked = false;
};

}  // namespace steam::data
