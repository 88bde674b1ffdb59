#include "curve_plane.h"

#include "curve_tables.h"

#include <algorithm>
#include <cmath>

namespace tables {
namespace {

using steam::diagram::Quantity;

constexpr int kMaxDepth = 16;  // bisections of one base step

// Halves [u0, u1] while its midpoint lies further off the chord than a quarter of the
// tolerance, appending the points in order (u1 excluded). A solve that fails this close
// to a point already computed ends the halving: only the critical point has such places.
void refine(const Plane& plane, const Curve& curve, double u0, const State& p0, double u1, const State& p1, int depth,
            std::vector<State>& out) {
    if (depth >= kMaxDepth) return;
    const double um = 0.5 * (u0 + u1);
    State pm{};
    try {
        pm = curve(um);
    } catch (const iapws95::SolveError&) {
        if (depth == 0) throw;
        return;
    }
    if (offSegment(plane, pm, p0, p1) <= kCurveTolerancePixels / 4 && pixelDistance(plane, p0, p1) < 40.0) return;
    refine(plane, curve, u0, p0, um, pm, depth + 1, out);
    out.push_back(pm);
    refine(plane, curve, um, pm, u1, p1, depth + 1, out);
}

// Douglas-Peucker: drops the points that lie within the tolerance of the line kept.
void simplify(const Plane& plane, const std::vector<State>& in, size_t i0, size_t i1, std::vector<bool>& keep) {
    if (i1 <= i0 + 1) return;
    double worst = -1;
    size_t at = i0;
    for (size_t i = i0 + 1; i < i1; ++i) {
        const double d = offSegment(plane, in[i], in[i0], in[i1]);
        if (d > worst) {
            worst = d;
            at = i;
        }
    }
    if (worst <= kCurveTolerancePixels) return;
    keep[at] = true;
    simplify(plane, in, i0, at, keep);
    simplify(plane, in, at, i1, keep);
}

}  // namespace

double valueOf(const State& st, Quantity q) {
    switch (q) {
        case Quantity::t: return st.t;
        case Quantity::p: return st.p;
        case Quantity::v: return st.v;
        case Quantity::h: return st.h;
        case Quantity::s: return st.s;
        case Quantity::x: break;
    }
    return std::nan("");
}

double pixelDistance(const Plane& plane, const State& a, const State& b) {
    const Pixel pa = plane.pixels(a), pb = plane.pixels(b);
    return std::hypot(pa.x - pb.x, pa.y - pb.y);
}

// Distance of p from the segment ab, in the plane's pixels.
double offSegment(const Plane& plane, const State& p, const State& a, const State& b) {
    const Pixel pa = plane.pixels(a), pb = plane.pixels(b), pp = plane.pixels(p);
    const double dx = pb.x - pa.x, dy = pb.y - pa.y;
    const double px = pp.x - pa.x, py = pp.y - pa.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(px - t * dx, py - t * dy);
}

State at(const iapws95::State& st) { return {st.T - kKelvin, st.p, st.v, st.h, st.s}; }

State mixture(const iapws95::Saturation& sat, double x) {
    const auto mix = [x](double liquid, double vapour) { return (1 - x) * liquid + x * vapour; };
    return {sat.T - kKelvin, sat.p, mix(sat.liquid.v, sat.vapour.v), mix(sat.liquid.h, sat.vapour.h),
            mix(sat.liquid.s, sat.vapour.s)};
}

iapws95::Saturation saturationAtC(double t) {
    return iapws95::saturationT(std::clamp(t + kKelvin, iapws95::Tt, iapws95::Tc));
}

using Curve = std::function<State(double)>;

// One smooth stretch of a curve for u from a to b, the ends given exactly (they are
// where the curve meets the saturation line, or the ends of the range).
void appendStretch(const Plane& plane, std::vector<State>& out, const Curve& curve, double a, const State& first,
                   double b, const State& last, int steps) {
    if (out.empty() || pixelDistance(plane, out.back(), first) > 0.0) out.push_back(first);
    State previous = first;
    for (int k = 1; k <= steps; ++k) {
        const double u0 = a + (b - a) * (k - 1) / steps;
        const double u1 = k == steps ? b : a + (b - a) * k / steps;
        const State p1 = k == steps ? last : curve(u1);
        refine(plane, curve, u0, previous, u1, p1, 0, out);
        out.push_back(p1);
        previous = p1;
    }
}

// From the point before the curve first enters the window to the point after it last
// leaves: the margins of the picture hide the rest.
std::vector<State> cropToWindow(const Plane& plane, const std::vector<State>& curve) {
    const auto inside = [&](const State& st) { return plane.inside(st); };
    const auto first = std::find_if(curve.begin(), curve.end(), inside);
    if (first == curve.end()) return {};
    const auto last = std::find_if(curve.rbegin(), curve.rend(), inside).base();  // one past
    const auto from = first == curve.begin() ? first : first - 1;
    const auto to = last == curve.end() ? last : last + 1;
    return {from, to};
}

std::vector<State> simplified(const Plane& plane, const std::vector<State>& in) {
    if (in.size() < 3) return in;
    std::vector<bool> keep(in.size(), false);
    keep.front() = keep.back() = true;
    simplify(plane, in, 0, in.size() - 1, keep);
    std::vector<State> out;
    for (size_t i = 0; i < in.size(); ++i)
        if (keep[i]) out.push_back(in[i]);
    return out;
}

}  // namespace tables
