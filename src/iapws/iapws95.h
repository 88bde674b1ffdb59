// IAPWS-95 Helmholtz-energy formulation for ordinary water substance.
//
// Units throughout: T in K, rho in kg/m^3, p in MPa, v in m^3/kg,
// u and h in kJ/kg, s, cv and cp in kJ/(kg K), w in m/s.
#pragma once

#include <stdexcept>

namespace iapws95 {

inline constexpr double R = 0.46151805;  // kJ/(kg K), the formulation's own value
inline constexpr double Tc = 647.096;    // K
inline constexpr double rhoc = 322.0;    // kg/m^3
inline constexpr double pc = 22.064;     // MPa; the formulation returns this at (Tc, rhoc)
inline constexpr double Tt = 273.16;     // K, triple point; lower end of the saturation line

// phi and its partial derivatives: d = dphi/ddelta, dd = d2phi/ddelta2,
// t = dphi/dtau, tt = d2phi/dtau2, dt = d2phi/(ddelta dtau).
struct Derivatives {
    double phi, d, dd, t, tt, dt;
};

// delta = rho / rhoc, tau = Tc / T.
Derivatives idealPart(double delta, double tau);
// All 56 terms. Finite for delta == 1 exactly; at delta == tau == 1 (the
// critical point) tt is -infinity and the other values are the limits.
Derivatives residualPart(double delta, double tau);

struct State {
    double T, rho, p, v, u, h, s, cv, cp, w;
};

// Properties from temperature and density (any fluid state, no phase check).
State stateTRho(double T, double rho);

enum class Branch { Liquid, Vapour };

class SolveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Density on the requested branch at (T, p). Below Tc the liquid branch runs
// from the liquid spinodal upwards and the vapour branch from zero density to
// the vapour spinodal, so metastable states past saturation are returned while
// dp/drho > 0. At and above Tc both branches give the single fluid density.
// Throws SolveError when the branch has no root or the iteration fails.
double densityTP(double T, double p, Branch branch);
State stateTP(double T, double p, Branch branch);

// Same, iterating from rhoStart (e.g. the density of a neighbouring table
// point). Falls back to the default start values when rhoStart is unusable.
double densityTP(double T, double p, Branch branch, double rhoStart);

struct Saturation {
    double T, p;
    State liquid, vapour;
};

// Phase equilibrium from equal pressure and equal Gibbs energy, converged to
// 1e-12 relative in p and g or to the rounding level of the computed values.
// Tt <= T <= Tc; within 1e-9 K of Tc the critical state is returned on both
// sides. Near Tc p(rho) is so flat that rounding limits rho' and rho'' to
// about 1e-6 relative at 1e-4 K from Tc and 1e-3 at 1e-6 K; ps stays
// accurate. Throws SolveError outside the range or when the iteration
// fails.
Saturation saturationT(double T);
// ps(Tt) <= p <= pc (ps(Tt) = 611.6548e-6 MPa).
Saturation saturationP(double p);
// Saturation pressure at the triple-point temperature, as the formulation gives it.
double triplePointPressure();

// Stable single-phase state for Tt <= T <= 1273.15 K. Throws SolveError when
// the input lies in the two-phase region or outside that temperature range.
State statePH(double p, double h);
State statePS(double p, double s);

}  // namespace iapws95
