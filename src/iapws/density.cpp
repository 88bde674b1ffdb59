// Density from (T, p) on a chosen branch: Newton's method kept inside a
// bracket, with bisection whenever a step leaves it or lands where the branch
// is mechanically unstable (dp/drho <= 0).
#include <algorithm>
#include <cmath>
#include <string>

#include "detail.h"

namespace iapws95 {
namespace {

// Upper end of the search; far beyond any fluid state of the formulation's range.
constexpr double kRhoMax = 1500.0;
constexpr int kMaxIterations = 200;

std::string describe(double T, double p) {
    return " at T = " + std::to_string(T) + " K, p = " + std::to_string(p) + " MPa";
}

// Start density without a caller-supplied guess.
double defaultStart(double T, double p, bool liquid, bool supercritical) {
    const double rhoIdeal = p * 1e3 / (R * T);
    if (liquid) return detail::auxLiquidDensity(T);
    if (!supercritical) {
        // Interpolate the compression factor between the ideal gas (Z = 1 at
        // p = 0) and the saturated vapour; beyond ps keep Z''. This lands
        // close to the root and, for a subcooled vapour, on its low side.
        const double ps = detail::auxSaturationPressure(T);
        const double zSat = ps * 1e3 / (detail::auxVapourDensity(T) * R * T);
        const double z = 1.0 - (1.0 - zSat) * std::min(p / ps, 1.0);
        return rhoIdeal / z;
    }
    // Above Tc the ideal-gas density, kept inside the search range; where it
    // is far off (dense fluid) the bracket keeps the iteration safe.
    return std::min(rhoIdeal, 0.75 * kRhoMax);
}

// An evaluated point that lies on the requested branch.
struct Anchor {
    double rho, p, slope, noise;
};

// Below Tc the liquid branch is convex in p(rho) and the vapour branch concave
// (curvature = +1 / -1), from the spinodal to the end of the search range. The
// formulation also has a spurious stable loop around rhoc inside the two-phase
// region; a point there is rejected because it cannot satisfy monotonicity and
// both tangent inequalities against a point known to lie on the branch.
bool consistent(const Anchor& x, const Anchor& a, double curvature) {
    const double dr = x.rho - a.rho;
    const double tol = 2.0 * (x.noise + a.noise);
    if ((x.p - a.p) * dr <= -tol) return false;
    return curvature * (x.p - a.p - a.slope * dr) >= -tol && curvature * (a.p - x.p + x.slope * dr) >= -tol;
}

double solve(double T, double p, Branch branch, double start) {
    if (!(T > 0.0) || !std::isfinite(T) || !std::isfinite(p))
        throw SolveError("densityTP: invalid input" + describe(T, p));
    const bool supercritical = T >= Tc;
    const bool liquid = !supercritical && branch == Branch::Liquid;
    const double curvature = supercritical ? 0.0 : (liquid ? 1.0 : -1.0);
    if (!liquid && !(p > 0.0))
        throw SolveError("densityTP: no vapour density at non-positive pressure" + describe(T, p));

    // Search interval (lo, hi). loBracket: lo is on the branch with p(lo) < p;
    // otherwise lo is only a limit (for the liquid, a density known to lie off
    // the branch). Likewise for hi. Off-branch densities are always on the
    // low side for the liquid and on the high side for the vapour.
    double lo = 0.0, hi = kRhoMax;
    bool loBracket = false, hiBracket = false;
    Anchor loAnchor{}, hiAnchor{};
    if (liquid) {
        lo = rhoc;  // below Tc the liquid spinodal lies above rhoc
    } else {
        loBracket = true;  // p(0) = 0 < p, with the ideal-gas slope
        loAnchor = Anchor{0.0, 0.0, R * T * 1e-3, 0.0};
        if (!supercritical) hi = rhoc;
    }

    double x = start;
    if (!(x > lo && x < hi)) x = defaultStart(T, p, liquid, supercritical);
    if (!(x > lo && x < hi)) x = 0.5 * (lo + hi);

    double lastStep = hi - lo, stepBeforeLast = lastStep;
    for (int it = 0; it < kMaxIterations; ++it) {
        const detail::PressureEval e = detail::pressure(T, x);
        const Anchor here{x, e.p, e.dpdrho, e.noise};
        bool onBranch = supercritical || e.dpdrho > 0.0;
        if (onBranch && curvature != 0.0) {
            if (loBracket && !consistent(here, loAnchor, curvature)) onBranch = false;
            if (hiBracket && !consistent(here, hiAnchor, curvature)) onBranch = false;
        }
        if (!onBranch) {
            if (liquid) {
                lo = x;
                loBracket = false;
            } else {
                hi = x;
                hiBracket = false;
            }
            x = 0.5 * (lo + hi);
        } else {
            const double g = e.p - p;
            if (g == 0.0) return x;
            if (g < 0.0) {
                lo = x;
                loBracket = true;
                loAnchor = here;
            } else {
                hi = x;
                hiBracket = true;
                hiAnchor = here;
            }
            const double step = e.dpdrho > 0.0 ? g / e.dpdrho : NAN;
            const double xn = x - step;
            const bool inside = xn > lo && xn < hi;
            // Return the evaluated point, which is known to be on the branch;
            // the pending step is below the rounding level of p or of rho.
            if (std::abs(g) <= e.noise || std::abs(step) <= 1e-14 * x) return x;
            // Bisect when Newton leaves the interval or stalls (steps not
            // halving, as across the inflection of near-critical isotherms).
            if (inside && std::abs(2.0 * step) <= std::abs(stepBeforeLast)) {
                stepBeforeLast = lastStep;
                lastStep = step;
                x = xn;
            } else {
                stepBeforeLast = lastStep;
                lastStep = 0.5 * (hi - lo);
                x = 0.5 * (lo + hi);
            }
        }
        if (hi - lo <= 1e-13 * hi) {
            if (loBracket && hiBracket) return 0.5 * (lo + hi);
            throw SolveError(std::string("densityTP: no ") + (liquid ? "liquid" : "vapour") +
                             " root on the stable branch" + describe(T, p));
        }
    }
    throw SolveError("densityTP: no convergence" + describe(T, p));
}

}  // namespace

double densityTP(double T, double p, Branch branch) { return solve(T, p, branch, NAN); }

double densityTP(double T, double p, Branch branch, double rhoStart) {
    if (!(rhoStart > 0.0) || !std::isfinite(rhoStart)) return solve(T, p, branch, NAN);
    // A guess inside the spurious loop would be taken for a liquid point, so
    // a liquid result is checked against the default start, which lies on
    // the branch; any doubt falls back to the unguided solve.
    try {
        const double rho = solve(T, p, branch, rhoStart);
        if (T >= Tc || branch == Branch::Vapour) return rho;
        const double ref = detail::auxLiquidDensity(T);
        const detail::PressureEval a = detail::pressure(T, ref), b = detail::pressure(T, rho);
        if (consistent(Anchor{rho, b.p, b.dpdrho, b.noise}, Anchor{ref, a.p, a.dpdrho, a.noise}, 1.0)) return rho;
    } catch (const SolveError&) {}
    return solve(T, p, branch, NAN);
}

State stateTP(double T, double p, Branch branch) { return stateTRho(T, densityTP(T, p, branch)); }

}  // namespace iapws95
