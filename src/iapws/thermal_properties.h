// What a textbook steam table lists for a state beyond v, h and s, from its temperature and
// density: the heat capacities and the speed of sound of IAPWS-95, the viscosity of IAPWS
// R12-08 and the thermal conductivity of IAPWS R15-11 (both with their critical
// enhancements), and the kinematic viscosity and Prandtl number made from them.
//
// Units: T in K, rho in kg/m^3; cp and cv in kJ/(kg K), w in m/s, mu in µPa s, lambda in
// mW/(m K), nu = mu / rho in mm^2/s, Pr = mu cp / lambda (the units cancel as chosen).
//
// Range: Tt = 273.16 K <= T <= 1273.15 K, rho > 0, and 0 < p(T, rho) <= 100 MPa, and p must
// rise with rho at fixed T. Both transport releases end at 1173.15 K: above it mu, lambda, nu
// and Pr are NaN while cp, cv and w (IAPWS-95's own) are given on to 1273.15 K.
// (T, rho) is taken as one homogeneous phase: inside the saturation dome a state whose p
// still rises with rho (superheated water, subcooled steam) gets its metastable values, one
// where it falls gets NaN. For a wet state ask for the saturated water and steam apart.
// Outside the range, and for NaN or infinite input, every field is NaN; nothing throws.
//
// At the critical point itself (T = Tc and rho = rhoc exactly) cp, cv, mu, lambda, nu and Pr
// diverge in the formulations and are returned as +infinity, w as IAPWS-95 gives it (zero to
// within its rounding, 1e-4 m/s). Every other state in the range gets finite values, however
// close to the critical point: cp grows past 1e9 kJ/(kg K) within 1e-6 K above it, while mu
// stays within three times its value without the enhancement.
#pragma once

namespace iapws {

struct ThermalProperties {
    double cp, cv;  // kJ/(kg K)
    double w;       // m/s
    double mu;      // µPa s
    double lambda;  // mW/(m K)
    double nu;      // mm^2/s
    double Pr;      // dimensionless
};

/// The properties at (T in K, rho in kg/m^3); see the range above.
ThermalProperties propertiesAt(double T, double rho);

}  // namespace iapws
