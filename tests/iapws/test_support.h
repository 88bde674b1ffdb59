// Small helpers shared by the iapws95 tests.
#pragma once

#include <cmath>
#include <sstream>
#include <string>

#include "iapws/iapws95.h"

namespace iapws95::test {

inline double relErr(double value, double expected) { return std::abs(value - expected) / std::abs(expected); }

// True when `value` rounds to `published`, a figure given with `digits`
// significant digits (a small allowance covers the decimal-to-binary step).
inline bool roundsTo(double value, double published, int digits = 9) {
    const double unit = std::pow(10.0, std::floor(std::log10(std::abs(published))) - (digits - 1));
    return std::abs(value - published) <= 0.5 * unit * (1.0 + 1e-6);
}

// True when `value` rounds to `printed`, a figure printed with `decimals` places after the
// point (the same allowance for the decimal-to-binary step).
inline bool roundsToDecimals(double value, double printed, int decimals) {
    return std::abs(value - printed) <= 0.5 * std::pow(10.0, -decimals) * (1.0 + 1e-6);
}

// 1 + 2 delta phir_d + delta^2 phir_dd, proportional to dp/drho at fixed T.
inline double stiffness(double T, double rho) {
    const double delta = rho / rhoc;
    const Derivatives r = residualPart(delta, Tc / T);
    return 1.0 + 2.0 * delta * r.d + delta * delta * r.dd;
}

// Rounding allowance for a pressure computed from (T, rho): p is rho R T times
// 1 + delta phir_d, which for a liquid at low pressure is a small difference
// of numbers near 1.
inline double pressureTolerance(double p, double T, double rho) {
    return 1e-12 * std::abs(p) + 5e-13 * rho * R * T * 1e-3;
}

inline double gibbs(const State& s) { return s.h - s.T * s.s; }

inline std::string where(double T, double p) {
    std::ostringstream os;
    os.precision(12);
    os << "T = " << T << " K, p = " << p << " MPa";
    return os.str();
}

}  // namespace iapws95::test
