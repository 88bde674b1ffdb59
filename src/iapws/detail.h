// Helpers shared by the solvers (internal to the library).
#pragma once

#include "iapws95.h"

namespace iapws95::detail {

// Pressure and dp/drho at fixed T from the residual part alone; `noise` is an
// estimate of the rounding error of p, below which an iteration cannot improve.
struct PressureEval {
    double p, dpdrho, noise;
    Derivatives res;
};
PressureEval pressure(double T, double rho);

State makeState(double T, double rho, const Derivatives& ideal, const Derivatives& res);

// Auxiliary saturation equations, used only for start values.
double auxSaturationPressure(double T);     // MPa
double auxSaturationTemperature(double p);  // inverse of the above, K
double auxLiquidDensity(double T);
double auxVapourDensity(double T);

// Phase equilibrium at T from start densities, without range checks.
Saturation solveSaturation(double T, double rhoL, double rhoV);
Saturation criticalSaturation();

}  // namespace iapws95::detail
