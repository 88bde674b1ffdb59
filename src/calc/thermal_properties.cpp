#include "thermal_properties.h"

#include "iapws/iapws95.h"
#include "iapws/surface_tension.h"
#include "iapws/thermal_properties.h"

#include <cmath>
#include <limits>

namespace steam::calc {
namespace {

constexpr double kKelvin = 273.15;

}  // namespace

ThermalSet thermalPropertiesAt(double t, double v) {
    if (!(v > 0.0)) return undefinedThermalSet();
    const iapws::ThermalProperties p = iapws::propertiesAt(t + kKelvin, 1.0 / v);
    return {p.cp, p.cv, p.w, p.mu, p.lambda, p.nu, p.Pr};
}

double surfaceTensionAt(double t) { return iapws::surfaceTension(t + kKelvin); }

ThermalSet undefinedThermalSet() {
    const double none = std::numeric_limits<double>::quiet_NaN();
    return {none, none, none, none, none, none, none};
}

ThermalSet thermalPropertiesOf(const StateSolution& state) {
    using Form = StateSolution::Form;
    // At x = 0 or 1 the "mixture" is one saturated phase, whose properties are defined.
    const bool onePhase = state.form == Form::SinglePhase || state.form == Form::CriticalPoint ||
                          (state.form == Form::Mixture && (state[Property::x] <= 0.0 || state[Property::x] >= 1.0));
    if (!onePhase) return undefinedThermalSet();
    const ThermalSet atDensity = thermalPropertiesAt(state[Property::t], state[Property::v]);
    if (std::isfinite(atDensity.cp) || state.form != Form::SinglePhase || state.region != RegionWater) return atDensity;
    // Cold water a few kPa above its vapour pressure: water is so stiff that the tables' v,
    // good to 1e-8 of itself, may put IAPWS-95's p at that density below zero. Its t and p
    // name the state as well, and the density there is the formulation's own.
    try {
        const double T = state[Property::t] + kKelvin;
        return thermalPropertiesAt(state[Property::t],
                                   1.0 / iapws95::densityTP(T, state[Property::p], iapws95::Branch::Liquid));
    } catch (const iapws95::SolveError&) {
        return atDensity;
    }
}

SaturationThermal thermalPropertiesOf(const SaturationSolution& saturation) {
    if (!saturation.solved) return {undefinedThermalSet(), undefinedThermalSet(), std::nan("")};
    const double ts = saturation[SatProperty::ts];
    return {thermalPropertiesAt(ts, saturation[SatProperty::v1]), thermalPropertiesAt(ts, saturation[SatProperty::v11]),
            surfaceTensionAt(ts)};
}

}  // namespace steam::calc
