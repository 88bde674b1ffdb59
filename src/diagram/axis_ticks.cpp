#include "axis_ticks.h"

#include "numeric/number_text.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace steam::diagram {

namespace {

constexpr long long kMaxSteps = 1000;

// Decimals that show a multiple of step exactly: 1 for 0.2, 2 for 0.05, 0 for 500.
int decimalsOf(double step) {
    const int exponent = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    return exponent < 0 ? -exponent : 0;
}

// m times 10^e as the double that the decimal text "me" reads back as, so 2e-3 is 0.002.
// Beyond the range of a double it is infinite (or 0), which no window holds: an axis up to
// 1e307 asks for the decade above it.
double decade(int mantissa, int exponent) {
    const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

double tickStep(double span, int maxIntervals) {
    if (!(span > 0.0) || !std::isfinite(span) || maxIntervals < 1) return 0.0;
    int exponent = static_cast<int>(std::floor(std::log10(span / maxIntervals))) - 1;
    for (;; ++exponent) {
        for (int mantissa : {1, 2, 5}) {
            const double step = decade(mantissa, exponent);
            if (span / step <= maxIntervals * (1.0 + 1e-9)) return step;
        }
    }
}

std::vector<AxisTick> linearTicks(double min, double max, double step) {
    std::vector<AxisTick> ticks;
    if (!(step > 0.0) || !std::isfinite(min) || !std::isfinite(max) || max < min) return ticks;
    const double slack = 1e-4;
    const double first = std::ceil(min / step - slack);
    const double last = std::floor(max / step + slack);
    if (last - first > kMaxSteps) return ticks;
    const int decimals = decimalsOf(step);
    const double scale = std::pow(10.0, decimals);
    for (double k = first; k <= last; ++k) {
        // k * step carries the step's binary error (3 * 0.1 = 0.30000000000000004).
        const double value = std::round(k * step * scale) / scale;
        ticks.push_back({value == 0.0 ? 0.0 : value, numeric::generalText(value == 0.0 ? 0.0 : value)});
    }
    return ticks;
}

std::vector<AxisTick> logTicks(double min, double max, int maxTicks) {
    std::vector<AxisTick> ticks;
    if (!(min > 0.0) || !(max > min) || !std::isfinite(max) || maxTicks < 1) return ticks;
    const double slack = 1e-9;
    const int low = static_cast<int>(std::floor(std::log10(min))) - 1;
    const int high = static_cast<int>(std::ceil(std::log10(max))) + 1;
    const auto inside = [&](double v) { return v >= min * (1 - slack) && v <= max * (1 + slack); };
    const auto collect = [&](std::initializer_list<int> mantissas, int everyDecades) {
        std::vector<AxisTick> out;
        for (int e = low; e <= high; ++e) {
            if (e % everyDecades != 0) continue;
            for (int m : mantissas) {
                const double v = decade(m, e);
                if (inside(v)) out.push_back({v, numeric::generalText(v)});
            }
        }
        return out;
    };
    ticks = collect({1, 2, 5}, 1);
    if (static_cast<int>(ticks.size()) <= maxTicks) return ticks;
    for (int every : {1, 2, 5, 10, 20, 50, 100}) {
        ticks = collect({1}, every);
        if (static_cast<int>(ticks.size()) <= maxTicks) return ticks;
    }
    return ticks;
}

std::vector<AxisTick> logAxisTicks(double minPosition, double maxPosition, int maxTicks) {
    const double min = std::pow(10.0, minPosition), max = std::pow(10.0, maxPosition);
    std::vector<AxisTick> ticks = logTicks(min, max, maxTicks);
    if (ticks.size() < 3) {
        std::vector<AxisTick> linear = linearTicks(min, max, tickStep(max - min, maxTicks));
        if (linear.size() > ticks.size()) ticks = std::move(linear);
    }
    for (AxisTick& tick : ticks) tick.value = std::log10(tick.value);
    return ticks;
}

std::vector<double> logMinorTicks(double minPosition, double maxPosition, const std::vector<AxisTick>& ticks) {
    std::vector<double> out;
    if (ticks.size() < 2 || ticks[1].value - ticks[0].value < 1 - 1e-9) return out;
    const double slack = 1e-9;
    for (int e = static_cast<int>(std::floor(minPosition)); e <= static_cast<int>(std::ceil(maxPosition)); ++e)
        for (int m : {2, 5}) {
            const double position = std::log10(decade(m, e));
            if (position >= minPosition - slack && position <= maxPosition + slack) out.push_back(position);
        }
    return out;
}

}  // namespace steam::diagram
