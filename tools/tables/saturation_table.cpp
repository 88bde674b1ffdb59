#include "saturation_table.h"

#include "decimal_key.h"
#include "iapws/iapws95.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <future>
#include <map>

namespace tables {
namespace {

constexpr double kKelvin = 273.15;
constexpr int64_t kFirstMilli = 10;         // 0.01 C
constexpr int64_t kCriticalMilli = 373946;  // Tc = 647.096 K
constexpr int kMaxRows = 32767;             // the diagram reads the row count as a 16-bit number
constexpr int kSamples = 20;

std::array<double, 8> values(const SaturationRow& r) { return {r.ts, r.ps, r.v1, r.v11, r.h1, r.h11, r.s1, r.s11}; }

// Columns that may serve as the known value: all but h'' (which turns), and v' only away
// from its minimum near 4 C.
bool usableInput(int column, double ts) { return column != 5 && !(column == 2 && ts < 10.0); }

// Largest error, in units of the last displayed decimal, when the state at the midpoint of
// two rows is found by linear interpolation between them from any usable known column.
double midpointError(const SaturationRow& a, const SaturationRow& b, const SaturationRow& mid) {
    const auto va = values(a), vb = values(b), vm = values(mid);
    double worst = 0.0;
    for (int q = 0; q < 8; ++q) {
        if (!usableInput(q, mid.ts) || va[q] == vb[q]) continue;
        const double f = (vm[q] - va[q]) / (vb[q] - va[q]);
        for (int g = 0; g < 8; ++g) {
            const double interpolated = va[g] + f * (vb[g] - va[g]);
            const double unit = std::pow(10.0, -kSaturationDecimals[g]);
            worst = std::max(worst, std::fabs(interpolated - vm[g]) / unit);
        }
    }
    return worst;
}

// Rows of one stretch [from, to] in millikelvin at the coarsest step that keeps every
// midpoint within tolerance. Steps are short decimals so the keys stay short.
std::vector<SaturationRow> stretchRows(int64_t from, int64_t to) {
    static constexpr int64_t kSteps[] = {500, 250, 200, 100, 50, 25, 20, 10, 5, 2, 1};
    constexpr double kTolerance = 0.4;  // of one displayed unit, leaving room for display rounding
    std::vector<SaturationRow> best;
    for (int64_t step : kSteps) {
        if ((to - from) % step != 0) continue;
        std::vector<SaturationRow> rows;
        for (int64_t m = from; m <= to; m += step) rows.push_back(saturationAt(milliKey(m), 1));
        bool ok = true;
        for (size_t i = 0; ok && i + 1 < rows.size(); ++i) {
            const SaturationRow mid = saturationAt((rows[i].ts + rows[i + 1].ts) / 2, 1);
            ok = midpointError(rows[i], rows[i + 1], mid) <= kTolerance;
        }
        best = std::move(rows);
        if (ok) break;
    }
    return best;
}

// Lookup rows: stretches of 1 K (the first from 0.01, the last up to the critical point),
// each with its own step; within the last kelvin the finest step throughout.
std::vector<SaturationRow> lookupRows(int threads) {
    std::vector<std::pair<int64_t, int64_t>> stretches;
    for (int64_t a = 0; a < 373000; a += 1000) stretches.push_back({std::max(a, kFirstMilli), a + 1000});
    std::vector<std::vector<SaturationRow>> parts(stretches.size() + 1);
    std::vector<std::future<void>> workers;
    for (int w = 0; w < threads; ++w)
        workers.push_back(std::async(std::launch::async, [&, w] {
            for (size_t i = w; i < stretches.size(); i += threads)
                parts[i] = stretchRows(stretches[i].first, stretches[i].second);
        }));
    for (auto& f : workers) f.get();
    for (int64_t m = 373000; m <= kCriticalMilli; ++m) parts.back().push_back(saturationAt(milliKey(m), 1));
    std::vector<SaturationRow> rows;
    for (auto& part : parts)
        for (auto& r : part)
            if (rows.empty() || r.ts > rows.back().ts) rows.push_back(r);
    return rows;
}

// Where the diagram's samples should fall: closer together towards the top of the dome,
// where it bends most; the last within 1 K of the critical point.
double sampleTarget(int k) {
    const double top = 372.946;
    return top * (1.0 - std::pow(1.0 - k / double(kSamples - 1), 1.4));
}

}  // namespace

SaturationRow saturationAt(double ts, int wf) {
    const double T = ts + kKelvin;
    const iapws95::Saturation sat = iapws95::saturationT(std::clamp(T, iapws95::Tt, iapws95::Tc));
    SaturationRow row{ts,           sat.p, sat.liquid.v, sat.vapour.v, sat.liquid.h, sat.vapour.h, sat.liquid.s,
                      sat.vapour.s, wf};
    if (ts >= milliKey(kCriticalMilli)) row.ps = iapws95::pc;  // the critical pressure by definition
    return row;
}

std::vector<SaturationRow> buildSaturationTable(int threads, SaturationTableStats* stats) {
    std::vector<SaturationRow> lookup = lookupRows(std::max(1, threads));
    const int total = static_cast<int>(lookup.size());

    // Choose the row count per sample interval (M) and the sample rows greedily: each interval
    // holds at most M lookup rows and reaches for its target temperature.
    int M = (total + kSamples - 1) / kSamples;
    std::vector<int> start;  // index into lookup of each sample
    for (;; ++M) {
        if (kSamples * M > kMaxRows) throw std::runtime_error("saturation table would exceed 32767 rows");
        start.assign(1, 0);
        for (int k = 1; k < kSamples; ++k) {
            const int prev = start.back();
            int i = prev + 1;
            while (i < total && i - prev < M && lookup[i].ts < sampleTarget(k)) ++i;
            start.push_back(std::min(i, total - 1));
        }
        if (total - start.back() <= M && lookup[start.back()].ts >= 372.946) break;
    }

    // Pad every interval to exactly M rows with drawing rows placed in the gaps after its
    // lookup rows (never after the critical point, which stays the last row).
    std::vector<SaturationRow> rows;
    for (int k = 0; k < kSamples; ++k) {
        const int first = start[k];
        const int end = k + 1 < kSamples ? start[k + 1] : total;
        const int own = end - first;
        const int pad = M - own;
        const int gaps = end < total ? own : own - 1;
        if (pad > 0 && gaps <= 0) throw std::runtime_error("no room for drawing rows in the saturation table");
        int added = 0;
        for (int i = first; i < end; ++i) {
            rows.push_back(lookup[i]);
            if (i + 1 >= total || i - first >= gaps) continue;
            const int due = static_cast<int>(std::llround(double(pad) * (i - first + 1) / gaps)) - added;
            // Tenths of a millikelvin between the neighbours keep every ts distinct and ascending.
            const int64_t lo = std::llround(lookup[i].ts * 1e4);
            const int64_t hi = std::llround(lookup[i + 1].ts * 1e4);
            for (int j = 1; j <= due; ++j) {
                const int64_t at = lo + (hi - lo) * j / (due + 1);
                if (at <= lo || at >= hi)
                    throw std::runtime_error("no room for drawing rows near " + std::to_string(lookup[i].ts));
                rows.push_back(saturationAt(decimalKey(at, -4), 0));
            }
            added += due;
        }
    }
    if (stats) {
        stats->lookupRows = total;
        stats->drawingRows = static_cast<int>(rows.size()) - total;
        stats->sampledTemperatures.clear();
        const int N = static_cast<int>(rows.size());
        for (int i = 1; i <= kSamples; ++i)
            stats->sampledTemperatures.push_back(rows[static_cast<int>((i - 1) * double(N) / kSamples)].ts);
    }
    return rows;
}

}  // namespace tables
