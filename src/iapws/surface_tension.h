// IAPWS R1-76(2014), the surface tension of ordinary water against its own vapour:
//   sigma = B tau^mu (1 + b tau),   tau = 1 - T / Tc,
// B = 235.8 mN/m, b = -0.625, mu = 1.256, Tc = 647.096 K.
#pragma once

namespace iapws {

/// sigma in mN/m for Tt = 273.16 K <= T <= Tc, the saturation line the release covers;
/// 0 at Tc. NaN outside that range and for NaN (the release's extrapolation into supercooled
/// water is not offered: the tables hold no water below the triple point).
double surfaceTension(double T);

}  // namespace iapws
