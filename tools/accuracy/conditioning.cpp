#include "conditioning.h"

#include "iapws/thermal_properties.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace accuracy {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Decimals of the boxes t p v h s x u and of the texts cp cv w mu lambda nu Pr.
constexpr int kDecimals[kOutputs] = {2, 6, 8, 2, 4, 2, 2, 4, 4, 2, 2, 2, 4, 3};
// Relative targets of cp cv w mu lambda nu Pr outside the band; inside it 5 %.
constexpr double kThermalTargets[kOutputs - kFirstThermal] = {1e-3, 1e-3, 1e-3, 2e-3, 2e-3, 2e-3, 3e-3};
constexpr double kThermalBandTarget = 5e-2;

double halfUnit(int output) { return 0.5 * std::pow(10.0, -kDecimals[output]); }

// The kelvin temperature of t in C; 0.01 C is the triple point itself, which t + 273.15 misses
// by a rounding.
double kelvin(double t) {
    const double T = t + kKelvin;
    return std::fabs(T - iapws95::Tt) < 1e-9 ? iapws95::Tt : T;
}

// t and p as given (the state's own p may differ from it in the last digit).
Properties boxValuesOf(double t, double p, const iapws95::State& st) {
    Properties out;
    out.fill(kNaN);
    out[kT] = t;
    out[kP] = p;
    out[kV] = st.v;
    out[kH] = st.h;
    out[kS] = st.s;
    out[kU] = st.u;
    return out;
}

void addThermal(Properties& out, double T, double rho) {
    const iapws::ThermalProperties th = iapws::propertiesAt(T, rho);
    out[kCp] = th.cp;
    out[kCv] = th.cv;
    out[kW] = th.w;
    out[kMu] = th.mu;
    out[kLambda] = th.lambda;
    out[kNu] = th.nu;
    out[kPr] = th.Pr;
}

}  // namespace

bool inCriticalBand(double t, double p) { return t >= 360 && t <= 390 && p >= 18 && p <= 26; }

Properties targets(const Properties& state) {
    const bool band = inCriticalBand(state[kT], state[kP]);
    const double relative = band ? 5e-3 : 2e-4;
    Properties target{};
    target[kT] = band ? 0.1 : 0.02;
    target[kP] = relative * state[kP];
    target[kV] = relative * state[kV];
    target[kH] = band ? 1.0 : 0.05;
    target[kS] = band ? 2e-3 : 1e-4;
    target[kX] = 0.0;
    for (int k = kT; k <= kS; ++k) target[k] = std::max(target[k], halfUnit(k));
    // u = h - p v: h's target and the share p's and v's give p v (MPa m^3/kg = 1000 kJ/kg).
    target[kU] = std::max(target[kH] + 1000.0 * (std::fabs(state[kV]) * target[kP] + std::fabs(state[kP]) * target[kV]),
                          halfUnit(kU));
    for (int k = kFirstThermal; k < kOutputs; ++k)
        target[k] = std::max((band ? kThermalBandTarget : kThermalTargets[k - kFirstThermal]) * std::fabs(state[k]),
                             halfUnit(k));
    // None for an output the state lacks.
    for (int k = 0; k < kOutputs; ++k)
        if (std::isnan(state[k])) target[k] = kNaN;
    return target;
}

Properties boxValuesAt(double t, double p, iapws95::Branch branch) {
    return boxValuesOf(t, p, iapws95::stateTP(kelvin(t), p, branch));
}

Properties propertiesAt(double t, double p, iapws95::Branch branch) {
    const iapws95::State st = iapws95::stateTP(kelvin(t), p, branch);
    Properties out = boxValuesOf(t, p, st);
    addThermal(out, st.T, st.rho);
    return out;
}

Properties allowedErrors(double t, double p, iapws95::Branch branch, int first, int second) {
    const Properties state = propertiesAt(t, p, branch);
    const Properties target = targets(state);
    // Two neighbouring states on the line of the first known value.
    const bool alongP = first == kT;
    const double step = alongP ? 1e-6 * std::max(std::fabs(p), 1e-3) : 1e-4;
    const Properties below = alongP ? propertiesAt(t, p - step, branch) : propertiesAt(t - step, p, branch);
    const Properties above = alongP ? propertiesAt(t, p + step, branch) : propertiesAt(t + step, p, branch);
    const double dz = above[second] - below[second];
    Properties allowed{};
    for (int o = 0; o < kOutputs; ++o) {
        const double slope = dz == 0.0 ? INFINITY : std::fabs((above[o] - below[o]) / dz);
        allowed[o] = target[o] + (o == first || second == kP ? 0.0 : slope * target[second]);
    }
    return allowed;
}

namespace {

// Allowed errors from the derivatives of the outputs by two coordinates (columns of `d`, one
// row per output), known values `first` and `second` among the outputs.
Properties conditioned(const std::array<std::array<double, 2>, kOutputs>& d, const Properties& target,
                       const Properties& knownError, int first, int second) {
    // d(first, second) / d(coordinates), inverted: d(coordinates) / d(first, second).
    const double a = d[first][0], b = d[first][1], c = d[second][0], e = d[second][1];
    const double det = a * e - b * c;
    Properties allowed{};
    for (int o = 0; o < kOutputs; ++o) {
        if (det == 0.0 || !std::isfinite(det)) {
            allowed[o] = INFINITY;
            continue;
        }
        const double byFirst = (d[o][0] * e - d[o][1] * c) / det;
        const double bySecond = (-d[o][0] * b + d[o][1] * a) / det;
        allowed[o] = target[o] + std::fabs(byFirst) * knownError[first] + std::fabs(bySecond) * knownError[second];
    }
    return allowed;
}

}  // namespace

Properties allowedErrorsWithoutTP(double t, double p, iapws95::Branch branch, int first, int second) {
    const Properties target = targets(propertiesAt(t, p, branch));
    const double dt = 1e-4, dp = 1e-6 * std::max(std::fabs(p), 1e-3);
    const Properties hotter = propertiesAt(t + dt, p, branch), colder = propertiesAt(t - dt, p, branch);
    const Properties denser = propertiesAt(t, p + dp, branch), lighter = propertiesAt(t, p - dp, branch);
    std::array<std::array<double, 2>, kOutputs> d{};
    for (int o = 0; o < kOutputs; ++o) d[o] = {(hotter[o] - colder[o]) / (2 * dt), (denser[o] - lighter[o]) / (2 * dp)};
    return conditioned(d, target, target, first, second);
}

Properties allowedAtShownState(double t, double p, iapws95::Branch branch) {
    const Properties target = targets(boxValuesAt(t, p, branch));
    const double dt = 1e-4, dp = 1e-6 * std::max(std::fabs(p), 1e-3);
    const Properties hotter = boxValuesAt(t + dt, p, branch), colder = boxValuesAt(t - dt, p, branch);
    const Properties denser = boxValuesAt(t, p + dp, branch), lighter = boxValuesAt(t, p - dp, branch);
    Properties allowed{};
    for (int o = 0; o < kOutputs; ++o) {
        const double byT = (hotter[o] - colder[o]) / (2 * dt), byP = (denser[o] - lighter[o]) / (2 * dp);
        allowed[o] = target[o] + halfUnit(o) + std::fabs(byT) * (target[kT] + halfUnit(kT)) +
                     std::fabs(byP) * (target[kP] + halfUnit(kP));
    }
    return allowed;
}

WetProperties wetPropertiesAt(double ts, double x) {
    const iapws95::Saturation sat = iapws95::saturationT(std::clamp(kelvin(ts), iapws95::Tt, iapws95::Tc));
    const auto mix = [x](double liquid, double vapour) { return liquid + x * (vapour - liquid); };
    WetProperties out;
    out.fill(kNaN);
    out[kT] = ts;
    out[kP] = sat.p;
    out[kV] = mix(sat.liquid.v, sat.vapour.v);
    out[kH] = mix(sat.liquid.h, sat.vapour.h);
    out[kS] = mix(sat.liquid.s, sat.vapour.s);
    out[kX] = x;
    out[kU] = mix(sat.liquid.u, sat.vapour.u);
    return out;
}

Properties saturatedPhaseAt(double ts, bool vapour) {
    const iapws95::Saturation sat = iapws95::saturationT(std::clamp(kelvin(ts), iapws95::Tt, iapws95::Tc));
    const iapws95::State& phase = vapour ? sat.vapour : sat.liquid;
    Properties out = boxValuesOf(ts, sat.p, phase);
    out[kX] = vapour ? 1.0 : 0.0;
    addThermal(out, sat.T, phase.rho);
    return out;
}

WetProperties wetTargets(const WetProperties& state) {
    WetProperties target = targets(state);
    target[kX] = 0.005;
    return target;
}

WetProperties wetAllowedErrors(double ts, double x, int first, int second) {
    const WetProperties target = wetTargets(wetPropertiesAt(ts, x));
    // t and p typed as known values are grid coordinates and x a factor of the exact mixture
    // rule: only v, h, s and u carry the tables' error.
    WetProperties knownError = target;
    knownError[kT] = knownError[kP] = knownError[kX] = 0.0;
    // Within the saturation line: one-sided at its ends.
    const double hot = std::min(ts + 1e-4, iapws95::Tc - kKelvin), cold = std::max(ts - 1e-4, iapws95::Tt - kKelvin);
    const double dx = 1e-6;
    const WetProperties hotter = wetPropertiesAt(hot, x), colder = wetPropertiesAt(cold, x);
    const WetProperties drier = wetPropertiesAt(ts, x + dx), wetter = wetPropertiesAt(ts, x - dx);
    std::array<std::array<double, 2>, kOutputs> d{};
    for (int o = 0; o < kOutputs; ++o)
        d[o] = {(hotter[o] - colder[o]) / (hot - cold), (drier[o] - wetter[o]) / (2 * dx)};
    return conditioned(d, target, knownError, first, second);
}

}  // namespace accuracy
