#include "table_rows.h"

#include "numeric/number_text.h"
#include "property_columns.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace steam::calc {
namespace {

// `from`, the values strictly between the ends, and `to`: a value within a hair of an end is
// that end (a multiple of the step computed a rounding away from it).
std::vector<double> withEnds(double from, double to, const std::vector<double>& inside) {
    std::vector<double> rows{from};
    const double hair = 1e-9 * std::max({std::fabs(from), std::fabs(to), 1e-12});
    for (double v : inside)
        if (v > from + hair && v < to - hair && v > rows.back()) rows.push_back(v);
    if (to > from) rows.push_back(to);
    return rows;
}

bool validRange(double from, double to) { return std::isfinite(from) && std::isfinite(to) && from <= to; }

}  // namespace

double steppedRowCount(double from, double to, double step) {
    if (!validRange(from, to) || !(step > 0.0) || !std::isfinite(step)) return 0.0;
    const double between = std::floor(to / step) - std::ceil(from / step) + 1.0;
    return std::isfinite(between) ? std::max(between, 0.0) + 2.0 : std::numeric_limits<double>::infinity();
}

std::vector<double> steppedRows(double from, double to, double step) {
    if (!(steppedRowCount(from, to, step) > 0.0)) return {};
    if (steppedRowCount(from, to, step) > kMaxTableRows) return {};
    // Multiples too large to count one by one cannot lie between two ends a few rows apart.
    if (std::fabs(from / step) > 1e15 || std::fabs(to / step) > 1e15) return withEnds(from, to, {});
    std::vector<double> inside;
    const auto first = static_cast<long long>(std::ceil(from / step));
    const auto last = static_cast<long long>(std::floor(to / step));
    for (long long k = first; k <= last; ++k) inside.push_back(numeric::generalValue(static_cast<double>(k) * step));
    return withEnds(from, to, inside);
}

std::vector<double> decadeRows(double from, double to, const std::vector<double>& mantissas) {
    if (!validRange(from, to) || !(from > 0.0) || mantissas.empty()) return {};
    for (double m : mantissas)
        if (!(m >= 1.0 && m < 10.0)) return {};
    std::vector<double> sorted = mantissas;
    std::sort(sorted.begin(), sorted.end());
    std::vector<double> inside;
    const int lowest = static_cast<int>(std::floor(std::log10(from)));
    const int highest = static_cast<int>(std::floor(std::log10(to)));
    for (int k = lowest; k <= highest; ++k) {
        // Dividing by an exact power of ten names the decimal value itself (2 / 1000 is 0.002).
        const double scale = std::pow(10.0, std::abs(k));
        for (double m : sorted) inside.push_back(numeric::generalValue(k < 0 ? m / scale : m * scale));
    }
    return withEnds(from, to, inside);
}

std::vector<double> defaultTemperatureRows(double from, double to) {
    if (!validRange(from, to)) return {};
    std::vector<double> inside{kTripleTemperature};
    for (int t = 5; t <= 100; t += 5) inside.push_back(t);
    const double end = std::min(to, kHighestTableTemperature);
    for (int t = 110; t <= end; t += 10) inside.push_back(t);
    return withEnds(from, to, inside);
}

PageRange defaultRange(TableKind kind) {
    PageRange range;
    range.kind = kind;
    if (kind == TableKind::SaturationByPressure) {
        range.from = 0.001;
        range.to = kCriticalPressure;
    } else {
        range.to = kind == TableKind::Isobar ? 800.0 : kCriticalTemperature;
    }
    return range;
}

Reach reachOf(TableKind kind) {
    switch (kind) {
        case TableKind::SaturationByTemperature: return {kTripleTemperature, kCriticalTemperature};
        case TableKind::SaturationByPressure: return {kTriplePressure - 0.5e-6, kCriticalPressure};
        default: return {kTripleTemperature, kHighestTableTemperature};
    }
}

RangeFault checkRange(const PageRange& r) {
    const Reach reach = reachOf(r.kind);
    const auto within = [&](double v) { return v >= reach.lowest && v <= reach.highest; };
    if (!within(r.from)) return RangeFault::FromBeyond;
    if (!within(r.to)) return RangeFault::ToBeyond;
    if (r.from > r.to) return RangeFault::Reversed;
    if (r.kind == TableKind::Isobar && !(r.pressure > 0.0 && r.pressure <= kHighestTablePressure))
        return RangeFault::PressureBeyond;
    if (r.step) {
        if (!(*r.step > 0.0) || !std::isfinite(*r.step)) return RangeFault::StepNotPositive;
        if (steppedRowCount(r.from, r.to, *r.step) > kMaxTableRows) return RangeFault::TooManyRows;
    } else if (r.kind == TableKind::SaturationByPressure) {
        const bool any =
            std::any_of(r.perDecade.begin(), r.perDecade.end(), [](double m) { return m >= 1.0 && m < 10.0; });
        const bool all =
            std::all_of(r.perDecade.begin(), r.perDecade.end(), [](double m) { return m >= 1.0 && m < 10.0; });
        if (!any || !all) return RangeFault::NoMantissa;
    }
    return RangeFault::None;
}

std::vector<double> pageRows(const PageRange& r) {
    if (r.step) return steppedRows(r.from, r.to, *r.step);
    if (r.kind == TableKind::SaturationByPressure) return decadeRows(r.from, r.to, r.perDecade);
    return defaultTemperatureRows(r.from, r.to);
}

}  // namespace steam::calc
