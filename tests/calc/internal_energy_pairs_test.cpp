// Pairs with u as a known value, round trips through the panels: a state's shown u and another
// shown value typed back give that state again (water, steam and wet), with the properties
// beyond the boxes; (h, u), which names many states of steam almost alike, gives one whose h
// and u match the typed ones within their targets.
#include "panels/state_panel.h"

#include "calc/thermal_properties.h"
#include "calc_test_support.h"
#include "conditioning.h"
#include "energy_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace steam::calc {
namespace {

using namespace test;
using iapws95::Branch;

struct SinglePhase {
    double t, p;
    Branch branch;
};

// Compressed water, superheated steam from 0.002 MPa up and the supercritical region, away
// from saturation, where the shown texts name no wet state as well.
const SinglePhase kSinglePhase[] = {
    {20, 20, Branch::Liquid},        {150, 5, Branch::Liquid},          {300, 50, Branch::Liquid},
    {200, 0.1, Branch::Vapour},      {542.29, 0.00193, Branch::Vapour}, {405.06, 10.16, Branch::Vapour},
    {274.56, 2.332, Branch::Vapour}, {700, 30, Branch::Liquid},
};

double shownValue(const StateOutcome& out, int box) { return numeric::readNumber(out.panel.text[box]); }

std::string messageOf(const StateOutcome& out) {
    return out.messages.empty() ? "" : panels::messageText(out.messages.front()).text;
}

// Every output and cp and w of `out` within `allowed` of `truth`.
void expectWithin(const StateOutcome& out, const accuracy::Properties& truth, const accuracy::Properties& allowed) {
    for (int k : {T, P, V, H, S, U})
        EXPECT_LE(std::fabs(shownValue(out, k) - truth[k]), allowed[k])
            << "tpvhsxu"[k] << " \"" << out.panel.text[k] << "\", IAPWS-95 " << truth[k];
    ASSERT_TRUE(out.solution);
    const ThermalSet shown = thermalPropertiesOf(*out.solution);
    EXPECT_LE(std::fabs(shown.cp - truth[accuracy::kCp]), allowed[accuracy::kCp]) << "cp " << shown.cp;
    EXPECT_LE(std::fabs(shown.w - truth[accuracy::kW]), allowed[accuracy::kW]) << "w " << shown.w;
}

TEST(InternalEnergyPairsTest, ShownInternalEnergyAndAnotherShownValueGiveTheStateBack) {
    for (const SinglePhase& c : kSinglePhase) {
        const StateOutcome shown = calculate({{T, typed(c.t)}, {P, typed(c.p)}});
        ASSERT_TRUE(shown.answered);
        const accuracy::Properties truth = accuracy::propertiesAt(c.t, c.p, c.branch);
        for (int first : {T, P, V, S}) {
            SCOPED_TRACE(testing::Message() << "t " << c.t << ", p " << c.p << ": "
                                            << "tpvhsxu"[first] << " \"" << shown.panel.text[first] << "\" and u \""
                                            << shown.panel.text[U] << "\"");
            const StateOutcome out = calculate({{first, shown.panel.text[first]}, {U, shown.panel.text[U]}});
            ASSERT_TRUE(out.answered) << messageOf(out);
            const accuracy::Properties allowed = first <= P
                                                     ? accuracy::allowedErrors(c.t, c.p, c.branch, first, U)
                                                     : accuracy::allowedErrorsWithoutTP(c.t, c.p, c.branch, first, U);
            expectWithin(out, truth, allowed);
        }
    }
}

TEST(InternalEnergyPairsTest, ShownWetStateGivesItselfBackFromItsInternalEnergy) {
    const double states[][2] = {{100, 0.5}, {300, 0.6}, {20, 0.01}, {340, 0.2}};  // ts, x
    for (const auto& [ts, x] : states) {
        const StateOutcome shown = calculate({{T, typed(ts)}, {X, typed(x)}});
        ASSERT_EQ(shown.region, RegionWet);
        const accuracy::WetProperties truth = accuracy::wetPropertiesAt(ts, x);
        for (int first : {T, P, V, S, X}) {
            SCOPED_TRACE(testing::Message() << "ts " << ts << ", x " << x << ": "
                                            << "tpvhsxu"[first] << " \"" << shown.panel.text[first] << "\" and u \""
                                            << shown.panel.text[U] << "\"");
            const StateOutcome out = calculate({{first, shown.panel.text[first]}, {U, shown.panel.text[U]}});
            ASSERT_TRUE(out.answered) << messageOf(out);
            EXPECT_EQ(out.region, RegionWet);
            const accuracy::WetProperties allowed = accuracy::wetAllowedErrors(ts, x, first, U);
            for (int k : {T, P, V, H, S, X, U})
                EXPECT_LE(std::fabs(shownValue(out, k) - truth[k]), allowed[k])
                    << "tpvhsxu"[k] << " \"" << out.panel.text[k] << "\", IAPWS-95 " << truth[k];
        }
    }
}

// Water a few kPa above its vapour pressure: its s and u (or v and u) lie within half a unit of
// those of saturated water, and the answer may be that edge of the dome; either way it shows
// the state's values and properties within their allowance.
TEST(InternalEnergyPairsTest, WaterNextToSaturationShowsItsProperties) {
    const SinglePhase states[] = {
        {80.79, 0.056, Branch::Liquid}, {22.9, 0.0126, Branch::Liquid}, {44.26, 0.0365, Branch::Liquid}};
    for (const SinglePhase& c : states) {
        const accuracy::Properties truth = accuracy::propertiesAt(c.t, c.p, c.branch);
        for (int first : {V, S}) {
            SCOPED_TRACE(testing::Message() << "t " << c.t << ", p " << c.p << ": "
                                            << "tpvhsxu"[first] << " and u");
            const StateOutcome out = calculate({{first, typed(truth[first])}, {U, typed(truth[U])}});
            ASSERT_TRUE(out.answered) << messageOf(out);
            expectWithin(out, truth, accuracy::allowedErrorsWithoutTP(c.t, c.p, c.branch, first, U));
        }
    }
}

// h - u = p v of steam hardly changes along a line of u (by less than 0.1 kJ/kg below 1 MPa),
// so (h, u) of steam names a stretch of states; the answer must be one of them, with its
// outputs as that state's within their allowance.
TEST(InternalEnergyPairsTest, EnthalpyAndInternalEnergyGiveAStateWithBoth) {
    struct Case {
        double t, p_or_x;
        bool wet;
        Branch branch;
    };
    // Beyond the states above: steam where p v along the line of u falls and rises again below
    // the critical pressure or hardly changes at all (hot steam, and steam before the line of u
    // meets the dome), steam in the dip of p v just before its lowest point, steam and wet steam
    // where a line of u just below u''s highest value leaves the dome again, wet steam next to
    // the dome's edge in the near-critical band, and wet states just before saturated water
    // next to the critical point.
    std::vector<Case> cases;
    for (const SinglePhase& c : kSinglePhase) cases.push_back({c.t, c.p, false, c.branch});
    for (const Case& c : {Case{888.78, 2.49, false, Branch::Vapour}, Case{966.82, 9.2058, false, Branch::Vapour},
                          Case{47.404, 0.00375, false, Branch::Vapour}, Case{152.58, 0.4968, false, Branch::Vapour},
                          Case{410.406, 18.5976, false, Branch::Vapour}, Case{285.819, 6.9842, false, Branch::Vapour},
                          Case{284.6886, 0.99764, true, Branch::Liquid}, Case{373.5521, 0.000678, true, Branch::Liquid},
                          Case{373.8301, 0.09649, true, Branch::Liquid}, Case{100, 0.5, true, Branch::Liquid},
                          Case{369.1724, 0.997387, true, Branch::Liquid}})
        cases.push_back(c);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "h and u at t " << c.t << (c.wet ? ", x " : ", p ") << c.p_or_x);
        const accuracy::Properties truth =
            c.wet ? accuracy::wetPropertiesAt(c.t, c.p_or_x) : accuracy::propertiesAt(c.t, c.p_or_x, c.branch);
        const StateOutcome out = calculate({{H, typed(truth[H])}, {U, typed(truth[U])}});
        ASSERT_TRUE(out.answered) << messageOf(out);
        const accuracy::Properties target = accuracy::targets(truth);
        const auto named =
            accuracy::energyLineStateAt(truth[U], out.result[P], truth[H] - truth[U], target[H] + target[U]);
        ASSERT_TRUE(named) << "no state of the line of u at p " << out.panel.text[P] << " has h - u "
                           << truth[H] - truth[U];
        const accuracy::Properties allowed = accuracy::allowedForEnergyPair(*named);
        for (int k : {T, P, V, H, S, U})
            EXPECT_LE(std::fabs(out.result[k] - named->values[k]), allowed[k])
                << "tpvhsxu"[k] << " \"" << out.panel.text[k] << "\", IAPWS-95 " << named->values[k];
    }
}

}  // namespace
}  // namespace steam::calc
