// Thermal conductivity after IAPWS R15-11: Tables 1 and 2 (lambda0, lambda1), Table 3 and the
// equations of the critical enhancement lambda2.
#include "thermal_conductivity.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "critical_region.h"
#include "detail.h"
#include "iapws95.h"
#include "viscosity.h"

namespace iapws {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// lambda0 = sqrt(Tr) / sum_k L_k / Tr^k
constexpr std::array<double, 5> kL = {2.443221e-3, 1.323095e-2, 6.770357e-3, -3.454586e-3, 4.096266e-4};

// lambda1 = exp(rhor sum_i (1/Tr - 1)^i sum_j L_ij (rhor - 1)^j); row i, column j.
constexpr std::array<std::array<double, 6>, 5> kLij = {{
    {1.60397357, -0.646013523, 0.111443906, 0.102997357, -0.0504123634, 0.00609859258},
    {2.33771842, -2.78843778, 1.53616167, -0.463045512, 0.0832827019, -0.00719201245},
    {2.19650529, -4.54580785, 3.55777244, -1.40944978, 0.275418278, -0.0205938816},
    {-1.21051378, 1.60812989, -0.621178141, 0.0716373224, 0.0, 0.0},
    {-2.7203370, 4.57586331, -3.18369245, 1.1168348, -0.19268305, 0.012913842},
}};

// lambda2 = Lambda rhor cpr Tr / mur Z(y), y = qD xi, with qD = 1 / (0.40 nm).
constexpr double kLambda = 177.8514;
constexpr double kQD = 1.0 / 0.40;
constexpr double kSmallestY = 1.2e-7;

bool usable(double T, double rho) { return std::isfinite(T) && std::isfinite(rho) && T > 0.0 && rho >= 0.0; }

}  // namespace

double conductivityDiluteGas(double T) {
    if (!(std::isfinite(T) && T > 0.0)) return kNaN;
    const double Tr = T / iapws95::Tc;
    double sum = 0.0, power = 1.0;
    for (double l : kL) {
        sum += l / power;
        power *= Tr;
    }
    return std::sqrt(Tr) / sum;
}

double conductivityDensityFactor(double T, double rho) {
    if (!usable(T, rho)) return kNaN;
    const double rhor = rho / iapws95::rhoc;
    const double x = iapws95::Tc / T - 1.0, y = rhor - 1.0;
    double outer = 0.0, xPower = 1.0;
    for (const auto& row : kLij) {
        double inner = 0.0, yPower = 1.0;
        for (double l : row) {
            inner += l * yPower;
            yPower *= y;
        }
        outer += xPower * inner;
        xPower *= x;
    }
    return std::exp(rhor * outer);
}

double conductivityCriticalPart(double T, double rho, double cp, double cv, double mu, double xi) {
    if (!usable(T, rho) || !(xi >= 0.0)) return kNaN;
    // Checked first: in the dilute limit IAPWS-95 gives no cp, and none is needed.
    const double y = kQD * xi;
    if (y < kSmallestY) return 0.0;
    if (cp == std::numeric_limits<double>::infinity()) return cp;
    const double rhor = rho / iapws95::rhoc;
    const double kappaInverse = cv / cp;
    const double Z = 2.0 / (std::numbers::pi * y) *
                     ((1.0 - kappaInverse) * std::atan(y) + kappaInverse * y -
                      (1.0 - std::exp(-1.0 / (1.0 / y + y * y / (3.0 * rhor * rhor)))));
    return kLambda * rhor * (cp / iapws95::R) * (T / iapws95::Tc) / mu * Z;
}

double thermalConductivity(double T, double rho, double cp, double cv, double mu, double xi) {
    return conductivityDiluteGas(T) * conductivityDensityFactor(T, rho) +
           conductivityCriticalPart(T, rho, cp, cv, mu, xi);
}

double thermalConductivity(double T, double rho) {
    if (!usable(T, rho)) return kNaN;
    const double delta = rho / iapws95::rhoc, tau = iapws95::Tc / T;
    const iapws95::Derivatives residual = iapws95::residualPart(delta, tau);
    const iapws95::State state = iapws95::detail::makeState(T, rho, iapws95::idealPart(delta, tau), residual);
    const double xi = correlationLength(T, rho, residual);
    return thermalConductivity(T, rho, state.cp, state.cv, viscosity(T, rho, xi), xi);
}

}  // namespace iapws
