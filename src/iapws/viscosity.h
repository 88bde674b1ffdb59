// IAPWS R12-08, the IAPWS Formulation 2008 for the viscosity of ordinary water substance:
//   mu = mu* mu0(T) mu1(T, rho) mu2(T, rho),   mu* = 1e-6 Pa s = 1 µPa s,
// mu0 the dilute gas, mu1 the effect of density, mu2 the critical enhancement: 1 except close
// to the critical point (above 1.02 nowhere beyond 3.7 K above Tc). mu2's correlation length
// comes from IAPWS-95 (critical_region.h).
//
// Units: T in K, rho in kg/m^3, viscosities in µPa s. The release covers the stable fluid
// from the melting line to 1173.15 K at pressures up to 300 MPa (lower upper temperatures up
// to 1000 MPa) and calls its extrapolation physically reasonable; these functions evaluate
// the correlation for any T > 0 and rho >= 0 without judging the phase, and give NaN for
// non-finite input, T <= 0 or rho < 0.
#pragma once

namespace iapws {

/// mu0, the dilute-gas viscosity, in µPa s.
double viscosityDiluteGas(double T);
/// mu1, the dimensionless factor for the effect of density.
double viscosityDensityFactor(double T, double rho);
/// mu2, the dimensionless critical enhancement, from the correlation length xi in nm (>= 0);
/// 1 at xi = 0, +infinity at xi = +infinity (the critical point).
double viscosityCriticalFactor(double xi);

/// mu = mu0 mu1 mu2 in µPa s, given the correlation length xi in nm.
double viscosity(double T, double rho, double xi);
/// mu in µPa s, with xi from IAPWS-95. +infinity at (Tc, rhoc).
double viscosity(double T, double rho);

}  // namespace iapws
