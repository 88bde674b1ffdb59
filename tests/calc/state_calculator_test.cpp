// The state calculation on the generated tables: the input check and its messages in order,
// the critical split (strictly above 373.95 C / 22.064 MPa), the region decision against the
// rounded saturation values, wet and dryness results in general text, the single-phase search
// with Choose 1 to 4 in fixed decimals, and the closing step after every outcome.
#include "panels/state_panel.h"

#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace steam::calc {
namespace {

using namespace test;
using Known = std::vector<std::pair<int, std::string>>;

const char* kNotice = "注意";

std::string describe(const Known& known) {
    std::string out;
    const char* names = "tpvhsx";
    for (const auto& [box, text] : known) out += std::string(1, names[box]) + "=" + text + " ";
    return out;
}

// After every calculation all six boxes are enabled; the current result is the boxes read
// back after an answer, and no state at all (zeros, no marker) after a message.
void expectClosingStep(const StateOutcome& out) {
    EXPECT_EQ(out.answered, out.messages.empty());
    for (int k = 0; k < 6; ++k) {
        EXPECT_TRUE(out.panel.enabled[k]) << "value box " << k;
        EXPECT_EQ(out.result[k], out.answered ? numeric::readNumber(out.panel.text[k]) : 0.0) << "value box " << k;
    }
}

// A message past the input check: the typed values stay, every other box shows "0".
void expectNoAnswerBeside(const StateOutcome& out, const StatePanel& typed) {
    EXPECT_FALSE(out.answered);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(out.panel.text[k], typed.ticked[k] ? typed.text[k] : "0") << "value box " << k;
    expectClosingStep(out);
}

// Single-phase boxes: fixed decimals 2 6 8 2 4, "(none)" for x, and each value within the
// tables' accuracy (t 0.05 K, p and v 2e-4 relative, h 0.05 kJ/kg, s 1e-4 kJ/(kg K)) plus
// half a displayed unit.
void expectSinglePhase(const StateOutcome& out, const std::array<double, 5>& reference) {
    EXPECT_EQ(out.panel.text[X], "(none)");
    const double tolerance[] = {0.005 + 0.05, 0.5e-6 + 2e-4 * reference[1], 0.5e-8 + 2e-4 * reference[2], 0.005 + 0.05,
                                0.5e-4 + 1e-4};
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(testing::Message() << "box "
                                        << "tpvhs"[k] << " = \"" << out.panel.text[k] << "\", IAPWS-95 "
                                        << reference[k]);
        const std::string& text = out.panel.text[k];
        ASSERT_NE(text.find('.'), std::string::npos);
        EXPECT_EQ(text.size() - text.find('.') - 1, static_cast<size_t>(PropertyDecimals[9 + k]));
        EXPECT_LE(std::fabs(numeric::readNumber(text) - reference[k]), tolerance[k]);
    }
}

// ---------------------------------------------------------------- the input check

TEST(StateInputCheckTest, AnythingButTwoTicksGetsTheCountMessageAndNothingIsCalculated) {
    const std::vector<int> cases[] = {{}, {5}, {0}, {1}, {3}, {0, 1, 2}, {2, 3, 4}};
    for (const auto& ticks : cases) {
        SCOPED_TRACE(testing::Message() << ticks.size() << " ticks" << (ticks.empty() ? "" : ", first ")
                                        << (ticks.empty() ? -1 : ticks[0]));
        StatePanel panel;
        panel.text = {"200", "3.5", "0.001", "853", "2.3", "0.5"};
        for (int k : ticks) panel.ticked[k] = true;
        CHK_Click(panel);
        const StateOutcome out = SCAL2_Click(realTables(), panel);
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(panels::messageText(out.messages[0]).text, "必须输入2个参数!");
        EXPECT_EQ(panels::messageText(out.messages[0]).title, kNotice);
        EXPECT_EQ(panels::messageText(out.messages[0]).icon, panels::MessageIcon::Exclamation);
        EXPECT_EQ(out.panel.text, panel.text);
        EXPECT_EQ(out.region, RegionNone);
        EXPECT_EQ(out.Choose, 0);
        expectClosingStep(out);
    }
}

TEST(StateInputCheckTest, EveryPairOfBoxesIsAPairInBoxOrder) {
    // All fifteen pairs, the first known the first ticked box in the order t p v h s x.
    int expected = PairTP;
    for (int first = T; first <= S; ++first) {
        for (int second = first + 1; second <= X; ++second, ++expected) {
            const StateOutcome out = calculate({{second, "1"}, {first, "1"}});
            EXPECT_EQ(out.pairCase, expected) << "tpvhsx"[first] << ","
                                              << "tpvhsx"[second];
            for (const auto& m : out.messages) EXPECT_NE(panels::messageText(m).text, "必须输入2个参数!");
        }
    }
    EXPECT_EQ(expected, PairSX + 1);
}

// ---------------------------------------------------------------- 200 C and 3.5 MPa, and Choose

TEST(StateSearchTest, TwoHundredDegreesAndThreeAndAHalfMegapascalIsCompressedWaterFromAnExactRow) {
    const StateOutcome out = calculate({{T, "200"}, {P, "3.5"}});
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(out.region, RegionWater);
    EXPECT_EQ(out.Choose, 1);
    EXPECT_EQ(out.panel.text[T], "200.00");
    EXPECT_EQ(out.panel.text[P], "3.500000");
    EXPECT_EQ(out.panel.text[X], "(none)");
    // An exact row: each value is the IAPWS-95 value correctly rounded.
    const auto reference = stateReference(iapws95::stateTP(200 + kKelvin, 3.5, iapws95::Branch::Liquid));
    for (int k = 2; k < 5; ++k)
        EXPECT_LE(std::fabs(numeric::readNumber(out.panel.text[k]) - reference[k]), 0.5 * unit(9 + k) * (1 + 1e-9))
            << "box " << k << " \"" << out.panel.text[k] << "\" IAPWS-95 " << reference[k];
    expectClosingStep(out);
    EXPECT_EQ(out.result[X], 0.0);
}

TEST(StateSearchTest, EachGridMatchKindAgreesWithIapws95) {
    // WATER and VAPOR tabulate whole kelvins here and three-digit pressures 3.50/3.55, 1.00/1.02.
    struct Case {
        double t, p;
        int choose;
        int region;
    };
    const Case cases[] = {
        {200, 3.5, 1, RegionWater},     {200, 3.52, 2, RegionWater},   {200.5, 3.5, 3, RegionWater},
        {200.5, 3.52, 4, RegionWater},  {300, 1, 1, RegionVapor},      {301, 1.01, 2, RegionVapor},
        {300.5, 1.02, 3, RegionVapor},  {300.5, 1.01, 4, RegionVapor}, {500, 30, 1, RegionWater},
        {612.3, 45.67, 4, RegionWater}, {450.5, 10, 3, RegionVapor},   {60, 0.0123, 2, RegionVapor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "t " << c.t << ", p " << c.p);
        const StateOutcome out = calculate({{T, typed(c.t)}, {P, typed(c.p)}});
        EXPECT_TRUE(out.messages.empty());
        EXPECT_EQ(out.region, c.region);
        EXPECT_EQ(out.Choose, c.choose);
        expectSinglePhase(out, stateReference(stableState(c.t, c.p)));
        expectClosingStep(out);
    }
}

TEST(StateSearchTest, ValueOutsideTheTableGivesTheRangeMessageAndNoAnswer) {
    struct Case {
        Known known;
        int region;
    };
    const Case cases[] = {
        {{{T, "400"}, {V, "0.001"}}, RegionWater},  // denser than any tabulated water at 400 C
        {{{T, "1001"}, {P, "1"}}, RegionVapor},     // beyond the last isotherm (1000 C)
        {{{P, "150"}, {H, "2000"}}, RegionWater},   // beyond the last isobar
        {{{T, "200"}, {S, "99"}}, RegionVapor},
        {{{T, "200"}, {H, "852.0"}}, RegionWater},  // below h' at 200 C no compressed water exists
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c.known));
        const StatePanel panel = afterAnAnswer(c.known);
        const StateOutcome out = SCAL2_Click(realTables(), panel);
        EXPECT_EQ(out.region, c.region);
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(panels::messageText(out.messages[0]).text, "超出可选范围，请重新输入");
        EXPECT_EQ(panels::messageText(out.messages[0]).title, "提醒");
        expectNoAnswerBeside(out, panel);
    }
}

// The tables hold metastable rows past saturation (and liquid under tension) for bracketing;
// a result on the far side of the saturation line is refused rather than shown as water or
// steam. Sweeps the second value just inside each single-phase side of the saturated values.
TEST(StateSearchTest, ResultIsNeverOnTheFarSideOfSaturation) {
    for (double t : {5.5, 20.25, 50.5, 120.3, 200.0, 250.7, 300.2, 350.6}) {
        const iapws95::Saturation sat = iapws95::saturationT(t + kKelvin);
        const double ps = numeric::sswr(sat.p, 6);
        const struct {
            int box;
            double liquid, vapour, step;
        } seconds[] = {{V, sat.liquid.v, sat.vapour.v, 1e-6},
                       {H, sat.liquid.h, sat.vapour.h, 0.3},
                       {S, sat.liquid.s, sat.vapour.s, 1e-3}};
        for (const auto& second : seconds) {
            for (double offset : {1.0, 3.0, 10.0}) {
                for (const bool water : {true, false}) {
                    const double z =
                        water ? second.liquid - offset * second.step : second.vapour + offset * second.step;
                    const Known known{{T, numeric::generalText(t)}, {second.box, numeric::generalText(z)}};
                    SCOPED_TRACE(describe(known));
                    const StateOutcome out = calculate(known);
                    if (out.region != (water ? RegionWater : RegionVapor) || !out.messages.empty()) continue;
                    const double p = numeric::readNumber(out.panel.text[P]);
                    if (water)
                        EXPECT_GE(p, ps) << "saturation pressure " << ps;
                    else
                        EXPECT_LE(p, ps) << "saturation pressure " << ps;
                }
            }
        }
    }
}

TEST(StateSearchTest, SupercriticalVolumeDecidesTheTable) {
    const StateOutcome water = calculate({{T, "400"}, {V, "0.001"}});
    EXPECT_EQ(water.region, RegionWater);
    const StateOutcome vapor = calculate({{T, "400"}, {V, "0.01"}});
    EXPECT_EQ(vapor.region, RegionVapor);
    EXPECT_TRUE(vapor.messages.empty());
    const double p =
        bisect([](double p) { return iapws95::stateTP(400 + kKelvin, p, iapws95::Branch::Vapour).v - 0.01; }, 10, 30);
    expectSinglePhase(vapor, stateReference(iapws95::stateTP(400 + kKelvin, p, iapws95::Branch::Vapour)));
    const StateOutcome dense = calculate({{T, "400"}, {V, "0.002"}});
    EXPECT_EQ(dense.region, RegionWater);
    EXPECT_TRUE(dense.messages.empty());
}

// ---------------------------------------------------------------- the critical split

TEST(StateRegionTest, CriticalTemperatureItselfTakesTheSaturationPath) {
    // Above 373.95 a dryness pair shows "none"; at 373.95 it does not.
    const StateOutcome above = calculate({{T, "373.96"}, {X, "0.5"}});
    for (const std::string& text : above.panel.text) EXPECT_EQ(text, "none");
    EXPECT_EQ(above.result, (RegisterStore::StateValues{}));
    EXPECT_TRUE(above.messages.empty());

    const StateOutcome at = calculate({{T, "373.95"}, {X, "0.5"}});
    for (const std::string& text : at.panel.text) EXPECT_NE(text, "none");

    // (t, p = 22.064): supercritical above; at 373.95 the saturation step takes the critical
    // state (the last row, 373.946 C, lies within half a unit of the box's last decimal), whose
    // ps it is.
    const StateOutcome supercriticalAtPc = calculate({{T, "373.96"}, {P, "22.064"}});
    EXPECT_EQ(supercriticalAtPc.region, RegionWater);
    const StateOutcome atInvalid = calculate({{T, "373.95"}, {P, "22.064"}});
    EXPECT_EQ(atInvalid.region, RegionNeedsDryness);
    ASSERT_EQ(atInvalid.messages.size(), 1u);
    EXPECT_EQ(panels::messageText(atInvalid.messages[0]).text, "湿蒸汽，请输入干度");
    // Every t from the last row up to 373.95 is answered as the state it names.
    for (const char* t : {"373.946", "373.948", "373.95"}) {
        SCOPED_TRACE(testing::Message() << "t " << t);
        const StateOutcome dense = calculate({{T, t}, {P, "25"}});
        EXPECT_TRUE(dense.answered);
        EXPECT_EQ(dense.region, RegionWater);
        expectSinglePhase(dense, stateReference(stableState(numeric::readNumber(t), 25)));
    }

    // Above the critical temperature (t, p) is decided by p against 22.064 alone.
    const StateOutcome supercritical = calculate({{T, "373.96"}, {P, "30"}});
    EXPECT_EQ(supercritical.region, RegionWater);
    const StateOutcome light = calculate({{T, "373.96"}, {P, "22"}});
    EXPECT_EQ(light.region, RegionVapor);
}

TEST(StateRegionTest, CriticalPressureItselfTakesTheSaturationPath) {
    const StateOutcome above = calculate({{P, "22.065"}, {X, "0.5"}});
    for (const std::string& text : above.panel.text) EXPECT_EQ(text, "none");
    const StateOutcome at = calculate({{P, "22.064"}, {X, "0.5"}});
    for (const std::string& text : at.panel.text) EXPECT_NE(text, "none");
    // Above the critical pressure (p, v), (p, h), (p, s) all search WATER.
    for (int second : {V, H, S}) {
        const char* values[] = {"", "", "0.01", "2800", "6"};
        const StateOutcome out = calculate({{P, "25"}, {second, values[second]}});
        EXPECT_EQ(out.region, RegionWater) << "tpvhs"[second];
    }
    // Above the critical temperature (t, h) and (t, s) search VAPOR.
    for (int second : {H, S}) {
        const char* values[] = {"", "", "", "1900", "4.2"};
        const StateOutcome out = calculate({{T, "380"}, {second, values[second]}});
        EXPECT_EQ(out.region, RegionVapor) << "tpvhs"[second];
    }
}

// Above the critical temperature neither the critical pressure nor the critical volume
// borders two phases: such a pair is the supercritical state the tables hold.
TEST(StateRegionTest, CriticalPressureOrVolumeAboveTheCriticalTemperatureIsASupercriticalState) {
    const Known cases[] = {{{T, "400"}, {P, "22.064"}}, {{T, "400"}, {V, "0.0031056"}}, {{T, "500"}, {P, "22.064000"}}};
    for (const Known& known : cases) {
        SCOPED_TRACE(describe(known));
        const StateOutcome out = SCAL2_Click(realTables(), afterAnAnswer(known));
        ASSERT_TRUE(out.answered);
        EXPECT_EQ(out.region, RegionWater);
        const double t = numeric::readNumber(known[0].second);
        const double p = known[1].first == P ? 22.064 : 0.0;
        if (p > 0) expectSinglePhase(out, stateReference(stableState(t, p)));
    }
}

TEST(StateRegionTest, DrynessAboveTheCriticalPointShowsNoneAndStoresZeros) {
    for (const Known& known : {Known{{T, "400"}, {X, "0.5"}}, Known{{P, "30"}, {X, "0.2"}}}) {
        SCOPED_TRACE(describe(known));
        const StateOutcome out = calculate(known);
        for (const std::string& text : out.panel.text) EXPECT_EQ(text, "none");
        EXPECT_EQ(out.result, (RegisterStore::StateValues{}));
        EXPECT_EQ(out.region, RegionNone);
        EXPECT_TRUE(out.messages.empty());
        expectClosingStep(out);
    }
}

TEST(StateRegionTest, FirstKnownOutsideTheSaturationTableGivesTheRangeMessage) {
    for (const Known& known : {Known{{T, "-5"}, {P, "1"}}, Known{{P, "0.0005"}, {H, "100"}}, Known{{T, ""}, {X, "0.5"}},
                               Known{{T, "0.004"}, {P, "1"}}}) {
        SCOPED_TRACE(describe(known));
        const StatePanel panel = afterAnAnswer(known);
        const StateOutcome out = SCAL2_Click(realTables(), panel);
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(panels::messageText(out.messages[0]).text, "超出可选范围，请重新输入");
        EXPECT_EQ(panels::messageText(out.messages[0]).title, "提醒");
        EXPECT_EQ(out.region, RegionNone);
        expectNoAnswerBeside(out, panel);
    }
}

// ---------------------------------------------------------------- on and near the saturation line

TEST(StateRegionTest, PressureEqualToTheRoundedSaturationPressureAsksForDryness) {
    for (double t : {20.0, 100.0, 200.0, 300.0, 370.0}) {
        SCOPED_TRACE(testing::Message() << "t " << t);
        // The 6-decimal saturation pressure, as the dryness result writes it.
        const StateOutcome line = calculate({{T, typed(t)}, {X, "0"}});
        const std::string ps = line.panel.text[P];
        EXPECT_NEAR(numeric::readNumber(ps), saturationReference(t)[1], 1.0 * unit(10));

        const StatePanel panel = statePanel({{T, typed(t)}, {P, ps}});
        const StateOutcome on = SCAL2_Click(realTables(), panel);
        EXPECT_EQ(on.region, RegionNeedsDryness);
        ASSERT_EQ(on.messages.size(), 1u);
        EXPECT_EQ(panels::messageText(on.messages[0]).text, "湿蒸汽，请输入干度");
        EXPECT_EQ(panels::messageText(on.messages[0]).title, kNotice);
        EXPECT_EQ(on.panel.text, panel.text);
        expectClosingStep(on);

        // One step in the sixth decimal: water above, steam below. Up to 300 C the tables
        // bracket such states; at 370 C the neighbouring steam isobar ends short of them.
        const double value = numeric::readNumber(ps);
        const StateOutcome higher = calculate({{T, typed(t)}, {P, typed(numeric::sswr(value + 1e-6, 6))}});
        EXPECT_EQ(higher.region, RegionWater);
        const StateOutcome lower = calculate({{T, typed(t)}, {P, typed(numeric::sswr(value - 1e-6, 6))}});
        EXPECT_EQ(lower.region, RegionVapor);
        if (t <= 300) {
            EXPECT_TRUE(higher.messages.empty());
            EXPECT_EQ(higher.panel.text[X], "(none)");
            EXPECT_TRUE(lower.messages.empty());
            EXPECT_EQ(lower.panel.text[X], "(none)");
        }
    }
}

TEST(StateWetTest, SecondValueAtTheSaturatedEndsGivesDrynessZeroAndOne) {
    // The saturated values as the saturation panel shows them, typed into the state panel.
    for (double t : {100.0, 45.5, 250.0}) {
        const SaturationOutcome sat = SCAL_Click(realTables(), saturationPanel(0, typed(t)));
        ASSERT_TRUE(sat.result.has_value());
        struct End {
            int box;
            int satIndex;
            const char* x;
        };
        const End ends[] = {{V, 2, "0"}, {V, 3, "1"}, {H, 4, "0"}, {H, 5, "1"}, {S, 6, "0"}, {S, 7, "1"}};
        for (const End& e : ends) {
            SCOPED_TRACE(testing::Message() << "t " << t << ", "
                                            << "tpvhsx"[e.box] << " = " << sat.panel.text[e.satIndex]);
            const StateOutcome out = calculate({{T, typed(t)}, {e.box, sat.panel.text[e.satIndex]}});
            EXPECT_EQ(out.region, RegionWet);
            EXPECT_TRUE(out.messages.empty());
            EXPECT_EQ(out.panel.text[X], e.x);
            EXPECT_EQ(out.panel.text[T], typed(numeric::readNumber(sat.panel.text[0])));
            EXPECT_EQ(out.panel.text[P], typed(numeric::readNumber(sat.panel.text[1])));
            // The saturated value itself, which the saturation panel shows rounded.
            EXPECT_NEAR(numeric::readNumber(out.panel.text[e.box]), numeric::readNumber(sat.panel.text[e.satIndex]),
                        0.5 * std::pow(10.0, -PropertyDecimals[e.satIndex + 1]) * (1 + 1e-9));
            expectClosingStep(out);
        }
    }
}

TEST(StateWetTest, WetStateReplacesTheTypedValueByTheOneRecomputedFromX) {
    // p = 1 MPa and h halfway between h' and h'' from IAPWS-95.
    const iapws95::Saturation sat = iapws95::saturationP(1.0);
    const double h = 0.5 * (sat.liquid.h + sat.vapour.h) + 0.001234;
    const StateOutcome out = calculate({{P, "1"}, {H, typed(h)}});
    EXPECT_EQ(out.region, RegionWet);
    EXPECT_EQ(out.panel.text[X], "0.5");
    EXPECT_EQ(out.panel.text[P], "1");
    EXPECT_NEAR(numeric::readNumber(out.panel.text[T]), sat.T - kKelvin, 0.01);
    // h is recomputed from the full-precision x, so it matches the typed h to its 2 decimals.
    EXPECT_NEAR(numeric::readNumber(out.panel.text[H]), h, 0.006);
    EXPECT_NE(out.panel.text[H], typed(h));
    const double x = (h - sat.liquid.h) / (sat.vapour.h - sat.liquid.h);
    EXPECT_NEAR(numeric::readNumber(out.panel.text[V]), (1 - x) * sat.liquid.v + x * sat.vapour.v, 2e-5);
    EXPECT_NEAR(numeric::readNumber(out.panel.text[S]), (1 - x) * sat.liquid.s + x * sat.vapour.s, 2e-4);
}

TEST(StateWetTest, MixtureIsMadeOfTheUnroundedSaturatedValues) {
    // Close to the critical point v'' has few significant digits on the saturation panel;
    // a mixture made of the displayed values would miss v by up to 0.1 %.
    struct Case {
        double t, x;
        int second;  // the known beside t: x itself, or v, h or s of the mixture
    };
    const Case cases[] = {{365.3, 0.5, X}, {371.7, 0.37, X}, {355.55, 0.8, V}, {368.2, 0.61, H}, {362.9, 0.45, S}};
    for (const Case& c : cases) {
        const iapws95::Saturation sat = iapws95::saturationT(c.t + kKelvin);
        const std::array<double, 3> liquid{sat.liquid.v, sat.liquid.h, sat.liquid.s};
        const std::array<double, 3> steam{sat.vapour.v, sat.vapour.h, sat.vapour.s};
        std::array<double, 3> mixture{};
        for (int k = 0; k < 3; ++k) mixture[k] = (1 - c.x) * liquid[k] + c.x * steam[k];
        const std::string second = c.second == X ? typed(c.x) : typed(mixture[c.second - V]);
        SCOPED_TRACE(testing::Message() << "t " << c.t << ", box " << c.second << " = " << second);
        const StateOutcome out = calculate({{T, typed(c.t)}, {c.second, second}});
        ASSERT_EQ(out.region, RegionWet);
        EXPECT_NEAR(numeric::readNumber(out.panel.text[V]), mixture[0], 2e-4 * mixture[0] + 0.5e-8);
        EXPECT_NEAR(numeric::readNumber(out.panel.text[H]), mixture[1], 0.05 + 0.005);
        EXPECT_NEAR(numeric::readNumber(out.panel.text[S]), mixture[2], 1e-4 + 0.5e-4);
    }
}

TEST(StateWetTest, ValueJustInsideTheDomeBeyondItsDisplayedEdgeIsWet) {
    // v'' shows 5 decimals, h'' 2 and s'' 4, s' 4: a value just inside the true dome may lie
    // beyond the displayed saturated value. No steam has it (nor water an s above s'), so it
    // names the wet state near x = 1 (x = 0).
    int tried = 0;
    for (double t = 330.05; t < 372.0; t += 0.37) {
        const iapws95::Saturation sat = iapws95::saturationT(t + kKelvin);
        const struct {
            int box;
            double exact;
            int decimals;
            bool steam;
        } ends[] = {{V, sat.vapour.v, 5, true},
                    {H, sat.vapour.h, 2, true},
                    {S, sat.vapour.s, 4, true},
                    {S, sat.liquid.s, 4, false}};
        for (const auto& e : ends) {
            const double unit = std::pow(10.0, -e.decimals);
            const double beyond = (std::round(e.exact / unit) * unit - e.exact) * (e.steam ? -1 : 1);
            if (beyond < 0.4 * unit) continue;  // no sliver wide enough to test
            ++tried;
            const std::string value = typed(e.exact + (e.steam ? -0.5 : 0.5) * beyond);
            SCOPED_TRACE(testing::Message() << "t " << t << ", box " << e.box << " = " << value);
            const StateOutcome out = calculate({{T, typed(t)}, {e.box, value}});
            EXPECT_TRUE(out.messages.empty());
            EXPECT_EQ(out.region, RegionWet);
            EXPECT_NEAR(numeric::readNumber(out.panel.text[X]), e.steam ? 1.0 : 0.0, 0.01);
        }
    }
    EXPECT_GE(tried, 12);
}

TEST(StateWetTest, DrynessPairGivesTheMixtureInGeneralText) {
    struct Case {
        Known known;
        double t;
        double x;
        const char* xText;
    };
    const Case cases[] = {
        {{{T, "100"}, {X, "0.25"}}, 100, 0.25, "0.25"},
        {{{T, "150.3"}, {X, "1"}}, 150.3, 1, "1"},
        {{{T, "60"}, {X, "0.123"}}, 60, 0.123, "0.12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c.known));
        const StateOutcome out = calculate(c.known);
        EXPECT_TRUE(out.messages.empty());
        EXPECT_EQ(out.region, RegionWet);
        EXPECT_EQ(out.panel.text[X], c.xText);
        EXPECT_EQ(out.panel.text[T], typed(numeric::sswr(c.t, 2)));
        const auto sat = saturationReference(c.t);
        EXPECT_NEAR(numeric::readNumber(out.panel.text[P]), sat[1], unit(10));
        // The straight lines through the rounded saturated values.
        const double spread = std::fabs(c.x) + std::fabs(1 - c.x);
        EXPECT_NEAR(numeric::readNumber(out.panel.text[V]), (1 - c.x) * sat[2] + c.x * sat[3],
                    spread * unit(4) + unit(11));
        EXPECT_NEAR(numeric::readNumber(out.panel.text[H]), (1 - c.x) * sat[4] + c.x * sat[5],
                    spread * unit(5) + unit(12));
        EXPECT_NEAR(numeric::readNumber(out.panel.text[S]), (1 - c.x) * sat[6] + c.x * sat[7],
                    spread * unit(7) + unit(13));
        expectClosingStep(out);
    }
}

// A dryness beyond 0 to 1 names no state of water, with t or p as without them, below the
// critical point and above it.
TEST(StateWetTest, DrynessOutsideZeroToOneIsOutOfRange) {
    const Known cases[] = {{{T, "100"}, {X, "1.5"}}, {{T, "150.3"}, {X, "-0.2"}}, {{P, "1"}, {X, "1.0001"}},
                           {{T, "400"}, {X, "2"}},   {{H, "2000"}, {X, "-1"}},    {{V, "1"}, {X, "5"}}};
    for (const Known& known : cases) {
        SCOPED_TRACE(describe(known));
        const StateOutcome out = calculate(known);
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(panels::messageText(out.messages[0]).text, "超出可选范围，请重新输入");
        EXPECT_FALSE(out.answered);
    }
}

TEST(StateWetTest, PressureDrynessPairShowsTheSaturationTemperature) {
    const StateOutcome out = calculate({{P, "0.101325"}, {X, "0.5"}});
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(out.panel.text[P], "0.101325");
    EXPECT_NEAR(numeric::readNumber(out.panel.text[T]), 99.97, 0.011);
    EXPECT_EQ(out.panel.text[X], "0.5");
}

TEST(StateWetTest, CriticalRowShowsTheCriticalStateWithoutDryness) {
    // At the top row v' = v'' (and h, s): no division by their difference.
    for (const Known& known : {Known{{T, "373.946"}, {H, "2084.26"}}, Known{{T, "373.946"}, {S, "4.407"}}}) {
        SCOPED_TRACE(describe(known));
        const StateOutcome out = calculate(known);
        EXPECT_TRUE(out.messages.empty());
        EXPECT_EQ(out.panel.text[X], "(none)");
        EXPECT_EQ(out.panel.text[P], "22.064");
        EXPECT_NEAR(numeric::readNumber(out.panel.text[H]), 2084.26, 0.01);
        EXPECT_NEAR(numeric::readNumber(out.panel.text[S]), 4.407, 1e-4);
        EXPECT_NEAR(numeric::readNumber(out.panel.text[V]), 1 / 322.0, 1e-6);
        for (const std::string& text : out.panel.text) EXPECT_TRUE(showsNoNonFinite(text)) << text;
        expectClosingStep(out);
    }
    const StateOutcome volume = calculate({{T, "373.946"}, {V, "0.0031056"}});
    for (const std::string& text : volume.panel.text) EXPECT_TRUE(showsNoNonFinite(text)) << text;
}

// ---------------------------------------------------------------- reset

TEST(StateResetTest, ResetAfterACalculationZeroesTheBoxes) {
    const StateOutcome out = calculate({{T, "200"}, {P, "3.5"}});
    const StatePanel cleaned = cmdClean2_Click(out.panel);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(cleaned.text[k], "0");
    EXPECT_EQ(cleaned.ticked, out.panel.ticked);
    // The next calculation reads the zeros: 0 C is below the table, so the range message.
    const StateOutcome again = SCAL2_Click(realTables(), cleaned);
    EXPECT_EQ(again.result, (RegisterStore::StateValues{}));
    ASSERT_EQ(again.messages.size(), 1u);
    EXPECT_EQ(panels::messageText(again.messages[0]).text, "超出可选范围，请重新输入");
}

}  // namespace
}  // namespace steam::calc
