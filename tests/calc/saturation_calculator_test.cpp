// The saturation calculation on the generated tables: one known property fills all eight
// boxes with their fixed decimals, within one displayed unit of IAPWS-95 at the value as
// typed; a value shown at the end of its column is taken back as the end row; an
// out-of-range value adds one message and leaves no earlier answer beside it; h'' takes the
// low-temperature branch; nothing happens before an option is chosen.
#include "panels/saturation_panel.h"

#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace steam::calc {
namespace {

using namespace test;

void expectBoxesNear(const SaturationOutcome& out, const std::array<double, 8>& reference, double units) {
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(testing::Message() << "box " << PropertyColumn[i + 1] << " = \"" << out.panel.text[i]
                                        << "\", IAPWS-95 " << reference[i]);
        const std::string& text = out.panel.text[i];
        ASSERT_NE(text.find('.'), std::string::npos);
        EXPECT_EQ(text.size() - text.find('.') - 1, static_cast<size_t>(PropertyDecimals[i + 1]));
        EXPECT_LE(std::fabs(numeric::readNumber(text) - reference[i]), units * unit(i + 1));
    }
}

TEST(SaturationCalculatorTest, TemperatureFillsEveryBoxWithinOneDisplayedUnit) {
    const double temperatures[] = {0.01, 1.85, 4.0, 25.0, 99.974, 100.0, 176.85, 234.5, 300.3, 351.85, 370.0, 373.5};
    for (double ts : temperatures) {
        SCOPED_TRACE(testing::Message() << "ts typed " << ts);
        const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(0, typed(ts)));
        EXPECT_TRUE(out.messages.empty());
        ASSERT_TRUE(out.result.has_value());
        expectBoxesNear(out, saturationReference(ts), 1.0);
    }
}

TEST(SaturationCalculatorTest, HundredDegreesShowsTheTabulatedRowRounded) {
    const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(0, "100"));
    EXPECT_EQ(out.panel.text[0], "100.00");
    // 100 C is a row of the table: every box is that row's IAPWS-95 value, correctly rounded.
    expectBoxesNear(out, saturationReference(100.0), 0.5 + 1e-6);
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(out.panel.enabled[i]) << "box " << i;
        EXPECT_EQ(out.panel.white[i], i == 0) << "box " << i;  // backgrounds as the option left them
    }
    ASSERT_TRUE(out.result.has_value());
    for (int i = 0; i < 8; ++i) EXPECT_EQ((*out.result)[i], numeric::readNumber(out.panel.text[i])) << "box " << i;
}

// T (C) where column `index` of the saturation line takes `value`, near `around`.
double temperatureWhere(int index, double value, double around) {
    auto f = [&](double ts) { return saturationReference(ts)[index] - value; };
    double a = std::max(0.01, around - 2), b = std::min(373.9, around + 2);
    return bisect(f, a, b);
}

TEST(SaturationCalculatorTest, EveryMonotonicInputAgreesWithIapws95) {
    // The known value is typed as it would be shown (its own decimals), so every box belongs
    // to the state where that column has exactly the typed value.
    const double temperatures[] = {12.3, 75.25, 150.7, 225.3, 300.9, 360.2};
    for (int index = 1; index < 8; ++index) {
        for (double around : temperatures) {
            if (index == 5 && around > 220) continue;  // h'' turns near 235 C
            SCOPED_TRACE(testing::Message() << "known " << PropertyColumn[index + 1] << " near ts " << around);
            const std::string text =
                numeric::fixedText(saturationReference(around)[index], PropertyDecimals[index + 1]);
            const double known = numeric::readNumber(text);
            const double ts = temperatureWhere(index, known, around);
            SCOPED_TRACE(testing::Message() << "typed \"" << text << "\", IAPWS-95 ts " << ts);
            const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(index, text));
            EXPECT_TRUE(out.messages.empty());
            EXPECT_EQ(out.panel.text[index], text);
            expectBoxesNear(out, saturationReference(ts), 1.0);
        }
    }
}

// Typed with more digits than the box shows, the known value still names one state: all eight
// boxes belong to it, and the known box shows the value with its fixed decimals.
TEST(SaturationCalculatorTest, EveryBoxFollowsTheValueAsTyped) {
    struct Case {
        int index;
        const char* text;
        const char* shown;
        double around;  // ts near the state
    };
    const Case cases[] = {{0, "100.123", "100.12", 100},
                          {4, "1000.004", "1000.00", 232},
                          {3, "0.00404500211", "0.00405", 373},
                          {1, "0.0008135483554", "0.000814", 4},
                          {7, "6.54321", "6.5432", 185}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << PropertyColumn[c.index + 1] << " typed " << c.text);
        const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(c.index, c.text));
        ASSERT_TRUE(out.answered);
        EXPECT_EQ(out.panel.text[c.index], c.shown);
        const double ts = c.index == 0 ? numeric::readNumber(c.text)
                                       : temperatureWhere(c.index, numeric::readNumber(c.text), c.around);
        const auto reference = saturationReference(ts);
        for (int i = 0; i < 8; ++i) {
            if (i == c.index) continue;
            EXPECT_LE(std::fabs(numeric::readNumber(out.panel.text[i]) - reference[i]), unit(i + 1))
                << "box " << PropertyColumn[i + 1] << " \"" << out.panel.text[i] << "\", IAPWS-95 " << reference[i];
        }
        // The current result holds the values as shown.
        ASSERT_TRUE(out.result.has_value());
        for (int i = 0; i < 8; ++i) EXPECT_EQ((*out.result)[i], numeric::readNumber(out.panel.text[i]));
    }
    // ts 100.123 and 100.12 differ by 11 units of the last decimal of ps: the typed value counts.
    const SaturationOutcome rounded = SCAL_Click(realTables(), saturationPanel(0, "100.12"));
    const SaturationOutcome typedMore = SCAL_Click(realTables(), saturationPanel(0, "100.123"));
    EXPECT_GT(std::fabs(numeric::readNumber(typedMore.panel.text[1]) - numeric::readNumber(rounded.panel.text[1])),
              5 * unit(2));
}

// A value the panel shows at the end of its column, typed back, lies beyond the end row by no
// more than half a unit of its last decimal: it names the end row. Just beyond is out of range.
TEST(SaturationCalculatorTest, ValuesShownAtTheEndsOfTheirColumnsNameTheEndRow) {
    struct Case {
        int index;
        const char* text;
        bool critical;  // the end row at the critical point, else the one at 0.01 C
    };
    const Case cases[] = {{0, "373.95", true},  {0, "373.946", true}, {1, "22.064", true},    {1, "22.0640004", true},
                          {4, "2084.26", true}, {6, "4.4070", true},  {0, "0.005", false},    {4, "0.00", false},
                          {6, "0.0000", false}, {7, "9.1555", false}, {1, "0.0006115", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << PropertyColumn[c.index + 1] << " typed " << c.text);
        const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(c.index, c.text));
        EXPECT_TRUE(out.messages.empty());
        ASSERT_TRUE(out.answered);
        EXPECT_EQ(out.panel.text[0], c.critical ? "373.95" : "0.01");
        EXPECT_EQ(out.panel.text[1], c.critical ? "22.064000" : "0.000612");
        for (const std::string& text : out.panel.text) EXPECT_TRUE(showsNoNonFinite(text)) << text;
    }
    for (const Case& beyond :
         {Case{0, "373.956", true}, Case{1, "22.0640006", true}, Case{4, "-0.01", false}, Case{7, "9.1556", false}}) {
        SCOPED_TRACE(testing::Message() << PropertyColumn[beyond.index + 1] << " typed " << beyond.text);
        const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(beyond.index, beyond.text));
        EXPECT_FALSE(out.answered);
        EXPECT_EQ(out.messages.size(), 1u);
    }
}

TEST(SaturationCalculatorTest, OutOfRangeGivesOneMessageAndLeavesNoEarlierAnswer) {
    struct Case {
        int index;
        const char* text;
    };
    const Case cases[] = {{0, "0"},        {0, "374"},    {0, "-5"},     {0, "abc"},   {0, ""},
                          {1, "22.07"},    {1, "0.0006"}, {2, "0.0009"}, {3, "0.001"}, {5, "2804"},
                          {5, "2400.5e9"}, {6, "-0.01"},  {7, "9.2"},    {4, "1e999"}, {1, "-1e999"}};
    // An earlier answer stands in the boxes and is the current result.
    const SaturationOutcome earlier = SCAL_Click(realTables(), saturationPanel(0, "150"));
    ASSERT_TRUE(earlier.answered);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << PropertyColumn[c.index + 1] << " typed \"" << c.text << "\"");
        SaturationPanel before = earlier.panel;
        OPT_Click(before, c.index);
        before.text[c.index] = c.text;
        const SaturationOutcome out = SCAL_Click(realTables(), before);
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(panels::messageText(out.messages[0]).text, "超出可选范围，请重新输入");
        EXPECT_EQ(panels::messageText(out.messages[0]).title, "提醒");
        EXPECT_FALSE(out.answered);
        // No result: the saturated points leave the diagram, and the other boxes show "0".
        ASSERT_TRUE(out.result.has_value());
        EXPECT_EQ(*out.result, RegisterStore::SatValues{});
        for (int i = 0; i < 8; ++i) EXPECT_EQ(out.panel.text[i], i == c.index ? c.text : "0") << "box " << i;
        EXPECT_EQ(out.panel.enabled, before.enabled);
        EXPECT_EQ(out.panel.white, before.white);
    }
}

TEST(SaturationCalculatorTest, HsteamTakesTheLowTemperatureBranch) {
    // h'' at 350 C is also reached near 35 C: the lower state is shown.
    const double hHigh = saturationReference(350.0)[5];
    const std::string text = numeric::fixedText(hHigh, 2);
    const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(5, text));
    ASSERT_TRUE(out.result.has_value());
    const double tsLow = temperatureWhere(5, numeric::readNumber(text), 35);
    EXPECT_LT(tsLow, 100);
    expectBoxesNear(out, saturationReference(tsLow), 1.0);

    // Below the value at the triple point only the high branch has it.
    const SaturationOutcome high = SCAL_Click(realTables(), saturationPanel(5, "2400.00"));
    ASSERT_TRUE(high.result.has_value());
    const double tsHigh = bisect([](double ts) { return saturationReference(ts)[5] - 2400.0; }, 340, 373.9);
    EXPECT_GT(tsHigh, 355);
    expectBoxesNear(high, saturationReference(tsHigh), 1.0);
}

TEST(SaturationCalculatorTest, HsteamNearItsMaximumStaysOnTheRisingBranch) {
    // Between the two states that share an h'' just below the maximum, a chord across the
    // top would give a temperature near the maximum; the shown state is on the rising side.
    double tsMax = bisect(
        [](double ts) { return saturationReference(ts + 1e-3)[5] - saturationReference(ts - 1e-3)[5]; }, 200, 260);
    const double hMax = saturationReference(tsMax)[5];
    const std::string text = numeric::fixedText(hMax - 0.5, 2);
    const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(5, text));
    ASSERT_TRUE(out.result.has_value()) << "h'' max " << hMax << " at " << tsMax;
    const double tsLow =
        bisect([&](double ts) { return saturationReference(ts)[5] - numeric::readNumber(text); }, 150, tsMax);
    expectBoxesNear(out, saturationReference(tsLow), 1.0);
    EXPECT_LT(numeric::readNumber(out.panel.text[0]), tsMax - 3);

    const SaturationOutcome above = SCAL_Click(realTables(), saturationPanel(5, numeric::fixedText(hMax + 0.02, 2)));
    EXPECT_FALSE(above.answered);
    EXPECT_EQ(above.messages.size(), 1u);
}

TEST(SaturationCalculatorTest, CriticalRowShowsFiniteEqualPhases) {
    const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(0, "373.946"));
    ASSERT_TRUE(out.answered);
    EXPECT_EQ(out.panel.text[1], "22.064000");
    EXPECT_EQ(out.panel.text[4], out.panel.text[5]);  // h' = h''
    EXPECT_EQ(out.panel.text[6], out.panel.text[7]);  // s' = s''
    for (const std::string& text : out.panel.text) EXPECT_TRUE(showsNoNonFinite(text)) << text;
}

TEST(SaturationCalculatorTest, NothingHappensBeforeAnOptionIsChosen) {
    SaturationPanel panel;  // as at start-up: no option, SatChoice 0
    panel.text[0] = "100";
    const SaturationOutcome out = SCAL_Click(realTables(), panel);
    EXPECT_TRUE(out.messages.empty());
    EXPECT_FALSE(out.result.has_value());
    EXPECT_EQ(out.panel.text, panel.text);
    EXPECT_EQ(out.panel.enabled, panel.enabled);
}

TEST(SaturationCalculatorTest, AfterResetTheRememberedChoiceReadsZeroAndIsOutOfRange) {
    const SaturationPanel cleaned = cmdClean_Click(saturationPanel(0, "100"));
    const SaturationOutcome out = SCAL_Click(realTables(), cleaned);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(panels::messageText(out.messages[0]).text, "超出可选范围，请重新输入");
    EXPECT_FALSE(out.answered);
    EXPECT_EQ(out.panel.text, cleaned.text);
}

}  // namespace
}  // namespace steam::calc
