#include "conditioning.h"

#include <algorithm>
#include <cmath>

namespace accuracy {

bool inCriticalBand(double t, double p) { return t >= 360 && t <= 390 && p >= 18 && p <= 26; }

Properties targets(const Properties& state) {
    const bool band = inCriticalBand(state[0], state[1]);
    const double relative = band ? 5e-3 : 2e-4;
    const Properties target{band ? 0.1 : 0.02, relative * state[1], relative * state[2], band ? 1.0 : 0.05,
                            band ? 2e-3 : 1e-4};
    const int decimals[] = {2, 6, 8, 2, 4};
    Properties out{};
    for (int k = 0; k < 5; ++k) out[k] = std::max(target[k], 0.5 * std::pow(10.0, -decimals[k]));
    return out;
}

Properties propertiesAt(double t, double p, iapws95::Branch branch) {
    const iapws95::State st = iapws95::stateTP(t + kKelvin, p, branch);
    return {t, p, st.v, st.h, st.s};
}

Properties allowedErrors(double t, double p, iapws95::Branch branch, int first, int second) {
    const Properties state = propertiesAt(t, p, branch);
    const Properties target = targets(state);
    // Two neighbouring states on the line of the first known value.
    const bool alongP = first == 0;
    const double step = alongP ? 1e-6 * std::max(std::fabs(p), 1e-3) : 1e-4;
    const Properties below = alongP ? propertiesAt(t, p - step, branch) : propertiesAt(t - step, p, branch);
    const Properties above = alongP ? propertiesAt(t, p + step, branch) : propertiesAt(t + step, p, branch);
    const double dz = above[second] - below[second];
    Properties allowed{};
    for (int o = 0; o < 5; ++o) {
        const double slope = dz == 0.0 ? INFINITY : std::fabs((above[o] - below[o]) / dz);
        allowed[o] = target[o] + (o == first || second == 1 ? 0.0 : slope * target[second]);
    }
    return allowed;
}

namespace {

// Allowed errors from the derivatives of the outputs by two coordinates (columns of `d`, one
// row per output), known values `first` and `second` among the outputs.
template <size_t N>
std::array<double, N> conditioned(const std::array<std::array<double, 2>, N>& d, const std::array<double, N>& target,
                                  const std::array<double, N>& knownError, int first, int second) {
    // d(first, second) / d(coordinates), inverted: d(coordinates) / d(first, second).
    const double a = d[first][0], b = d[first][1], c = d[second][0], e = d[second][1];
    const double det = a * e - b * c;
    std::array<double, N> allowed{};
    for (size_t o = 0; o < N; ++o) {
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
    std::array<std::array<double, 2>, 5> d{};
    for (int o = 0; o < 5; ++o) d[o] = {(hotter[o] - colder[o]) / (2 * dt), (denser[o] - lighter[o]) / (2 * dp)};
    return conditioned(d, target, target, first, second);
}

WetProperties wetPropertiesAt(double ts, double x) {
    const iapws95::Saturation sat = iapws95::saturationT(std::clamp(ts + kKelvin, iapws95::Tt, iapws95::Tc));
    const auto mix = [x](double liquid, double vapour) { return liquid + x * (vapour - liquid); };
    return {ts, sat.p, mix(sat.liquid.v, sat.vapour.v), mix(sat.liquid.h, sat.vapour.h), mix(sat.liquid.s, sat.vapour.s), x};
}

WetProperties wetTargets(const WetProperties& state) {
    const Properties single = targets({state[0], state[1], state[2], state[3], state[4]});
    return {single[0], single[1], single[2], single[3], single[4], 0.005};
}

WetProperties wetAllowedErrors(double ts, double x, int first, int second) {
    const WetProperties target = wetTargets(wetPropertiesAt(ts, x));
    // t and p typed as known values are grid coordinates and x a factor of the exact mixture
    // rule: only v, h and s carry the tables' error.
    WetProperties knownError = target;
    knownError[0] = knownError[1] = knownError[5] = 0.0;
    // Within the saturation line: one-sided at its ends.
    const double hot = std::min(ts + 1e-4, iapws95::Tc - kKelvin), cold = std::max(ts - 1e-4, iapws95::Tt - kKelvin);
    const double dx = 1e-6;
    const WetProperties hotter = wetPropertiesAt(hot, x), colder = wetPropertiesAt(cold, x);
    const WetProperties drier = wetPropertiesAt(ts, x + dx), wetter = wetPropertiesAt(ts, x - dx);
    std::array<std::array<double, 2>, 6> d{};
    for (int o = 0; o < 6; ++o) d[o] = {(hotter[o] - colder[o]) / (hot - cold), (drier[o] - wetter[o]) / (2 * dx)};
    return conditioned(d, target, knownError, first, second);
}

}  // namespace accuracy
