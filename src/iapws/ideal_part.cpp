// Ideal-gas part of the dimensionless Helmholtz energy.
#include <cmath>

#include "coefficients.h"
#include "iapws95.h"

namespace iapws95 {

Derivatives idealPart(double delta, double tau) {
    using coef::gamma0;
    using coef::n0;
    Derivatives r{};
    r.phi = std::log(delta) + n0[0] + n0[1] * tau + n0[2] * std::log(tau);
    r.t = n0[1] + n0[2] / tau;
    r.tt = -n0[2] / (tau * tau);
    for (int i = 3; i < 8; ++i) {
        const double gt = gamma0[i] * tau;
        // 1 - exp(-gt) via expm1: exact for small gt, where ln(1 - e) loses digits.
        const double e = std::exp(-gt);
        const double oneMinusE = -std::expm1(-gt);
        r.phi += n0[i] * std::log1p(-e);
        r.t += n0[i] * gamma0[i] * e / oneMinusE;
        r.tt -= n0[i] * gamma0[i] * gamma0[i] * e / (oneMinusE * oneMinusE);
    }
    r.d = 1.0 / delta;
    r.dd = -1.0 / (delta * delta);
    r.dt = 0.0;
    return r;
}

}  // namespace iapws95
