#include "cycle_figures.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace steam::cycle {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kKelvin = 273.15;

double carnot(const Cycle& cycle) {
    double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
    for (const StateValues& state : cycle.states) {
        lowest = std::min(lowest, valueOf(state, calc::Property::t));
        highest = std::max(highest, valueOf(state, calc::Property::t));
    }
    return 1.0 - (lowest + kKelvin) / (highest + kKelvin);
}

}  // namespace

CycleFigures workCycle(const data::PropertyDatabase& db, const Cycle& cycle) {
    CycleFigures figures{{}, kNaN, kNaN, kNaN, kNaN, kNaN, carnot(cycle), true};
    double heatIn = 0, heatOut = 0, workOut = 0, workIn = 0;
    for (int i = 0; i < cycle.size(); ++i) {
        const Leg& leg = cycle.legs[static_cast<size_t>(i)];
        const LegFigures f = workLeg(db, cycle.states[static_cast<size_t>(i)], cycle.legEnd(i), leg.process);
        figures.legs.push_back(f);
        if (!f.determined()) {
            figures.determined = false;
            continue;
        }
        const double q = leg.massFraction * f.q, w = leg.massFraction * f.w;
        if (!leg.internal) (q > 0 ? heatIn : heatOut) += std::abs(q);
        (w > 0 ? workOut : workIn) += std::abs(w);
    }
    if (!figures.determined) return figures;
    figures.heatIn = heatIn;
    figures.heatOut = heatOut;
    figures.netWork = workOut - workIn;
    if (heatIn > 0) figures.efficiency = figures.netWork / heatIn;
    if (workOut > 0) figures.backWorkRatio = workIn / workOut;
    return figures;
}

}  // namespace steam::cycle
