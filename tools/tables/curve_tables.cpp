#include "curve_tables.h"

#include "iapws95.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tables {
namespace {

constexpr double kKelvin = 273.15;
constexpr double kCriticalT = 373.946;
constexpr int kMaxRows = 800;

// The default window and the label box the diagram draws at a curve's last point.
constexpr double kSmax = 9.99, kHmax = 5000.0;
constexpr double kLabelWidth = kSmax / 11.0;
constexpr double kLabelTop = kHmax / 200.0, kLabelBottom = kHmax / 35.0;

struct Point {
    double h, s;
    bool corner = false;  ///< where the curve meets the saturation line: always kept
};

struct Box {
    double s1, s2, h1, h2;
    bool overlaps(const Box& o) const { return s1 < o.s2 && o.s1 < s2 && h1 < o.h2 && o.h1 < h2; }
};

// The label text (" t=300") may run past its box: about 6 pixels a character at 8 points,
// and the default window maps 1.16 * 9.99 units of s onto 489 pixels.
constexpr double kCharWidth = 6.2 * 1.16 * kSmax / 489.0;

Box labelBox(const Point& p, size_t chars) {
    const double width = std::max(kLabelWidth, chars * kCharWidth);
    return {p.s - 0.02, p.s + width + 0.02, p.h - kLabelBottom - 15, p.h + 15};
}

bool labelFits(const Point& p, size_t chars) {
    const Box b = labelBox(p, chars);
    return b.s1 >= 0.05 && b.s2 <= kSmax && b.h1 >= 0 && b.h2 <= kHmax - 40;
}

Point at(double T, double p, iapws95::Branch branch) {
    const iapws95::State st = iapws95::stateTP(T, p, branch);
    return {st.h, st.s};
}

// The region labels are 16-point bold text with the top-left corner at a fixed diagram point,
// about 21 pixels a character (a bracket half that) and 21 pixels high, drawn over the curves.
// "饱和水" is left out: it sits where the lines of constant dryness must end, at the triple
// point, and their small labels stay readable beside it.
std::vector<Box> regionLabelBoxes() {
    constexpr double sPerPixel = 1.16 * kSmax / 489.0, hPerPixel = 1.16 * kHmax / 465.0;
    struct Label {
        double s, h, characters;
    };
    const Label labels[] = {{7.5, 2750, 4}, {5.0, 1800, 6}, {2.5, 1700, 1}, {7.5, 3700, 4}, {2.5, 3500, 4}};
    std::vector<Box> boxes;
    for (const Label& l : labels) boxes.push_back({l.s, l.s + l.characters * 21 * sPerPixel, l.h - 21 * hPerPixel, l.h});
    return boxes;
}

// Keeps the start of a curve up to its last point from which the label still fits, and
// then only as far as the label is clear of those already placed.
std::vector<Point> cutForLabel(const std::vector<Point>& curve, size_t chars, std::vector<Box>& placed) {
    size_t end = 0;
    bool entered = false;
    for (size_t i = 0; i < curve.size(); ++i) {
        const bool inside = curve[i].s >= 0.0 && curve[i].s <= kSmax && curve[i].h <= kHmax;
        if (inside) entered = true;
        if (entered && !inside) break;
        if (labelFits(curve[i], chars)) end = i + 1;
    }
    while (end > 1) {
        const Box b = labelBox(curve[end - 1], chars);
        if (std::none_of(placed.begin(), placed.end(), [&](const Box& o) { return b.overlaps(o); })) break;
        --end;
    }
    if (end > 0) placed.push_back(labelBox(curve[end - 1], chars));
    return {curve.begin(), curve.begin() + end};
}

// Thins a curve to at most n points, keeping its ends and the points where it bends most.
std::vector<Point> thin(const std::vector<Point>& curve, size_t n) {
    if (curve.size() <= n) return curve;
    // Walk the curve in window-normalised arc length and keep points at equal spacing,
    // plus the sharp corners at the saturation line.
    const size_t corners = std::count_if(curve.begin(), curve.end(), [](const Point& p) { return p.corner; });
    std::vector<double> length(curve.size(), 0.0);
    for (size_t i = 1; i < curve.size(); ++i) {
        const double ds = (curve[i].s - curve[i - 1].s) / kSmax;
        const double dh = (curve[i].h - curve[i - 1].h) / kHmax;
        length[i] = length[i - 1] + std::hypot(ds, dh);
    }
    std::vector<Point> out{curve.front()};
    const double step = length.back() / double(n - 1 - corners);
    double next = step;
    for (size_t i = 1; i + 1 < curve.size(); ++i) {
        if (curve[i].corner) {
            out.push_back(curve[i]);
        } else if (length[i] >= next) {
            out.push_back(curve[i]);
            next = length[i] + step;
        }
    }
    out.push_back(curve.back());
    return out;
}

void append(CurveFamilyTable& family, double key, const std::vector<Point>& curve) {
    for (const Point& p : curve) family.points.push_back({key, p.h, p.s});
}

// Pressures from high to low, log-spaced, with the two saturated states where the
// isotherm crosses the dome.
std::vector<Point> isotherm(double t) {
    const double T = t + kKelvin;
    std::vector<Point> curve;
    const bool sub = t < kCriticalT;
    const double ps = sub ? iapws95::saturationT(std::max(T, iapws95::Tt)).p : 0.0;
    bool crossed = !sub;
    for (double lp = std::log10(100.0); lp >= -4.0; lp -= 0.01) {
        const double p = std::pow(10.0, lp);
        if (!crossed && p < ps) {
            const iapws95::Saturation sat = iapws95::saturationT(std::max(T, iapws95::Tt));
            curve.push_back({sat.liquid.h, sat.liquid.s, true});
            curve.push_back({sat.vapour.h, sat.vapour.s, true});
            crossed = true;
        }
        curve.push_back(at(T, p, p > ps ? iapws95::Branch::Liquid : iapws95::Branch::Vapour));
    }
    return curve;
}

// Temperatures from cold to hot, up to 1000 C, with the dome crossing.
std::vector<Point> isobar(double p) {
    std::vector<Point> curve;
    const bool sub = p < iapws95::pc;
    const double tsat = sub ? iapws95::saturationP(p).T - kKelvin : 0.0;
    bool crossed = !sub;
    for (double t = 0.01; t <= 1000.0; t += 0.5) {
        if (!crossed && t > tsat) {
            const iapws95::Saturation sat = iapws95::saturationP(p);
            curve.push_back({sat.liquid.h, sat.liquid.s, true});
            curve.push_back({sat.vapour.h, sat.vapour.s, true});
            crossed = true;
        }
        curve.push_back(at(t + kKelvin, p, t <= tsat || !sub ? iapws95::Branch::Liquid : iapws95::Branch::Vapour));
    }
    return curve;
}

// Temperatures from cold to hot: a wet mixture while v lies between v' and v'', else the
// single-phase state at density 1/v.
std::vector<Point> isochore(double v) {
    std::vector<Point> curve;
    for (double t = 0.01; t <= 1000.0; t += 0.5) {
        const double T = t + kKelvin;
        if (t < kCriticalT) {
            const iapws95::Saturation sat = iapws95::saturationT(std::max(T, iapws95::Tt));
            if (v > sat.liquid.v && v < sat.vapour.v) {
                const double x = (v - sat.liquid.v) / (sat.vapour.v - sat.liquid.v);
                curve.push_back({(1 - x) * sat.liquid.h + x * sat.vapour.h, (1 - x) * sat.liquid.s + x * sat.vapour.s});
                continue;
            }
        }
        const iapws95::State st = iapws95::stateTRho(T, 1.0 / v);
        curve.push_back({st.h, st.s});
    }
    return curve;
}

// From just below the critical point down to the triple point.
std::vector<Point> drynessLine(double x) {
    std::vector<Point> curve;
    for (double t = kCriticalT - 0.01; t >= 0.01; t -= (t > 300 ? 0.5 : 2.0)) {
        const iapws95::Saturation sat = iapws95::saturationT(t + kKelvin);
        curve.push_back({(1 - x) * sat.liquid.h + x * sat.vapour.h, (1 - x) * sat.liquid.s + x * sat.vapour.s});
    }
    const iapws95::Saturation sat = iapws95::saturationT(iapws95::Tt);
    curve.push_back({(1 - x) * sat.liquid.h + x * sat.vapour.h, (1 - x) * sat.liquid.s + x * sat.vapour.s});
    return curve;
}

template <typename Make>
CurveFamilyTable family(const char* table, const char* key, const std::vector<double>& keys, Make make,
                        std::vector<Box>& placed) {
    CurveFamilyTable out{table, key, {}};
    const size_t perCurve = kMaxRows / keys.size();
    for (double k : keys) {
        char text[32];
        std::snprintf(text, sizeof text, " %s=%.15g", key, k);
        append(out, k, thin(cutForLabel(make(k), std::strlen(text), placed), perCurve));
    }
    return out;
}

}  // namespace

std::vector<CurveFamilyTable> buildCurveTables() {
    // Labels are placed family by family; a later label gives way to an earlier one. The
    // isotherms come first: their labels line up along the right edge (where two of them
    // meet region labels, which is better than leaving the edge). The other families also
    // keep clear of the region labels.
    std::vector<Box> placed;
    std::vector<CurveFamilyTable> out;
    out.push_back(family("DengT", "t", {100, 200, 300, 400, 500, 600, 700, 800}, isotherm, placed));
    for (const Box& b : regionLabelBoxes()) placed.push_back(b);
    out.push_back(family("DengP", "p", {0.1, 0.5, 1, 5, 10, 22.064, 50, 100}, isobar, placed));
    out.push_back(family("DengV", "v", {0.01, 0.1, 1, 10, 100}, isochore, placed));
    out.push_back(family("DengX", "x", {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}, drynessLine, placed));
    return out;
}

}  // namespace tables
