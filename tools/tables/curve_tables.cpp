#include "curve_tables.h"

#include "curve_plane.h"

#include "data/chart_tables.h"
#include "iapws/iapws95.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

namespace tables {
namespace {

using steam::diagram::Chart;
using steam::diagram::ChartDescription;
using steam::diagram::Quantity;

constexpr double kCriticalT = iapws95::Tc - kKelvin;
constexpr double kTmin = 0.01;    // C, the triple point
constexpr double kTmax = 1000.0;  // C, the end of the formulation's range
constexpr double kPmax = 100.0;   // MPa
constexpr double kPmin = 1e-5;    // MPa, where every isotherm has left the windows
constexpr size_t kMaxRows = 800;  // points the h-s diagram keeps of a family

// The critical isotherm, walked in density: at the critical point itself p(rho) is too flat
// for a solve in pressure.
std::vector<State> criticalIsotherm(const Plane& plane) {
    const double T = iapws95::Tc;
    const double dense = std::log10(iapws95::densityTP(T, kPmax, iapws95::Branch::Liquid));
    const double thin = std::log10(iapws95::densityTP(T, kPmin, iapws95::Branch::Vapour));
    const Curve fluid = [T](double u) { return at(iapws95::stateTRho(T, std::pow(10.0, u))); };
    std::vector<State> out;
    appendStretch(plane, out, fluid, dense, fluid(dense), thin, fluid(thin), 280);
    return out;
}

// From 100 MPa down, in log p: compressed water to saturation, straight across the wet
// region, then superheated steam. Above the critical temperature one fluid all the way.
std::vector<State> isotherm(double t, const Plane& plane) {
    const double T = std::max(t + kKelvin, iapws95::Tt);
    if (std::abs(T - iapws95::Tc) < 1e-9) return criticalIsotherm(plane);
    std::vector<State> out;
    const double top = std::log10(kPmax), bottom = std::log10(kPmin);
    const auto fluid = [T](iapws95::Branch branch) {
        return [T, branch](double u) { return at(iapws95::stateTP(T, std::pow(10.0, u), branch)); };
    };
    if (T >= iapws95::Tc) {
        const Curve one = fluid(iapws95::Branch::Liquid);
        appendStretch(plane, out, one, top, one(top), bottom, one(bottom), 280);
        return out;
    }
    const iapws95::Saturation sat = iapws95::saturationT(T);
    const double u = std::log10(sat.p);
    const Curve liquid = fluid(iapws95::Branch::Liquid), vapour = fluid(iapws95::Branch::Vapour);
    appendStretch(plane, out, liquid, top, liquid(top), u, at(sat.liquid), 80);
    appendStretch(plane, out, vapour, u, at(sat.vapour), bottom, vapour(bottom), 200);
    return out;
}

// From the triple point to 1000 C: water to saturation, across the wet region, steam.
// The critical isobar passes through the critical point itself.
std::vector<State> isobar(double p, const Plane& plane) {
    std::vector<State> out;
    const auto fluid = [p](iapws95::Branch branch) {
        return [p, branch](double t) { return at(iapws95::stateTP(t + kKelvin, p, branch)); };
    };
    const Curve liquid = fluid(iapws95::Branch::Liquid), vapour = fluid(iapws95::Branch::Vapour);
    if (p > iapws95::pc) {
        appendStretch(plane, out, liquid, kTmin, liquid(kTmin), kTmax, liquid(kTmax), 250);
        return out;
    }
    if (p == iapws95::pc) {
        const State critical = at(iapws95::saturationT(iapws95::Tc).liquid);
        appendStretch(plane, out, liquid, kTmin, liquid(kTmin), kCriticalT, critical, 150);
        appendStretch(plane, out, liquid, kCriticalT, critical, kTmax, liquid(kTmax), 150);
        return out;
    }
    const iapws95::Saturation sat = iapws95::saturationP(p);
    const double tsat = sat.T - kKelvin;
    appendStretch(plane, out, liquid, kTmin, liquid(kTmin), tsat, at(sat.liquid), 60);
    appendStretch(plane, out, vapour, tsat, at(sat.vapour), kTmax, vapour(kTmax), 200);
    return out;
}

// The temperature (C) where saturated water (liquid) or steam has the volume v.
double saturationTemperatureOfVolume(double v, bool liquid) {
    double lo = iapws95::Tt, hi = iapws95::Tc;
    for (int i = 0; i < 200 && hi - lo > 1e-10; ++i) {
        const double mid = 0.5 * (lo + hi);
        const iapws95::Saturation sat = iapws95::saturationT(mid);
        const double vm = liquid ? sat.liquid.v : sat.vapour.v;
        // v' grows with T, v'' falls.
        if ((vm < v) == liquid)
            lo = mid;
        else
            hi = mid;
    }
    return 0.5 * (lo + hi) - kKelvin;
}

// From the triple point to 1000 C: a wet mixture while v lies between v' and v'', then
// the single fluid at density 1/v. Where wet states lie on the saturation line (p-t), the
// curve starts there.
std::vector<State> isochore(double v, const Plane& plane) {
    std::vector<State> out;
    const Curve fluid = [v](double t) { return at(iapws95::stateTRho(t + kKelvin, 1.0 / v)); };
    const Curve wet = [v](double t) {
        const iapws95::Saturation sat = saturationAtC(t);
        return mixture(sat, (v - sat.liquid.v) / (sat.vapour.v - sat.liquid.v));
    };
    const bool liquidSide = v < 1.0 / iapws95::rhoc;
    const iapws95::Saturation triple = iapws95::saturationT(iapws95::Tt);
    if (v <= triple.liquid.v) {
        appendStretch(plane, out, fluid, kTmin, fluid(kTmin), kTmax, fluid(kTmax), 250);
        return out;
    }
    const double tx = saturationTemperatureOfVolume(v, liquidSide);
    const iapws95::Saturation sat = saturationAtC(tx);
    const State corner = at(liquidSide ? sat.liquid : sat.vapour);
    if (!plane.wetStatesOnTheLine()) appendStretch(plane, out, wet, kTmin, wet(kTmin), tx, corner, 80);
    appendStretch(plane, out, fluid, tx, corner, kTmax, fluid(kTmax), 200);
    return out;
}

// From the critical point down to the triple point. The lines leave the critical point
// like the cube root of Tc - T, so they are walked evenly in that root.
std::vector<State> drynessLine(double x, const Plane& plane) {
    std::vector<State> out;
    const Curve line = [x](double r) { return mixture(iapws95::saturationT(iapws95::Tc - r * r * r), x); };
    const double far = std::cbrt(iapws95::Tc - iapws95::Tt);
    const State critical = at(iapws95::saturationT(iapws95::Tc).liquid);
    appendStretch(plane, out, line, 0.0, critical, far, mixture(iapws95::saturationT(iapws95::Tt), x), 120);
    return out;
}

// A curve of constant h or s, walked from 100 MPa down in log p: the fluid wherever the value
// lies outside [value', value''] of the saturation at that pressure, the wet mixture inside,
// down to where no state has the value (below the triple point only steam exists).
class PressureWalk {
public:
    enum class Phase { Fluid, Wet, None };

    PressureWalk(Quantity q, double key) : m_q(q), m_key(key) {}

    Phase phase(double u) const {
        const double p = std::pow(10.0, u);
        if (p < iapws95::pc && p >= iapws95::triplePointPressure()) {
            const iapws95::Saturation sat = iapws95::saturationP(p);
            if (m_key >= valueOf(at(sat.liquid), m_q) && m_key <= valueOf(at(sat.vapour), m_q)) return Phase::Wet;
        }
        try {
            fluid(u);
            return Phase::Fluid;
        } catch (const iapws95::SolveError&) {
            return Phase::None;
        }
    }
    State fluid(double u) const {
        const double p = std::pow(10.0, u);
        return at(m_q == Quantity::h ? iapws95::statePH(p, m_key) : iapws95::statePS(p, m_key));
    }
    State wet(double u) const {
        const iapws95::Saturation sat = iapws95::saturationP(std::pow(10.0, u));
        const double lo = valueOf(at(sat.liquid), m_q), hi = valueOf(at(sat.vapour), m_q);
        return mixture(sat, hi > lo ? std::clamp((m_key - lo) / (hi - lo), 0.0, 1.0) : 0.0);
    }
    State in(Phase phase, double u) const { return phase == Phase::Wet ? wet(u) : fluid(u); }
    // Where a fluid stretch meets the wet region: the saturated water or steam whose value is
    // the key's.
    State saturated(double u) const {
        const iapws95::Saturation sat = iapws95::saturationP(std::pow(10.0, u));
        const State liquid = at(sat.liquid), vapour = at(sat.vapour);
        return std::abs(valueOf(liquid, m_q) - m_key) <= std::abs(valueOf(vapour, m_q) - m_key) ? liquid : vapour;
    }

private:
    Quantity m_q;
    double m_key;
};

std::vector<State> alongPressure(Quantity q, double key, const Plane& plane) {
    using Phase = PressureWalk::Phase;
    const PressureWalk walk(q, key);
    const double top = std::log10(kPmax), bottom = std::log10(kPmin);
    const int samples = 700;
    std::vector<double> u(samples + 1);
    std::vector<Phase> phase(samples + 1);
    for (int i = 0; i <= samples; ++i) {
        u[i] = top + (bottom - top) * i / samples;
        phase[i] = walk.phase(u[i]);
    }
    // Stretches of one phase, their ends bisected to where the phase changes.
    struct Stretch {
        Phase phase;
        double a, b;
    };
    std::vector<Stretch> stretches;
    for (int i = 0; i <= samples; ++i) {
        if (phase[i] == Phase::None) continue;
        if (stretches.empty() || i == 0 || phase[i - 1] != phase[i]) {
            double a = u[i];
            if (i > 0) {
                double before = u[i - 1];  // of another phase
                for (int k = 0; k < 60; ++k) {
                    const double mid = 0.5 * (before + a);
                    (walk.phase(mid) == phase[i] ? a : before) = mid;
                }
            }
            stretches.push_back({phase[i], a, u[i]});
        }
        Stretch& s = stretches.back();
        s.b = u[i];
        if (i < samples && phase[i + 1] != phase[i]) {
            double after = u[i + 1];
            for (int k = 0; k < 60; ++k) {
                const double mid = 0.5 * (s.b + after);
                (walk.phase(mid) == phase[i] ? s.b : after) = mid;
            }
        }
    }
    // Where a fluid stretch meets the wet region both share the saturated state there.
    std::vector<std::optional<State>> corner(stretches.size());
    for (size_t k = 0; k + 1 < stretches.size(); ++k) {
        const Stretch &s = stretches[k], &next = stretches[k + 1];
        if (s.phase != next.phase && std::abs(next.a - s.b) < 1e-9) corner[k] = walk.saturated(0.5 * (s.b + next.a));
    }
    std::vector<State> out;
    for (size_t k = 0; k < stretches.size(); ++k) {
        const Stretch& s = stretches[k];
        const Curve curve = [&walk, phase = s.phase](double v) { return walk.in(phase, v); };
        const State first = k > 0 && corner[k - 1] ? *corner[k - 1] : curve(s.a);
        const State last = corner[k] ? *corner[k] : curve(s.b);
        const int steps = std::max(2, static_cast<int>(std::ceil(std::abs(s.b - s.a) / 0.05)));
        appendStretch(plane, out, curve, s.a, first, s.b, last, steps);
    }
    return out;
}

template <typename Make>
std::vector<std::vector<State>> buildCurves(const std::vector<double>& keys, Make make, const Plane& plane,
                                            int threads) {
    std::vector<std::vector<State>> curves(keys.size());
    std::atomic<size_t> next{0};
    std::exception_ptr failure;
    std::atomic<bool> failed{false};
    const auto work = [&] {
        for (size_t i = next++; i < keys.size() && !failed; i = next++) {
            try {
                curves[i] = simplified(plane, cropToWindow(plane, make(keys[i], plane)));
            } catch (...) {
                if (!failed.exchange(true)) failure = std::current_exception();
            }
        }
    };
    std::vector<std::thread> pool;
    for (int w = 1; w < threads; ++w) pool.emplace_back(work);
    work();
    for (auto& t : pool) t.join();
    if (failure) std::rethrow_exception(failure);
    return curves;
}

std::function<std::vector<State>(double, const Plane&)> builderFor(Quantity key) {
    switch (key) {
        case Quantity::t: return isotherm;
        case Quantity::p: return isobar;
        case Quantity::v: return isochore;
        case Quantity::x: return drynessLine;
        case Quantity::h:
        case Quantity::s: return [key](double value, const Plane& plane) { return alongPressure(key, value, plane); };
    }
    return {};
}

CurveFamilyTable hsFamily(const char* table, Quantity key, const std::vector<double>& keys, int threads) {
    const Plane plane(Chart::HS);
    const auto curves = buildCurves(keys, builderFor(key), plane, threads);
    CurveFamilyTable out{table, steam::diagram::familyStyle(key).keyName, {}};
    for (size_t i = 0; i < keys.size(); ++i)
        for (const State& p : curves[i]) out.points.push_back({keys[i], p.h, p.s});
    if (out.points.size() > kMaxRows)
        throw std::runtime_error(std::string(table) + ": " + std::to_string(out.points.size()) +
                                 " points, more than the diagram's " + std::to_string(kMaxRows));
    return out;
}

// 1, 2 and 5 times the powers of ten from first to last.
std::vector<double> oneTwoFive(int firstExponent, int lastExponent) {
    std::vector<double> out;
    for (int e = firstExponent; e <= lastExponent; ++e)
        for (int m : {1, 2, 5}) out.push_back(std::stod(std::to_string(m) + "e" + std::to_string(e)));
    return out;
}

std::vector<double> steps(double first, double last, double step) {
    std::vector<double> out;
    for (int k = 0; first + k * step <= last + 1e-9; ++k) out.push_back(std::round((first + k * step) * 1e6) / 1e6);
    return out;
}

}  // namespace

std::vector<double> isothermTemperatures() {
    std::vector<double> out{kTmin};  // 0 C lies below the triple point; a key of 0 is no curve
    for (int t = 50; t <= 1000; t += 50) out.push_back(t);
    return out;
}

std::vector<double> isobarPressures() {
    std::vector<double> out = oneTwoFive(-3, 1);  // 0.001 to 50
    out.push_back(iapws95::pc);
    out.push_back(kPmax);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<double> isochoreVolumes() {
    std::vector<double> out = oneTwoFive(-3, 2);
    out.erase(out.begin());  // v = 0.001: water that dense is rare
    out.erase(std::remove_if(out.begin(), out.end(), [](double v) { return v > 100.0; }), out.end());
    return out;
}

std::vector<double> drynessFractions() { return {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 0.92, 0.94, 0.96, 0.98}; }

std::vector<double> chartFamilyKeys(const std::string& table) {
    if (table == "TS_H") return steps(250, 4000, 250);
    if (table == "TS_P") return isobarPressures();
    if (table == "TS_V") return isochoreVolumes();
    if (table == "TS_X" || table == "PV_X") return steps(0.1, 0.9, 0.1);
    if (table == "PV_T") {
        // Every 50 K across the dome, the critical isotherm with its inflection, then wider
        // apart: in log v the superheated isotherms crowd into a narrow band.
        std::vector<double> out{kTmin};
        for (double t : steps(50, 350, 50)) out.push_back(t);
        for (double t : {kCriticalT, 400.0, 500.0, 600.0, 800.0, 1000.0}) out.push_back(t);
        return out;
    }
    if (table == "PV_S") return steps(1, 10, 1);
    if (table == "PT_V") {
        std::vector<double> out{0.00101, 0.00102, 0.00105, 0.0011, 0.0012, 0.0014, 0.0017, 0.002, 0.0025, 0.003};
        for (double v : oneTwoFive(-3, 2))
            if (v >= 0.005 && v <= 100) out.push_back(v);
        return out;
    }
    return {};
}

ChartPlace chartPlaceOf(const std::string& table) {
    for (Chart chart : steam::diagram::kCharts) {
        const ChartDescription& d = steam::diagram::chartDescription(chart);
        for (int layer = 0; layer < steam::diagram::kFamilySwitches; ++layer)
            if (chart != Chart::HS && d.tables[layer] && table == d.tables[layer]) return {chart, layer};
    }
    throw std::invalid_argument("no chart shows the table " + table);
}

std::vector<CurveFamilyTable> buildCurveTables(int threads) {
    threads = std::max(1, threads);
    std::vector<CurveFamilyTable> out;
    out.push_back(hsFamily("DengT", Quantity::t, isothermTemperatures(), threads));
    out.push_back(hsFamily("DengP", Quantity::p, isobarPressures(), threads));
    out.push_back(hsFamily("DengV", Quantity::v, isochoreVolumes(), threads));
    out.push_back(hsFamily("DengX", Quantity::x, drynessFractions(), threads));
    return out;
}

std::vector<ChartFamilyTable> buildChartTables(int threads) {
    threads = std::max(1, threads);
    std::vector<ChartFamilyTable> out;
    for (const steam::data::ChartTable& t : steam::data::kChartTables) {
        const ChartPlace place = chartPlaceOf(t.table);
        const Plane plane(place.chart);
        const Quantity key = *steam::diagram::chartDescription(place.chart).switches[place.layer];
        const std::vector<double> keys = chartFamilyKeys(t.table);
        const auto curves = buildCurves(keys, builderFor(key), plane, threads);
        ChartFamilyTable table{t.table, {}};
        for (size_t i = 0; i < keys.size(); ++i)
            for (const State& p : curves[i]) {
                const auto xy = plane.axisValues(p);
                table.rows.push_back({keys[i], xy[0], xy[1]});
            }
        out.push_back(std::move(table));
    }
    return out;
}

}  // namespace tables
