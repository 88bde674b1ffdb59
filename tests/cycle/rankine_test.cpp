// The Rankine builder on the generated tables: its figures agree with the same cycles worked
// from IAPWS-95 directly (within 0.1 percentage point of efficiency and 1 kJ/kg of work and
// heat), its cycles keep the first law (heat in - heat out = net work) and the open heater's
// balance, and unusable design values are refused, naming the value.
#include "cycle/rankine.h"
#include "cycle/cycle_figures.h"

#include "iapws_rankine.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace steam::cycle {
namespace {

using testsupport::realTables;

struct Case {
    const char* name;
    RankineInputs inputs;
    int states;
};

test::ReferenceInputs referenceOf(const RankineInputs& in) {
    return {*in.pHigh, in.tHigh, *in.pLow, in.etaTurbine, in.etaPump, in.pReheat, in.tReheat, in.pHeater};
}

// The textbook cases: 8 MPa to 0.008 MPa, saturated or superheated to 480 C, with reheat at
// 0.7 MPa to 440 C, with an open heater at 0.7 MPa, with machines of 85 %; and the nine states
// of reheat and a heater at different pressures (and eight at one).
const Case kCases[] = {
    {"saturated steam, ideal", {8.0, std::nullopt, 0.008}, 4},
    {"superheated to 480 C, ideal", {8.0, 480.0, 0.008}, 4},
    {"reheat at 0.7 MPa to 440 C", {8.0, 480.0, 0.008, 1.0, 1.0, 0.7, 440.0}, 6},
    {"open heater at 0.7 MPa", {8.0, 480.0, 0.008, 1.0, 1.0, std::nullopt, std::nullopt, 0.7}, 7},
    {"open heater, turbine stages of 85 %", {8.0, 480.0, 0.008, 0.85, 1.0, std::nullopt, std::nullopt, 0.7}, 7},
    {"saturated steam, turbine and pump of 85 %", {8.0, std::nullopt, 0.008, 0.85, 0.85}, 4},
    {"reheat with 85 %", {8.0, 480.0, 0.008, 0.85, 0.85, 0.7, 440.0}, 6},
    {"reheat at 2 MPa and a heater at 0.7 MPa", {8.0, 480.0, 0.008, 0.85, 0.85, 2.0, 440.0, 0.7}, 9},
    {"heater at 2 MPa above reheat at 0.7 MPa", {8.0, 480.0, 0.008, 1.0, 1.0, 0.7, 440.0, 2.0}, 9},
    {"reheat and a heater at 0.7 MPa", {8.0, 480.0, 0.008, 1.0, 1.0, 0.7, 440.0, 0.7}, 8},
};

TEST(RankineTest, FiguresAgreeWithTheCycleWorkedFromIapws95) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const RankineResult built = buildRankine(realTables(), c.inputs);
        ASSERT_EQ(built.outcome, BuildOutcome::Built);
        EXPECT_EQ(built.cycle.size(), c.states);
        const CycleFigures f = workCycle(realTables(), built.cycle);
        ASSERT_TRUE(f.determined);
        const test::ReferenceFigures ref = test::referenceRankine(referenceOf(c.inputs));
        EXPECT_NEAR(100 * f.efficiency, 100 * ref.efficiency, 0.1);
        EXPECT_NEAR(f.netWork, ref.netWork, 1.0);
        EXPECT_NEAR(f.heatIn, ref.heatIn, 1.0);
        EXPECT_NEAR(f.heatOut, ref.heatOut, 1.0);
        EXPECT_EQ(built.cycle.extraction.has_value(), ref.y.has_value());
        if (ref.y) {
            EXPECT_NEAR(*built.cycle.extraction, *ref.y, 1e-3);
        }
    }
}

TEST(RankineTest, BuiltCyclesKeepTheFirstLawAndTheHeatersBalance) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const Cycle cycle = buildRankine(realTables(), c.inputs).cycle;
        const CycleFigures f = workCycle(realTables(), cycle);
        EXPECT_NEAR(f.heatIn - f.heatOut, f.netWork, 1e-6 * f.heatIn);
        // The open heater: what the feedwater takes in, the extracted steam gives up.
        double internalHeat = 0, massTimesRise = 0;
        for (int i = 0; i < cycle.size(); ++i) {
            const Leg& leg = cycle.legs[static_cast<size_t>(i)];
            const double rise =
                valueOf(cycle.legEnd(i), calc::Property::h) - valueOf(cycle.states[i], calc::Property::h);
            massTimesRise += leg.massFraction * rise;
            if (leg.internal) internalHeat += leg.massFraction * f.legs[static_cast<size_t>(i)].q;
        }
        EXPECT_NEAR(internalHeat, massTimesRise, 1e-6 * f.heatIn);
    }
}

TEST(RankineTest, MachinesOfLessThanOneAreAdiabaticLegsThatShowTheirEfficiency) {
    const RankineResult built = buildRankine(realTables(), {8.0, 480.0, 0.008, 0.85, 0.8, 0.7, 440.0, 0.7});
    ASSERT_EQ(built.outcome, BuildOutcome::Built);
    const CycleFigures f = workCycle(realTables(), built.cycle);
    int machines = 0;
    for (int i = 0; i < built.cycle.size(); ++i) {
        if (built.cycle.legs[static_cast<size_t>(i)].process != Process::Adiabatic) continue;
        ++machines;
        SCOPED_TRACE(testing::Message() << "leg from state " << i + 1);
        const bool turbine = f.legs[static_cast<size_t>(i)].w > 0;
        ASSERT_TRUE(f.legs[static_cast<size_t>(i)].isentropicEfficiency);
        EXPECT_NEAR(*f.legs[static_cast<size_t>(i)].isentropicEfficiency, turbine ? 0.85 : 0.8, 2e-3);
    }
    EXPECT_EQ(machines, 4);  // two pumps, the two turbine stages
}

TEST(RankineTest, UnusableValuesAreNamed) {
    using V = RankineValue;
    using P = InputProblem;
    const struct {
        RankineInputs inputs;
        InputFault fault;
    } cases[] = {
        {{std::nullopt, 480.0, 0.008}, {V::PHigh, P::Missing}},
        {{-8.0, 480.0, 0.008}, {V::PHigh, P::NotPositive}},
        {{8.0, 480.0, std::nullopt}, {V::PLow, P::Missing}},
        {{8.0, 480.0, 0.0}, {V::PLow, P::NotPositive}},
        {{8.0, 480.0, 9.0}, {V::PLow, P::NotBelowHighPressure}},
        {{8.0, 480.0, 0.008, 1.2}, {V::EtaTurbine, P::EfficiencyOutOfRange}},
        {{8.0, 480.0, 0.008, 1.0, 0.0}, {V::EtaPump, P::EfficiencyOutOfRange}},
        {{8.0, 480.0, 0.008, 1.0, 1.0, 0.7}, {V::PReheat, P::NeedsReheatTemperature}},
        {{8.0, 480.0, 0.008, 1.0, 1.0, 8.0, 440.0}, {V::PReheat, P::NotBetweenPressures}},
        {{8.0, 480.0, 0.008, 1.0, 1.0, std::nullopt, 440.0}, {V::TReheat, P::NeedsReheatPressure}},
        {{8.0, 480.0, 0.008, 1.0, 1.0, std::nullopt, std::nullopt, 0.001}, {V::PHeater, P::NotBetweenPressures}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << static_cast<int>(c.fault.value));
        const RankineResult built = buildRankine(realTables(), c.inputs);
        EXPECT_EQ(built.outcome, BuildOutcome::BadInput);
        EXPECT_EQ(built.fault, c.fault);
        EXPECT_TRUE(built.cycle.states.empty());
    }
}

TEST(RankineTest, StatesTheTablesDoNotHoldOrWaterAtTheTurbineEndTheBuild) {
    const struct {
        const char* name;
        RankineInputs inputs;
        BuildOutcome outcome;
        StateRole failedAt;
    } cases[] = {
        {"saturated steam above the critical pressure",
         {30.0, std::nullopt, 0.008},
         BuildOutcome::NoState,
         StateRole::BoilerExit},
        {"beyond the tables", {8.0, 1500.0, 0.008}, BuildOutcome::NoState, StateRole::BoilerExit},
        {"water at the turbine", {8.0, 250.0, 0.008}, BuildOutcome::NotSteam, StateRole::BoilerExit},
        {"water after the reheater",
         {8.0, 480.0, 0.008, 1.0, 1.0, 2.0, 150.0},
         BuildOutcome::NotSteam,
         StateRole::ReheaterExit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RankineResult built = buildRankine(realTables(), c.inputs);
        EXPECT_EQ(built.outcome, c.outcome);
        EXPECT_EQ(built.failedAt, c.failedAt);
        EXPECT_TRUE(built.cycle.states.empty());
    }
}

}  // namespace
}  // namespace steam::cycle
