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

}  // namespace accuracy
