// Auxiliary saturation equations: smooth, cheap estimates of ps, rho' and
// rho'' that only serve as start values for the phase-equilibrium solver.
#include <algorithm>
#include <cmath>

#include "coefficients.h"
#include "detail.h"

namespace iapws95::detail {
namespace {

double reducedDistance(double T) { return std::clamp(1.0 - T / Tc, 0.0, 1.0); }

}  // namespace

double auxSaturationPressure(double T) {
    const double v = reducedDistance(T);
    double sum = 0.0;
    for (std::size_t i = 0; i < coef::auxA.size(); ++i) sum += coef::auxA[i] * std::pow(v, coef::auxAExp[i]);
    return pc * std::exp(Tc / T * sum);
}

double auxSaturationTemperature(double p) {
    // Newton on ln ps(T); ln ps is nearly linear in 1/T, so iterate in 1/T.
    const double lnp = std::log(p);
    double invT = 1.0 / (Tc * 0.95);
    for (int i = 0; i < 50; ++i) {
        const double T = 1.0 / invT;
        const double v = reducedDistance(T);
        double sum = 0.0, dsum = 0.0;
        for (std::size_t k = 0; k < coef::auxA.size(); ++k) {
            sum += coef::auxA[k] * std::pow(v, coef::auxAExp[k]);
            const double e = coef::auxAExp[k];
            dsum += coef::auxA[k] * e * (e == 1.0 ? 1.0 : std::pow(v, e - 1.0));
        }
        const double f = std::log(pc) + Tc / T * sum - lnp;
        // d(ln ps)/dT = -(ln(ps/pc) + dsum) / T; d/d(1/T) = -T^2 d/dT.
        const double dfdInvT = T * (Tc / T * sum + dsum);
        const double step = f / dfdInvT;
        invT -= step;
        invT = std::clamp(invT, 1.0 / Tc, 1.0 / 200.0);
        if (std::abs(step) < 1e-14 * invT) break;
    }
    return 1.0 / invT;
}

double auxLiquidDensity(double T) {
    const double v3 = std::cbrt(reducedDistance(T));
    double sum = 1.0;
    for (std::size_t i = 0; i < coef::auxB.size(); ++i) sum += coef::auxB[i] * std::pow(v3, coef::auxBExp3[i]);
    return rhoc * sum;
}

double auxVapourDensity(double T) {
    const double v6 = std::pow(reducedDistance(T), 1.0 / 6.0);
    double sum = 0.0;
    for (std::size_t i = 0; i < coef::auxC.size(); ++i) sum += coef::auxC[i] * std::pow(v6, coef::auxCExp6[i]);
    return rhoc * std::exp(sum);
}

}  // namespace iapws95::detail
