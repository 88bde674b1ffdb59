// A RowSet opened on a query text stands on the first row (or at EOF when there is none),
// reads fields by position and by name, walks forward, counts and jumps only when static,
// yields null for an aggregate over no rows, and several sets of one shape stay independent.
#include "data/row_set.h"

#include "data/property_database.h"
#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace steam::data {
namespace {

using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;

class RowSetTest : public testing::Test {
protected:
    void SetUp() override {
        FixtureDatabase fixture;
        for (int i = 1; i <= 5; ++i)  // row i: ts = 10 i, the other columns tell the row too
            fixture.addSaturationRow(10.0 * i, 0.001 * i, 0.001 + i * 1e-6, 100.0 / i, 40.0 * i, 2500.0 + i, 0.1 * i,
                                     9.0 - 0.1 * i, i == 3 ? 0 : 1);
        for (double t : {10.0, 20.0})
            for (double p : {1.0, 2.0, 3.0}) fixture.addGridRow(Source::Water, t, p, 0.001 * p, 10 * t + p, 0.01 * t);
        std::string error;
        ASSERT_TRUE(fixture.writeAndOpen(dir.path(), db, error)) << error;
        swater = db.connectionText(Source::Swater);
        water = db.connectionText(Source::Water);
    }

    RowSet open(const std::string& path, const std::string& query, CursorType cursor = CursorType::Dynamic) {
        RowSet rs;
        std::string error;
        EXPECT_TRUE(rs.Open(db, path, query, cursor, &error)) << query << ": " << error;
        return rs;
    }

    TemporaryDirectory dir;
    PropertyDatabase db;
    std::string swater, water;
};

TEST_F(RowSetTest, FreshSetIsUnopenedAndAtEof) {
    RowSet rs;
    EXPECT_FALSE(rs.isOpen());
    EXPECT_TRUE(rs.isEOF());
    EXPECT_TRUE(std::isnan(rs.Fields(1)));
}

TEST_F(RowSetTest, EmptyResultIsAtEofFromTheStart) {
    RowSet rs = open(water, "select * from  WATER where t= 999");
    EXPECT_TRUE(rs.isOpen());
    EXPECT_TRUE(rs.isEOF());
    EXPECT_TRUE(std::isnan(rs.Fields(1)));
    EXPECT_TRUE(std::isnan(rs.Fields("t")));
    rs.MoveNext();  // harmless at the end
    EXPECT_TRUE(rs.isEOF());
}

TEST_F(RowSetTest, FieldsByPositionAndByNameAgree) {
    RowSet rs = open(water, "select * from WATER where p =2 AND t =20");
    ASSERT_FALSE(rs.isEOF());
    const char* names[] = {"n", "t", "p", "v", "h", "s"};
    const double expected[] = {5, 20, 2, 0.002, 202, 0.2};
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(testing::Message() << "column " << k << " " << names[k]);
        EXPECT_DOUBLE_EQ(rs.Fields(k), expected[k]);
        EXPECT_EQ(rs.Fields(names[k]), rs.Fields(k));
    }
    EXPECT_TRUE(std::isnan(rs.Fields(6)));
    EXPECT_TRUE(std::isnan(rs.Fields(-1)));
    EXPECT_TRUE(std::isnan(rs.Fields("nosuchcolumn")));
}

TEST_F(RowSetTest, MoveNextWalksTheRowsInOrderAndMoveFirstStartsAgain) {
    RowSet rs = open(water, "select *  from  WATER where p= 2");
    std::vector<double> seen;
    for (; !rs.isEOF(); rs.MoveNext()) seen.push_back(rs.Fields("t"));
    EXPECT_EQ(seen, (std::vector<double>{10, 20}));
    rs.MoveFirst();
    ASSERT_FALSE(rs.isEOF());
    EXPECT_EQ(rs.Fields("t"), 10);
    EXPECT_EQ(rs.Fields("p"), 2);
}

TEST_F(RowSetTest, StaticSetCountsRowsAndJumpsToAnyRow) {
    // A whole table is read row by row as it is visited; a filtered result all at once.
    struct Case {
        std::string path, query;
        long rows;
        const char* column;
        double first, step;  // the column's value at row 1 and from row to row
    };
    const Case cases[] = {
        {swater, "select * from SWATER", 5, "ts", 10, 10},  // every row, whatever its flag
        {water, "select * from  WATER where t= 20", 3, "p", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        RowSet rs = open(c.path, c.query, CursorType::Static);
        EXPECT_EQ(rs.RecordCount(), c.rows);
        EXPECT_EQ(rs.Fields(c.column), c.first);
        for (long position : {c.rows, 1L, 2L, c.rows - 1}) {
            SCOPED_TRACE(testing::Message() << "position " << position);
            rs.setAbsolutePosition(position);
            ASSERT_FALSE(rs.isEOF());
            EXPECT_EQ(rs.Fields(c.column), c.first + c.step * (position - 1));
        }
        rs.setAbsolutePosition(c.rows - 1);
        rs.MoveNext();
        EXPECT_EQ(rs.Fields(c.column), c.first + c.step * (c.rows - 1));
        rs.MoveNext();
        EXPECT_TRUE(rs.isEOF());
        rs.MoveFirst();
        EXPECT_EQ(rs.Fields(c.column), c.first);
        for (long outside : {c.rows + 1, 0L}) {
            rs.setAbsolutePosition(outside);
            EXPECT_TRUE(rs.isEOF()) << "position " << outside;
        }
    }
    RowSet whole = open(swater, "select * from SWATER", CursorType::Static);
    whole.setAbsolutePosition(4);
    EXPECT_EQ(whole.Fields("h11"), 2504.0);
    EXPECT_EQ(whole.Fields(8), 8.6);
}

TEST_F(RowSetTest, DynamicSetHasNoRecordCount) {
    RowSet rs = open(swater, "select * from SWATER");
    EXPECT_EQ(rs.RecordCount(), -1);
}

TEST_F(RowSetTest, AggregateOverNoRowsYieldsNull) {
    RowSet rs = open(water, "select min(t) from WATER where t >=25 AND p=2");
    ASSERT_FALSE(rs.isEOF());  // one row holding null
    EXPECT_TRUE(rs.isNull(0));
    EXPECT_TRUE(std::isnan(rs.Fields(0)));

    RowSet found = open(water, "select min(t) from WATER where t >=15 AND p=2");
    ASSERT_FALSE(found.isEOF());
    EXPECT_FALSE(found.isNull(0));
    EXPECT_EQ(found.Fields(0), 20);
}

TEST_F(RowSetTest, TwoSetsOfTheSameShapeStayIndependent) {
    RowSet a = open(water, "select * from  WATER where t= 10");
    RowSet b = open(water, "select * from  WATER where t= 20");
    std::vector<double> pa, pb;
    while (!a.isEOF() || !b.isEOF()) {
        if (!a.isEOF()) {
            EXPECT_EQ(a.Fields("t"), 10);
            pa.push_back(a.Fields("p"));
            a.MoveNext();
        }
        if (!b.isEOF()) {
            EXPECT_EQ(b.Fields("t"), 20);
            pb.push_back(b.Fields("p"));
            b.MoveNext();
        }
    }
    EXPECT_EQ(pa, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(pb, (std::vector<double>{1, 2, 3}));
    // A third of the same shape while the first two are finished but still open.
    RowSet c = open(water, "select * from  WATER where t= 10");
    EXPECT_EQ(c.Fields("p"), 1);
    a.MoveFirst();
    EXPECT_EQ(a.Fields("t"), 10);
    EXPECT_EQ(c.Fields("t"), 10);
}

TEST_F(RowSetTest, TextsWithoutNumbersGiveTheSameRowsEveryTime) {
    // Their results are served from memory after the first time; they must walk as before.
    for (int time = 1; time <= 3; ++time) {
        SCOPED_TRACE(testing::Message() << "time " << time);
        RowSet lowest = open(water, "select min(t)  from WATER ");
        ASSERT_FALSE(lowest.isEOF());
        EXPECT_EQ(lowest.Fields(0), 10);
        lowest.MoveNext();
        EXPECT_TRUE(lowest.isEOF());
        lowest.MoveFirst();
        EXPECT_EQ(lowest.Fields(0), 10);

        RowSet none = open(water, "select * from WATER where t > p AND t < p");
        EXPECT_TRUE(none.isEOF());
        EXPECT_EQ(none.columnCount(), 6);

        RowSet all = open(water, "select * from  WATER");
        std::vector<double> seen;
        for (; !all.isEOF(); all.MoveNext()) seen.push_back(all.Fields("h"));
        EXPECT_EQ(seen, (std::vector<double>{101, 102, 103, 201, 202, 203}));
        EXPECT_EQ(all.RecordCount(), -1);
    }
}

TEST_F(RowSetTest, CloseAndMoveLeaveNoCurrentRow) {
    RowSet rs = open(water, "select * from  WATER where t= 10");
    ASSERT_FALSE(rs.isEOF());
    RowSet moved = std::move(rs);
    EXPECT_FALSE(rs.isOpen());  // NOLINT(bugprone-use-after-move): a moved-from set is closed
    EXPECT_TRUE(rs.isEOF());
    EXPECT_EQ(moved.Fields("t"), 10);
    moved.Close();
    EXPECT_TRUE(moved.isEOF());
    EXPECT_FALSE(moved.isOpen());
}

TEST_F(RowSetTest, UnknownSourceOrBadTextFailsWithAReason) {
    struct Case {
        const char* what;
        std::string path;
        std::string query;
    };
    const Case cases[] = {
        {"no stem", "Provider=x;Initial Catalog=nowhere", "select * from WATER"},
        {"unknown stem", std::string(kConnectionPrefix) + "/tmp\\steam", "select * from WATER"},
        {"unknown column", water, "select * from WATER where q= 1"},
        {"table of another source", water, "select * from SWATER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RowSet rs;
        std::string error;
        EXPECT_FALSE(rs.Open(db, c.path, c.query, CursorType::Dynamic, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(rs.isOpen());
        EXPECT_TRUE(rs.isEOF());
    }
}

}  // namespace
}  // namespace steam::data
