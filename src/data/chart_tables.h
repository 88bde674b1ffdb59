#pragma once
// The tables of the charts source: the curve families of the T-s, p-v and p-t charts, one
// table a family. Each row is one point of one curve: n (the row number, drawing order), the
// key (the property constant along the curve) and the two properties the chart's axes show,
// in their own units (never their logarithms). A curve is a run of rows with one key.
#include <array>

namespace steam::data {

struct ChartTable {
    const char* table;
    const char* key;  ///< column of the constant property: t, p, v, h, s or x
    const char* x;    ///< column of the property across
    const char* y;    ///< column of the property up
};

inline constexpr std::array<ChartTable, 8> kChartTables{{
    {"TS_H", "h", "s", "t"},
    {"TS_P", "p", "s", "t"},
    {"TS_V", "v", "s", "t"},
    {"TS_X", "x", "s", "t"},
    {"PV_T", "t", "v", "p"},
    {"PV_S", "s", "v", "p"},
    {"PV_X", "x", "v", "p"},
    {"PT_V", "v", "t", "p"},
}};

}  // namespace steam::data
