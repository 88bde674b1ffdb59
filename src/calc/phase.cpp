#include "phase.h"

namespace steam::calc {

Phase phaseOf(const StateSolution& state) {
    using Form = StateSolution::Form;
    switch (state.form) {
        case Form::Mixture: {
            const double x = state[Property::x];
            return x <= 0.0 ? Phase::SaturatedLiquid : x >= 1.0 ? Phase::SaturatedVapour : Phase::Wet;
        }
        case Form::CriticalPoint: return Phase::Supercritical;
        case Form::SinglePhase: {
            const bool hot = state[Property::t] >= kCriticalTemperature;
            const bool dense = state[Property::p] >= kCriticalPressure;
            if (hot && dense) return Phase::Supercritical;
            if (hot) return Phase::Vapour;
            if (dense) return Phase::Liquid;
            // Below both, each table holds one phase only.
            return state.region == RegionWater ? Phase::Liquid : Phase::Vapour;
        }
        default: return Phase::None;
    }
}

}  // namespace steam::calc
