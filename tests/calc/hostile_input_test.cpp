// Whatever is typed (overflowing numbers, huge dryness, empty boxes), no box of either panel
// ever shows "nan" or "inf" after a calculation, and a refused calculation leaves the typed
// texts as they were.
#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace steam::calc {
namespace {

using namespace test;

const char* kHostile[] = {"1e999", "-1e999", "1e300", "-1e300", "", "1e-999", "   ", "(none)", "none", "-0"};

TEST(HostileInputTest, SaturationBoxesNeverShowNonFiniteNumbers) {
    for (int index = 0; index < 8; ++index) {
        for (const char* text : kHostile) {
            SCOPED_TRACE(testing::Message() << PropertyColumn[index + 1] << " typed \"" << text << "\"");
            const SaturationOutcome out = SCAL_Click(realTables(), saturationPanel(index, text));
            for (const std::string& box : out.panel.text) EXPECT_TRUE(showsNoNonFinite(box)) << "\"" << box << "\"";
            if (out.result) {
                for (double v : *out.result) EXPECT_TRUE(std::isfinite(v));
            }
        }
    }
}

TEST(HostileInputTest, StateBoxesNeverShowNonFiniteNumbers) {
    // Every pair, with the hostile text in the first or the second box and a sane value in
    // the other.
    const char* sane[] = {"200", "3.5", "0.1", "2800", "6.5", "0.5"};
    for (int first = T; first < X; ++first) {
        for (int second = first + 1; second < 6; ++second) {
            for (int hostileBox : {first, second}) {
                for (const char* text : kHostile) {
                    SCOPED_TRACE(testing::Message() << "pair "
                                                    << "tpvhsx"[first] << ","
                                                    << "tpvhsx"[second] << "; "
                                                    << "tpvhsx"[hostileBox] << " = \"" << text << "\"");
                    const int other = hostileBox == first ? second : first;
                    const StateOutcome out = calculate({{hostileBox, text}, {other, sane[other]}});
                    for (const std::string& box : out.panel.text)
                        EXPECT_TRUE(showsNoNonFinite(box)) << "\"" << box << "\"";
                    // The current result is marked on the diagram: a refused number left in its
                    // box is no point to mark.
                    for (double v : out.result) EXPECT_TRUE(std::isfinite(v));
                }
            }
        }
    }
}

TEST(HostileInputTest, HugeDrynessIsShownOrRefusedButNeverOverflows) {
    for (const char* x : {"1e300", "-1e300", "1e306", "1e308", "1e999", "-1e999"}) {
        for (int first : {T, P}) {
            SCOPED_TRACE(testing::Message() << "tp"[first] << " with x = " << x);
            const StatePanel panel = statePanel({{first, first == T ? "100" : "1"}, {X, x}});
            const StateOutcome out = SCAL2_Click(realTables(), panel);
            for (const std::string& box : out.panel.text) EXPECT_TRUE(showsNoNonFinite(box)) << "\"" << box << "\"";
            if (!out.messages.empty()) {
                ASSERT_EQ(out.messages.size(), 1u);
                EXPECT_EQ(panels::messageText(out.messages[0]).text, "超出可选范围，请重新输入");
                EXPECT_EQ(out.panel.text, panel.text);
            }
        }
    }
}

TEST(HostileInputTest, OverflowingKnownValueIsOutOfRangeWithTheUsualMessage) {
    struct Case {
        std::vector<std::pair<int, std::string>> known;
    };
    const Case cases[] = {
        {{{T, "1e999"}, {P, "3.5"}}}, {{{T, "200"}, {P, "1e999"}}}, {{{P, "1"}, {H, "1e999"}}},
        {{{P, "1"}, {S, "-1e999"}}},  {{{T, "1e999"}, {V, "0.1"}}}, {{{P, "1e999"}, {H, "3000"}}},
    };
    for (const Case& c : cases) {
        const StatePanel panel = statePanel(c.known);
        const StateOutcome out = SCAL2_Click(realTables(), panel);
        SCOPED_TRACE(testing::Message() << c.known[0].second << ", " << c.known[1].second);
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(panels::messageText(out.messages[0]).text, "超出可选范围，请重新输入");
        EXPECT_EQ(panels::messageText(out.messages[0]).title, "提醒");
        EXPECT_EQ(out.panel.text, panel.text);
    }
}

}  // namespace
}  // namespace steam::calc
