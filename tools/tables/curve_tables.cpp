#include "curve_tables.h"

#include "iapws95.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace tables {
namespace {

constexpr double kKelvin = 273.15;
constexpr double kCriticalT = iapws95::Tc - kKelvin;
constexpr double kTmin = 0.01;    // C, the triple point
constexpr double kTmax = 1000.0;  // C, the end of the formulation's range
constexpr double kPmax = 100.0;   // MPa
constexpr double kPmin = 1e-5;    // MPa, where every isotherm has left the window on the right
constexpr int kMaxDepth = 16;     // bisections of one base step
constexpr size_t kMaxRows = 800;  // points the diagram keeps of a family

struct Point {
    double h, s;
};

// Distance in pixels of the default window zoomed ten times.
double pixelDistance(const Point& a, const Point& b) {
    return std::hypot((a.s - b.s) / kEntropyPerPixel, (a.h - b.h) / kEnthalpyPerPixel);
}

// Distance of p from the segment ab, in the same pixels.
double offSegment(const Point& p, const Point& a, const Point& b) {
    const double ax = a.s / kEntropyPerPixel, ay = a.h / kEnthalpyPerPixel;
    const double dx = b.s / kEntropyPerPixel - ax, dy = b.h / kEnthalpyPerPixel - ay;
    const double px = p.s / kEntropyPerPixel - ax, py = p.h / kEnthalpyPerPixel - ay;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(px - t * dx, py - t * dy);
}

Point at(const iapws95::State& st) { return {st.h, st.s}; }

Point mixture(const iapws95::Saturation& sat, double x) {
    return {(1 - x) * sat.liquid.h + x * sat.vapour.h, (1 - x) * sat.liquid.s + x * sat.vapour.s};
}

iapws95::Saturation saturationAtC(double t) { return iapws95::saturationT(std::clamp(t + kKelvin, iapws95::Tt, iapws95::Tc)); }

using Curve = std::function<Point(double)>;

// Halves [u0, u1] while its midpoint lies further off the chord than a quarter of the
// tolerance, appending the points in order (u1 excluded). A solve that fails this close
// to a point already computed ends the halving: only the critical point has such places.
void refine(const Curve& curve, double u0, const Point& p0, double u1, const Point& p1, int depth,
            std::vector<Point>& out) {
    if (depth >= kMaxDepth) return;
    const double um = 0.5 * (u0 + u1);
    Point pm{};
    try {
        pm = curve(um);
    } catch (const iapws95::SolveError&) {
        if (depth == 0) throw;
        return;
    }
    if (offSegment(pm, p0, p1) <= kCurveTolerancePixels / 4 && pixelDistance(p0, p1) < 40.0) return;
    refine(curve, u0, p0, um, pm, depth + 1, out);
    out.push_back(pm);
    refine(curve, um, pm, u1, p1, depth + 1, out);
}

// One smooth stretch of a curve for u from a to b, the ends given exactly (they are
// where the curve meets the saturation line, or the ends of the range).
void appendStretch(std::vector<Point>& out, const Curve& curve, double a, const Point& first, double b,
                   const Point& last, int steps) {
    if (out.empty() || pixelDistance(out.back(), first) > 0.0) out.push_back(first);
    Point previous = first;
    for (int k = 1; k <= steps; ++k) {
        const double u0 = a + (b - a) * (k - 1) / steps;
        const double u1 = k == steps ? b : a + (b - a) * k / steps;
        const Point p1 = k == steps ? last : curve(u1);
        refine(curve, u0, previous, u1, p1, 0, out);
        out.push_back(p1);
        previous = p1;
    }
}

bool insideWindow(const Point& p) { return p.s >= 0 && p.s <= kChartSmax && p.h >= 0 && p.h <= kChartHmax; }

// From the point before the curve first enters the window to the point after it last
// leaves: the margins of the picture hide the rest.
std::vector<Point> cropToWindow(const std::vector<Point>& curve) {
    const auto first = std::find_if(curve.begin(), curve.end(), insideWindow);
    if (first == curve.end()) return {};
    const auto last = std::find_if(curve.rbegin(), curve.rend(), insideWindow).base();  // one past
    const auto from = first == curve.begin() ? first : first - 1;
    const auto to = last == curve.end() ? last : last + 1;
    return {from, to};
}

// Douglas-Peucker: drops the points that lie within the tolerance of the line kept.
void simplify(const std::vector<Point>& in, size_t i0, size_t i1, std::vector<bool>& keep) {
    if (i1 <= i0 + 1) return;
    double worst = -1;
    size_t at = i0;
    for (size_t i = i0 + 1; i < i1; ++i) {
        const double d = offSegment(in[i], in[i0], in[i1]);
        if (d > worst) {
            worst = d;
            at = i;
        }
    }
    if (worst <= kCurveTolerancePixels) return;
    keep[at] = true;
    simplify(in, i0, at, keep);
    simplify(in, at, i1, keep);
}

std::vector<Point> simplified(const std::vector<Point>& in) {
    if (in.size() < 3) return in;
    std::vector<bool> keep(in.size(), false);
    keep.front() = keep.back() = true;
    simplify(in, 0, in.size() - 1, keep);
    std::vector<Point> out;
    for (size_t i = 0; i < in.size(); ++i)
        if (keep[i]) out.push_back(in[i]);
    return out;
}

// From 100 MPa down, in log p: compressed water to saturation, straight across the wet
// region, then superheated steam. Above the critical temperature one fluid all the way.
std::vector<Point> isotherm(double t) {
    const double T = std::max(t + kKelvin, iapws95::Tt);
    std::vector<Point> out;
    const double top = std::log10(kPmax), bottom = std::log10(kPmin);
    const auto fluid = [T](iapws95::Branch branch) {
        return [T, branch](double u) { return at(iapws95::stateTP(T, std::pow(10.0, u), branch)); };
    };
    if (T >= iapws95::Tc) {
        const Curve one = fluid(iapws95::Branch::Liquid);
        appendStretch(out, one, top, one(top), bottom, one(bottom), 280);
        return out;
    }
    const iapws95::Saturation sat = iapws95::saturationT(T);
    const double u = std::log10(sat.p);
    const Curve liquid = fluid(iapws95::Branch::Liquid), vapour = fluid(iapws95::Branch::Vapour);
    appendStretch(out, liquid, top, liquid(top), u, at(sat.liquid), 80);
    appendStretch(out, vapour, u, at(sat.vapour), bottom, vapour(bottom), 200);
    return out;
}

// From the triple point to 1000 C: water to saturation, across the wet region, steam.
// The critical isobar passes through the critical point itself.
std::vector<Point> isobar(double p) {
    std::vector<Point> out;
    const auto fluid = [p](iapws95::Branch branch) {
        return [p, branch](double t) { return at(iapws95::stateTP(t + kKelvin, p, branch)); };
    };
    const Curve liquid = fluid(iapws95::Branch::Liquid), vapour = fluid(iapws95::Branch::Vapour);
    if (p > iapws95::pc) {
        appendStretch(out, liquid, kTmin, liquid(kTmin), kTmax, liquid(kTmax), 250);
        return out;
    }
    if (p == iapws95::pc) {
        const Point critical = at(iapws95::saturationT(iapws95::Tc).liquid);
        appendStretch(out, liquid, kTmin, liquid(kTmin), kCriticalT, critical, 150);
        appendStretch(out, liquid, kCriticalT, critical, kTmax, liquid(kTmax), 150);
        return out;
    }
    const iapws95::Saturation sat = iapws95::saturationP(p);
    const double tsat = sat.T - kKelvin;
    appendStretch(out, liquid, kTmin, liquid(kTmin), tsat, at(sat.liquid), 60);
    appendStretch(out, vapour, tsat, at(sat.vapour), kTmax, vapour(kTmax), 200);
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
// the single fluid at density 1/v.
std::vector<Point> isochore(double v) {
    std::vector<Point> out;
    const Curve fluid = [v](double t) { return at(iapws95::stateTRho(t + kKelvin, 1.0 / v)); };
    const Curve wet = [v](double t) {
        const iapws95::Saturation sat = saturationAtC(t);
        return mixture(sat, (v - sat.liquid.v) / (sat.vapour.v - sat.liquid.v));
    };
    const bool liquidSide = v < 1.0 / iapws95::rhoc;
    const iapws95::Saturation triple = iapws95::saturationT(iapws95::Tt);
    if (v <= triple.liquid.v) {
        appendStretch(out, fluid, kTmin, fluid(kTmin), kTmax, fluid(kTmax), 250);
        return out;
    }
    const double tx = saturationTemperatureOfVolume(v, liquidSide);
    const iapws95::Saturation sat = saturationAtC(tx);
    const Point corner = at(liquidSide ? sat.liquid : sat.vapour);
    appendStretch(out, wet, kTmin, wet(kTmin), tx, corner, 80);
    appendStretch(out, fluid, tx, corner, kTmax, fluid(kTmax), 200);
    return out;
}

// From the critical point down to the triple point. The lines leave the critical point
// like the cube root of Tc - T, so they are walked evenly in that root.
std::vector<Point> drynessLine(double x) {
    std::vector<Point> out;
    const Curve line = [x](double r) { return mixture(iapws95::saturationT(iapws95::Tc - r * r * r), x); };
    const double far = std::cbrt(iapws95::Tc - iapws95::Tt);
    const Point critical = at(iapws95::saturationT(iapws95::Tc).liquid);
    appendStretch(out, line, 0.0, critical, far, mixture(iapws95::saturationT(iapws95::Tt), x), 120);
    return out;
}

template <typename Make>
CurveFamilyTable family(const char* table, const char* key, const std::vector<double>& keys, Make make, int threads) {
    std::vector<std::vector<Point>> curves(keys.size());
    std::atomic<size_t> next{0};
    std::exception_ptr failure;
    std::atomic<bool> failed{false};
    const auto work = [&] {
        for (size_t i = next++; i < keys.size() && !failed; i = next++) {
            try {
                curves[i] = simplified(cropToWindow(make(keys[i])));
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
    CurveFamilyTable out{table, key, {}};
    for (size_t i = 0; i < keys.size(); ++i)
        for (const Point& p : curves[i]) out.points.push_back({keys[i], p.h, p.s});
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
    out.erase(out.begin());                                   // v = 0.001: water that dense is rare
    out.erase(std::remove_if(out.begin(), out.end(), [](double v) { return v > 100.0; }), out.end());
    return out;
}

std::vector<double> drynessFractions() {
    return {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 0.92, 0.94, 0.96, 0.98};
}

std::vector<CurveFamilyTable> buildCurveTables(int threads) {
    threads = std::max(1, threads);
    std::vector<CurveFamilyTable> out;
    out.push_back(family("DengT", "t", isothermTemperatures(), isotherm, threads));
    out.push_back(family("DengP", "p", isobarPressures(), isobar, threads));
    out.push_back(family("DengV", "v", isochoreVolumes(), isochore, threads));
    out.push_back(family("DengX", "x", drynessFractions(), drynessLine, threads));
    return out;
}

}  // namespace tables
