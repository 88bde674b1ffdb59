// Every query shape the calculators prepare on the generated tables is answered from an index,
// never by a full scan of SWATER, WATER or VAPOR; along the grid lines of WATER and VAPOR from
// one b-tree alone. The shapes are those the data files recorded while a calculation of every
// kind ran (each saturation property, every pair of the state panel, wet and single-phase), so
// a new shape is checked the day it is written. Shapes read once per run (the grid lines, the
// coarse copy of the saturation line, the count of its rows, its first and last lookup rows)
// may scan. The plans are printed.
#include "table_files.h"

#include "calc/saturation_solver.h"
#include "calc/state_solver.h"
#include "data/sqlite_source.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdio>
#include <string>
#include <vector>

namespace steam::tables::test {
namespace {

using calc::Property;
using data::Source;

std::vector<std::string> plan(sqlite3* db, const std::string& shape) {
    std::vector<std::string> details;
    sqlite3_stmt* s = nullptr;
    const std::string explain = "EXPLAIN QUERY PLAN " + shape;
    if (sqlite3_prepare_v2(db, explain.c_str(), -1, &s, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << explain << ": " << sqlite3_errmsg(db);
        return details;
    }
    while (sqlite3_step(s) == SQLITE_ROW)
        details.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 3)));
    sqlite3_finalize(s);
    return details;
}

bool readOnce(const std::string& shape) {
    for (const char* mark : {"round(ts)", "count(*)", "min(n), max(n)", "wf = 1 order by n"})
        if (shape.find(mark) != std::string::npos) return true;
    return false;
}

TEST(QueryPlanTest, EveryShapeACalculationPreparesIsAnsweredFromAnIndex) {
    data::PropertyDatabase db;
    std::string error;
    ASSERT_TRUE(db.open(data::executableDirectory(), error)) << error;
    // A calculation of every kind: each saturation property, each pair on compressed water,
    // steam and wet states.
    const double saturation[] = {100, 0.1, 0.00104, 1.67, 419, 2700, 1.3, 7.35};
    for (int k = 0; k < 8; ++k) calc::solveSaturation(db, static_cast<calc::SatProperty>(k), saturation[k]);
    const double water[] = {200.5, 3.52, 0.00115, 853.8, 2.33, 0};
    const double steam[] = {300.5, 1.02, 0.25, 3051, 7.12, 0};
    const double wet[] = {100, 0.101418, 0.8, 1500, 4.2, 0.5};
    for (const double* state : {water, steam, wet})
        for (int a = 0; a < 6; ++a)
            for (int b = a + 1; b < 6; ++b)
                if (b != 5 || state == wet) calc::solveState(db, Property(a), state[a], Property(b), state[b]);

    std::printf("\n== EXPLAIN QUERY PLAN of the query shapes prepared on the generated tables ==\n");
    for (Source source : {Source::Swater, Source::Water, Source::Vapor}) {
        const data::SqliteSource& file = db.source(source);
        ASSERT_FALSE(file.preparedShapes().empty()) << data::dataFileName(source);
        for (const std::string& shape : file.preparedShapes()) {
            const std::vector<std::string> details = plan(file.handle(), shape);
            std::printf("%s\n", shape.c_str());
            for (const std::string& d : details) std::printf("    -> %s\n", d.c_str());
            if (readOnce(shape)) continue;
            SCOPED_TRACE(shape);
            ASSERT_FALSE(details.empty());
            for (const std::string& d : details) {
                if (d.rfind("SCALAR SUBQUERY", 0) == 0) continue;  // the search it holds follows
                EXPECT_EQ(d.rfind("SCAN", 0), std::string::npos) << d;
                // A range of row numbers is a scan of that stretch of the table.
                EXPECT_EQ(d.find("(rowid>? AND rowid<?)"), std::string::npos) << d;
                if (source != Source::Swater) {
                    // A grid is stored along its isotherms and indexed along its isobars, the
                    // index holding every column: either way one b-tree answers.
                    const bool oneTree = d.find("USING COVERING INDEX") != std::string::npos ||
                                         d.find("USING PRIMARY KEY") != std::string::npos;
                    EXPECT_TRUE(oneTree) << d;
                }
            }
        }
    }
    std::printf("== end of plans ==\n");
}

}  // namespace
}  // namespace steam::tables::test
