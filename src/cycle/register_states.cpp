#include "register_states.h"

#include <algorithm>
#include <limits>

namespace steam::cycle {
namespace {

using calc::Property;
using calc::RegisterKind;

// Values of a saturation slot (1-based): 1 ts, 2 ps, 3 v', 4 v'', 5 h', 6 h'', 7 s', 8 s''.
constexpr int kTs = 1, kPs = 2, kLiquidV = 3, kLiquidH = 5, kLiquidS = 7;
// Value 4 (h) and 6 (x) of a state, 1-based.
constexpr int kStateH = 4, kStateX = 6;

void set(StateValues& state, Property p, double value) { state[static_cast<int>(p)] = value; }

}  // namespace

std::optional<StateValues> pickedState(const calc::RegisterStore& registers, const StatePick& pick) {
    const int r = pick.registerIndex;
    if (r < 0 || r >= calc::kRegisterCount || !registers.isStored(r)) return std::nullopt;
    StateValues state{};
    if (registers.kind(r) == RegisterKind::State) {
        const calc::RegisterStore::StateValues held = registers.registerState(r);
        if (!registers.holdsNumber(r, kStateH) || held[kStateH - 1] == 0.0) return std::nullopt;
        std::copy(held.begin(), held.end(), state.begin());
        if (!registers.holdsNumber(r, kStateX)) set(state, Property::x, std::numeric_limits<double>::quiet_NaN());
    } else {
        // Saturated steam's values follow saturated water's.
        const int steam = pick.phase == SaturatedPhase::Steam ? 1 : 0;
        const auto value = [&](int k) { return registers.SaturationMemory(r + 1, k); };
        if (value(kLiquidH + steam) == 0.0) return std::nullopt;
        set(state, Property::t, value(kTs));
        set(state, Property::p, value(kPs));
        set(state, Property::v, value(kLiquidV + steam));
        set(state, Property::h, value(kLiquidH + steam));
        set(state, Property::s, value(kLiquidS + steam));
        set(state, Property::x, steam);
    }
    set(state, Property::u,
        internalEnergy(valueOf(state, Property::p), valueOf(state, Property::v), valueOf(state, Property::h)));
    return state;
}

std::optional<Cycle> cycleFromPicks(const calc::RegisterStore& registers, const std::vector<StatePick>& picks,
                                    const std::vector<Process>& processes) {
    Cycle cycle;
    if (picks.size() != processes.size()) return std::nullopt;
    for (size_t i = 0; i < picks.size(); ++i) {
        const std::optional<StateValues> state = pickedState(registers, picks[i]);
        if (!state) return std::nullopt;
        cycle.states.push_back(*state);
        cycle.legs.push_back({processes[i], 1.0, false});
    }
    if (!cycle.wellFormed()) return std::nullopt;
    return cycle;
}

std::vector<int> cycleRegisters(int stateCount) {
    std::vector<int> registers;
    if (stateCount > calc::kRegisterCount) return registers;
    for (int i = 0; i < stateCount; ++i) registers.push_back(calc::kRegisterCount - stateCount + i);
    return registers;
}

std::vector<int> occupiedRegisters(const calc::RegisterStore& registers, int stateCount) {
    std::vector<int> occupied;
    for (int r : cycleRegisters(stateCount))
        if (registers.isStored(r)) occupied.push_back(r);
    return occupied;
}

}  // namespace steam::cycle
