// IAPWS R15-11, the IAPWS Formulation 2011 for the thermal conductivity of ordinary water
// substance:
//   lambda = lambda* [lambda0(T) lambda1(T, rho) + lambda2(T, rho)],   lambda* = 1e-3 W/(m K),
// lambda0 the dilute gas, lambda1 the effect of density, lambda2 the critical enhancement,
// which needs cp, cv and the correlation length from IAPWS-95 and the viscosity of R12-08.
//
// Units: T in K, rho in kg/m^3, cp and cv in kJ/(kg K), mu in µPa s, xi in nm, conductivities
// in mW/(m K). The release covers the fluid from the melting line to 1173.15 K (lower upper
// temperatures at high pressures, up to 1000 MPa); these functions evaluate the correlation
// for any T > 0 and rho >= 0 without judging the phase, and give NaN for non-finite input,
// T <= 0 or rho < 0.
#pragma once

namespace iapws {

/// lambda0, the dilute-gas conductivity, in mW/(m K).
double conductivityDiluteGas(double T);
/// lambda1, the dimensionless factor for the effect of density.
double conductivityDensityFactor(double T, double rho);
/// lambda2 in mW/(m K) from IAPWS-95's cp and cv, the viscosity mu and the correlation
/// length xi at (T, rho). 0 where xi is too small to matter (qD xi < 1.2e-7); +infinity where
/// cp is (the critical point).
double conductivityCriticalPart(double T, double rho, double cp, double cv, double mu, double xi);

/// lambda0 lambda1 + lambda2 in mW/(m K) from the same inputs.
double thermalConductivity(double T, double rho, double cp, double cv, double mu, double xi);
/// lambda in mW/(m K), everything the critical part needs taken from IAPWS-95 and R12-08.
/// +infinity at (Tc, rhoc).
double thermalConductivity(double T, double rho);

}  // namespace iapws
