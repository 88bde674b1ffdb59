#include "curve_rows.h"

#include "property_database.h"
#include "sqlite_source.h"

#include <cstdint>
#include <string>

namespace steam::data {
namespace {

std::vector<CurveRow> readRows(Statement& query, std::int64_t limit) {
    std::vector<CurveRow> rows;
    StatementRun run = query.run(limit);
    while (run.next()) rows.push_back(run.row<3>());
    return rows;
}

}  // namespace

std::vector<CurveRow> readCurveRows(const PropertyDatabase& db, Source table, std::size_t limit) {
    static constexpr const char* kKeys[] = {"t", "p", "v", "x"};
    const int family = static_cast<int>(table) - static_cast<int>(Source::DengT);
    if (family < 0 || family > 3) return {};
    const std::string name = sourceInfo(table).table;
    const std::string key = kKeys[family];
    Statement query(db.source(table),
                    "select " + key + ", h, s from " + name + " where " + key + " <> 0 order by n limit ?1");
    return readRows(query, static_cast<std::int64_t>(limit));
}

std::vector<CurveRow> readChartRows(const PropertyDatabase& db, const ChartTable& table) {
    Statement query(db.source(Source::Charts), std::string("select ") + table.key + ", " + table.x + ", " + table.y +
                                                   " from " + table.table + " order by n limit ?1");
    return readRows(query, -1);
}

}  // namespace steam::data
