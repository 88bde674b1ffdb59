#pragma once
// The figures of a cycle, per kg through the boiler: each leg's q and w (leg_rules.h) weighted
// by its mass fraction, then
//   heat in   = the sum of the positive weighted q of the legs heated from outside,
//   heat out  = the sum of the negative weighted q of those legs, as a positive number,
//   net work  = the sum of the weighted w,
//   thermal efficiency = net work / heat in,
//   back-work ratio    = the work taken in (negative w) / the work given out (positive w),
//   Carnot efficiency  = 1 - T_lowest / T_highest over the cycle's states, T in K.
// A leg heated inside the cycle (internal) counts in no heat sum; its heat comes from the
// extracted steam, whose legs' mass fractions keep the balance.
// The figures that need every leg's q and w are NaN while some leg's are unknown (a 直线 leg);
// the efficiency also while no heat comes in, the back-work ratio while no work goes out.
#include "cycle.h"
#include "leg_rules.h"

#include "data/property_database.h"

#include <vector>

namespace steam::cycle {

struct CycleFigures {
    std::vector<LegFigures> legs;  ///< per kg of the fluid passing each leg
    double heatIn, heatOut, netWork;
    double efficiency, backWorkRatio, carnotEfficiency;
    /// Every leg's q and w are known.
    bool determined = false;
};

/// The figures of a well-formed cycle.
CycleFigures workCycle(const data::PropertyDatabase& db, const Cycle& cycle);

}  // namespace steam::cycle
