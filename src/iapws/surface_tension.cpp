// Surface tension after IAPWS R1-76(2014).
#include "surface_tension.h"

#include <cmath>
#include <limits>

#include "iapws95.h"

namespace iapws {

double surfaceTension(double T) {
    if (!(T >= iapws95::Tt && T <= iapws95::Tc)) return std::numeric_limits<double>::quiet_NaN();
    constexpr double B = 235.8, b = -0.625, mu = 1.256;
    const double tau = 1.0 - T / iapws95::Tc;
    return B * std::pow(tau, mu) * (1.0 + b * tau);
}

}  // namespace iapws
