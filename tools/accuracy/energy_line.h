#pragma once
// The states (h, u) names. Along a line of constant u through every phase, in ascending p,
// h - u = p v falls and rises again: the low-pressure steam or the wet state a pair (h, u) was
// taken from often shares its h and u with dense water at tens of MPa, and compressed water
// with a wet state at a lower pressure. The calculator answers the first state in ascending p;
// this finds it with IAPWS-95, within the grids' extent (0.00058 MPa up, 0.01-1000 C).
#include "conditioning.h"

#include <optional>

namespace accuracy {

struct EnergyLineState {
    Properties values{};  ///< t p v h s u, and x for a wet state
    bool wet = false;
    iapws95::Branch branch = iapws95::Branch::Liquid;  ///< of a single phase
};

struct EnergyLineScan {
    /// The first state below `upTo` where h - u takes the value, when there is one.
    std::optional<EnergyLineState> first;
    /// Whether h - u turns within the tolerance of the value below `upTo` (the pair then
    /// barely tells whether a state lies there).
    bool turnsNear = false;
};

/// The states of the line u = `u` with p below `upTo` (MPa) where h - u = `difference` (kJ/kg);
/// `tolerance` for turnsNear.
EnergyLineScan scanEnergyLine(double u, double difference, double upTo, double tolerance);

/// The state of the line u = `u` at p, when its h - u lies within `tolerance` of `difference`:
/// one the pair names within the targets of h and u.
std::optional<EnergyLineState> energyLineStateAt(double u, double p, double difference, double tolerance);

/// The allowed errors of the outputs of a state given by (h, u), as conditioning.h has them for
/// its phase.
Properties allowedForEnergyPair(const EnergyLineState& state);

}  // namespace accuracy
