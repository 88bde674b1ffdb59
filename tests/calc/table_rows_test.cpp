// The rows of a property table's page: the range's two ends always, between them the round
// values of the rule (multiples of the step; m x 10^k for each mantissa m; the textbook's
// 0.01, every 5 C to 100 C, then every 10 C), each the decimal value it names, ascending,
// none twice; and a range that makes no page is told apart by what is wrong with it.
#include "calc/table_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace steam::calc {
namespace {

struct RowsCase {
    const char* rule;
    std::vector<double> rows;
    std::vector<double> expected;  // all the rows, or the first three and the last two
};

void expectRows(const RowsCase& c) {
    SCOPED_TRACE(c.rule);
    ASSERT_FALSE(c.rows.empty());
    for (size_t i = 1; i < c.rows.size(); ++i) EXPECT_LT(c.rows[i - 1], c.rows[i]) << "row " << i;
    if (c.expected.size() == c.rows.size()) {
        EXPECT_EQ(c.rows, c.expected);
        return;
    }
    ASSERT_EQ(c.expected.size(), 5u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(c.rows[i], c.expected[i]) << "row " << i;
    EXPECT_EQ(c.rows[c.rows.size() - 2], c.expected[3]);
    EXPECT_EQ(c.rows.back(), c.expected[4]);
}

TEST(TableRowsTest, EveryRuleRunsFromTheStartToTheEndThroughItsRoundValues) {
    const RowsCase cases[] = {
        {"0.01 to 370 every 10", steppedRows(0.01, 370, 10), {0.01, 10, 20, 360, 370}},
        {"100 to 800 every 50", steppedRows(100, 800, 50), {100, 150, 200, 750, 800}},
        {"tenths", steppedRows(0.1, 0.5, 0.1), {0.1, 0.2, 0.3, 0.4, 0.5}},
        {"ends off the step", steppedRows(3, 27, 5), {3, 5, 10, 15, 20, 25, 27}},
        {"one row", steppedRows(42, 42, 5), {42}},
        {"1-2-5 per decade", decadeRows(0.001, 22, {1, 2, 5}), {0.001, 0.002, 0.005, 20, 22}},
        {"start inside a decade", decadeRows(0.0015, 0.05, {5, 1, 2}), {0.0015, 0.002, 0.005, 0.01, 0.02, 0.05}},
        {"one per decade", decadeRows(0.001, 100, {1}), {0.001, 0.01, 0.1, 1, 10, 100}},
        {"the textbook's temperatures", defaultTemperatureRows(0.01, 373.95), {0.01, 5, 10, 370, 373.95}},
        {"from 50 to 150", defaultTemperatureRows(50, 150), {50, 55, 60, 140, 150}},
    };
    for (const RowsCase& c : cases) expectRows(c);
    // Rows counted: 0.01, 10 ... 370; and the textbook's 0.01, 5 ... 100, 110 ... 370, 373.95.
    EXPECT_EQ(steppedRows(0.01, 370, 10).size(), 38u);
    // The count that guards against too many rows never falls short of them.
    EXPECT_GE(steppedRowCount(0.01, 370, 10), 38.0);
    EXPECT_GE(steppedRowCount(0, 370, 10), double(steppedRows(0, 370, 10).size()));
    EXPECT_EQ(defaultTemperatureRows(0.01, 373.95).size(), 49u);
}

TEST(TableRowsTest, ARangeThatMakesNoPageGivesNoRows) {
    EXPECT_TRUE(steppedRows(10, 5, 1).empty());
    EXPECT_TRUE(steppedRows(0, 10, 0).empty());
    EXPECT_TRUE(steppedRows(0, 10, -1).empty());
    EXPECT_TRUE(steppedRows(0, 10, std::nan("")).empty());
    EXPECT_TRUE(steppedRows(0, 1, 1e-6).empty());  // more than kMaxTableRows
    EXPECT_TRUE(decadeRows(0.001, 1, {10}).empty());
    EXPECT_TRUE(decadeRows(0.001, 1, {}).empty());
    EXPECT_TRUE(decadeRows(0, 1, {1}).empty());
    EXPECT_TRUE(defaultTemperatureRows(100, 50).empty());
}

TEST(TableRowsTest, CheckRangeNamesTheFirstThingWrong) {
    struct Case {
        const char* what;
        PageRange range;
        RangeFault fault;
    };
    const auto range = [](TableKind kind, double from, double to, std::optional<double> step = {}) {
        PageRange r = defaultRange(kind);
        r.from = from;
        r.to = to;
        r.step = step;
        return r;
    };
    PageRange noMantissa = defaultRange(TableKind::SaturationByPressure);
    noMantissa.perDecade = {0.5};
    PageRange highPressure = defaultRange(TableKind::Isobar);
    highPressure.pressure = 150;
    const Case cases[] = {
        {"every default", defaultRange(TableKind::SaturationByTemperature), RangeFault::None},
        {"pressures", defaultRange(TableKind::SaturationByPressure), RangeFault::None},
        {"isobar", defaultRange(TableKind::Isobar), RangeFault::None},
        {"below the triple point", range(TableKind::SaturationByTemperature, 0, 100), RangeFault::FromBeyond},
        {"above the critical point", range(TableKind::SaturationByTemperature, 100, 400), RangeFault::ToBeyond},
        {"ps the box shows at the triple point", range(TableKind::SaturationByPressure, 0.000612, 1), RangeFault::None},
        {"ps below it", range(TableKind::SaturationByPressure, 0.0006, 1), RangeFault::FromBeyond},
        {"beyond the grids", range(TableKind::Isobar, 100, 1200), RangeFault::ToBeyond},
        {"reversed", range(TableKind::SaturationByTemperature, 300, 200), RangeFault::Reversed},
        {"isobar above 100 MPa", highPressure, RangeFault::PressureBeyond},
        {"step zero", range(TableKind::Isobar, 100, 200, 0.0), RangeFault::StepNotPositive},
        {"step too fine", range(TableKind::Isobar, 100, 200, 0.001), RangeFault::TooManyRows},
        {"no mantissa", noMantissa, RangeFault::NoMantissa},
    };
    for (const Case& c : cases) EXPECT_EQ(checkRange(c.range), c.fault) << c.what;
}

}  // namespace
}  // namespace steam::calc
