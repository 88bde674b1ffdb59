// The paths a cycle's legs are drawn along, on the generated tables: each point keeps the leg's
// held property while the stepped one runs from end to end; an isobar or isotherm turns exactly
// at the dome and runs straight across it on the T-s and h-s charts; a real machine's leg and a
// line are their two ends; a cycle's drawing has one path per leg from state to state.
#include "diagram/cycle_paths.h"

#include "calc/state_solver.h"
#include "cycle/rankine.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace steam::diagram {
namespace {

using calc::Property;
using cycle::Process;
using cycle::StateValues;
using testsupport::realTables;

StateValues state(Property a, double va, Property b, double vb) {
    const calc::StateSolution s = calc::solveState(realTables(), a, va, b, vb);
    EXPECT_TRUE(s.solved());
    StateValues values = s.values;
    if (s.form != calc::StateSolution::Form::Mixture) values[static_cast<int>(Property::x)] = NAN;
    return values;
}

double of(const StateValues& s, Property p) { return cycle::valueOf(s, p); }

// The same values, a dryness that is none (NaN) matching none.
bool same(const StateValues& a, const StateValues& b) {
    for (size_t k = 0; k < a.size(); ++k)
        if (a[k] != b[k] && !(std::isnan(a[k]) && std::isnan(b[k]))) return false;
    return true;
}

struct PathCase {
    const char* name;
    Process process;
    StateValues from, to;
    Property held, stepped;
    bool crossesDome;
};

TEST(CyclePathsTest, EachPointKeepsTheHeldPropertyWhileTheSteppedOneRunsFromEndToEnd) {
    const StateValues inlet = state(Property::t, 480, Property::p, 8);
    const PathCase cases[] = {
        {"boiler", Process::Isobaric, state(Property::t, 40, Property::p, 8), inlet, Property::p, Property::h, true},
        {"turbine", Process::Isentropic, inlet, state(Property::p, 0.008, Property::s, of(inlet, Property::s)),
         Property::s, Property::p, false},
        {"throttle", Process::Throttle, state(Property::t, 250, Property::p, 5),
         state(Property::p, 0.05, Property::h, of(state(Property::t, 250, Property::p, 5), Property::h)), Property::h,
         Property::p, false},
        {"isotherm out of the dome", Process::Isothermal, state(Property::t, 200, Property::x, 0.3),
         state(Property::t, 200, Property::p, 0.5), Property::t, Property::s, true},
        {"isochore", Process::Isochoric, state(Property::t, 150, Property::x, 0.5),
         state(Property::t, 400, Property::v, of(state(Property::t, 150, Property::x, 0.5), Property::v)), Property::v,
         Property::t, false},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CyclePath path = legPath(realTables(), c.from, c.to, c.process);
        EXPECT_FALSE(path.dashed);
        ASSERT_GE(path.points.size(), 40u);
        const double held = of(c.from, c.held), direction = of(c.to, c.stepped) - of(c.from, c.stepped);
        bool water = false, steam = false;
        for (size_t k = 1; k < path.points.size(); ++k) {
            const StateValues& p = path.points[k];
            EXPECT_NEAR(of(p, c.held), held, 1e-3 * std::abs(held) + 1e-6) << "point " << k;
            EXPECT_GT((of(p, c.stepped) - of(path.points[k - 1], c.stepped)) * direction, 0.0) << "point " << k;
            water = water || of(p, Property::x) == 0.0;
            steam = steam || of(p, Property::x) == 1.0;
        }
        EXPECT_EQ(water && steam, c.crossesDome && c.process == Process::Isobaric);
        EXPECT_EQ(steam, c.crossesDome);
    }
}

// Inside the dome an isobar is an isotherm, and h and s grow together with x: horizontal on the
// T-s chart, straight on the h-s chart.
TEST(CyclePathsTest, AnIsobarRunsStraightAcrossTheDome) {
    const CyclePath path = legPath(realTables(), state(Property::p, 0.008, Property::x, 0.9),
                                   state(Property::p, 0.008, Property::x, 0.0), Process::Isobaric);
    const StateValues& first = path.points.front();
    const StateValues& last = path.points.back();
    const double slope =
        (of(last, Property::h) - of(first, Property::h)) / (of(last, Property::s) - of(first, Property::s));
    for (const StateValues& p : path.points) {
        EXPECT_NEAR(of(p, Property::t), of(first, Property::t), 0.01);
        EXPECT_NEAR(of(p, Property::h) - of(first, Property::h), slope * (of(p, Property::s) - of(first, Property::s)),
                    0.05);
    }
}

TEST(CyclePathsTest, ARealMachineIsDashedAndItAndALineAreTheirTwoEnds) {
    const StateValues a = state(Property::t, 480, Property::p, 8), b = state(Property::p, 0.008, Property::h, 2200);
    for (Process process : {Process::Adiabatic, Process::Line}) {
        const CyclePath path = legPath(realTables(), a, b, process);
        ASSERT_EQ(path.points.size(), 2u);
        EXPECT_TRUE(same(path.points.front(), a));
        EXPECT_TRUE(same(path.points.back(), b));
        EXPECT_EQ(path.dashed, process == Process::Adiabatic);
    }
}

TEST(CyclePathsTest, ACyclesDrawingHasOnePathPerLegFromStateToState) {
    const cycle::RankineResult built =
        cycle::buildRankine(realTables(), {8.0, 480.0, 0.008, 0.85, 0.85, 0.7, 440.0, std::nullopt});
    ASSERT_EQ(built.outcome, cycle::BuildOutcome::Built);
    const CycleDrawing drawing = cycleDrawing(realTables(), built.cycle);
    ASSERT_EQ(drawing.legs.size(), built.cycle.states.size());
    ASSERT_EQ(drawing.states.size(), built.cycle.states.size());
    for (size_t i = 0; i < drawing.states.size(); ++i) EXPECT_TRUE(same(drawing.states[i], built.cycle.states[i]));
    for (int i = 0; i < built.cycle.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "leg " << i + 1);
        const CyclePath& leg = drawing.legs[static_cast<size_t>(i)];
        EXPECT_TRUE(same(leg.points.front(), built.cycle.states[static_cast<size_t>(i)]));
        EXPECT_TRUE(same(leg.points.back(), built.cycle.legEnd(i)));
        EXPECT_EQ(leg.dashed, built.cycle.legs[static_cast<size_t>(i)].process == Process::Adiabatic);
    }
}

}  // namespace
}  // namespace steam::diagram
