// A cycle and the memory registers: a cycle of n states fills M(10-n) to M9 in state order,
// only registers holding something count as overwritten, every register can hold a built
// cycle's state, picks give a saturation register's saturated water or steam and a state
// register's state, and a cycle stored and picked back gives the builder's figures.
#include "cycle/register_states.h"
#include "cycle/cycle_figures.h"
#include "cycle/rankine.h"
#include "panels/cycle_texts.h"

#include "numeric/number_text.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace steam::cycle {
namespace {

using calc::Property;
using calc::RegisterKind;
using calc::RegisterStore;
using testsupport::realTables;

const std::vector<std::string> kSaturationTexts{"100.00",  "0.101418", "0.00104346", "1.67177", "419.17",
                                                "2675.57", "1.3072",   "7.3541",     "419.06",  "2506.01"};

TEST(CycleRegistersTest, ACycleFillsTheLastRegistersStateOneFirst) {
    const struct {
        int states;
        std::vector<int> registers;
    } cases[] = {
        {3, {6, 7, 8}}, {4, {5, 6, 7, 8}}, {6, {3, 4, 5, 6, 7, 8}}, {9, {0, 1, 2, 3, 4, 5, 6, 7, 8}}, {10, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.states << " states");
        EXPECT_EQ(cycleRegisters(c.states), c.registers);
    }
}

TEST(CycleRegistersTest, OnlyRegistersHoldingSomethingCountAsOverwritten) {
    RegisterStore registers;
    EXPECT_TRUE(occupiedRegisters(registers, 9).empty());
    registers.store(1, kSaturationTexts);
    registers.store(7, {"200", "3.5", "0.00115", "853", "2.33", "(none)", "849"});
    EXPECT_EQ(occupiedRegisters(registers, 9), (std::vector<int>{1, 7}));
    EXPECT_EQ(occupiedRegisters(registers, 4), (std::vector<int>{7}));
    registers.clearStateRegisters();
    EXPECT_TRUE(occupiedRegisters(registers, 4).empty());
}

TEST(CycleRegistersTest, PicksGiveASaturationRegistersWaterOrSteamAndAStateRegistersState) {
    RegisterStore registers;
    registers.store(0, kSaturationTexts);
    registers.store(5, {"200.00", "3.500000", "0.00115456", "853.06", "2.3305", "(none)", "0"});
    registers.store(6, {"100", "0.101418", "0.836", "1547.4", "4.33", "0.5", "0"});
    const struct {
        const char* name;
        StatePick pick;
        StateValues expected;  // t p v h s x u, x NaN where none
    } cases[] = {
        {"saturated water of M1",
         {0, SaturatedPhase::Water},
         {100, 0.101418, 0.00104346, 419.17, 1.3072, 0, 419.17 - 101.418 * 0.00104346}},
        {"saturated steam of M1",
         {0, SaturatedPhase::Steam},
         {100, 0.101418, 1.67177, 2675.57, 7.3541, 1, 2675.57 - 101.418 * 1.67177}},
        {"compressed water in M6, the choice ignored",
         {5, SaturatedPhase::Steam},
         {200, 3.5, 0.00115456, 853.06, 2.3305, NAN, 853.06 - 3500 * 0.00115456}},
        {"wet steam in M7",
         {6, SaturatedPhase::Water},
         {100, 0.101418, 0.836, 1547.4, 4.33, 0.5, 1547.4 - 101.418 * 0.836}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<StateValues> state = pickedState(registers, c.pick);
        ASSERT_TRUE(state);
        for (int k = 0; k < calc::kStateProperties; ++k) {
            if (std::isnan(c.expected[k])) {
                EXPECT_TRUE(std::isnan((*state)[k])) << "value " << k;
            } else {
                EXPECT_NEAR((*state)[k], c.expected[k], 1e-9) << "value " << k;
            }
        }
    }
    // Nothing from an empty register, nor from one that held no state.
    EXPECT_FALSE(pickedState(registers, {2, SaturatedPhase::Water}));
    registers.store(8, {"none", "none", "none", "none", "none", "none", "none"});
    EXPECT_FALSE(pickedState(registers, {8, SaturatedPhase::Water}));
    EXPECT_FALSE(cycleFromPicks(registers, {{0}, {5}, {2}}, {Process::Line, Process::Line, Process::Line}));
}

TEST(CycleRegistersTest, EveryRegisterHoldsABuiltCyclesStateAsItsBoxesShowIt) {
    const RankineResult built = buildRankine(realTables(), {8.0, 480.0, 0.008, 0.85, 0.85, 2.0, 440.0, 0.7});
    ASSERT_EQ(built.cycle.size(), 9);
    RegisterStore registers;
    registers.store(0, kSaturationTexts);
    EXPECT_EQ(panels::storeCycleStates(registers, built.cycle), cycleRegisters(9));
    for (int r = 0; r < calc::kRegisterCount; ++r) {
        SCOPED_TRACE(testing::Message() << "M" << r + 1);
        EXPECT_EQ(registers.kind(r), RegisterKind::State);
        const panels::StateTexts texts = panels::cycleStateTexts(built.cycle.states[static_cast<size_t>(r)]);
        const std::vector<std::string> recalled = registers.recall(r);
        ASSERT_EQ(recalled.size(), 7u);
        for (int k = 0; k < 6; ++k) EXPECT_EQ(numeric::readNumber(recalled[k]), numeric::readNumber(texts[k]));
        EXPECT_EQ(recalled[5], texts[5]);  // "(none)" or the dryness
        const auto picked = pickedState(registers, {r});
        ASSERT_TRUE(picked);
        EXPECT_NEAR(valueOf(*picked, Property::h), valueOf(built.cycle.states[r], Property::h), 0.005);
    }
}

TEST(CycleRegistersTest, ACycleStoredAndPickedBackGivesTheBuildersFigures) {
    const RankineResult built = buildRankine(realTables(), {8.0, 480.0, 0.008, 0.85, 0.8, 0.7, 440.0});
    ASSERT_EQ(built.outcome, BuildOutcome::Built);
    RegisterStore registers;
    const std::vector<int> targets = panels::storeCycleStates(registers, built.cycle);
    std::vector<StatePick> picks;
    std::vector<Process> processes;
    for (size_t i = 0; i < targets.size(); ++i) {
        picks.push_back({targets[i]});
        processes.push_back(built.cycle.legs[i].process);
    }
    const std::optional<Cycle> picked = cycleFromPicks(registers, picks, processes);
    ASSERT_TRUE(picked);
    const CycleFigures fromBuilder = workCycle(realTables(), built.cycle);
    const CycleFigures fromRegisters = workCycle(realTables(), *picked);
    // The registers hold h with two decimals.
    EXPECT_NEAR(fromRegisters.netWork, fromBuilder.netWork, 0.05);
    EXPECT_NEAR(fromRegisters.efficiency, fromBuilder.efficiency, 2e-5);
    for (size_t i = 0; i < picks.size(); ++i) {
        const auto& a = fromBuilder.legs[i].isentropicEfficiency;
        const auto& b = fromRegisters.legs[i].isentropicEfficiency;
        ASSERT_EQ(a.has_value(), b.has_value());
        if (a) {
            EXPECT_NEAR(*a, *b, 2e-3);
        }
    }
}

}  // namespace
}  // namespace steam::cycle
