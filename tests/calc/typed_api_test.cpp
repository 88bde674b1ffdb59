// The calculators answer in numbers and codes; the panels show those numbers. For every pair
// of known properties and every saturation property, on states of each kind and on inputs that
// end with a message, the panel's "计算" shows exactly the typed calculator's answer: the same
// messages, region and pair, and every box the calculator's value rounded to its decimals.
#include "calc/saturation_solver.h"
#include "calc/state_solver.h"

#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace steam::calc {
namespace {

using namespace test;

// The typed states the pairs are drawn from: t p v h s x u as the calculator answers (t, p)
// or (t, x).
std::vector<StateSolution> referenceStates() {
    const auto& db = realTables();
    return {solveState(db, Property::t, 200, Property::p, 3.5),   // compressed water
            solveState(db, Property::t, 300, Property::p, 1),     // superheated steam
            solveState(db, Property::t, 450, Property::p, 40),    // supercritical
            solveState(db, Property::t, 120, Property::x, 0.3)};  // wet
}

// A known value as a user types it: the calculator's value in the general form.
std::string typedValue(const StateSolution& s, Property p) {
    return numeric::generalText(numeric::sswr(s[p], decimalsOf(p) + 2));
}

void expectPanelShowsSolution(const StateOutcome& panel, const StateSolution& typedAnswer) {
    EXPECT_EQ(panel.messages, typedAnswer.messages);
    EXPECT_EQ(panel.region, typedAnswer.region);
    EXPECT_EQ(panel.pairCase, typedAnswer.pairCase);
    if (!panel.answered) return;
    for (int k = 0; k < kStateProperties; ++k) {
        const auto p = static_cast<Property>(k);
        const std::string& shown = panel.panel.text[k];
        if (shown == "(none)") {
            EXPECT_NE(typedAnswer.form, StateSolution::Form::Mixture) << "box " << k;
            continue;
        }
        EXPECT_NEAR(numeric::readNumber(shown), typedAnswer[p], 0.5001 * std::pow(10.0, -decimalsOf(p)))
            << "box " << k << " \"" << shown << "\"";
    }
}

TEST(TypedApiTest, StatePanelShowsTheTypedAnswerForEveryPair) {
    for (const StateSolution& state : referenceStates()) {
        ASSERT_TRUE(state.messages.empty());
        for (int a = 0; a < kStateProperties; ++a)
            for (int b = a + 1; b < kStateProperties; ++b) {
                const auto pa = static_cast<Property>(a), pb = static_cast<Property>(b);
                const bool wet = state.form == StateSolution::Form::Mixture;
                if (!wet && (pa == Property::x || pb == Property::x)) continue;  // no dryness to type
                SCOPED_TRACE(testing::Message() << "t " << state[Property::t] << ": pair " << a << "," << b);
                const std::string ta = typedValue(state, pa), tb = typedValue(state, pb);
                const StateOutcome panel = calculate({{a, ta}, {b, tb}});
                const StateSolution typedAnswer =
                    solveState(realTables(), pa, numeric::readNumber(ta), pb, numeric::readNumber(tb));
                expectPanelShowsSolution(panel, typedAnswer);
            }
    }
}

TEST(TypedApiTest, MessagesOfThePanelAreTheTypedCalculatorsCodes) {
    struct Case {
        int a, b;
        const char* va;
        const char* vb;
    };
    const Case cases[] = {
        {T, P, "100", "0.101418"},  // on the saturation line: asks for the dryness
        {T, X, "-5", "0.5"},        // below the saturation table
        {T, H, "200", "1e6"},       // beyond the vapour table
        {T, X, "100", "2"},         // no such dryness
        {P, 6, "1", "1e7"},         // u beyond every table
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "=" << c.va << " " << c.b << "=" << c.vb);
        const StateOutcome panel = calculate({{c.a, c.va}, {c.b, c.vb}});
        EXPECT_FALSE(panel.messages.empty());
        expectPanelShowsSolution(panel, solveState(realTables(), static_cast<Property>(c.a), numeric::readNumber(c.va),
                                                   static_cast<Property>(c.b), numeric::readNumber(c.vb)));
    }
}

TEST(TypedApiTest, SaturationPanelShowsTheTypedAnswerForEveryKnownProperty) {
    const SaturationSolution at = solveSaturation(realTables(), SatProperty::ts, 150);
    ASSERT_TRUE(at.solved);
    for (int i = 0; i < kSaturationProperties; ++i) {
        const auto known = static_cast<SatProperty>(i);
        const std::string typed = numeric::generalText(numeric::sswr(at[known], decimalsOf(known) + 1));
        SCOPED_TRACE(testing::Message() << "known " << i << " = " << typed);
        const SaturationOutcome panel = SCAL_Click(realTables(), saturationPanel(i, typed));
        const SaturationSolution typedAnswer = solveSaturation(realTables(), known, numeric::readNumber(typed));
        EXPECT_EQ(panel.messages, typedAnswer.messages);
        ASSERT_TRUE(typedAnswer.solved);
        for (int k = 0; k < kSaturationProperties; ++k) {
            const auto p = static_cast<SatProperty>(k);
            EXPECT_NEAR(numeric::readNumber(panel.panel.text[k]), typedAnswer[p],
                        0.5001 * std::pow(10.0, -decimalsOf(p)))
                << "box " << k;
        }
        EXPECT_NEAR(numeric::readNumber(panel.panel.text[8]), typedAnswer.u1, 0.005001);
        EXPECT_NEAR(numeric::readNumber(panel.panel.text[9]), typedAnswer.u11, 0.005001);
    }
}

}  // namespace
}  // namespace steam::calc
