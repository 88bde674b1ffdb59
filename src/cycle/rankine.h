#pragma once
// The Rankine cycle from its design values, every state found in the tables through the typed
// calculators (calc::solveState):
//   condenser exit   saturated water at p_low
//   pump             to p_high (to p_fwh first with a feedwater heater), isentropic when
//                    eta_pump is 1, else h2 = h1 + (h2s - h1) / eta_pump
//   heater exit      saturated water at p_fwh, then the feed pump to p_high (open heater)
//   boiler exit      (t_high, p_high), or saturated steam at p_high without t_high
//   turbine          expands stage by stage, each stage with eta_turbine
//                    (h2 = h1 - eta_turbine (h1 - h2s)), stopping at each of p_fwh (extraction)
//                    and p_reheat (the reheater heats at p_reheat to t_reheat), highest first,
//                    both at one state when they are equal, down to p_low.
// The extraction y = (h_heater - h_pump) / (h_extraction - h_pump) balances the open heater;
// the legs after the extraction carry 1 - y. With reheat and a heater at different pressures
// the cycle has 9 states; at one pressure 8.
// Values are checked before anything is looked up: missing or unusable ones are named.
#include "cycle.h"

#include "calc/message.h"
#include "data/property_database.h"

#include <optional>

namespace steam::cycle {

/// The design values, in the order of steamcalc's names: p_high t_high p_low eta_turbine
/// eta_pump p_reheat t_reheat p_fwh.
enum class RankineValue { PHigh, THigh, PLow, EtaTurbine, EtaPump, PReheat, TReheat, PHeater };
inline constexpr int kRankineValueCount = 8;

struct RankineInputs {
    std::optional<double> pHigh{}, tHigh{}, pLow{};
    double etaTurbine = 1.0, etaPump = 1.0;
    std::optional<double> pReheat{}, tReheat{}, pHeater{};
};

enum class InputProblem {
    Missing,                 ///< p_high or p_low not given
    NotPositive,             ///< a pressure of 0 or below
    NotBelowHighPressure,    ///< p_low at or above p_high
    NotBetweenPressures,     ///< p_reheat or p_fwh not strictly between p_low and p_high
    EfficiencyOutOfRange,    ///< an efficiency not in (0, 1]
    NeedsReheatPressure,     ///< t_reheat without p_reheat
    NeedsReheatTemperature,  ///< p_reheat without t_reheat
};

struct InputFault {
    RankineValue value;
    InputProblem problem;
    bool operator==(const InputFault&) const = default;
};

/// The first unusable value, in the order of RankineValue; none when all can be used.
std::optional<InputFault> checkRankineInputs(const RankineInputs& inputs);

enum class BuildOutcome {
    Built,
    BadInput,  ///< fault names the value
    NoState,   ///< a state the tables do not hold; failedAt names it, messages say why
    NotSteam,  ///< the turbine's inlet (boiler or reheater exit) is not steam; failedAt names it
};

struct RankineResult {
    BuildOutcome outcome = BuildOutcome::BadInput;
    std::optional<InputFault> fault;
    StateRole failedAt = StateRole::None;
    calc::Messages messages;  ///< the calculator's, for NoState (none where no state has the values)
    Cycle cycle;              ///< with roles and, with a heater, the extraction y; empty unless built
};

RankineResult buildRankine(const data::PropertyDatabase& db, const RankineInputs& inputs);

}  // namespace steam::cycle
