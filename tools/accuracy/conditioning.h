#pragma once
// What "within target" means for a state given by two of its properties, judged on the values
// the boxes show. Each output must lie within its own target plus the error that the tables'
// own error in the second known value causes where the pair barely determines the state:
//   allowed(o) = target(o) + |d o / d z| * target(z),
// the derivative taken along the line of the first known value (t or p) held fixed, z being
// the second known value. Targets, outside / inside the near-critical band (360-390 C,
// 18-26 MPa): t 0.02 / 0.1 K, p and v 2e-4 / 5e-3 relative, h 0.05 / 1 kJ/kg,
// s 1e-4 / 2e-3 kJ/(kg K); none below half a unit of the box's last decimal (p shows 6
// decimals, so at 0.001 MPa half a unit is 5e-4 of the value). A p typed as the second
// value is a grid coordinate of the tables, which hold no error in it: (t, p) is held to
// the targets alone.
// For two known values neither of which is t or p, both carry the tables' error and both
// widen the allowance (allowedErrorsWithoutTP, wetAllowedErrors).
// Properties are indexed 0 t (C), 1 p (MPa), 2 v (m^3/kg), 3 h (kJ/kg), 4 s (kJ/(kg K)), and
// 5 x for a wet state.
#include "iapws/iapws95.h"

#include <array>

namespace accuracy {

using Properties = std::array<double, 5>;

inline constexpr double kKelvin = 273.15;

/// True inside the band 360-390 C, 18-26 MPa.
bool inCriticalBand(double t, double p);

/// The targets at a state, each as an absolute error.
Properties targets(const Properties& state);

/// t, p, v, h, s of the state at t (C) and p (MPa) on the given branch.
Properties propertiesAt(double t, double p, iapws95::Branch branch);

/// The allowed error of each output for the state at t, p on the given branch, known by the
/// properties `first` (0 t or 1 p) and `second` (1 to 4).
Properties allowedErrors(double t, double p, iapws95::Branch branch, int first, int second);

/// The same for a state known by two of v, h and s (`first` < `second`, 2 to 4): both carry the
/// tables' error, so each output may be off by its target plus
///   |d o / d first| * target(first) + |d o / d second| * target(second),
/// each derivative taken with the other known value held.
Properties allowedErrorsWithoutTP(double t, double p, iapws95::Branch branch, int first, int second);

/// A wet state's t, p, v, h, s and x.
using WetProperties = std::array<double, 6>;

/// The wet state at ts (C) and dryness x, from IAPWS-95's saturated water and steam.
WetProperties wetPropertiesAt(double ts, double x);

/// Targets of a wet state's outputs: those of a single-phase state at its t and p, and half a
/// unit of the x box's last decimal (0.005) for x.
WetProperties wetTargets(const WetProperties& state);

/// The allowed error of each output of the wet state at ts, x known by two of its properties
/// (`first` < `second`, 0 to 5), as for allowedErrorsWithoutTP, the derivatives taken along the
/// saturation line and the dryness. Only v, h and s carry the tables' error as known values: t
/// and p are grid coordinates, and x is a factor of the exact mixture rule.
WetProperties wetAllowedErrors(double ts, double x, int first, int second);

}  // namespace accuracy
