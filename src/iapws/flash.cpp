// Stable state from pressure and enthalpy or entropy: Newton on T along the
// isobar (dh/dT = cp, ds/dT = cp/T), kept inside a temperature bracket.
#include <cmath>
#include <string>

#include "detail.h"

namespace iapws95 {
namespace {

constexpr double kTMax = 1273.15;

enum class Prop { H, S };

double value(const State& s, Prop prop) { return prop == Prop::H ? s.h : s.s; }
double slope(const State& s, Prop prop) { return prop == Prop::H ? s.cp : s.cp / s.T; }

const char* name(Prop prop) { return prop == Prop::H ? "statePH" : "statePS"; }

State solveOnIsobar(double p, double target, Prop prop) {
    if (!(p > 0.0) || !std::isfinite(p) || !std::isfinite(target))
        throw SolveError(std::string(name(prop)) + ": invalid input");

    double tLo = Tt, tHi = kTMax;
    // Stable branch: below the triple-point pressure only vapour; on the
    // saturation line the side of the input; above pc liquid below Tc.
    enum class Side { Vapour, Liquid, ByTemperature } side = Side::ByTemperature;
    if (p < triplePointPressure()) {
        side = Side::Vapour;
    } else if (p < pc) {
        const Saturation sat = saturationP(p);
        if (sat.T < Tc) {
            const double xl = value(sat.liquid, prop), xv = value(sat.vapour, prop);
            if (target > xl && target < xv)
                throw SolveError(std::string(name(prop)) + ": two-phase state at p = " + std::to_string(p) + " MPa");
            if (target == xl) return sat.liquid;
            if (target == xv) return sat.vapour;
            if (target < xl) {
                tHi = sat.T;
                side = Side::Liquid;
            } else {
                tLo = sat.T;
                side = Side::Vapour;
            }
        }
    }
    auto branchAt = [&](double T) {
        if (side == Side::ByTemperature) return T < Tc ? Branch::Liquid : Branch::Vapour;
        return side == Side::Liquid ? Branch::Liquid : Branch::Vapour;
    };
    auto evalAt = [&](double T, double rhoGuess) { return stateTRho(T, densityTP(T, p, branchAt(T), rhoGuess)); };

    State sLo = evalAt(tLo, NAN), sHi = evalAt(tHi, NAN);
    double fLo = value(sLo, prop) - target, fHi = value(sHi, prop) - target;
    if (fLo > 0.0 || fHi < 0.0)
        throw SolveError(std::string(name(prop)) + ": state outside " + std::to_string(Tt) + " .. " +
                         std::to_string(kTMax) + " K at p = " + std::to_string(p) + " MPa");
    if (fLo == 0.0) return sLo;
    if (fHi == 0.0) return sHi;

    // Start from linear interpolation between the bracket ends. Newton steps
    // that leave the bracket or do not halve the step before last fall back
    // to bisection: near the pseudo-critical line cp is sharply peaked and
    // plain Newton oscillates from one flank to the other.
    double T = tLo + (tHi - tLo) * (-fLo) / (fHi - fLo);
    double rhoGuess = NAN;
    double dx = tHi - tLo, dxOld = dx;
    for (int it = 0; it < 200; ++it) {
        const State s = evalAt(T, rhoGuess);
        rhoGuess = s.rho;
        const double f = value(s, prop) - target;
        if (f == 0.0) return s;
        if (f < 0.0)
            tLo = T;
        else
            tHi = T;
        const double step = f / slope(s, prop);
        double tn = T - step;
        if (!(tn > tLo && tn < tHi) || std::abs(2.0 * step) > std::abs(dxOld)) {
            dxOld = dx;
            dx = 0.5 * (tHi - tLo);
            tn = tLo + dx;
        } else {
            dxOld = dx;
            dx = step;
            if (std::abs(step) <= 1e-12 * T) return stateTRho(tn, densityTP(tn, p, branchAt(tn), s.rho));
        }
        if (tHi - tLo <= 1e-13 * T) return s;
        T = tn;
    }
    throw SolveError(std::string(name(prop)) + ": no convergence at p = " + std::to_string(p) + " MPa");
}

}  // namespace

State statePH(double p, double h) { return solveOnIsobar(p, h, Prop::H); }
State statePS(double p, double s) { return solveOnIsobar(p, s, Prop::S); }

}  // namespace iapws95
