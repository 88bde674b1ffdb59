#pragma once
// What "within target" means for a state given by two of its properties, judged on the values
// the boxes show. Each output must lie within its own target plus the error that the tables'
// own error in the second known value causes where the pair barely determines the state:
//   allowed(o) = target(o) + |d o / d z| * target(z),
// the derivative taken along the line of the first known value (t or p) held fixed, z being
// the second known value. Targets, outside / inside the near-critical band (360-390 C,
// 18-26 MPa): t 0.02 / 0.1 K, p and v 2e-4 / 5e-3 relative, h 0.05 / 1 kJ/kg,
// s 1e-4 / 2e-3 kJ/(kg K); u = h - p v that of h plus the share p's and v's targets give p v
// (|v| target(p) + |p| target(v)); none below half a unit of the box's last decimal (p shows
// 6 decimals, so at 0.001 MPa half a unit is 5e-4 of the value). A p typed as the second
// value is a grid coordinate of the tables, which hold no error in it: (t, p) is held to
// the targets alone.
// The properties shown beyond the boxes (cp, cv, w, mu, lambda, nu, Pr) are held to relative
// targets: cp, cv and w 0.1 %, mu, lambda and nu 0.2 %, Pr 0.3 %, 5 % inside the band, none
// below half a unit of their texts' last decimal; they are widened in the same way.
// For two known values neither of which is t or p, both carry the tables' error and both
// widen the allowance (allowedErrorsWithoutTP, wetAllowedErrors).
#include "iapws/iapws95.h"

#include <array>

namespace accuracy {

/// The outputs of a state, indexed as the state panel's boxes (t in C, p in MPa, v in m^3/kg,
/// h, u in kJ/kg, s in kJ/(kg K), x), then the properties shown beyond them (cp, cv in
/// kJ/(kg K), w in m/s, mu in uPa s, lambda in mW/(m K), nu in mm^2/s, Pr). x is NaN for a
/// single phase; cp to Pr are NaN for a mixture and where the formulations end (the transport
/// releases at 900 C and 100 MPa).
enum Output : int { kT, kP, kV, kH, kS, kX, kU, kCp, kCv, kW, kMu, kLambda, kNu, kPr, kOutputs };
inline constexpr int kFirstThermal = kCp;

using Properties = std::array<double, kOutputs>;
/// A wet state's outputs: the same, with x.
using WetProperties = Properties;

inline constexpr double kKelvin = 273.15;

/// True inside the band 360-390 C, 18-26 MPa.
bool inCriticalBand(double t, double p);

/// The targets at a state, each as an absolute error (NaN where the output is NaN).
Properties targets(const Properties& state);

/// t, p, v, h, s, u and the other properties of the state at t (C) and p (MPa) on the given
/// branch.
Properties propertiesAt(double t, double p, iapws95::Branch branch);
/// The same without the properties beyond u (NaN), for scans that need only those.
Properties boxValuesAt(double t, double p, iapws95::Branch branch);

/// The allowed error of each output for the state at t, p on the given branch, known by the
/// properties `first` (kT or kP) and `second` (kP to kS, or kU).
Properties allowedErrors(double t, double p, iapws95::Branch branch, int first, int second);

/// The same for a state known by two of v, h, s and u (`first` < `second`): both carry the
/// tables' error, so each output may be off by its target plus
///   |d o / d first| * target(first) + |d o / d second| * target(second),
/// each derivative taken with the other known value held.
Properties allowedErrorsWithoutTP(double t, double p, iapws95::Branch branch, int first, int second);

/// How far the values shown with t and p may lie from those of the state those two name, when
/// all of them are held to their targets: their own targets and what t and p within theirs
/// change, each with half a unit of its box (the rounding of the texts). Values beyond it
/// belong to no one state: they mix those of different states.
Properties allowedAtShownState(double t, double p, iapws95::Branch branch);

/// The wet state at ts (C) and dryness x, from IAPWS-95's saturated water and steam; the
/// properties beyond u are NaN.
WetProperties wetPropertiesAt(double ts, double x);

/// Saturated water (or steam, `vapour`) at ts (C), the properties beyond u included.
Properties saturatedPhaseAt(double ts, bool vapour);

/// Targets of a wet state's outputs: those of a single-phase state at its t and p, and half a
/// unit of the x box's last decimal (0.005) for x.
WetProperties wetTargets(const WetProperties& state);

/// The allowed error of each output of the wet state at ts, x known by two of its properties
/// (`first` < `second`, box indices), as for allowedErrorsWithoutTP, the derivatives taken
/// along the saturation line and the dryness. Only v, h, s and u carry the tables' error as
/// known values: t and p are grid coordinates, and x is a factor of the exact mixture rule.
WetProperties wetAllowedErrors(double ts, double x, int first, int second);

}  // namespace accuracy
