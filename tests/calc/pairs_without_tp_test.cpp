// States given by two of v, h, s and x: the saturation line decides between wet, water and
// steam; a wet state is found along it (the coldest where a pair names several), shown as the
// wet results are; s and h as the diagram's pick leaves them compute; a pair that names no
// state in the tables gets the range message and changes nothing.
#include "panels/state_panel.h"

#include "calc_test_support.h"
#include "conditioning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace steam::calc {
namespace {

using namespace test;

// The six pairs of v, h, s and x.
constexpr std::pair<int, int> kPairs[] = {{V, H}, {V, S}, {V, X}, {H, S}, {H, X}, {S, X}};

double shown(const StateOutcome& out, int box) { return numeric::readNumber(out.panel.text[box]); }

// The coldest ts (C) at which the mixture of dryness x has value z in box k (V, H or S).
double coldestWet(int k, double z, double x) {
    const auto value = [&](double ts) { return accuracy::wetPropertiesAt(ts, x)[k] - z; };
    for (double ts = 0.01; ts < 373.94; ts += 0.1) {
        const double next = std::min(ts + 0.1, 373.94);
        if ((value(ts) < 0) != (value(next) < 0)) return bisect(value, ts, next);
    }
    return NAN;
}

// A wet result: general text in every box, each output within its allowed error of IAPWS-95
// at (ts, x).
void expectWet(const StateOutcome& out, double ts, double x, int first, int second) {
    ASSERT_TRUE(out.answered) << (out.messages.empty() ? "" : panels::messageText(out.messages.front()).text);
    EXPECT_EQ(out.region, RegionWet);
    const accuracy::WetProperties truth = accuracy::wetPropertiesAt(ts, x);
    const accuracy::WetProperties allowed = accuracy::wetAllowedErrors(ts, x, first, second);
    for (int k : {T, P, V, H, S, X, U}) {
        EXPECT_EQ(out.panel.text[k], numeric::generalText(shown(out, k))) << "box " << k;
        EXPECT_LE(std::fabs(shown(out, k) - truth[k]), allowed[k])
            << "tpvhsxu"[k] << " \"" << out.panel.text[k] << "\", IAPWS-95 " << truth[k] << ", allowed " << allowed[k];
    }
}

TEST(PairsWithoutTPTest, StateInsideTheDomeIsWetAndTakenFromTheSaturationLine) {
    // Across the dome, near its edges and in the near-critical band; each pair typed in full.
    const double states[][2] = {{100, 0.5}, {20, 0.01}, {200, 0.99}, {300, 0.3}, {0.5, 0.9},
                                {365, 0.6}, {372, 0.1}, {250, 0.0},  {150, 1.0}, {355, 0.97}};
    for (const auto& [ts, x] : states) {
        const accuracy::WetProperties truth = accuracy::wetPropertiesAt(ts, x);
        for (const auto& [first, second] : kPairs) {
            SCOPED_TRACE(testing::Message() << "tpvhsx"[first] << ","
                                            << "tpvhsx"[second] << " at ts " << ts << ", x " << x);
            const StateOutcome out = calculate({{first, typed(truth[first])}, {second, typed(truth[second])}});
            // With x, the coldest state of that mixture (the drawn one, or one before it).
            const double coldest = second == X ? coldestWet(first, truth[first], x) : ts;
            if (x == 0.0 || x == 1.0) {
                // At the edge of the dome the pair names saturated water or steam, which the
                // tables may also put just inside the single-phase region.
                ASSERT_TRUE(out.answered);
                EXPECT_NEAR(shown(out, T), coldest, 0.05);
                continue;
            }
            expectWet(out, coldest, x, first, second);
        }
    }
}

TEST(PairsWithoutTPTest, PairThatNamesSeveralWetStatesGetsTheColdest) {
    struct Case {
        int box;
        double ts, x;  // a state whose mixture value is also had at a colder ts
    };
    // h of a mixture with x near 1 has a highest point near 235 C; s with x = 0.5 a lowest near
    // 115 C and a highest near 338 C; v' a lowest near 4 C.
    const Case cases[] = {{H, 280, 0.95}, {H, 320, 0.999}, {S, 200, 0.5}, {S, 360, 0.5}, {V, 8, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tpvhsx"[c.box] << " at ts " << c.ts << ", x " << c.x);
        const double z = accuracy::wetPropertiesAt(c.ts, c.x)[c.box];
        const double coldest = coldestWet(c.box, z, c.x);
        ASSERT_LT(coldest, c.ts - 3);
        const StateOutcome out = calculate({{c.box, typed(z)}, {X, typed(c.x)}});
        ASSERT_TRUE(out.answered);
        // One of the states exactly, never a blend: the coldest, within its allowance.
        const double allowed = accuracy::wetAllowedErrors(coldest, c.x, c.box, X)[T];
        EXPECT_LE(std::fabs(shown(out, T) - coldest), allowed);
        EXPECT_NEAR(shown(out, c.box), z, 0.5 * unit(9 + c.box) * (1 + 1e-9));
    }
}

TEST(PairsWithoutTPTest, EntropyAndEnthalpyAsThePickLeavesThemCompute) {
    // s and h ticked, the other four unticked and locked, the picked values with three decimals
    // as the coordinate read-out shows them, and an earlier answer still in the other boxes.
    struct Case {
        const char *s, *h;
        int region;
    };
    const Case cases[] = {{"6.500", "2900.000", RegionVapor}, {"5.000", "2000.000", RegionWet},
                          {"1.000", "400.000", RegionWater},  {"4.300", "2100.000", RegionWater},
                          {"1.000", "300.000", RegionWet},    {"8.800", "3600.000", RegionVapor}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "s " << c.s << ", h " << c.h);
        const StatePanel panel = afterAnAnswer({{S, c.s}, {H, c.h}});
        ASSERT_FALSE(panel.chkEnabled[T]);
        const StateOutcome out = SCAL2_Click(realTables(), panel);
        ASSERT_TRUE(out.answered) << (out.messages.empty() ? "" : panels::messageText(out.messages.front()).text);
        EXPECT_EQ(out.pairCase, PairHS);
        EXPECT_EQ(out.region, c.region);
        EXPECT_NEAR(out.result[S], numeric::readNumber(c.s), 0.5 * unit(13) * (1 + 1e-9));
        EXPECT_NEAR(out.result[H], numeric::readNumber(c.h), 0.5 * unit(12) * (1 + 1e-9));
        // At the state found, IAPWS-95 has the picked s within its allowance.
        if (out.region != RegionWet) {
            const iapws95::State st = stableState(out.result[T], out.result[P]);
            EXPECT_LE(std::fabs(st.h - out.result[H]), 0.2) << "IAPWS-95 h at the shown t and p";
            EXPECT_LE(std::fabs(st.s - out.result[S]), 2e-4) << "IAPWS-95 s at the shown t and p";
        }
    }
}

// u'' rises to a highest value near 236 C and falls again: a line of constant u below it meets
// saturated steam twice, wet between the meetings and steam again beyond the second, at higher
// pressures. v and u of a rigid tank name those states too.
TEST(PairsWithoutTPTest, LineOfInternalEnergyMeetsSaturatedSteamTwice) {
    const double wetStates[][2] = {{300, 0.9}, {250, 0.97}};  // ts, x
    for (const auto& [ts, x] : wetStates) {
        SCOPED_TRACE(testing::Message() << "v and u at ts " << ts << ", x " << x);
        const accuracy::WetProperties truth = accuracy::wetPropertiesAt(ts, x);
        expectWet(calculate({{V, typed(truth[V])}, {U, typed(truth[U])}}), ts, x, V, U);
    }
    const double steamStates[][2] = {{350.33, 15.03}, {330, 11}, {365, 19}};  // t, p
    for (const auto& [t, p] : steamStates) {
        SCOPED_TRACE(testing::Message() << "v and u at t " << t << ", p " << p);
        const accuracy::Properties truth = accuracy::propertiesAt(t, p, iapws95::Branch::Vapour);
        const StateOutcome out = calculate({{V, typed(truth[V])}, {U, typed(truth[U])}});
        ASSERT_TRUE(out.answered);
        EXPECT_EQ(out.region, RegionVapor);
        const accuracy::Properties allowed = accuracy::allowedErrorsWithoutTP(t, p, iapws95::Branch::Vapour, V, U);
        for (int k : {T, P, V, H, S, U})
            EXPECT_LE(std::fabs(out.result[k] - truth[k]), allowed[k])
                << "tpvhsxu"[k] << " \"" << out.panel.text[k] << "\"";
    }
}

TEST(PairsWithoutTPTest, PairThatNamesNoStateIsRefusedAndChangesNothing) {
    const std::vector<std::pair<int, std::string>> cases[] = {
        {{V, "1"}, {X, "1.5"}},      {{H, "2000"}, {X, "-0.1"}}, {{S, "5"}, {X, "1.0001"}},
        {{H, "2700"}, {X, "0.9"}},    // above the highest h of any mixture with x = 0.9
        {{V, "0.0005"}, {X, "0.5"}},  // denser than saturated water
        {{H, "5000"}, {S, "1"}},     {{V, "1000"}, {H, "100"}},  {{H, "-50"}, {S, "7"}},
        {{V, "0.001"}, {S, "9"}},    {{H, "4500"}, {S, "6"}},  // hotter than the tables reach
        {{V, "1e999"}, {S, "7"}},    {{H, "nan"}, {X, "0.5"}},
    };
    for (const auto& known : cases) {
        SCOPED_TRACE(testing::Message() << "tpvhsx"[known[0].first] << " " << known[0].second << ", "
                                        << "tpvhsx"[known[1].first] << " " << known[1].second);
        const StatePanel panel = afterAnAnswer(known);
        const StateOutcome out = SCAL2_Click(realTables(), panel);
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(panels::messageText(out.messages[0]).text, "超出可选范围，请重新输入");
        EXPECT_EQ(panels::messageText(out.messages[0]).title, "提醒");
        EXPECT_FALSE(out.answered);
        EXPECT_EQ(out.result, (RegisterStore::StateValues{}));
        for (int k = 0; k < 6; ++k) EXPECT_EQ(out.panel.text[k], panel.ticked[k] ? panel.text[k] : "0") << "box " << k;
    }
}

}  // namespace
}  // namespace steam::calc
