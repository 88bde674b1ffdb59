// Every query shape the lookups run on the generated tables (Q3 to Q10 and the walks along
// the lines of the (t, p) surface, written exactly as the lookups write them, with real
// numbers) is answered from an index, never by a full scan of SWATER, WATER or VAPOR; along
// the grid lines of WATER and VAPOR from the index alone. The plans are printed for the README.
#include "table_files.h"

#include "data/query_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace steam::tables::test {
namespace {

using data::Source;

struct Shape {
    const char* name;
    Source source;
    std::string text;
};

std::string n(double v) { return data::numberText(v); }

// The texts as Lookup builds them (see lookup.cpp), with numbers a calculation produces.
std::vector<Shape> shapes() {
    return {
        {"Q3 min", Source::Swater, "select min(ts)  from SWATER "},
        {"Q3 max", Source::Swater, "select max(h11)  from SWATER "},
        {"Q3 min", Source::Water, "select min(p)  from WATER "},
        {"Q4", Source::Swater, "select min(ts) from SWATER where ts >=" + n(100.123) + " AND wf=" + n(1)},
        {"Q4", Source::Water, "select min(p) from WATER where p >=" + n(3.52) + " AND t=" + n(200)},
        {"Q4", Source::Vapor, "select min(t) from VAPOR where t >=" + n(300.5) + " AND p=" + n(1.02)},
        {"Q5", Source::Swater, "select max(ps) from SWATER where ps <= " + n(0.101325) + " AND wf=" + n(1)},
        {"Q5", Source::Water, "select max(p) from WATER where p <= " + n(3.52) + " AND t=" + n(200)},
        {"Q6 upper", Source::Swater, "select * from SWATER where ts =" + n(100.125) + " AND wf=" + n(1)},
        {"Q6 lower", Source::Swater, "select * from  SWATER where ts =" + n(100.12) + " AND wf=" + n(1)},
        {"Q6 upper", Source::Water, "select * from WATER where p =" + n(3.55) + " AND t=" + n(200)},
        {"Q6 lower", Source::Vapor, "select * from  VAPOR where t =" + n(300) + " AND p=" + n(1.02)},
        {"Q7", Source::Water, "select * from  WATER where t= " + n(200)},
        {"Q7", Source::Vapor, "select * from  VAPOR where p= " + n(1.01)},
        {"Q8", Source::Water, "select * from WATER where p =" + n(3.5) + " AND t =" + n(200)},
        {"Q9", Source::Water, "select *  from  WATER where p= " + n(3.5)},
        {"Q10 min", Source::Water, "select min(t) from  WATER where t>=" + n(200.5)},
        {"Q10 max", Source::Vapor, "select max(p) from  VAPOR where p<=" + n(1.01)},
        // The searches of the turning columns of the saturation table.
        {"h'' peak", Source::Swater, "select max(h11) from SWATER where wf=" + n(1)},
        {"h'' turn row", Source::Swater, "select min(n) from SWATER where h11=" + n(2803.28) + " AND wf=" + n(1)},
        {"first row", Source::Swater, "select min(n) from SWATER where wf=" + n(1)},
        {"one branch", Source::Swater,
         "select min(h11) from SWATER where h11 >=" + n(2790) + " AND wf=" + n(1) + " AND n <= " + n(14000)},
        // The walk along a line of the (t, p) surface: a piece of the lower grid line, the same
        // places on the upper one, and either end of a line.
        {"line piece", Source::Vapor,
         "select * from VAPOR where t =" + n(300) + " AND p >= (select max(p) from VAPOR where t =" + n(300) +
             " AND p <=" + n(1.013) + ") order by p"},
        {"line places", Source::Water, "select * from WATER where p =" + n(1) + " AND t >=" + n(150) + " order by t"},
        {"line start", Source::Vapor, "select * from VAPOR where t =" + n(500) + " order by p"},
        {"line end", Source::Water, "select * from WATER where p =" + n(30) + " order by t desc"},
        {"line place", Source::Vapor, "select * from VAPOR where t =" + n(505) + " AND p =" + n(0.00058)},
    };
}

// The plan SQLite uses for the text as the lookups prepare it: shape with '?', numbers bound.
std::vector<std::string> plan(const TableFile& file, const std::string& text) {
    const data::ParsedQuery parsed = data::parseQuery(text);
    std::vector<std::string> details;
    sqlite3_stmt* s = nullptr;
    const std::string explain = "EXPLAIN QUERY PLAN " + parsed.shape;
    if (sqlite3_prepare_v2(file.handle(), explain.c_str(), -1, &s, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << explain << ": " << sqlite3_errmsg(file.handle());
        return details;
    }
    for (size_t i = 0; i < parsed.numbers.size(); ++i) sqlite3_bind_double(s, static_cast<int>(i) + 1, parsed.numbers[i]);
    while (sqlite3_step(s) == SQLITE_ROW) details.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 3)));
    sqlite3_finalize(s);
    return details;
}

TEST(QueryPlanTest, EveryLookupShapeIsAnsweredFromAnIndex) {
    std::printf("\n== EXPLAIN QUERY PLAN of the lookup query shapes on the generated tables ==\n");
    for (const Shape& shape : shapes()) {
        TableFile file(shape.source);
        const std::vector<std::string> details = plan(file, shape.text);
        std::printf("%-12s %s\n", shape.name, shape.text.c_str());
        for (const std::string& d : details) std::printf("             -> %s\n", d.c_str());
        SCOPED_TRACE(testing::Message() << shape.name << ": " << shape.text);
        ASSERT_FALSE(details.empty());
        for (const std::string& d : details) {
            if (d.rfind("SCALAR SUBQUERY", 0) == 0) continue;  // the search it holds follows
            EXPECT_EQ(d.rfind("SCAN", 0), std::string::npos) << d;
            if (shape.source != Source::Swater) {
                // A grid is stored along its isotherms and indexed along its isobars, the index
                // holding every column: either way one b-tree answers.
                const bool oneTree =
                    d.find("USING COVERING INDEX") != std::string::npos || d.find("USING PRIMARY KEY") != std::string::npos;
                EXPECT_TRUE(oneTree) << d;
            }
            const bool indexed = d.find("USING INDEX") != std::string::npos ||
                                 d.find("USING COVERING INDEX") != std::string::npos ||
                                 d.find("USING INTEGER PRIMARY KEY") != std::string::npos ||
                                 d.find("USING PRIMARY KEY") != std::string::npos ||
                                 d.rfind("SEARCH", 0) == 0;
            EXPECT_TRUE(indexed) << d;
        }
    }
    std::printf("== end of plans ==\n");
}

}  // namespace
}  // namespace steam::tables::test
