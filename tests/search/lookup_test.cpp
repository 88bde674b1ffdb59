// checkScale compares a known value with a column's single-precision bounds, rounded outwards;
// FindData leaves the two rows that bracket it (on one branch for the turning columns h'' and
// v'; a value within its slack beyond the column's end as the end row) or reports it out of
// range once and touches no slot; SQL names the match kind 1 to 4 and prepares exactly the
// rows that kind needs, for v, h and s along the line of the (t, p) surface.
#include "search/lookup.h"

#include "data/property_database.h"
#include "support/fixture_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace steam::search {
namespace {

using data::GridColumn;
using data::GridRow;
using data::SatColumn;
using data::SatRow;
using data::Source;
using testsupport::FixtureDatabase;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class LookupTest : public testsupport::FixtureDatabaseTest {
protected:
    // The range messages asked for since the last look, which then counts from there.
    int newMessages() {
        const int count = lookup.rangeMessages() - m_seen;
        m_seen = lookup.rangeMessages();
        return count;
    }
    void expectOneRangeMessage() { EXPECT_EQ(newMessages(), 1); }
    void expectNoMessage() { EXPECT_EQ(newMessages(), 0); }

    Lookup lookup{db};

private:
    int m_seen = 0;
};

// ---------------------------------------------------------------- checkScale

TEST_F(LookupTest, CheckScaleHoldsSinglePrecisionBoundsRoundedOutwards) {
    // float(0.7) < 0.7 and float(1.1) > 1.1 already lie outside the ts values; float(0.1) > 0.1
    // and float(0.7) < 0.7 would cut the ps values off, so they step one float outwards.
    FixtureDatabase fixture;
    fixture.addSaturationRow(0.7, 0.1, 1, 1, 1, 1, 1, 1).addSaturationRow(1.1, 0.7, 1, 1, 1, 1, 1, 1);
    open(fixture);
    struct Case {
        SatColumn column;
        double known;
        int expected;
    };
    constexpr SatColumn ts = SatColumn::ts, ps = SatColumn::ps;
    const Case cases[] = {
        {ts, 0.7, 1},        {ts, 1.1, 1},        {ts, 0.9, 1},   {ts, 0.69, -1},       {ts, 1.11, -1},
        {ts, 0.69999999, 1},  // below the stored minimum, above its single-precision bound
        {ps, 0.1, 1},        {ps, 0.7, 1},        {ps, 0.4, 1},   {ps, 0.099999995, 1}, {ps, 0.7000000001, 1},
        {ps, 0.0999999, -1}, {ps, 0.7000001, -1}, {ts, kInf, -1}, {ts, -kInf, -1},      {ts, kNaN, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << data::kSatColumnNames[data::position(c.column)] << " = " << c.known);
        EXPECT_EQ(lookup.checkScale(c.column, c.known), c.expected);
    }
    expectNoMessage();
}

TEST_F(LookupTest, CheckScaleCoversEveryRowWhateverItsFlag) {
    FixtureDatabase fixture;
    fixture.addSaturationRow(5, 1, 1, 1, 1, 1, 1, 1, 0).addSaturationRow(10, 2, 1, 1, 1, 1, 1, 1, 1);
    open(fixture);
    EXPECT_EQ(lookup.checkScale(SatColumn::ts, 5), 1);
}

TEST_F(LookupTest, CheckScaleOfAnEmptyTableIsOutOfRange) {
    open(FixtureDatabase{});
    EXPECT_EQ(lookup.checkScale(db.water(), GridColumn::t, 0), -1);
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

    int find(SatColumn column, double known, int alarm = 1) { return lookup.FindData(column, known, H, L, alarm); }

    SatRow H{}, L{};
};

TEST_F(FindDataTest, TabulatedValueLeavesTheSameRowInBothSlots) {
    struct Case {
        SatColumn column;
        double known;
        double ts;
    };
    const Case cases[] = {{SatColumn::ts, 20, 20}, {SatColumn::ts, 10, 10},   {SatColumn::ts, 40, 40},
                          {SatColumn::ps, 3, 30},  {SatColumn::v11, 2.5, 40}, {SatColumn::h1, 80, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << data::kSatColumnNames[data::position(c.column)] << " = " << c.known);
        ASSERT_EQ(find(c.column, c.known), 1);
        EXPECT_EQ(H[1], c.ts);
        EXPECT_EQ(L[1], c.ts);
    }
    expectNoMessage();
}

TEST_F(FindDataTest, ValueBetweenRowsLeavesTheRowsAboveAndBelow) {
    struct Case {
        SatColumn column;
        double known;
        double upperTs, lowerTs;  // ts of Hrs (larger column value) and Lrs
    };
    const Case cases[] = {
        {SatColumn::ts, 25, 30, 20},    {SatColumn::ts, 12, 20, 10},  // the drawing row at 15 takes no part
        {SatColumn::ts, 15, 20, 10},    {SatColumn::ps, 3.5, 40, 30},
        {SatColumn::v11, 4, 20, 30},  // v'' falls with ts: the row with the larger v'' is at 20
        {SatColumn::s11, 8.75, 20, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << data::kSatColumnNames[data::position(c.column)] << " = " << c.known);
        ASSERT_EQ(find(c.column, c.known), 1);
        EXPECT_EQ(H[1], c.upperTs);
        EXPECT_EQ(L[1], c.lowerTs);
        EXPECT_GE(H[data::position(c.column)], c.known);
        EXPECT_LE(L[data::position(c.column)], c.known);
    }
    expectNoMessage();
}

TEST_F(FindDataTest, OutOfRangeWithAlarmGivesExactlyOneMessage) {
    const double cases[] = {9.99, 40.01, -1, 1e6, kInf, -kInf, kNaN};
    for (double known : cases) {
        SCOPED_TRACE(testing::Message() << "ts = " << known);
        newMessages();
        EXPECT_EQ(find(SatColumn::ts, known, 1), -1);
        expectOneRangeMessage();
    }
}

TEST_F(FindDataTest, OutOfRangeWithoutAlarmIsSilent) {
    for (int alarm : {0, 2, -1}) {
        SCOPED_TRACE(testing::Message() << "alarm " << alarm);
        EXPECT_EQ(find(SatColumn::ts, 50, alarm), -1);
        expectNoMessage();
    }
}

TEST_F(FindDataTest, FailureLeavesTheSlotsUntouched) {
    ASSERT_EQ(find(SatColumn::ts, 25), 1);
    ASSERT_EQ(find(SatColumn::ts, 50), -1);
    EXPECT_EQ(H[1], 30);
    EXPECT_EQ(L[1], 20);

    SatRow freshH{}, freshL{};
    EXPECT_EQ(lookup.FindData(SatColumn::ts, 5, freshH, freshL, 0), -1);
    EXPECT_EQ(freshH, SatRow{});
    EXPECT_EQ(freshL, SatRow{});
}

TEST_F(FindDataTest, ValueWithinTheSlackBeyondAnEndIsTheEndRow) {
    struct Case {
        SatColumn column;
        double known;
        double slack;
        double ts;  // of the row in both slots; 0 when out of range
    };
    const Case cases[] = {
        {SatColumn::ts, 40.004, 0.005, 40},    {SatColumn::ts, 9.996, 0.005, 10},
        {SatColumn::ts, 40.006, 0.005, 0},     {SatColumn::ts, 9.99, 0.005, 0},
        {SatColumn::h1, 160.0004, 0.0005, 40}, {SatColumn::ts, 40.004, 0.0, 0},  // no slack: out of range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << data::kSatColumnNames[data::position(c.column)] << " = " << c.known
                                        << ", slack " << c.slack);
        newMessages();
        SatRow high{}, low{};
        const int found = lookup.FindData(c.column, c.known, high, low, 1, c.slack);
        if (c.ts == 0) {
            EXPECT_EQ(found, -1);
            expectOneRangeMessage();
            continue;
        }
        ASSERT_EQ(found, 1);
        EXPECT_EQ(high[1], c.ts);
        EXPECT_EQ(low[1], c.ts);
        expectNoMessage();
    }
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

    int find(SatColumn column, double known) { return lookup.FindData(column, known, H, L, 1); }

    SatRow H{}, L{};
};

TEST_F(TurningColumnTest, HsteamIsBracketedOnTheFirstBranchThatReachesIt) {
    struct Case {
        double known;
        double upperTs, lowerTs;  // Hrs holds the larger h''
    };
    const Case cases[] = {
        {2650, 3, 2},  // rising branch, although 2700 (row 5) and 2600 (row 6) also bracket it
        {2550, 2, 1}, {2725, 4, 3}, {2750, 4, 4},  // the maximum itself
        {2500, 1, 1}, {2450, 6, 7},                // below the first row: only the falling branch reaches it
        {2400, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "h'' = " << c.known);
        ASSERT_EQ(find(SatColumn::h11, c.known), 1);
        EXPECT_EQ(H[1], c.upperTs);
        EXPECT_EQ(L[1], c.lowerTs);
        EXPECT_LE(std::fabs(H[1] - L[1]), 1.0);  // always neighbours
    }
    expectNoMessage();
}

TEST_F(TurningColumnTest, HsteamAboveTheMaximumOfFlaggedRowsIsOutOfRange) {
    // 2755 lies inside the column's range only because of the drawing row with 2760.
    EXPECT_EQ(lookup.checkScale(SatColumn::h11, 2755), 1);
    EXPECT_EQ(find(SatColumn::h11, 2755), -1);
    expectOneRangeMessage();
    EXPECT_EQ(H, SatRow{});
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
        ASSERT_EQ(find(SatColumn::v1, c.known), 1);
        EXPECT_EQ(H[1], c.upperTs);
        EXPECT_EQ(L[1], c.lowerTs);
    }
    newMessages();
    EXPECT_EQ(find(SatColumn::v1, 0.00099999), -1);
    expectOneRangeMessage();
}

// ---------------------------------------------------------------- SQL

class SqlTest : public LookupTest {
protected:
    void SetUp() override {
        FixtureDatabase fixture;
        // A grid t 100/110/120 x p 1/2/3, and one more row at (130, 2.5).
        for (double t : {100.0, 110.0, 120.0})
            for (double p : {1.0, 2.0, 3.0})
                fixture.addGridRow(Source::Water, t, p, 0.001 * p + 1e-5 * t, t + 10 * p, 0.01 * t);
        fixture.addGridRow(Source::Water, 130, 2.5, 0.0038, 155, 1.3);
        open(fixture);
    }

    int sql(double K1, double K2) {
        slots = RowSlots{};
        Choose = 0;
        rowsFound = false;
        return lookup.SQL(db.water(), GridColumn::t, GridColumn::p, K1, K2, slots, Choose, rowsFound);
    }

    static void expectRow(const GridRow& row, double t, double p) {
        EXPECT_EQ(row[1], t);
        EXPECT_EQ(row[2], p);
    }
    static bool untouched(const GridRow& row) { return row == GridRow{}; }

    RowSlots slots;
    int Choose = 0;
    bool rowsFound = false;
};

TEST_F(SqlTest, RowHoldingBothValuesIsChooseOne) {
    EXPECT_EQ(sql(110, 2), 1);
    EXPECT_EQ(Choose, 1);
    EXPECT_TRUE(rowsFound);
    expectRow(slots.ExactRs, 110, 2);
    EXPECT_TRUE(untouched(slots.HrsFixY));
    EXPECT_TRUE(untouched(slots.HrsFixZ));
    EXPECT_TRUE(untouched(slots.HrsUpperY));
    expectNoMessage();
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
        EXPECT_TRUE(untouched(slots.ExactRs));
    }
    expectNoMessage();
}

TEST_F(SqlTest, SecondValueTabulatedOnlyIsChooseThree) {
    sql(105, 2);
    EXPECT_EQ(Choose, 3);
    EXPECT_TRUE(rowsFound);
    expectRow(slots.HrsFixZ, 110, 2);
    expectRow(slots.LrsFixZ, 100, 2);
    expectNoMessage();
}

TEST_F(SqlTest, NeitherValueTabulatedIsChooseFourWithRowsOnBothLines) {
    sql(105, 1.5);
    EXPECT_EQ(Choose, 4);
    EXPECT_TRUE(rowsFound);
    expectRow(slots.HrsUpperY, 110, 2);
    expectRow(slots.LrsUpperY, 110, 1);
    expectRow(slots.HrsLowerY, 100, 2);
    expectRow(slots.LrsLowerY, 100, 1);
    expectNoMessage();
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
        newMessages();
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
    EXPECT_EQ(newMessages(), 2);
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
        slots = RowSlots{};
        ASSERT_EQ(lookup.SQL(db.water(), GridColumn::t, GridColumn::h, c.K1, c.K2, slots, Choose, rowsFound), 1);
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
    expectNoMessage();
    // Beyond the line's values: one range message.
    slots = RowSlots{};
    lookup.SQL(db.water(), GridColumn::t, GridColumn::h, 105, 500, slots, Choose, rowsFound);
    EXPECT_EQ(Choose, 4);
    EXPECT_FALSE(rowsFound);
    expectOneRangeMessage();
}

TEST_F(SqlTest, NonFiniteKnownValueNeverReachesAQuery) {
    const double cases[][2] = {{kInf, 2}, {100, kInf}, {-kInf, 2}, {kNaN, 2}, {100, kNaN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "t " << c[0] << ", p " << c[1]);
        newMessages();
        EXPECT_EQ(sql(c[0], c[1]), 1);
        EXPECT_FALSE(rowsFound);
        expectOneRangeMessage();
        EXPECT_TRUE(untouched(slots.ExactRs));
        EXPECT_TRUE(untouched(slots.HrsFixY));
    }
}

// On a grid line the bracketing rows come from that line only: a value inside the column's
// whole range with no row on one side of it on the line is out of range, as is a line value
// that is no number.
TEST_F(SqlTest, GridLineWithoutARowOnOneSideOrWithoutANumberIsOutOfRange) {
    GridRow H{}, L{};
    struct Case {
        double known1, known2;  // p on the line t = known2
    };
    const Case cases[] = {{2.75, 130}, {2.25, 130}, {1.5, kNaN}, {1.5, 125}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "p " << c.known1 << " on t " << c.known2);
        EXPECT_EQ(lookup.FindData(db.water(), GridColumn::p, c.known1, GridColumn::t, c.known2, H, L, 1), -1);
        expectOneRangeMessage();
        EXPECT_TRUE(untouched(H));
        EXPECT_TRUE(untouched(L));
    }
}

}  // namespace
}  // namespace steam::search
