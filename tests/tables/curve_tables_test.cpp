// The generated curve tables of every chart: each curve one consecutive run of a key the
// chart lists (at most 800 rows in an h-s table); each curve runs across the chart's whole
// default window (or to the end of the formulation's range) within a pixel of the true
// IAPWS-95 curve at ten times the default zoom, measured in log space on a logarithmic axis;
// h-s curves run in drawing order; isobar and dryness points lie exactly on their curves.
#include "table_files.h"

#include "curve_tables.h"
#include "data/chart_tables.h"
#include "diagram/chart.h"
#include "iapws/iapws95.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace steam::tables::test {
namespace {

using data::Source;
using diagram::Chart;
using diagram::Quantity;

struct Family {
    const char* table;
    const char* key;
    Source source;
    std::vector<double> keys;
};
const Family kFamilies[] = {{"DengT", "t", Source::DengT, ::tables::isothermTemperatures()},
                            {"DengP", "p", Source::DengP, ::tables::isobarPressures()},
                            {"DengV", "v", Source::DengV, ::tables::isochoreVolumes()},
                            {"DengX", "x", Source::DengX, ::tables::drynessFractions()}};

enum { KEY, H, S };
constexpr double kKelvin = 273.15;

Rows points(const Family& f) {
    TableFile file(f.source);
    return file.rows(std::string("select ") + f.key + ", h, s from " + f.table + " order by n");
}

Rows chartPoints(const data::ChartTable& t) {
    TableFile file(Source::Charts);
    return file.rows(std::string("select ") + t.key + ", " + t.x + ", " + t.y + " from " + t.table + " order by n");
}

// The curves of a table in stored order: key and its points.
std::vector<std::pair<double, Rows>> curves(const Rows& rows) {
    std::vector<std::pair<double, Rows>> out;
    for (const auto& r : rows) {
        if (out.empty() || out.back().first != r[KEY]) out.push_back({r[KEY], {}});
        out.back().second.push_back(r);
    }
    return out;
}

// A state: t in C, p in MPa, v, h, s.
struct St {
    double t, p, v, h, s;
};

double valueOf(const St& st, Quantity q) {
    const double values[] = {st.t, st.p, st.v, st.h, st.s};
    return values[static_cast<int>(q)];
}

// A chart in pixels of its default window zoomed ten times, logarithms on a log axis.
struct Plane {
    const diagram::ChartDescription& d;
    double perX, perY;
    explicit Plane(Chart chart)
        : d(diagram::chartDescription(chart)),
          perX(diagram::unitsPerPixelAtTenfoldZoom(d.x, diagram::kPicturePixelsAcross)),
          perY(diagram::unitsPerPixelAtTenfoldZoom(d.y, diagram::kPicturePixelsUp)) {}
    struct Px {
        double x, y;
    };
    Px pixels(double xValue, double yValue) const { return {d.x.toChart(xValue) / perX, d.y.toChart(yValue) / perY}; }
    Px pixels(const St& st) const { return pixels(valueOf(st, d.x.quantity), valueOf(st, d.y.quantity)); }
    bool inside(const St& st) const {
        const double x = valueOf(st, d.x.quantity), y = valueOf(st, d.y.quantity);
        return x > d.x.defaultMin && x < d.x.defaultMax && y > d.y.defaultMin && y < d.y.defaultMax;
    }
};

double offSegment(Plane::Px p, Plane::Px a, Plane::Px b) {
    const double dx = b.x - a.x, dy = b.y - a.y, px = p.x - a.x, py = p.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(px - t * dx, py - t * dy);
}

double offPolyline(Plane::Px p, const std::vector<Plane::Px>& line) {
    double best = 1e300;
    for (size_t i = 1; i < line.size(); ++i) best = std::min(best, offSegment(p, line[i - 1], line[i]));
    if (line.size() == 1) best = offSegment(p, line[0], line[0]);
    return best;
}

St of(const iapws95::State& st) { return {st.T - kKelvin, st.p, st.v, st.h, st.s}; }

St mixture(const iapws95::Saturation& sat, double x) {
    const auto mix = [x](double liquid, double vapour) { return (1 - x) * liquid + x * vapour; };
    return {sat.T - kKelvin, sat.p, mix(sat.liquid.v, sat.vapour.v), mix(sat.liquid.h, sat.vapour.h),
            mix(sat.liquid.s, sat.vapour.s)};
}

void addWet(std::vector<St>& out, const iapws95::Saturation& sat) {
    for (int k = 0; k <= 100; ++k) out.push_back(mixture(sat, k / 100.0));
}

// The true curves, sampled densely and directly: water, the wet stretch, steam. A state the
// solver cannot reach right at the critical point is left out; so are wet states where the
// chart shows them on the saturation line itself.
std::vector<St> trueIsobar(double p, bool) {
    std::vector<St> out;
    const double tsat = p < iapws95::pc ? iapws95::saturationP(p).T - kKelvin : -1;
    bool wet = tsat < 0;
    for (double t = 0.01; t <= 1000; t += 0.25) {
        if (!wet && t > tsat) {
            addWet(out, iapws95::saturationP(p));
            wet = true;
        }
        try {
            out.push_back(of(iapws95::stateTP(
                t + kKelvin, p, t > tsat && tsat > 0 ? iapws95::Branch::Vapour : iapws95::Branch::Liquid)));
        } catch (const iapws95::SolveError&) {}
    }
    return out;
}

std::vector<St> trueIsotherm(double t, bool) {
    std::vector<St> out;
    const double T = std::max(t + kKelvin, iapws95::Tt);
    if (std::abs(T - iapws95::Tc) < 1e-9) {  // walked in density: p(rho) is flat at the critical point
        for (double u = std::log10(1100.0); u >= -5; u -= 0.002)
            out.push_back(of(iapws95::stateTRho(T, std::pow(10.0, u))));
        return out;
    }
    const double ps = T < iapws95::Tc ? iapws95::saturationT(T).p : -1;
    bool wet = ps < 0;
    for (double u = 2; u >= -5; u -= 0.002) {
        const double p = std::pow(10.0, u);
        if (!wet && p < ps) {
            addWet(out, iapws95::saturationT(T));
            wet = true;
        }
        out.push_back(of(iapws95::stateTP(T, p, p < ps ? iapws95::Branch::Vapour : iapws95::Branch::Liquid)));
    }
    return out;
}

// Where wet states are not shown the curve starts on the saturation line, where v' or v''
// equals v; walked in finer steps, as the p-t chart's isochores rise steeply from there.
std::vector<St> trueIsochore(double v, bool wetShown) {
    std::vector<St> out;
    const auto wetAt = [v](double T) {
        if (T >= iapws95::Tc) return false;
        const iapws95::Saturation sat = iapws95::saturationT(std::max(T, iapws95::Tt));
        return v > sat.liquid.v && v < sat.vapour.v;
    };
    const double step = wetShown ? 0.25 : 0.05;
    double wetUntil = -1;  // the last wet temperature met (K), while the next is not yet fluid
    for (double t = 0.01; t <= 1000; t += step) {
        const double T = t + kKelvin;
        if (wetAt(T)) {
            const iapws95::Saturation sat = iapws95::saturationT(std::max(T, iapws95::Tt));
            if (wetShown) out.push_back(mixture(sat, (v - sat.liquid.v) / (sat.vapour.v - sat.liquid.v)));
            wetUntil = T;
            continue;
        }
        if (wetUntil > 0 && !wetShown) {
            double wet = wetUntil, fluid = T;
            for (int k = 0; k < 50; ++k) (wetAt(0.5 * (wet + fluid)) ? wet : fluid) = 0.5 * (wet + fluid);
            out.push_back(of(iapws95::stateTRho(fluid, 1 / v)));
        }
        wetUntil = -1;
        out.push_back(of(iapws95::stateTRho(T, 1 / v)));
    }
    return out;
}

std::vector<St> trueDrynessLine(double x, bool) {
    std::vector<St> out;
    for (double T = iapws95::Tt; T < iapws95::Tc - 1; T += 0.1) out.push_back(mixture(iapws95::saturationT(T), x));
    for (double d = 1; d > 1e-9; d *= 0.99) out.push_back(mixture(iapws95::saturationT(iapws95::Tc - d), x));
    out.push_back(mixture(iapws95::saturationT(iapws95::Tc), x));
    return out;
}

// Constant h or s, from 100 MPa down: the wet mixture where the value lies between the
// saturated water's and steam's at that pressure, the fluid elsewhere (where it exists).
std::vector<St> trueAlongPressure(Quantity q, double key) {
    std::vector<St> out;
    for (double u = 2; u >= -5; u -= 0.001) {
        const double p = std::pow(10.0, u);
        if (p < iapws95::pc && p >= iapws95::triplePointPressure()) {
            const iapws95::Saturation sat = iapws95::saturationP(p);
            const double lo = valueOf(of(sat.liquid), q), hi = valueOf(of(sat.vapour), q);
            if (key >= lo && key <= hi) {
                out.push_back(mixture(sat, (key - lo) / (hi - lo)));
                continue;
            }
        }
        try {
            out.push_back(of(q == Quantity::h ? iapws95::statePH(p, key) : iapws95::statePS(p, key)));
        } catch (const iapws95::SolveError&) {}
    }
    return out;
}

std::vector<St> trueCurve(Quantity key, double value, bool wetShown) {
    switch (key) {
        case Quantity::t: return trueIsotherm(value, wetShown);
        case Quantity::p: return trueIsobar(value, wetShown);
        case Quantity::v: return trueIsochore(value, wetShown);
        case Quantity::x: return trueDrynessLine(value, wetShown);
        case Quantity::h:
        case Quantity::s: return trueAlongPressure(key, value);
    }
    return {};
}

// Every point of the true curve inside the default window lies within a pixel (at ten times
// the default zoom) of the drawn polyline, and every drawn point within a pixel of the true
// curve: the curves cover the window and follow the formulation.
void expectCurveFollowsTheTruth(const Plane& plane, const std::string& curve, const std::vector<Plane::Px>& drawn,
                                const std::vector<St>& truth) {
    std::vector<Plane::Px> real;
    double worst = 0;
    St where{};
    for (const St& st : truth) {
        real.push_back(plane.pixels(st));
        if (!plane.inside(st)) continue;
        const double d = offPolyline(real.back(), drawn);
        if (d > worst) worst = d, where = st;
    }
    EXPECT_LE(worst, 1.0) << curve << ": true point (t " << where.t << ", p " << where.p << ", v " << where.v << ", h "
                          << where.h << ", s " << where.s << ") off the drawn line";
    worst = 0;
    size_t at = 0;
    for (size_t i = 0; i < drawn.size(); ++i) {
        const double d = offPolyline(drawn[i], real);
        if (d > worst) worst = d, at = i;
    }
    EXPECT_LE(worst, 1.0) << curve << ": drawn point " << at << " off the curve";
}

TEST(CurveTablesTest, EachTableHoldsTheListedCurvesInConsecutiveRuns) {
    const auto expectRuns = [](const std::string& table, const Rows& rows, const std::vector<double>& listed) {
        SCOPED_TRACE(table);
        std::vector<double> keys;
        for (const auto& [key, pts] : curves(rows)) {
            keys.push_back(key);
            EXPECT_GE(pts.size(), 2u) << "curve " << key;
            EXPECT_TRUE(readsBackExactly(key)) << key;
        }
        EXPECT_EQ(keys, listed) << "each key once, in order, none 0";
    };
    for (const Family& f : kFamilies) {
        const Rows rows = points(f);
        EXPECT_LE(rows.size(), 800u) << f.table << ": the h-s diagram keeps 800 points a family";
        expectRuns(f.table, rows, f.keys);
    }
    for (const data::ChartTable& t : data::kChartTables)
        expectRuns(t.table, chartPoints(t), ::tables::chartFamilyKeys(t.table));
}

TEST(CurveTablesTest, HsCurvesCoverTheWindowWithinAPixelAtTenfoldZoom) {
    const Plane plane(Chart::HS);
    const Quantity keys[] = {Quantity::t, Quantity::p, Quantity::v, Quantity::x};
    for (int f = 0; f < 4; ++f) {
        for (const auto& [key, rows] : curves(points(kFamilies[f]))) {
            std::vector<Plane::Px> drawn;
            for (const auto& r : rows) drawn.push_back(plane.pixels(r[S], r[H]));
            expectCurveFollowsTheTruth(plane, std::string(kFamilies[f].key) + "=" + std::to_string(key), drawn,
                                       trueCurve(keys[f], key, true));
        }
    }
}

TEST(CurveTablesTest, ChartCurvesCoverTheirWindowWithinAPixelAtTenfoldZoom) {
    for (const data::ChartTable& t : data::kChartTables) {
        const ::tables::ChartPlace place = ::tables::chartPlaceOf(t.table);
        const Plane plane(place.chart);
        const Quantity key = *plane.d.switches[place.layer];
        // On the p-t chart wet states lie on the saturation line, which the family leaves alone.
        const bool wetShown = place.chart != Chart::PT;
        for (const auto& [value, rows] : curves(chartPoints(t))) {
            std::vector<Plane::Px> drawn;
            for (const auto& r : rows) drawn.push_back(plane.pixels(r[1], r[2]));
            expectCurveFollowsTheTruth(plane, std::string(t.table) + " " + t.key + "=" + std::to_string(value), drawn,
                                       trueCurve(key, value, wetShown));
        }
    }
}

TEST(CurveTablesTest, CurvesRunInDrawingOrder) {
    // Isotherms run from high to low pressure (s rises); isobars and isochores from cold to
    // hot (h and s rise). A curve never jumps back along its own path.
    struct Rule {
        int family;
        int hSense, sSense;  // +1 rises, -1 falls, 0 either
    };
    const Rule rules[] = {{0, 0, 1}, {1, 1, 1}, {2, 1, 1}};
    for (const Rule& rule : rules) {
        const Family& f = kFamilies[rule.family];
        for (const auto& [key, pts] : curves(points(f))) {
            for (size_t i = 1; i < pts.size(); ++i) {
                SCOPED_TRACE(testing::Message() << f.table << " " << key << " point " << i);
                ASSERT_GE(rule.sSense * (pts[i][S] - pts[i - 1][S]), 0.0);
                ASSERT_GE(rule.hSense * (pts[i][H] - pts[i - 1][H]), 0.0);
            }
        }
    }
}

TEST(CurveTablesTest, IsobarPointsLieOnTheirIsobar) {
    int checked = 0;
    for (const auto& [p, pts] : curves(points(kFamilies[1]))) {
        for (const auto& r : pts) {
            iapws95::State st{};
            try {
                st = iapws95::statePH(p, r[H]);
            } catch (const iapws95::SolveError&) {
                continue;  // a saturated point, where the flash reports two phases
            }
            SCOPED_TRACE(testing::Message() << "isobar " << p << ", h " << r[H]);
            EXPECT_NEAR(r[S], st.s, 1e-5);
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(CurveTablesTest, DrynessPointsLieOnTheirLineOfConstantDryness) {
    // A point of the line x is (1 - x) of saturated water plus x of saturated steam at the
    // temperature where that mixture has the point's h (h of the mixture may turn, so every
    // crossing of a dense temperature walk is tried, and its s compared).
    int checked = 0;
    for (const auto& [x, pts] : curves(points(kFamilies[3]))) {
        const std::vector<St> line = trueDrynessLine(x, true);
        for (const auto& r : pts) {
            double best = 1e9;
            for (size_t i = 1; i < line.size(); ++i) {
                const double h0 = line[i - 1].h - r[H], h1 = line[i].h - r[H];
                if ((h0 < 0) == (h1 < 0) && h1 != 0 && h0 != 0) continue;
                const double f = h0 == h1 ? 0 : h0 / (h0 - h1);
                best = std::min(best, std::fabs(line[i - 1].s + f * (line[i].s - line[i - 1].s) - r[S]));
            }
            ASSERT_LT(best, 2e-3) << "x " << x << ", h " << r[H] << ", s " << r[S];
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace steam::tables::test
