// The correlation length of the density fluctuations, through which the critical enhancements
// of viscosity (IAPWS R12-08) and thermal conductivity (IAPWS R15-11) enter. Both releases
// define it alike:
//   xi = xi0 (dchi / Gamma0)^(nu / gamma),
//   dchi = (rho / rhoc) [zeta(T, rho) - zeta(TR, rho) TR / T],   dchi < 0 taken as 0,
// where zeta = (pc / rhoc) (d rho / d p)_T comes from IAPWS-95 and TR = 1.5 Tc.
//
// Units: T in K, rho in kg/m^3, xi in nm. xi is 0 far from the critical point (and at
// rho = 0), grows without bound towards it, and is +infinity at (Tc, rhoc) itself.
#pragma once

#include "iapws95.h"

namespace iapws {

/// Reference temperature of the critical enhancement, TR = 1.5 Tc, in K.
inline constexpr double kEnhancementReferenceTemperature = 1.5 * iapws95::Tc;

/// xi in nm at (T > 0, rho >= 0), with (d rho / d p)_T at T and at TR from IAPWS-95. NaN for
/// non-finite input, T <= 0 or rho < 0. Where p(rho) falls (inside the saturation dome's
/// unstable part) dchi is negative and xi is 0.
double correlationLength(double T, double rho);

/// The same, reusing IAPWS-95's residual derivatives already evaluated at (T, rho).
double correlationLength(double T, double rho, const iapws95::Derivatives& residual);

}  // namespace iapws
