#pragma once
// A thermodynamic cycle of water as numbers: 3 to 9 states in cycle order and the legs between
// them, leg i running from state i to state i + 1 and the last one back to the first. Each leg
// names its process and how much of the working fluid passes it, in kg per kg through the
// boiler (less than 1 after an extraction to a feedwater heater); a leg heated inside the cycle
// (the feedwater in an open heater, by the extracted steam) takes no heat from outside.
//
// Units as in calc/state_solver.h: t in C, p in MPa, v in m^3/kg, h and u in kJ/kg, s in
// kJ/(kg.K), x a fraction (NaN for a state that has no dryness).
// Nothing here makes a text: processes, state roles and outcomes are codes, and the panels,
// the windows and steamcalc name them.
#include "calc/property_columns.h"

#include <array>
#include <optional>
#include <vector>

namespace steam::cycle {

/// The processes a leg may follow, in the order the cycle window offers them.
enum class Process {
    Isobaric,    ///< 等压: boilers, condensers, heaters; p held
    Isentropic,  ///< 等熵: an ideal pump or turbine; s held
    Adiabatic,   ///< 绝热: a real pump or turbine; no heat, its isentropic efficiency worked out
    Throttle,    ///< 节流: h held
    Isothermal,  ///< 等温: t held
    Isochoric,   ///< 等容: v held
    Line,        ///< 直线: drawn straight between its ends; nothing about it is known
};
inline constexpr int kProcessCount = 7;

inline constexpr int kMinStates = 3;
inline constexpr int kMaxStates = 9;

/// t p v h s x u, by calc::Property.
using StateValues = std::array<double, calc::kStateProperties>;

inline double valueOf(const StateValues& state, calc::Property p) { return state[static_cast<int>(p)]; }

struct Leg {
    Process process = Process::Line;
    double massFraction = 1.0;  ///< kg through the leg per kg through the boiler
    bool internal = false;      ///< heated within the cycle: neither heat in nor heat out
};

/// What a state of a built cycle is, for the state table.
enum class StateRole {
    None,              ///< a state picked by hand
    CondenserExit,     ///< saturated water leaving the condenser
    PumpExit,          ///< the (first) pump's exit
    HeaterExit,        ///< saturated water leaving the open feedwater heater
    FeedPumpExit,      ///< the feed pump's exit, after the heater
    BoilerExit,        ///< the steam entering the turbine
    Extraction,        ///< steam taken from the turbine to the feedwater heater
    HighPressureExit,  ///< the high-pressure turbine's exit, entering the reheater
    ReheaterExit,      ///< the steam leaving the reheater
    TurbineExit,       ///< the (last) turbine's exit, entering the condenser
};

struct Cycle {
    std::vector<StateValues> states;
    std::vector<Leg> legs;             ///< one per state
    std::vector<StateRole> roles;      ///< one per state, or empty
    std::optional<double> extraction;  ///< y, the fraction extracted to a feedwater heater

    int size() const { return static_cast<int>(states.size()); }
    /// The state a leg ends at.
    const StateValues& legEnd(int leg) const { return states[static_cast<size_t>((leg + 1) % size())]; }
    /// 3 to 9 states, one leg each.
    bool wellFormed() const {
        return size() >= kMinStates && size() <= kMaxStates && legs.size() == states.size() &&
               (roles.empty() || roles.size() == states.size());
    }
};

/// u = h - p v, with p v in kJ/kg.
inline double internalEnergy(double p, double v, double h) { return h - 1000.0 * p * v; }

}  // namespace steam::cycle
