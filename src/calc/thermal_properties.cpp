#include "thermal_properties.h"

#include "iapws/surface_tension.h"
#include "iapws/thermal_properties.h"

#include <cmath>
#include <limits>

namespace steam::calc {
namespace {

constexpr double kKelvin = 273.15;

ThermalSet atTemperatureAndVolume(double t, double v) {
    if (!(v > 0.0)) return undefinedThermalSet();
    const iapws::ThermalProperties p = iapws::propertiesAt(t + kKelvin, 1.0 / v);
    return {p.cp, p.cv, p.w, p.mu, p.lambda, p.nu, p.Pr};
}

}  // namespace

ThermalSet undefinedThermalSet() {
    const double none = std::numeric_limits<double>::quiet_NaN();
    return {none, none, none, none, none, none, none};
}

ThermalSet thermalPropertiesOf(const StateSolution& state) {
    using Form = StateSolution::Form;
    if (state.form != Form::SinglePhase && state.form != Form::CriticalPoint) return undefinedThermalSet();
    return atTemperatureAndVolume(state[Property::t], state[Property::v]);
}

SaturationThermal thermalPropertiesOf(const SaturationSolution& saturation) {
    if (!saturation.solved) return {undefinedThermalSet(), undefinedThermalSet(), std::nan("")};
    const double ts = saturation[SatProperty::ts];
    return {atTemperatureAndVolume(ts, saturation[SatProperty::v1]),
            atTemperatureAndVolume(ts, saturation[SatProperty::v11]), iapws::surfaceTension(ts + kKelvin)};
}

}  // namespace steam::calc
