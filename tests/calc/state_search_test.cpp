// The single-phase search answers with a state of the tables' own (t, p) surface: the typed
// values come back in their boxes, and the shown t and p, typed as a (t, p) pair, show the
// same v, h and s. Every state the tables hold and the pair determines is answered, within
// the allowed errors of conditioning.h, near the critical point too; a pair that names two
// states of one phase gets the first of them, never a blend of both.
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
using iapws95::Branch;

struct Pair {
    int first, second;
};
constexpr Pair kOffGridPairs[] = {{T, V}, {T, H}, {T, S}, {P, V}, {P, H}, {P, S}, {V, H}, {V, S}, {H, S}};

std::string describe(const Pair& pair) {
    return std::string("(") + "tpvhs"[pair.first] + "," + "tpvhs"[pair.second] + ")";
}

bool withTP(const Pair& pair) { return pair.first <= P; }

double shown(const StateOutcome& out, int box) { return numeric::readNumber(out.panel.text[box]); }

// t p v h s at (t, p) on the stable side.
accuracy::Properties truthAt(double t, double p) {
    const iapws95::State st = stableState(t, p);
    return {t, p, st.v, st.h, st.s};
}

// Each output within its allowed error of IAPWS-95 at the state (t, p) given by the pair.
void expectWithinAllowance(const StateOutcome& out, double t, double p, const Pair& pair) {
    ASSERT_TRUE(out.answered) << (out.messages.empty() ? "" : panels::messageText(out.messages.front()).text);
    ASSERT_TRUE(out.region == RegionWater || out.region == RegionVapor);
    const iapws95::State st = stableState(t, p);
    const Branch branch = st.rho > iapws95::rhoc ? Branch::Liquid : Branch::Vapour;
    const accuracy::Properties truth = truthAt(t, p);
    const accuracy::Properties allowed = withTP(pair)
                                             ? accuracy::allowedErrors(t, p, branch, pair.first, pair.second)
                                             : accuracy::allowedErrorsWithoutTP(t, p, branch, pair.first, pair.second);
    for (int k = 0; k < 5; ++k)
        EXPECT_LE(std::fabs(shown(out, k) - truth[k]), allowed[k])
            << "tpvhs"[k] << " \"" << out.panel.text[k] << "\", IAPWS-95 " << truth[k] << ", allowed " << allowed[k];
}

// The pair's two values of the state at (t, p), typed in full, and the answer checked.
void expectAnsweredWithinAllowance(double t, double p, const Pair& pair) {
    SCOPED_TRACE(testing::Message() << describe(pair) << " at t " << t << ", p " << p);
    const accuracy::Properties truth = truthAt(t, p);
    expectWithinAllowance(calculate({{pair.first, typed(truth[pair.first])}, {pair.second, typed(truth[pair.second])}}),
                          t, p, pair);
}

TEST(StateOnTheSurfaceTest, AnswerIsAStateOfTheTablesOwnSurface) {
    // States off the saturation line and the critical band; t typed with 2 decimals and p with
    // 6, as the boxes show them.
    const double states[][2] = {{612.00, 4.32},   {733.17, 1.4785}, {165.50, 0.049243}, {463.92, 0.191},
                                {250.30, 12.5},   {80.45, 35.0},    {420.75, 45.0},     {25.10, 0.5},
                                {150.00, 0.0123}, {540.60, 97.5},   {310.25, 0.8},      {5.50, 60.0}};
    for (const auto& state : states) {
        const double t = state[0], p = state[1];
        const accuracy::Properties truth = truthAt(t, p);
        for (const Pair& pair : kOffGridPairs) {
            SCOPED_TRACE(testing::Message() << describe(pair) << " at t " << t << ", p " << p);
            const StateOutcome out =
                calculate({{pair.first, typed(truth[pair.first])}, {pair.second, typed(truth[pair.second])}});
            if (out.region == RegionWet) continue;  // (t, h) and (t, s) of water above h' and s'
            ASSERT_TRUE(out.answered) << (out.messages.empty() ? "" : panels::messageText(out.messages.front()).text);
            // The typed values come back, rounded to their boxes.
            for (int known : {pair.first, pair.second})
                EXPECT_LE(std::fabs(shown(out, known) - truth[known]), 0.5 * unit(9 + known) * (1 + 1e-9));
            // The shown t and p as a (t, p) pair: the same v, h and s, but for the rounding
            // of those the search found (t to 2 decimals, p to 6).
            const StateOutcome again = calculate({{T, out.panel.text[T]}, {P, out.panel.text[P]}});
            ASSERT_TRUE(again.answered);
            const accuracy::Properties near = truthAt(shown(out, T), shown(out, P));
            const accuracy::Properties hotter = truthAt(shown(out, T) + 0.005, shown(out, P));
            const accuracy::Properties denser = truthAt(shown(out, T), shown(out, P) + 0.5e-6);
            for (int k = 2; k < 5; ++k) {
                const double rounding = (pair.first == T ? 0.0 : std::fabs(hotter[k] - near[k])) +
                                        (pair.first == P ? 0.0 : std::fabs(denser[k] - near[k]));
                EXPECT_LE(std::fabs(shown(again, k) - shown(out, k)), rounding + unit(9 + k) * (1 + 1e-9))
                    << "tpvhs"[k] << " \"" << out.panel.text[k] << "\" and at the shown t, p \"" << again.panel.text[k]
                    << "\"";
            }
        }
    }
}

// States that used to be refused or mixed from two rows of unrelated states (steam given by
// t and h, where h hardly depends on p), and states close to saturation near the critical
// point: each answered within its allowed error.
TEST(StateOnTheSurfaceTest, EveryStateTheTablesHoldIsAnswered) {
    struct Case {
        double t, p;
        Pair pair;
    };
    const Case cases[] = {
        {612, 4.316878, {T, H}},  {733.17, 1.47935, {T, H}}, {165.5, 0.049242, {T, H}}, {733, 0.9834, {T, H}},
        {463.92, 0.191, {T, H}},  {372.2, 21.6257, {T, P}},  {373.1, 22.0404, {T, P}},  {372.6, 21.6897, {T, P}},
        {372.2, 21.6257, {P, H}}, {373.1, 22.0404, {T, S}},  {372.6, 21.6897, {P, V}},  {368.0, 19.5, {T, V}},
        {250.7, 4.0, {T, S}},     {20.25, 0.5, {T, V}},      {700.0, 0.0011, {T, S}},
    };
    for (const Case& c : cases) expectAnsweredWithinAllowance(c.t, c.p, c.pair);
    // h = 1950 kJ/kg at 21.9 MPa: compressed water 0.9 K below saturation; h = 2000 at the
    // critical pressure itself, typed as the saturation panel shows it.
    for (const auto& [p, h] : {std::pair{21.9, 1950.0}, std::pair{22.064, 2000.0}}) {
        SCOPED_TRACE(testing::Message() << "p " << p << ", h " << h);
        const StateOutcome water = calculate({{P, typed(p)}, {H, typed(h)}});
        const double t = bisect([p = p, h = h](double t) { return truthAt(t, p)[3] - h; }, 360, 373.945);
        expectWithinAllowance(water, t, p, {P, H});
    }
}

// Where the properties bend most outside the band: steam close to saturation from 10 MPa on,
// compressed water close to saturation above 15 MPa, and supercritical water along the
// pseudo-critical line up to about 70 MPa. Linear interpolation between neighbouring grid
// lines meets the targets there only where the lines lie close enough.
TEST(StateOnTheSurfaceTest, WhereThePropertiesBendMostTheTargetsHold) {
    const double states[][2] = {{317.97, 10.836928}, {322.05, 10.327015}, {329.71, 11.138071}, {351.3, 16.5},
                                {357.6, 17.9},       {357.4, 18.4},       {406.77, 31.201768}, {411.02, 34.245832},
                                {419.98, 33.249245}, {425.49, 30.715405}, {391.3, 27.1},       {500.89, 35.760199},
                                {507.14, 55.391034}, {553.56, 58.553980}, {546.58, 63.097341}, {390.25, 26.0}};
    for (const auto& state : states)
        for (const Pair& pair : {Pair{T, P}, Pair{T, V}, Pair{T, H}, Pair{P, H}, Pair{P, S}, Pair{V, S}})
            expectAnsweredWithinAllowance(state[0], state[1], pair);
}

TEST(StateOnTheSurfaceTest, NearTheCriticalPointTheBandTargetsHold) {
    struct Case {
        double t, p;
        Pair pair;
    };
    const Case cases[] = {{374, 22.1, {T, P}},   {373.96, 22.07, {T, P}}, {375, 22.3, {T, P}},   {374, 22.1, {P, V}},
                          {374, 22.1, {T, H}},   {380.5, 23.2, {P, S}},   {376.2, 22.9, {T, V}}, {389.0, 25.5, {P, H}},
                          {362.0, 18.5, {T, P}}, {374, 22.1, {H, S}},     {379.1, 23.5, {V, H}}, {370.0, 19.0, {V, S}},
                          {366.0, 21.0, {H, S}}, {385.0, 25.0, {V, S}},   {373.5, 22.2, {V, H}}};
    for (const Case& c : cases) expectAnsweredWithinAllowance(c.t, c.p, c.pair);
    // As typed in the first report: p 22.1 and v 0.00259357942 is the state at 374.00 C.
    const StateOutcome out = calculate({{P, "22.1"}, {V, "0.00259357942"}});
    ASSERT_TRUE(out.answered);
    EXPECT_NEAR(shown(out, T), 374.0, 0.1);
}

TEST(StateOnTheSurfaceTest, PairThatNamesTwoStatesGetsTheFirst) {
    struct Case {
        Pair pair;
        double fixed;   // t (C) or p (MPa)
        double lo, hi;  // the stretch of the line, the turn inside it
    };
    // h along the isotherm 300 C has its lowest point near 60 MPa, v along the isobar 1 MPa
    // near 4 C. A value halfway between the turn and the lower end is reached on both sides.
    const Case cases[] = {{{T, H}, 300, 9, 120}, {{P, V}, 1, 0.02, 20}, {{T, H}, 330.5, 13, 120}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << describe(c.pair) << " at " << c.fixed);
        const bool alongP = c.pair.first == T;
        auto value = [&](double x) { return (alongP ? truthAt(c.fixed, x) : truthAt(x, c.fixed))[c.pair.second]; };
        double a = c.lo, b = c.hi;
        for (int i = 0; i < 200; ++i) {
            const double m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
            if (value(m1) < value(m2))
                b = m2;
            else
                a = m1;
        }
        const double target = value(a) + 0.5 * (std::min(value(c.lo), value(c.hi)) - value(a));
        auto z = [&](double x) { return value(x) - target; };
        const double first = bisect(z, c.lo, a), second = bisect(z, a, c.hi);
        ASSERT_GT(second - first, alongP ? 20.0 : 3.0);
        const StateOutcome out = calculate({{c.pair.first, typed(c.fixed)}, {c.pair.second, typed(target)}});
        const double t = alongP ? c.fixed : first, p = alongP ? first : c.fixed;
        expectWithinAllowance(out, t, p, c.pair);
    }
}

TEST(StateOnTheSurfaceTest, FullWidthFormsAreReadInEveryBox) {
    const StateOutcome plain = calculate({{T, "200"}, {H, "2850.5"}});
    const StateOutcome wide = calculate({{T, "２００"}, {H, "２８５０。５"}});
    ASSERT_TRUE(plain.answered);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(wide.panel.text[k], plain.panel.text[k]) << "box " << k;
    const SaturationOutcome sat = SCAL_Click(realTables(), saturationPanel(1, "０．１０１３２５"));
    ASSERT_TRUE(sat.answered);
    EXPECT_EQ(sat.panel.text[1], "0.101325");
    EXPECT_EQ(sat.panel.text[0], "99.97");
}

}  // namespace
}  // namespace steam::calc
