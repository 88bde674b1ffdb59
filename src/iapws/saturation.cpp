// Liquid-vapour equilibrium: equal pressure and equal Gibbs energy.
#include <algorithm>
#include <cmath>
#include <string>

#include "detail.h"

namespace iapws95 {
namespace detail {
namespace {

// Closer to Tc than this the critical state itself is returned for both phases.
constexpr double kCriticalBand = 1e-9;  // K
constexpr int kMaxIterations = 100;

struct PhaseEval {
    PressureEval pe;
    double gOverRT;  // g/(RT) without the ideal-gas terms common to both phases
};

PhaseEval evalPhase(double T, double rho) {
    PhaseEval r;
    r.pe = pressure(T, rho);
    const double delta = rho / rhoc;
    r.gOverRT = std::log(delta) + r.pe.res.phi + delta * r.pe.res.d;
    return r;
}

}  // namespace

Saturation criticalSaturation() {
    const State c = stateTRho(Tc, rhoc);
    return Saturation{Tc, c.p, c, c};
}

Saturation solveSaturation(double T, double rhoL, double rhoV) {
    const double RT = R * T;  // kJ/kg
    // Residuals F1 = pL - pV in MPa and F2 = gL - gV in MJ/kg (so that
    // dg = dp / rho holds without factors), measured in units of their
    // tolerance: 1e-12 relative plus the rounding of the computed values.
    struct Residual {
        double f1, f2, merit;
    };
    auto residual = [&](const PhaseEval& l, const PhaseEval& v) {
        Residual r;
        r.f1 = l.pe.p - v.pe.p;
        r.f2 = RT * 1e-3 * (l.gOverRT - v.gOverRT);
        const double tolP = 1e-12 * std::abs(v.pe.p) + l.pe.noise + v.pe.noise;
        const double tolG = RT * 1e-3 * (1e-12 + 1e-14 * (std::abs(l.gOverRT) + std::abs(v.gOverRT)));
        r.merit = std::max(std::abs(r.f1) / tolP, std::abs(r.f2) / tolG);
        return r;
    };
    auto result = [&](double rl, double rv, const PhaseEval& l, const PhaseEval& v) {
        Saturation s;
        s.T = T;
        const double tau = Tc / T;
        s.liquid = makeState(T, rl, idealPart(rl / rhoc, tau), l.pe.res);
        s.vapour = makeState(T, rv, idealPart(rv / rhoc, tau), v.pe.res);
        // The vapour side carries no cancellation in 1 + delta phir_d.
        s.p = s.vapour.p;
        return s;
    };

    PhaseEval L = evalPhase(T, rhoL), V = evalPhase(T, rhoV);
    if (!(L.pe.dpdrho > 0.0 && V.pe.dpdrho > 0.0 && rhoL > rhoV))
        throw SolveError("saturationT: start values off the stable branches at T = " + std::to_string(T) + " K");
    Residual F = residual(L, V);
    for (int it = 0; it < kMaxIterations; ++it) {
        // Newton step on (rhoL, rhoV) with the Jacobian
        // [[p'_L, -p'_V], [p'_L/rhoL, -p'_V/rhoV]].
        const double w = (F.f1 / rhoL - F.f2) / (1.0 / rhoL - 1.0 / rhoV);
        const double u = w - F.f1;
        double dL = u / L.pe.dpdrho, dV = w / V.pe.dpdrho;

        // Damp the step until both phases stay mechanically stable and apart
        // and the residual does not grow beyond its tolerance.
        bool accepted = false;
        PhaseEval nL, nV;
        Residual nF{};
        for (int k = 0; k < 40 && !accepted; ++k, dL *= 0.5, dV *= 0.5) {
            const double nrL = rhoL + dL, nrV = rhoV + dV;
            if (!(nrL > rhoc && nrV > 0.0 && nrV < rhoc)) continue;
            nL = evalPhase(T, nrL);
            nV = evalPhase(T, nrV);
            if (!(nL.pe.dpdrho > 0.0 && nV.pe.dpdrho > 0.0)) continue;
            nF = residual(nL, nV);
            accepted = nF.merit < F.merit || nF.merit <= 1.0;
            if (accepted) {
                rhoL = nrL;
                rhoV = nrV;
            }
        }
        if (!accepted) {
            // Within about 1e-5 K of Tc the rounding of p exceeds the van der
            // Waals loop and no step improves on a point at the noise level.
            if (F.merit <= 100.0) return result(rhoL, rhoV, L, V);
            throw SolveError("saturationT: iteration left the stable branches at T = " + std::to_string(T) + " K");
        }
        const bool wasConverged = F.merit <= 1.0;
        L = nL;
        V = nV;
        F = nF;
        // Stop after a polishing step taken from a converged point.
        if (wasConverged && F.merit <= 1.0) return result(rhoL, rhoV, L, V);
    }
    if (F.merit <= 100.0) return result(rhoL, rhoV, L, V);
    throw SolveError("saturationT: no convergence at T = " + std::to_string(T) + " K");
}

namespace {

// Below this distance from Tc the auxiliary densities are poor start values
// (the formulation's coexistence curve narrows faster than theirs); there
// rho' - rho'' and the diameter follow power laws fitted to two solved states.
constexpr double kPowerLawBand = 0.01;  // K

struct PowerLaw {
    double amplitude, exponent, diameterSlope;
};

const PowerLaw& nearCriticalStart() {
    static const PowerLaw law = [] {
        const double T1 = Tc - kPowerLawBand, T2 = Tc - 0.1 * kPowerLawBand;
        const Saturation s1 = solveSaturation(T1, auxLiquidDensity(T1), auxVapourDensity(T1));
        const Saturation s2 = solveSaturation(T2, auxLiquidDensity(T2), auxVapourDensity(T2));
        const double th1 = 1.0 - T1 / Tc, th2 = 1.0 - T2 / Tc;
        const double w1 = s1.liquid.rho - s1.vapour.rho, w2 = s2.liquid.rho - s2.vapour.rho;
        PowerLaw p;
        p.exponent = std::log(w1 / w2) / std::log(th1 / th2);
        p.amplitude = w2 / std::pow(th2, p.exponent);
        p.diameterSlope = (0.5 * (s2.liquid.rho + s2.vapour.rho) - rhoc) / th2;
        return p;
    }();
    return law;
}

struct StartPair {
    double liquid, vapour;
};

StartPair startDensities(double T) {
    if (Tc - T >= kPowerLawBand) return {auxLiquidDensity(T), auxVapourDensity(T)};
    const PowerLaw& law = nearCriticalStart();
    const double th = 1.0 - T / Tc;
    const double half = 0.5 * law.amplitude * std::pow(th, law.exponent);
    const double mid = rhoc + law.diameterSlope * th;
    return {mid + half, mid - half};
}

}  // namespace
}  // namespace detail

Saturation saturationT(double T) {
    if (!(T >= Tt && T <= Tc))
        throw SolveError("saturationT: T = " + std::to_string(T) + " K outside the saturation line");
    if (T >= Tc - detail::kCriticalBand) return detail::criticalSaturation();
    const detail::StartPair start = detail::startDensities(T);
    return detail::solveSaturation(T, start.liquid, start.vapour);
}

double triplePointPressure() {
    static const double pt = saturationT(Tt).p;
    return pt;
}

Saturation saturationP(double p) {
    const double pt = triplePointPressure();
    static const Saturation crit = detail::criticalSaturation();
    // Allow the rounding of values that came out of saturationT itself.
    if (!(p >= pt * (1.0 - 1e-12) && p <= std::max(pc, crit.p) * (1.0 + 1e-12)))
        throw SolveError("saturationP: p = " + std::to_string(p) + " MPa outside the saturation line");
    if (p >= crit.p) return crit;

    double T = std::clamp(detail::auxSaturationTemperature(p), Tt, Tc - 2 * detail::kCriticalBand);
    Saturation s = saturationT(T);
    for (int it = 0; it < 50; ++it) {
        if (s.p == crit.p) return crit;
        // Newton on ln ps(T), with dps/dT from Clausius-Clapeyron.
        const double dpdT = (s.vapour.s - s.liquid.s) / (s.vapour.v - s.liquid.v) * 1e-3;
        const double step = std::log(s.p / p) * s.p / dpdT;
        if (!std::isfinite(step)) break;
        T = std::clamp(T - step, Tt - 1e-6, Tc);
        if (T >= Tc - detail::kCriticalBand) return crit;
        // Carry the previous solution's offset from the start model over to
        // the new temperature; fall back to the plain start model.
        const detail::StartPair before = detail::startDensities(s.T), now = detail::startDensities(T);
        try {
            s = detail::solveSaturation(T, now.liquid + (s.liquid.rho - before.liquid),
                                        now.vapour + (s.vapour.rho - before.vapour));
        } catch (const SolveError&) {
            s = detail::solveSaturation(T, now.liquid, now.vapour);
        }
        if (std::abs(step) <= 1e-10 * T) return s;
    }
    throw SolveError("saturationP: no convergence at p = " + std::to_string(p) + " MPa");
}

}  // namespace iapws95
