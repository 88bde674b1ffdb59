// Correlation length of IAPWS R12-08 and R15-11 (Table 3 of each: the same constants).
#include "critical_region.h"

#include <cmath>
#include <limits>

namespace iapws {
namespace {

constexpr double kXi0 = 0.13;  // nm
constexpr double kGamma0 = 0.06;
constexpr double kNu = 0.630;
constexpr double kGamma = 1.239;

// zeta = (pc / rhoc) (d rho / d p)_T. (dp/drho)_T = R T (1 + 2 delta phir_d + delta^2 phir_dd),
// in MPa m^3/kg with R in kJ/(kg K) and the factor 1e-3.
double reducedCompressibility(double T, double delta, const iapws95::Derivatives& r) {
    const double slope = iapws95::R * T * (1.0 + 2.0 * delta * r.d + delta * delta * r.dd) * 1e-3;
    return iapws95::pc / (iapws95::rhoc * slope);
}

bool usable(double T, double rho) { return std::isfinite(T) && std::isfinite(rho) && T > 0.0 && rho >= 0.0; }

}  // namespace

double correlationLength(double T, double rho, const iapws95::Derivatives& residual) {
    if (!usable(T, rho)) return std::numeric_limits<double>::quiet_NaN();
    // At the critical point (d p / d rho)_T vanishes; the formulation's rounding leaves a few
    // ulp of either sign there, so the limit is stated rather than computed.
    if (T == iapws95::Tc && rho == iapws95::rhoc) return std::numeric_limits<double>::infinity();
    const double delta = rho / iapws95::rhoc;
    if (delta == 0.0) return 0.0;
    const double TR = kEnhancementReferenceTemperature;
    const iapws95::Derivatives atReference = iapws95::residualPart(delta, iapws95::Tc / TR);
    const double dchi =
        delta * (reducedCompressibility(T, delta, residual) - reducedCompressibility(TR, delta, atReference) * TR / T);
    if (!(dchi > 0.0)) return 0.0;  // the releases set a negative dchi to 0
    return kXi0 * std::pow(dchi / kGamma0, kNu / kGamma);
}

double correlationLength(double T, double rho) {
    if (!usable(T, rho)) return std::numeric_limits<double>::quiet_NaN();
    return correlationLength(T, rho, iapws95::residualPart(rho / iapws95::rhoc, iapws95::Tc / T));
}

}  // namespace iapws
