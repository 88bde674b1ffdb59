// The generated curve tables: each curve one consecutive run of a key the chart lists, at
// most 800 rows a table; each curve runs across the whole default window (or to the end of
// the formulation's range) within a pixel of the true IAPWS-95 curve at ten times the
// default zoom, in drawing order; isobar and dryness points lie exactly on their curves.
#include "table_files.h"

#include "curve_tables.h"
#include "iapws95.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace steam::tables::test {
namespace {

using data::Source;

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

// The curves of a table in stored order: key and its points.
std::vector<std::pair<double, Rows>> curves(const Rows& rows) {
    std::vector<std::pair<double, Rows>> out;
    for (const auto& r : rows) {
        if (out.empty() || out.back().first != r[KEY]) out.push_back({r[KEY], {}});
        out.back().second.push_back(r);
    }
    return out;
}

struct Pt {
    double h, s;
};

// Pixels of the default window zoomed ten times.
double offSegment(const Pt& p, const Pt& a, const Pt& b) {
    const double ks = 1 / ::tables::kEntropyPerPixel, kh = 1 / ::tables::kEnthalpyPerPixel;
    const double dx = (b.s - a.s) * ks, dy = (b.h - a.h) * kh;
    const double px = (p.s - a.s) * ks, py = (p.h - a.h) * kh;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(px - t * dx, py - t * dy);
}

double offPolyline(const Pt& p, const std::vector<Pt>& line) {
    double best = 1e300;
    for (size_t i = 1; i < line.size(); ++i) best = std::min(best, offSegment(p, line[i - 1], line[i]));
    if (line.size() == 1) best = offSegment(p, line[0], line[0]);
    return best;
}

bool inside(const Pt& p) { return p.s > 0 && p.s < ::tables::kChartSmax && p.h > 0 && p.h < ::tables::kChartHmax; }

Pt of(const iapws95::State& st) { return {st.h, st.s}; }

Pt mixture(const iapws95::Saturation& sat, double x) {
    return {(1 - x) * sat.liquid.h + x * sat.vapour.h, (1 - x) * sat.liquid.s + x * sat.vapour.s};
}

void addWet(std::vector<Pt>& out, const iapws95::Saturation& sat) {
    for (int k = 0; k <= 100; ++k) out.push_back(mixture(sat, k / 100.0));
}

// The true curves, sampled densely and directly: water, the wet straight, steam. A state
// the solver cannot reach right at the critical point is left out.
std::vector<Pt> trueIsobar(double p) {
    std::vector<Pt> out;
    const double tsat = p < iapws95::pc ? iapws95::saturationP(p).T - kKelvin : -1;
    bool wet = tsat < 0;
    for (double t = 0.01; t <= 1000; t += 0.25) {
        if (!wet && t > tsat) {
            addWet(out, iapws95::saturationP(p));
            wet = true;
        }
        try {
            out.push_back(of(iapws95::stateTP(t + kKelvin, p, t > tsat && tsat > 0 ? iapws95::Branch::Vapour
                                                                                   : iapws95::Branch::Liquid)));
        } catch (const iapws95::SolveError&) {
        }
    }
    return out;
}

std::vector<Pt> trueIsotherm(double t) {
    std::vector<Pt> out;
    const double T = std::max(t + kKelvin, iapws95::Tt);
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

std::vector<Pt> trueIsochore(double v) {
    std::vector<Pt> out;
    for (double t = 0.01; t <= 1000; t += 0.25) {
        const double T = t + kKelvin;
        if (T < iapws95::Tc) {
            const iapws95::Saturation sat = iapws95::saturationT(std::max(T, iapws95::Tt));
            if (v > sat.liquid.v && v < sat.vapour.v) {
                out.push_back(mixture(sat, (v - sat.liquid.v) / (sat.vapour.v - sat.liquid.v)));
                continue;
            }
        }
        out.push_back(of(iapws95::stateTRho(T, 1 / v)));
    }
    return out;
}

std::vector<Pt> trueDrynessLine(double x) {
    std::vector<Pt> out;
    for (double T = iapws95::Tt; T < iapws95::Tc - 1; T += 0.1) out.push_back(mixture(iapws95::saturationT(T), x));
    for (double d = 1; d > 1e-9; d *= 0.99) out.push_back(mixture(iapws95::saturationT(iapws95::Tc - d), x));
    out.push_back(mixture(iapws95::saturationT(iapws95::Tc), x));
    return out;
}

TEST(CurveTablesTest, EachTableHoldsTheListedCurvesInConsecutiveRuns) {
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.table);
        const Rows rows = points(f);
        EXPECT_LE(rows.size(), 800u) << "the diagram keeps 800 points a family";
        std::vector<double> keys;
        for (const auto& [key, pts] : curves(rows)) {
            keys.push_back(key);
            EXPECT_GE(pts.size(), 2u) << "curve " << key;
            EXPECT_TRUE(readsBackExactly(key)) << key;
        }
        EXPECT_EQ(keys, f.keys) << "each key once, in order, none 0";
    }
}

// Every point of the true curve inside the default window lies within a pixel (at ten
// times the default zoom) of the drawn polyline, and every drawn point within a pixel of
// the true curve: the curves cover the window and follow the formulation.
TEST(CurveTablesTest, CurvesCoverTheWindowWithinAPixelAtTenfoldZoom) {
    const std::array<std::function<std::vector<Pt>(double)>, 4> truth{trueIsotherm, trueIsobar, trueIsochore,
                                                                       trueDrynessLine};
    for (int f = 0; f < 4; ++f) {
        for (const auto& [key, rows] : curves(points(kFamilies[f]))) {
            std::vector<Pt> drawn;
            for (const auto& r : rows) drawn.push_back({r[H], r[S]});
            const std::vector<Pt> real = truth[f](key);
            const std::string curve = std::string(kFamilies[f].key) + "=" + std::to_string(key);
            double worst = 0;
            Pt where{};
            for (const Pt& p : real) {
                if (!inside(p)) continue;
                const double d = offPolyline(p, drawn);
                if (d > worst) worst = d, where = p;
            }
            EXPECT_LE(worst, 1.0) << curve << ": true point (s " << where.s << ", h " << where.h << ") off the drawn line";
            worst = 0;
            for (const Pt& p : drawn) {
                const double d = offPolyline(p, real);
                if (d > worst) worst = d, where = p;
            }
            EXPECT_LE(worst, 1.0) << curve << ": drawn point (s " << where.s << ", h " << where.h << ") off the curve";
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
        const std::vector<Pt> line = trueDrynessLine(x);
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
