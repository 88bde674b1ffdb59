#pragma once
// The curve points the charts draw, read once at start-up: the h-s chart's curve tables
// (DengT to DengX: key, h, s) and the tables of the charts source (chart_tables.h: key, x, y).
// Rows come in table order, a curve being a run of rows with one key; NaN stands for a
// missing value. The reads may throw DataFault.
#include "chart_tables.h"
#include "schema.h"

#include <array>
#include <cstddef>
#include <vector>

namespace steam::data {

class PropertyDatabase;

/// Key, then the two values of one point.
using CurveRow = std::array<double, 3>;

/// The first `limit` rows of an h-s curve table (DengT, DengP, DengV or DengX) whose key is
/// not 0: key, h, s.
std::vector<CurveRow> readCurveRows(const PropertyDatabase& db, Source table, std::size_t limit);

/// Every row of a table of the charts source: key, x value, y value.
std::vector<CurveRow> readChartRows(const PropertyDatabase& db, const ChartTable& table);

}  // namespace steam::data
