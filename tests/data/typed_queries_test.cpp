// The queries on the saturation table and the grids: each returns the rows its contract names
// (the first in table order among equal values, lookup rows only where it says so, NaN for a
// missing value), nothing where no row qualifies, and a file that fails while it is read is a
// DataFault naming the file, never an empty answer.
#include "data/curve_rows.h"
#include "data/data_fault.h"
#include "data/property_database.h"
#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

namespace steam::data {
namespace {

using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;

constexpr double kInf = std::numeric_limits<double>::infinity();

class TypedQueriesTest : public testing::Test {
protected:
    void SetUp() override {
        FixtureDatabase fixture;
        // Row i (1 to 6): ts = 10 i; row 3 is drawn only (wf 0); rows 4 and 5 share h'' 2504,
        // which is the column's largest among lookup rows; row 6 lacks its s''.
        for (int i = 1; i <= 6; ++i) {
            const double h11 = i == 4 || i == 5 ? 2504.0 : 2500.0 + 0.5 * i;
            fixture.addSaturationRow(10.0 * i, 0.001 * i, 0.001 + i * 1e-6, 100.0 / i, 40.0 * i, h11, 0.1 * i,
                                     i == 6 ? NAN : 9.0 - 0.1 * i, i == 3 ? 0 : 1);
        }
        // WATER: t 10, 20, 30 by p 1, 2, 3, without (30, 1).
        for (double t : {10.0, 20.0, 30.0})
            for (double p : {1.0, 2.0, 3.0})
                if (t != 30.0 || p != 1.0) fixture.addGridRow(Source::Water, t, p, 0.001 * p, 10 * t + p, 0.01 * t);
        std::string error;
        ASSERT_TRUE(fixture.writeAndOpen(dir.path(), db, error)) << error;
    }

    TemporaryDirectory dir;
    PropertyDatabase db;
};

TEST_F(TypedQueriesTest, SaturationQueriesReadLookupRowsInTableOrder) {
    SaturationTable& swater = db.saturation();
    const auto range = swater.range(SatColumn::ts);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->lowest, 10);  // every row, the drawn one too
    EXPECT_EQ(range->highest, 60);
    EXPECT_EQ(swater.lookupRange(SatColumn::ps)->highest, 0.006);

    struct Case {
        const char* what;
        std::optional<SatRow> row;
        double ts;  // NaN: no row
    };
    const Case cases[] = {
        {"at or above 25", swater.atOrAbove(SatColumn::ts, 25), 40},  // 30 is drawn only
        {"at or below 35", swater.atOrBelow(SatColumn::ts, 35), 20},
        {"at or above a tabulated 20", swater.atOrAbove(SatColumn::ts, 20), 20},
        {"above the last", swater.atOrAbove(SatColumn::ts, 61), NAN},
        {"h'' 2504, first of two", swater.atOrAbove(SatColumn::h11, 2503.5), 40},
        {"h'' below 2504, first of two", swater.atOrBelow(SatColumn::h11, 2505), 40},
        {"kept to rows 5 and on", swater.atOrAbove(SatColumn::h11, 2503.5, {5, 100}), 50},
        {"largest h''", swater.extreme(SatColumn::h11, true), 40},
        {"smallest v''", swater.extreme(SatColumn::v11, false), 60},
        {"first", swater.firstRow(), 10},
        {"last", swater.lastRow(), 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.row.has_value(), !std::isnan(c.ts));
        if (c.row) {
            EXPECT_EQ((*c.row)[1], c.ts);
        }
    }
    EXPECT_TRUE(std::isnan((*swater.lastRow())[8]));  // a missing value reads as NaN
}

TEST_F(TypedQueriesTest, RowsAroundATemperatureAndRowsByPosition) {
    SaturationTable& swater = db.saturation();
    SatRow below{}, above{};
    ASSERT_TRUE(swater.rowsAround(25, below, above));
    EXPECT_EQ(below[1], 20);
    EXPECT_EQ(above[1], 40);
    ASSERT_TRUE(swater.rowsAround(40, below, above));
    EXPECT_EQ(below[1], 40);
    EXPECT_EQ(above[1], 40);
    EXPECT_FALSE(swater.rowsAround(5, below, above));
    EXPECT_FALSE(swater.rowsAround(65, below, above));
    EXPECT_FALSE(swater.rowsAround(NAN, below, above));

    // Every row, the drawn one too, by its place in the table.
    EXPECT_EQ(swater.rowCount(), 6);
    for (std::int64_t position = 1; position <= 6; ++position)
        EXPECT_EQ((*swater.rowAtPosition(position))[1], 10.0 * static_cast<double>(position));
    EXPECT_FALSE(swater.rowAtPosition(0));
    EXPECT_FALSE(swater.rowAtPosition(7));
}

TEST_F(TypedQueriesTest, GridQueriesStayOnTheirLine) {
    GridTable& water = db.water();
    EXPECT_EQ(water.lines(GridColumn::t), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(water.lines(GridColumn::p), (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(water.isLine(GridColumn::p, 2));
    EXPECT_FALSE(water.isLine(GridColumn::t, 15));
    EXPECT_EQ(water.range(GridColumn::h)->highest, 303);
    EXPECT_FALSE(water.rowAt(30, 1));
    EXPECT_EQ((*water.rowAt(20, 2))[4], 202);

    struct Case {
        const char* what;
        std::optional<GridRow> row;
        double t, p;  // NaN: no row
    };
    const Case cases[] = {
        {"p at or above 1.5 on t 10", water.atOrAbove(GridColumn::t, 10, 1.5), 10, 2},
        {"p at or below 1.5 on t 30", water.atOrBelow(GridColumn::t, 30, 1.5), NAN, NAN},
        {"t at or above 25 on p 1", water.atOrAbove(GridColumn::p, 1, 25), NAN, NAN},
        {"t at or below 25 on p 1", water.atOrBelow(GridColumn::p, 1, 25), 20, 1},
        {"first of t 30", water.endRow(GridColumn::t, 30, false), 30, 2},
        {"last of p 3", water.endRow(GridColumn::p, 3, true), 30, 3},
        {"no line", water.endRow(GridColumn::t, 15, false), NAN, NAN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.row.has_value(), !std::isnan(c.t));
        if (c.row) {
            EXPECT_EQ((*c.row)[1], c.t);
            EXPECT_EQ((*c.row)[2], c.p);
        }
    }
    const LineRows piece = water.pieceAt(GridColumn::p, 2, 25);
    ASSERT_EQ(piece.count, 2);
    EXPECT_EQ(piece.rows[0][1], 20);
    EXPECT_EQ(piece.rows[1][1], 30);
    EXPECT_EQ(water.pieceAt(GridColumn::p, 2, 30).count, 1);  // the line ends there
    const LineRows start = water.rowsFrom(GridColumn::t, 20, -kInf);
    ASSERT_EQ(start.count, 2);
    EXPECT_EQ(start.rows[0][2], 1);
    EXPECT_EQ(start.rows[1][2], 2);
    const std::vector<GridRow> between = water.rowsBetween(GridColumn::p, 3, 15, 30);
    ASSERT_EQ(between.size(), 2u);
    EXPECT_EQ(between[0][1], 20);
    EXPECT_EQ(between[1][1], 30);
}

TEST_F(TypedQueriesTest, EmptyTableHasNoRangeAndNoRows) {
    TemporaryDirectory empty;
    PropertyDatabase none;
    std::string error;
    ASSERT_TRUE(FixtureDatabase{}.writeAndOpen(empty.path(), none, error)) << error;
    EXPECT_FALSE(none.saturation().range(SatColumn::ts));
    EXPECT_FALSE(none.vapor().range(GridColumn::p));
    EXPECT_TRUE(none.vapor().lines(GridColumn::t).empty());
    EXPECT_FALSE(none.saturation().firstRow());
    EXPECT_EQ(none.saturation().rowCount(), 0);
    EXPECT_TRUE(readCurveRows(none, Source::DengT, 800).empty());
}

// Every page after the first (which holds the schema) overwritten: the tables' pages are
// damaged, and a read reports the file instead of finding nothing.
TEST_F(TypedQueriesTest, DamagedPagesAreADataFaultNamingTheFile) {
    TemporaryDirectory damagedDir;
    FixtureDatabase fixture;
    for (int t = 0; t < 200; ++t)
        for (int p = 1; p <= 10; ++p) fixture.addGridRow(Source::Vapor, t, p, 1.0 / p, 2500 + t, 7 + 0.001 * t);
    std::string error;
    ASSERT_TRUE(fixture.write(damagedDir.path(), error)) << error;
    const auto file = damagedDir.path() / dataFileName(Source::Vapor);
    const auto size = std::filesystem::file_size(file);
    ASSERT_GT(size, 3 * 4096u);
    {
        std::fstream bytes(file, std::ios::in | std::ios::out | std::ios::binary);
        bytes.seekp(4096);
        for (auto k = 4096u; k < size; ++k) bytes.put(static_cast<char>(0xA5 ^ (k * 131)));
    }
    PropertyDatabase damaged;
    ASSERT_TRUE(damaged.open(damagedDir.path(), error)) << error;
    try {
        damaged.vapor().rowsBetween(GridColumn::p, 5, 0, 200);
        FAIL() << "no fault";
    } catch (const DataFault& fault) {
        EXPECT_EQ(fault.source(), Source::Vapor);
        EXPECT_EQ(fault.file(), file);
    }
}

}  // namespace
}  // namespace steam::data
