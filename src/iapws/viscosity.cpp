// Viscosity after IAPWS R12-08: Tables 1 and 2 (mu0, mu1), Table 3 and Eqs. of the critical
// enhancement mu2.
#include "viscosity.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "critical_region.h"
#include "iapws95.h"

namespace iapws {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// mu0 = 100 sqrt(Tr) / sum_i H_i / Tr^i
constexpr std::array<double, 4> kH = {1.67752, 2.20462, 0.6366564, -0.241605};

// mu1 = exp(rhor sum_i (1/Tr - 1)^i sum_j H_ij (rhor - 1)^j); row i, column j.
constexpr std::array<std::array<double, 7>, 6> kHij = {{
    {5.20094e-1, 2.22531e-1, -2.81378e-1, 1.61913e-1, -3.25372e-2, 0.0, 0.0},
    {8.50895e-2, 9.99115e-1, -9.06851e-1, 2.57399e-1, 0.0, 0.0, 0.0},
    {-1.08374, 1.88797, -7.72479e-1, 0.0, 0.0, 0.0, 0.0},
    {-2.89555e-1, 1.26613, -4.89837e-1, 0.0, 6.98452e-2, 0.0, -4.35673e-3},
    {0.0, 0.0, -2.57040e-1, 0.0, 0.0, 8.72102e-3, 0.0},
    {0.0, 1.20573e-1, 0.0, 0.0, 0.0, 0.0, -5.93264e-4},
}};

// mu2: exponent x_mu and the wave numbers qC = 1 / (1.9 nm), qD = 1 / (1.1 nm).
constexpr double kXMu = 0.068;
constexpr double kQC = 1.0 / 1.9;
constexpr double kQD = 1.0 / 1.1;
// Below this correlation length (nm) the release evaluates Y from its series.
constexpr double kSeriesLimit = 0.3817016416;

bool usable(double T, double rho) { return std::isfinite(T) && std::isfinite(rho) && T > 0.0 && rho >= 0.0; }

// Y of mu2 = exp(x_mu Y) for xi above the series limit. The release writes it with
// psiD = arccos((1 + qD^2 xi^2)^-1/2), w = |(qC xi - 1)/(qC xi + 1)|^1/2 tan(psiD / 2) and
// L(w) = ln((1 + w)/(1 - w)) for qC xi > 1, 2 arctan|w| otherwise. For large xi, w tends to 1;
// 1 - w is formed here without cancellation so that Y stays finite for every finite xi.
double largeXiY(double xi) {
    const double c = kQC * xi, d = kQD * xi;
    const double root = std::sqrt(1.0 + d * d);
    const double psiD = std::atan(d);         // = arccos(1 / root)
    const double tanHalf = d / (root + 1.0);  // tan(psiD / 2)
    const double s = std::sqrt(std::abs((c - 1.0) / (c + 1.0)));
    double L;
    if (c > 1.0) {
        const double oneMinusS = (2.0 / (c + 1.0)) / (1.0 + s);
        const double oneMinusTan = (1.0 + 1.0 / (root + d)) / (root + 1.0);
        const double oneMinusW = oneMinusS + s * oneMinusTan;
        L = std::log((2.0 - oneMinusW) / oneMinusW);
    } else {
        L = 2.0 * std::atan(s * tanHalf);
    }
    const double inv = 1.0 / c;
    // |c^2 - 1|^(3/2) / c^3 written as |1 - 1/c^2|^(3/2), finite as c grows.
    const double weight = std::pow(std::abs(1.0 - inv * inv), 1.5);
    return std::sin(3.0 * psiD) / 12.0 - std::sin(2.0 * psiD) * inv / 4.0 + (inv * inv - 1.25) * std::sin(psiD) -
           (inv * inv * inv - 1.5 * inv) * psiD + weight * L;
}

}  // namespace

double viscosityDiluteGas(double T) {
    if (!(std::isfinite(T) && T > 0.0)) return kNaN;
    const double Tr = T / iapws95::Tc;
    double sum = 0.0, power = 1.0;
    for (double h : kH) {
        sum += h / power;
        power *= Tr;
    }
    return 100.0 * std::sqrt(Tr) / sum;
}

double viscosityDensityFactor(double T, double rho) {
    if (!usable(T, rho)) return kNaN;
    const double rhor = rho / iapws95::rhoc;
    const double x = iapws95::Tc / T - 1.0, y = rhor - 1.0;
    double outer = 0.0, xPower = 1.0;
    for (const auto& row : kHij) {
        double inner = 0.0, yPower = 1.0;
        for (double h : row) {
            inner += h * yPower;
            yPower *= y;
        }
        outer += xPower * inner;
        xPower *= x;
    }
    return std::exp(rhor * outer);
}

double viscosityCriticalFactor(double xi) {
    if (!(xi >= 0.0)) return kNaN;
    if (xi == std::numeric_limits<double>::infinity()) return xi;
    double Y;
    if (xi <= kSeriesLimit) {
        const double c = kQC * xi, d = kQD * xi;
        Y = 0.2 * c * std::pow(d, 5) * (1.0 - c + c * c - 765.0 / 504.0 * d * d);
    } else {
        Y = largeXiY(xi);
    }
    return std::exp(kXMu * Y);
}

double viscosity(double T, double rho, double xi) {
    return viscosityDiluteGas(T) * viscosityDensityFactor(T, rho) * viscosityCriticalFactor(xi);
}

double viscosity(double T, double rho) {
    if (!usable(T, rho)) return kNaN;
    return viscosity(T, rho, correlationLength(T, rho));
}

}  // namespace iapws
