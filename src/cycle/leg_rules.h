#pragma once
// The rules of a leg in steady flow, per kg of the fluid passing it: the heat q taken in and
// the work w given out, with q - w = h2 - h1 for every process whose q and w are known.
//   等压 (isobaric):     w = -∫v dp = 0, q = Δh
//   等熵 (isentropic):   q = 0, w = -Δh
//   绝热 (adiabatic):    q = 0, w = -Δh; the isentropic efficiency against the state of the
//                        start's s at the end's p: (h1 - h2)/(h1 - h2s) expanding,
//                        (h2s - h1)/(h2 - h1) compressing
//   节流 (throttle):     w = 0, q = Δh (0 when h is held)
//   等温 (isothermal):   q = T Δs with T in K, w = q - Δh
//   等容 (isochoric):    w = -v Δp, q = Δh + w = Δu
//   直线 (line):         q and w unknown (NaN)
// Whether the ends keep the process's held property (within a few units of the boxes' last
// decimals) is reported, not enforced: states picked by hand may not.
#include "cycle.h"

#include "data/property_database.h"

#include <optional>

namespace steam::cycle {

/// The property a process keeps along its leg; none for 绝热 and 直线.
std::optional<calc::Property> heldProperty(Process process);

/// Whether the ends keep the held property: equal within its tolerance (p and v relative, t,
/// h and s absolute); for an adiabatic leg, s does not fall. True for a line.
bool endsKeepProcess(const StateValues& from, const StateValues& to, Process process);

struct LegFigures {
    double q;  ///< kJ/kg; NaN where unknown
    double w;  ///< kJ/kg; NaN where unknown
    /// Of an adiabatic leg whose isentropic end state was found and that changes h.
    std::optional<double> isentropicEfficiency;
    bool endsAgree = true;

    bool determined() const;
};

/// The leg's heat and work. An adiabatic leg looks up its isentropic end state in the tables.
LegFigures workLeg(const data::PropertyDatabase& db, const StateValues& from, const StateValues& to, Process process);

}  // namespace steam::cycle
