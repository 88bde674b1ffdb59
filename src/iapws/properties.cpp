// Thermodynamic properties from the Helmholtz-energy derivatives.
#include <cmath>

#include "detail.h"

namespace iapws95 {
namespace detail {

PressureEval pressure(double T, double rho) {
    const double delta = rho / rhoc;
    PressureEval e;
    e.res = residualPart(delta, Tc / T);
    const double RT = R * T;
    const double dPd = delta * e.res.d;
    // rho R T in kPa with R in kJ/(kg K); /1000 gives MPa.
    e.p = rho * RT * (1.0 + dPd) * 1e-3;
    e.dpdrho = RT * (1.0 + 2.0 * dPd + delta * delta * e.res.dd) * 1e-3;
    e.noise = 1e-13 * rho * RT * 1e-3 * (1.0 + std::abs(dPd));
    return e;
}

State makeState(double T, double rho, const Derivatives& ideal, const Derivatives& res) {
    const double delta = rho / rhoc, tau = Tc / T, RT = R * T;
    const double dPd = delta * res.d;
    const double tauPhiT = tau * (ideal.t + res.t);
    const double phiTT = ideal.tt + res.tt;
    const double x = 1.0 + dPd - delta * tau * res.dt;
    const double y = 1.0 + 2.0 * dPd + delta * delta * res.dd;
    State s;
    s.T = T;
    s.rho = rho;
    s.p = rho * RT * (1.0 + dPd) * 1e-3;
    s.v = 1.0 / rho;
    s.u = RT * tauPhiT;
    s.h = RT * (tauPhiT + 1.0 + dPd);
    s.s = R * (tauPhiT - ideal.phi - res.phi);
    s.cv = -R * tau * tau * phiTT;
    s.cp = s.cv + R * x * x / y;
    // w needs R in J/(kg K).
    s.w = std::sqrt(1e3 * RT * (y - x * x / (tau * tau * phiTT)));
    return s;
}

}  // namespace detail

State stateTRho(double T, double rho) {
    const double delta = rho / rhoc, tau = Tc / T;
    return detail::makeState(T, rho, idealPart(delta, tau), residualPart(delta, tau));
}

}  // namespace iapws95
