#pragma once
// What a textbook steam table lists beyond t p v h s x u: the heat capacities cp and cv, the
// speed of sound w, the dynamic and kinematic viscosity, the thermal conductivity and the
// Prandtl number of a state (and of both saturated phases, with the surface tension between
// them). They come from the IAPWS formulations (src/iapws) at the state's temperature and
// density as the tables give them.
//
// Units: cp, cv in kJ/(kg.K); w in m/s; mu in µPa.s; k in mW/(m.K); nu in mm^2/s; Pr none;
// sigma in mN/m. NaN where a property is not defined (a wet mixture has none of them) or the
// formulations' range ends (their transport releases end at 900 C); infinite at the critical
// point itself where the formulations diverge.
#include "saturation_solver.h"
#include "state_solver.h"

namespace steam::calc {

struct ThermalSet {
    double cp, cv, w, mu, k, nu, pr;
};

/// Every property NaN: what a mixture or no state has.
ThermalSet undefinedThermalSet();

/// The properties of a single phase at t (°C) and specific volume v (m³/kg); NaN for v <= 0.
ThermalSet thermalPropertiesAt(double t, double v);

/// The properties of a single-phase state, the critical point or saturated water or steam
/// (x = 0 or 1); NaN for a wet mixture.
ThermalSet thermalPropertiesOf(const StateSolution& state);

struct SaturationThermal {
    ThermalSet liquid, vapour;
    double sigma;
};

/// The surface tension (mN/m) of water against its vapour at t (°C); NaN beyond the critical
/// temperature.
double surfaceTensionAt(double t);

/// The properties of saturated water and saturated steam, and the surface tension.
SaturationThermal thermalPropertiesOf(const SaturationSolution& saturation);

}  // namespace steam::calc
