// One evaluation of IAPWS-95 at (T, rho) and one of its residual part at TR serve the heat
// capacities, the speed of sound and both critical enhancements.
#include "thermal_properties.h"

#include <cmath>
#include <limits>

#include "critical_region.h"
#include "detail.h"
#include "iapws95.h"
#include "thermal_conductivity.h"
#include "viscosity.h"

namespace iapws {
namespace {

constexpr double kHighestTemperature = 1273.15;           // K, where IAPWS-95's tables end
constexpr double kHighestTransportTemperature = 1173.15;  // K, where both transport releases end
constexpr double kHighestPressure = 100.0;                // MPa

ThermalProperties undefined() {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan, nan, nan, nan, nan, nan};
}

}  // namespace

ThermalProperties propertiesAt(double T, double rho) {
    if (!(T >= iapws95::Tt && T <= kHighestTemperature && rho > 0.0 && std::isfinite(rho))) return undefined();
    const double delta = rho / iapws95::rhoc, tau = iapws95::Tc / T;
    const iapws95::Derivatives residual = iapws95::residualPart(delta, tau);
    const iapws95::State state = iapws95::detail::makeState(T, rho, iapws95::idealPart(delta, tau), residual);
    if (T == iapws95::Tc && rho == iapws95::rhoc) {
        constexpr double inf = std::numeric_limits<double>::infinity();
        return {inf, inf, state.w, inf, inf, inf, inf};
    }
    const double stiffness = 1.0 + 2.0 * delta * residual.d + delta * delta * residual.dd;  // ~ (dp/drho)_T
    if (!(stiffness > 0.0 && state.p > 0.0 && state.p <= kHighestPressure)) return undefined();

    ThermalProperties out;
    out.cp = state.cp;
    out.cv = state.cv;
    out.w = state.w;
    if (T > kHighestTransportTemperature) {
        out.mu = out.lambda = out.nu = out.Pr = std::numeric_limits<double>::quiet_NaN();
        return out;
    }
    const double xi = correlationLength(T, rho, residual);
    out.mu = viscosity(T, rho, xi);
    out.lambda = thermalConductivity(T, rho, state.cp, state.cv, out.mu, xi);
    out.nu = out.mu / rho;
    out.Pr = out.mu * state.cp / out.lambda;
    return out;
}

}  // namespace iapws
