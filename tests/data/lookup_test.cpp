// checkScale compares a known value with a column's single-precision bounds, rounded outwards;
// FindData leaves the two rows that bracket it (on one branch for the turning columns h'' and
// v'; a value within its slack beyond the column's end as the end row) or reports it out of
// range once and touches no slot; SQL names the match kind 1 to 4 and prepares exactly the
// rows that kind needs, for v, h and s along the line of the (t, p) surface.
#include "data/lookup.h"

#include "data/property_database.h"
#include "data/query_text.h"
#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace steam::data {
namespace {

using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class LookupTest : public testing::Test {
protected:
    void open(const FixtureDatabase& fixture) {
        std::string error;
        ASSERT_TRUE(fixture.writeAndOpen(dir.path(), db, error)) << error;
        swater = db.connectionText(Source::Swater);
        water = db.connectionText(Source::Water);
        vapor = db.connectionText(Source::Vapor);
    }

    void expectOneRangeMessage() {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "超出可选范围，请重新输入");
        EXPECT_EQ(messages[0].title, "提醒");
        EXPECT_EQ(messages[0].icon, MessageIcon::Exclamation);
    }

    TemporaryDirectory dir;
    PropertyDatabase db;
    Messages messages;
    Lookup lookup{db, messages};
    std::string swater, water, vapor;
};

// ---------------------------------------------------------------- checkScale

TEST_F(LookupTest, CheckScaleHoldsSinglePrecisionBoundsRoundedOutwards) {
    // float(0.7) < 0.7 and float(1.1) > 1.1 already lie outside the ts values; float(0.1) > 0.1
    // and float(0.7) < 0.7 would cut the ps values off, so they step one float outwards.
    FixtureDatabase fixture;
    fixture.addSaturationRow(0.7, 0.1, 1, 1, 1, 1, 1, 1).addSaturationRow(1.1, 0.7, 1, 1, 1, 1, 1, 1);
    open(fixture);
    struct Case {
        const char* column;
        double known;
        int expected;
    };
    const Case cases[] = {
        {"ts", 0.7, 1},  {"ts", 1.1, 1},   {"ts", 0.9, 1},    {"ts", 0.69, -1},  {"ts", 1.11, -1},
        {"ts", 0.69999999, 1},  // below the stored minimum, above its single-precision bound
        {"ps", 0.1, 1},  {"ps", 0.7, 1},   {"ps", 0.4, 1},    {"ps", 0.099999995, 1}, {"ps", 0.7000000001, 1},
        {"ps", 0.0999999, -1}, {"ps", 0.7000001, -1},
        {"ts", kInf, -1}, {"ts", -kInf, -1}, {"ts", kNaN, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << " = " << c.known);
        EXPECT_EQ(lookup.checkScale(swater, "SWATER", c.column, c.known), c.expected);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(LookupTest, CheckScaleCoversEveryRowWhateverItsFlag) {
    FixtureDatabase fixture;
    fixture.addSaturationRow(5, 1, 1, 1, 1, 1, 1, 1, 0).addSaturationRow(10, 2, 1, 1, 1, 1, 1, 1, 1);
    open(fixture);
    EXPECT_EQ(lookup.checkScale(swater, "SWATER", "ts", 5), 1);
}

TEST_F(LookupTest, CheckScaleOfAnEmptyTableIsOutOfRange) {
    open(FixtureDatabase{});
    EXPECT_EQ(lookup.checkScale(water, "WATER", "t", 0), -1);
}

// ---------------------------------------------------------------- FindData, monotonic columns

class FindDataTest : public LookupTest {
protected:
    void SetUp() override {
        FixtureDatabase fixture;
        // ts 10, 15 (drawing only), 20, 30, 40; ps rises with ts.
        const double ts[] = {10, 15, 20, 30, 40};
        for (double t : ts)
            fixture.addSaturationRow(t, t / 10, 0.001 + t * 1e-6, 100 / t, 4 * t, 2500 + t, t / 100, 9 - t / 100,
                                     t == 15 ? 0 : 1);
        open(fixture);
    }

    int find(const char* column, double known, int alarm = 1) {
        return lookup.FindData(swater, "SWATER", column, known, "wf", 1, H, L, alarm);
    }

    RowSet H, L;
};

TEST_F(FindDataTest, TabulatedValueLeavesTheSameRowInBothSlots) {
    struct Case {
        const char* column;
        double known;
        double ts;
    };
    const Case cases[] = {{"ts", 20, 20}, {"ts", 10, 10}, {"ts", 40, 40}, {"ps", 3, 30}, {"v11", 2.5, 40}, {"h1", 80, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << " = " << c.known);
        ASSERT_EQ(find(c.column, c.known), 1);
        EXPECT_EQ(H.Fields(1), c.ts);
        EXPECT_EQ(L.Fields(1), c.ts);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(FindDataTest, ValueBetweenRowsLeavesTheRowsAboveAndBelow) {
    struct Case {
        const char* column;
        double known;
        double upperTs, lowerTs;  // ts of Hrs (larger column value) and Lrs
    };
    const Case cases[] = {
        {"ts", 25, 30, 20},
        {"ts", 12, 20, 10},    // the drawing row at 15 takes no part
        {"ts", 15, 20, 10},
        {"ps", 3.5, 40, 30},
        {"v11", 4, 20, 30},    // v'' falls with ts: the row with the larger v'' is at 20
        {"s11", 8.75, 20, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << " = " << c.known);
        ASSERT_EQ(find(c.column, c.known), 1);
        EXPECT_EQ(H.Fields(1), c.upperTs);
        EXPECT_EQ(L.Fields(1), c.lowerTs);
        EXPECT_GE(H.Fields(c.column), c.known);
        EXPECT_LE(L.Fields(c.column), c.known);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(FindDataTest, OutOfRangeWithAlarmGivesExactlyOneMessage) {
    const double cases[] = {9.99, 40.01, -1, 1e6, kInf, -kInf, kNaN};
    for (double known : cases) {
        SCOPED_TRACE(testing::Message() << "ts = " << known);
        messages.clear();
        EXPECT_EQ(find("ts", known, 1), -1);
        expectOneRangeMessage();
    }
}

TEST_F(FindDataTest, OutOfRangeWithoutAlarmIsSilent) {
    for (int alarm : {0, 2, -1}) {
        SCOPED_TRACE(testing::Message() << "alarm " << alarm);
        EXPECT_EQ(find("ts", 50, alarm), -1);
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(FindDataTest, FailureLeavesTheSlotsUntouched) {
    ASSERT_EQ(find("ts", 25), 1);
    ASSERT_EQ(find("ts", 50), -1);
    EXPECT_EQ(H.Fields(1), 30);
    EXPECT_EQ(L.Fields(1), 20);

    RowSet freshH, freshL;
    EXPECT_EQ(lookup.FindData(swater, "SWATER", "ts", 5, "wf", 1, freshH, freshL, 0), -1);
    EXPECT_FALSE(freshH.isOpen());
    EXPECT_FALSE(freshL.isOpen());
}

TEST_F(FindDataTest, NonFiniteSecondKnownIsOutOfRange) {
    EXPECT_EQ(lookup.FindData(swater, "SWATER", "ts", 25, "wf", kNaN, H, L, 1), -1);
    expectOneRangeMessage();
    EXPECT_FALSE(H.isOpen());
}

TEST_F(FindDataTest, ValueWithinTheSlackBeyondAnEndIsTheEndRow) {
    struct Case {
        const char* column;
        double known;
        double slack;
        double ts;  // of the row in both slots; 0 when out of range
    };
    const Case cases[] = {
        {"ts", 40.004, 0.005, 40}, {"ts", 9.996, 0.005, 10}, {"ts", 40.006, 0.005, 0}, {"ts", 9.99, 0.005, 0},
        {"h1", 160.0004, 0.0005, 40}, {"ts", 40.004, 0.0, 0},  // no slack: out of range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << " = " << c.known << ", slack " << c.slack);
        messages.clear();
        RowSet high, low;
        const int found = lookup.FindData(swater, "SWATER", c.column, c.known, "wf", 1, high, low, 1, c.slack);
        if (c.ts == 0) {
            EXPECT_EQ(found, -1);
            expectOneRangeMessage();
            continue;
        }
        ASSERT_EQ(found, 1);
        EXPECT_EQ(high.Fields(1), c.ts);
        EXPECT_EQ(low.Fields(1), c.ts);
        EXPECT_TRUE(messages.empty());
    }
}

TEST_F(FindDataTest, NoRowOnOneSideOfThePinnedLineIsOutOfRange) {
    // 12 lies inside the whole column, but among wf = 0 rows there is only 15.
    EXPECT_EQ(lookup.FindData(swater, "SWATER", "ts", 12, "wf", 0, H, L, 1), -1);
    expectOneRangeMessage();
    EXPECT_FALSE(H.isOpen());
    EXPECT_FALSE(L.isOpen());
}

// ---------------------------------------------------------------- FindData, turning columns

class TurningColumnTest : public LookupTest {
protected:
    void SetUp() override {
        FixtureDatabase fixture;
        // h'' rises to 2750 at row 4 and falls again; v' falls to 0.0010000 at row 3 and rises.
        struct Row {
            double ts, v1, h11;
            int wf;
        };
        const Row rows[] = {{1, 0.0010002, 2500, 1}, {2, 0.0010001, 2600, 1}, {3, 0.0010000, 2700, 1},
                            {4, 0.0010001, 2750, 1}, {5, 0.0010003, 2700, 1}, {6, 0.0010005, 2600, 1},
                            {7, 0.0010007, 2400, 1}, {8, 0.0010009, 2760, 0}};
        for (const Row& r : rows)
            fixture.addSaturationRow(r.ts, r.ts / 10, r.v1, 100 / r.ts, 40 * r.ts, r.h11, r.ts / 100, 9 - r.ts / 100,
                                     r.wf);
        open(fixture);
    }

    int find(const char* column, double known) {
        return lookup.FindData(swater, "SWATER", column, known, "wf", 1, H, L, 1);
    }

    RowSet H, L;
};

TEST_F(TurningColumnTest, HsteamIsBracketedOnTheFirstBranchThatReachesIt) {
    struct Case {
        double known;
        double upperTs, lowerTs;  // Hrs holds the larger h''
    };
    const Case cases[] = {
        {2650, 3, 2},    // rising branch, although 2700 (row 5) and 2600 (row 6) also bracket it
        {2550, 2, 1},
        {2725, 4, 3},
        {2750, 4, 4},    // the maximum itself
        {2500, 1, 1},
        {2450, 6, 7},    // below the first row: only the falling branch reaches it
        {2400, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "h'' = " << c.known);
        ASSERT_EQ(find("h11", c.known), 1);
        EXPECT_EQ(H.Fields(1), c.upperTs);
        EXPECT_EQ(L.Fields(1), c.lowerTs);
        EXPECT_LE(std::fabs(H.Fields(1) - L.Fields(1)), 1.0);  // always neighbours
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(TurningColumnTest, HsteamAboveTheMaximumOfFlaggedRowsIsOutOfRange) {
    // 2755 lies inside the column's range only because of the drawing row with 2760.
    EXPECT_EQ(lookup.checkScale(swater, "SWATER", "h11", 2755), 1);
    EXPECT_EQ(find("h11", 2755), -1);
    expectOneRangeMessage();
    EXPECT_FALSE(H.isOpen());
}

TEST_F(TurningColumnTest, VwaterIsBracketedOnTheFirstBranchThatReachesIt) {
    struct Case {
        double known;
        double upperTs, lowerTs;  // Hrs holds the larger v'
    };
    const Case cases[] = {
        {0.00100015, 1, 2},  // falling branch, although rows 4 and 5 also bracket it
        {0.00100005, 2, 3},
        {0.00100001, 2, 3},  // just above the minimum (whose single-precision bound rounds inwards)
        {0.0010004, 6, 5},   // above the first row: only the rising branch reaches it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "v' = " << c.known);
        ASSERT_EQ(find("v1", c.known), 1);
        EXPECT_EQ(H.Fields(1), c.upperTs);
        EXPECT_EQ(L.Fields(1), c.lowerTs);
    }
    messages.clear();
    EXPECT_EQ(find("v1", 0.00099999), -1);
    expectOneRangeMessage();
}

// ---------------------------------------------------------------- SQL

class SqlTest : public LookupTest {
protected:
    void SetUp() override {
        FixtureDatabase fixture;
        // A grid t 100/110/120 x p 1/2/3, and one more row at (130, 2.5).
        for (double t : {100.0, 110.0, 120.0})
            for (double p : {1.0, 2.0, 3.0}) fixture.addGridRow(Source::Water, t, p, 0.001 * p + 1e-5 * t, t + 10 * p, 0.01 * t);
        fixture.addGridRow(Source::Water, 130, 2.5, 0.0038, 155, 1.3);
        open(fixture);
    }

    int sql(double K1, double K2) {
        slots.renew();
        Choose = 0;
        rowsFound = false;
        return lookup.SQL(water, "WATER", "t", "p", K1, K2, slots, Choose, rowsFound);
    }

    static void expectRow(const RowSet& rs, double t, double p) {
        ASSERT_FALSE(rs.isEOF());
        EXPECT_EQ(rs.Fields(1), t);
        EXPECT_EQ(rs.Fields(2), p);
    }

    RowSetSlots slots;
    int Choose = 0;
    bool rowsFound = false;
};

TEST_F(SqlTest, RowHoldingBothValuesIsChooseOne) {
    EXPECT_EQ(sql(110, 2), 1);
    EXPECT_EQ(Choose, 1);
    EXPECT_TRUE(rowsFound);
    expectRow(slots.ExactRs, 110, 2);
    EXPECT_FALSE(slots.HrsFixY.isOpen());
    EXPECT_FALSE(slots.HrsFixZ.isOpen());
    EXPECT_FALSE(slots.HrsUpperY.isOpen());
    EXPECT_TRUE(messages.empty());
}

TEST_F(SqlTest, FirstValueTabulatedWithoutTheSecondIsChooseTwo) {
    struct Case {
        double K1, K2, upperP, lowerP;
    };
    // 2.5 is tabulated, but only at t = 130: still Choose 2 on the line t = 100.
    const Case cases[] = {{100, 1.5, 2, 1}, {110, 2.75, 3, 2}, {100, 2.5, 3, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "t " << c.K1 << ", p " << c.K2);
        sql(c.K1, c.K2);
        EXPECT_EQ(Choose, 2);
        EXPECT_TRUE(rowsFound);
        expectRow(slots.HrsFixY, c.K1, c.upperP);
        expectRow(slots.LrsFixY, c.K1, c.lowerP);
        EXPECT_FALSE(slots.ExactRs.isOpen() && !slots.ExactRs.isEOF());
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(SqlTest, SecondValueTabulatedOnlyIsChooseThree) {
    sql(105, 2);
    EXPECT_EQ(Choose, 3);
    EXPECT_TRUE(rowsFound);
    expectRow(slots.HrsFixZ, 110, 2);
    expectRow(slots.LrsFixZ, 100, 2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SqlTest, NeitherValueTabulatedIsChooseFourWithRowsOnBothLines) {
    sql(105, 1.5);
    EXPECT_EQ(Choose, 4);
    EXPECT_TRUE(rowsFound);
    expectRow(slots.HrsUpperY, 110, 2);
    expectRow(slots.LrsUpperY, 110, 1);
    expectRow(slots.HrsLowerY, 100, 2);
    expectRow(slots.LrsLowerY, 100, 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SqlTest, ChooseThreeWithoutARowBelowOnTheLineIsNotFound) {
    // p = 2.5 exists only at t = 130, so nothing brackets t = 105 on that line.
    sql(105, 2.5);
    EXPECT_EQ(Choose, 3);
    EXPECT_FALSE(rowsFound);
    expectOneRangeMessage();
}

TEST_F(SqlTest, EmptyNeighbourLineSearchIsNotFoundWithOneMessage) {
    const double cases[] = {135, 95};  // beyond the last / before the first tabulated t
    for (double K1 : cases) {
        SCOPED_TRACE(testing::Message() << "t " << K1);
        messages.clear();
        sql(K1, 1.5);
        EXPECT_EQ(Choose, 4);
        EXPECT_FALSE(rowsFound);
        expectOneRangeMessage();
    }
}

TEST_F(SqlTest, SecondValueOutOfRangeOnBothLinesGivesTwoMessages) {
    sql(105, 5);
    EXPECT_EQ(Choose, 4);
    EXPECT_FALSE(rowsFound);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], outOfRangeMessage());
    EXPECT_EQ(messages[1], outOfRangeMessage());
}

// v, h and s are no grid columns: SQL searches them along the line of the (t, p) surface at
// the first known value, and the rows it prepares lie at two neighbouring pressures of that
// line (Choose 2 on a grid line, 4 between two), or are the row holding both (Choose 1).
TEST_F(SqlTest, SecondValueOffTheGridIsBracketedAtNeighbouringPlacesOfTheLine) {
    struct Case {
        double K1, K2;  // t and h (h = t + 10 p on this grid)
        int choose;
        double lowerP, upperP;
    };
    const Case cases[] = {{110, 125, 2, 1, 2}, {110, 130, 1, 2, 2}, {105, 130, 4, 2, 3}, {115, 130, 4, 1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "t " << c.K1 << ", h " << c.K2);
        slots.renew();
        ASSERT_EQ(lookup.SQL(water, "WATER", "t", "h", c.K1, c.K2, slots, Choose, rowsFound), 1);
        EXPECT_EQ(Choose, c.choose);
        EXPECT_TRUE(rowsFound);
        if (c.choose == 1) {
            expectRow(slots.ExactRs, c.K1, c.lowerP);
        } else if (c.choose == 2) {
            expectRow(slots.LrsFixY, c.K1, c.lowerP);
            expectRow(slots.HrsFixY, c.K1, c.upperP);
        } else {
            // Lrs below the value and Hrs above it, each at one pressure on both lines.
            const double lower = std::floor(c.K1 / 10) * 10, upper = lower + 10;
            expectRow(slots.LrsLowerY, lower, c.lowerP);
            expectRow(slots.LrsUpperY, upper, c.lowerP);
            expectRow(slots.HrsLowerY, lower, c.upperP);
            expectRow(slots.HrsUpperY, upper, c.upperP);
        }
    }
    EXPECT_TRUE(messages.empty());
    // Beyond the line's values: one range message.
    slots.renew();
    lookup.SQL(water, "WATER", "t", "h", 105, 500, slots, Choose, rowsFound);
    EXPECT_EQ(Choose, 4);
    EXPECT_FALSE(rowsFound);
    expectOneRangeMessage();
}

TEST_F(SqlTest, NonFiniteKnownValueNeverReachesAQuery) {
    const double cases[][2] = {{kInf, 2}, {100, kInf}, {-kInf, 2}, {kNaN, 2}, {100, kNaN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "t " << c[0] << ", p " << c[1]);
        messages.clear();
        EXPECT_EQ(sql(c[0], c[1]), 1);
        EXPECT_FALSE(rowsFound);
        expectOneRangeMessage();
        EXPECT_FALSE(slots.ExactRs.isOpen());
        EXPECT_FALSE(slots.HrsFixY.isOpen());
    }
}

TEST_F(SqlTest, RenewReplacesEverySlotByAnUnopenedOne) {
    sql(105, 1.5);
    ASSERT_TRUE(slots.HrsUpperY.isOpen());
    slots.renew();
    for (const RowSet* rs : {&slots.HrsSat, &slots.LrsSat, &slots.HrsFixY, &slots.LrsFixY, &slots.HrsFixZ,
                             &slots.LrsFixZ, &slots.HrsUpperY, &slots.LrsUpperY, &slots.HrsLowerY, &slots.LrsLowerY,
                             &slots.ExactRs})
        EXPECT_FALSE(rs->isOpen());
}

}  // namespace
}  // namespace steam::data
