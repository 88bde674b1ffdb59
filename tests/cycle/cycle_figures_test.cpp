// The rules of a leg and the figures of a cycle, on states found in the generated tables:
// every leg whose process is known keeps the first law (q - w = Δh) and splits Δh by its own
// rule; ends that leave the held property are reported; a wet cycle of two isobars and two
// isentropes reaches the Carnot efficiency; a leg of unknown process leaves the totals unknown.
#include "cycle/cycle_figures.h"
#include "cycle/leg_rules.h"

#include "calc/state_solver.h"
#include "numeric/number_text.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace steam::cycle {
namespace {

using calc::Property;
using testsupport::realTables;

StateValues state(Property a, double va, Property b, double vb) {
    const calc::StateSolution s = calc::solveState(realTables(), a, va, b, vb);
    EXPECT_TRUE(s.solved());
    return s.values;
}

double of(const StateValues& s, Property p) { return valueOf(s, p); }

struct LegCase {
    const char* name;
    Process process;
    StateValues from, to;
};

std::vector<LegCase> legCases() {
    const StateValues inlet = state(Property::t, 480, Property::p, 8);
    const StateValues water = state(Property::p, 0.008, Property::x, 0);
    return {
        {"boiler", Process::Isobaric, state(Property::t, 40, Property::p, 8), inlet},
        {"condenser", Process::Isobaric, state(Property::p, 0.008, Property::x, 0.8), water},
        {"ideal turbine", Process::Isentropic, inlet, state(Property::p, 0.008, Property::s, of(inlet, Property::s))},
        {"ideal pump", Process::Isentropic, water, state(Property::p, 8, Property::s, of(water, Property::s))},
        {"real turbine", Process::Adiabatic, inlet, state(Property::p, 0.008, Property::h, 2200)},
        {"throttle", Process::Throttle, state(Property::t, 300, Property::p, 5),
         state(Property::p, 0.1, Property::h, of(state(Property::t, 300, Property::p, 5), Property::h))},
        {"wet isotherm", Process::Isothermal, state(Property::t, 150, Property::x, 0.2),
         state(Property::t, 150, Property::x, 0.9)},
        {"steam isotherm", Process::Isothermal, state(Property::t, 300, Property::p, 1),
         state(Property::t, 300, Property::p, 0.1)},
        {"isochore", Process::Isochoric, state(Property::t, 200, Property::x, 0.5),
         state(Property::t, 300, Property::v, of(state(Property::t, 200, Property::x, 0.5), Property::v))},
        {"line", Process::Line, inlet, water},
    };
}

TEST(LegRulesTest, EveryLegOfKnownProcessKeepsTheFirstLaw) {
    for (const LegCase& c : legCases()) {
        SCOPED_TRACE(c.name);
        const LegFigures f = workLeg(realTables(), c.from, c.to, c.process);
        EXPECT_EQ(f.determined(), c.process != Process::Line);
        if (f.determined()) {
            EXPECT_NEAR(f.q - f.w, of(c.to, Property::h) - of(c.from, Property::h), 1e-9);
        }
        EXPECT_TRUE(f.endsAgree);
    }
}

// What each process does with Δh, judged on the states' own values: no work on an isobar or a
// throttle (whose h stays), no heat in an isentropic or adiabatic leg, an isotherm inside the
// dome heats as an isobar does (T ds = dh), an isochore heats by Δu.
TEST(LegRulesTest, EachProcessSplitsTheEnthalpyChangeByItsOwnRule) {
    for (const LegCase& c : legCases()) {
        SCOPED_TRACE(c.name);
        const LegFigures f = workLeg(realTables(), c.from, c.to, c.process);
        const double dh = of(c.to, Property::h) - of(c.from, Property::h);
        const bool wet = std::isfinite(of(c.from, Property::x));
        switch (c.process) {
            case Process::Isobaric: EXPECT_EQ(f.w, 0.0); break;
            case Process::Throttle:
                EXPECT_EQ(f.w, 0.0);
                EXPECT_NEAR(f.q, 0.0, 0.05);
                break;
            case Process::Isentropic:
            case Process::Adiabatic: EXPECT_EQ(f.q, 0.0); break;
            case Process::Isothermal:
                if (wet) {
                    EXPECT_NEAR(f.q, dh, 0.5);
                } else {
                    EXPECT_GT(f.w, 0.0);  // steam expanding along its isotherm gives work out
                }
                break;
            case Process::Isochoric: EXPECT_NEAR(f.q, of(c.to, Property::u) - of(c.from, Property::u), 0.05); break;
            case Process::Line: EXPECT_TRUE(std::isnan(f.q) && std::isnan(f.w)); break;
        }
    }
}

TEST(LegRulesTest, EndsThatLeaveTheHeldPropertyAreReported) {
    const StateValues a = state(Property::t, 300, Property::p, 5);
    StateValues rounded = a, apart = a;
    for (Property p : {Property::t, Property::p, Property::v, Property::h, Property::s}) {
        const double value = of(a, p);
        rounded[static_cast<int>(p)] = numeric::shownValue(value, calc::decimalsOf(p));
        apart[static_cast<int>(p)] = value * 1.02 + 0.01;
    }
    for (Process process :
         {Process::Isobaric, Process::Isentropic, Process::Throttle, Process::Isothermal, Process::Isochoric}) {
        SCOPED_TRACE(static_cast<int>(process));
        EXPECT_TRUE(endsKeepProcess(a, rounded, process));
        EXPECT_FALSE(endsKeepProcess(a, apart, process));
        EXPECT_FALSE(workLeg(realTables(), a, apart, process).endsAgree);
    }
    // An adiabatic leg may gain entropy, never lose it.
    EXPECT_TRUE(endsKeepProcess(a, apart, Process::Adiabatic));
    EXPECT_FALSE(endsKeepProcess(apart, a, Process::Adiabatic));
    EXPECT_TRUE(endsKeepProcess(a, apart, Process::Line));
}

Cycle cycleOf(std::vector<StateValues> states, std::vector<Process> processes) {
    Cycle cycle;
    cycle.states = std::move(states);
    for (Process p : processes) cycle.legs.push_back({p, 1.0, false});
    return cycle;
}

// Heat taken in and given out at constant temperature inside the dome, between two isentropes.
TEST(CycleFiguresTest, AWetCycleOfTwoIsobarsAndTwoIsentropesReachesTheCarnotEfficiency) {
    const StateValues water = state(Property::t, 250, Property::x, 0.0),
                      steam = state(Property::t, 250, Property::x, 1.0);
    const Cycle cycle = cycleOf({water, steam, state(Property::t, 40, Property::s, of(steam, Property::s)),
                                 state(Property::t, 40, Property::s, of(water, Property::s))},
                                {Process::Isobaric, Process::Isentropic, Process::Isobaric, Process::Isentropic});
    const CycleFigures f = workCycle(realTables(), cycle);
    ASSERT_TRUE(f.determined);
    EXPECT_NEAR(f.carnotEfficiency, 1 - (40 + 273.15) / (250 + 273.15), 1e-12);
    EXPECT_NEAR(f.efficiency, f.carnotEfficiency, 1e-3);
    EXPECT_NEAR(f.heatIn, of(steam, Property::h) - of(water, Property::h), 1e-9);
    EXPECT_NEAR(f.heatIn - f.heatOut, f.netWork, 1e-9);
    EXPECT_GT(f.backWorkRatio, 0.0);
    EXPECT_LT(f.backWorkRatio, 1.0);
}

TEST(CycleFiguresTest, ALegOfUnknownProcessLeavesTheTotalsUnknownButNotTheCarnotEfficiency) {
    const Cycle cycle = cycleOf({state(Property::p, 0.008, Property::x, 0), state(Property::t, 480, Property::p, 8),
                                 state(Property::p, 0.008, Property::x, 0.9)},
                                {Process::Line, Process::Isentropic, Process::Isobaric});
    const CycleFigures f = workCycle(realTables(), cycle);
    EXPECT_FALSE(f.determined);
    for (double figure : {f.heatIn, f.heatOut, f.netWork, f.efficiency, f.backWorkRatio})
        EXPECT_TRUE(std::isnan(figure));
    EXPECT_GT(f.carnotEfficiency, 0.5);
    EXPECT_TRUE(f.legs[1].determined());
}

}  // namespace
}  // namespace steam::cycle
