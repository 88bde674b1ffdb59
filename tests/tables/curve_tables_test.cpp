// The generated curve tables: at most 800 rows with a non-zero key each, every curve one
// consecutive run, points inside the default window's range, in drawing order along their
// curve, and on the curve their key names (isobars checked against IAPWS-95).
#include "table_files.h"

#include "iapws95.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
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
};
const Family kFamilies[] = {{"DengT", "t", Source::DengT},
                            {"DengP", "p", Source::DengP},
                            {"DengV", "v", Source::DengV},
                            {"DengX", "x", Source::DengX}};

enum { KEY, H, S };

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

TEST(CurveTablesTest, EachTableHoldsAtMost800PointsWithNonZeroKeys) {
    for (const Family& f : kFamilies) {
        const Rows rows = points(f);
        SCOPED_TRACE(f.table);
        EXPECT_GE(rows.size(), 20u);
        EXPECT_LE(rows.size(), 800u);
        for (const auto& r : rows) ASSERT_NE(r[KEY], 0.0);
    }
}

TEST(CurveTablesTest, EachCurveIsOneConsecutiveRun) {
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.table);
        std::set<double> seen;
        const auto list = curves(points(f));
        EXPECT_GE(list.size(), 3u);
        for (const auto& [key, pts] : list) {
            EXPECT_TRUE(seen.insert(key).second) << "curve " << key << " resumes after another curve";
            EXPECT_GE(pts.size(), 5u) << "curve " << key;
        }
    }
}

TEST(CurveTablesTest, PointsLieInsideASaneRange) {
    for (const Family& f : kFamilies) {
        for (const auto& r : points(f)) {
            SCOPED_TRACE(testing::Message() << f.table << " " << r[KEY] << ": s " << r[S] << ", h " << r[H]);
            ASSERT_TRUE(std::isfinite(r[H]) && std::isfinite(r[S]));
            ASSERT_GE(r[S], -0.05);  // liquid at 0.01 C under high pressure lies just below s = 0
            ASSERT_LE(r[S], 9.99);
            ASSERT_GE(r[H], -1.0);
            ASSERT_LE(r[H], 5000.0);
        }
    }
}

TEST(CurveTablesTest, CurvesRunInDrawingOrder) {
    // Isotherms run from high to low pressure (s rises); isobars and isochores from cold to
    // hot (h and s rise). A curve never jumps back along its own path.
    struct Rule {
        const char* table;
        bool hRises, sRises;
    };
    const Rule rules[] = {{"DengT", false, true}, {"DengP", true, true}, {"DengV", true, true}};
    for (const Rule& rule : rules) {
        for (const Family& f : kFamilies) {
            if (std::string(f.table) != rule.table) continue;
            for (const auto& [key, pts] : curves(points(f))) {
                for (size_t i = 1; i < pts.size(); ++i) {
                    SCOPED_TRACE(testing::Message() << f.table << " " << key << " point " << i);
                    if (rule.sRises) {
                        ASSERT_GE(pts[i][S], pts[i - 1][S]);
                    }
                    if (rule.hRises) {
                        ASSERT_GE(pts[i][H], pts[i - 1][H]);
                    }
                }
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
                continue;  // a saturated end point, where the flash reports two phases
            }
            SCOPED_TRACE(testing::Message() << "isobar " << p << ", h " << r[H]);
            EXPECT_NEAR(r[S], st.s, 1e-5);
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(CurveTablesTest, DrynessPointsLieOnTheirLineOfConstantDryness) {
    // A point of the line x is (1 - x) of saturated water plus x of saturated steam at some
    // temperature: where the mixture's h along the saturation line equals the point's h, its s
    // equals the point's s too (h of the mixture may turn, so every crossing is tried).
    // h', h'', s', s'' every 0.25 K, every 0.01 K in the last 2 K and just beyond the lines'
    // first points 0.01 K below the critical point.
    std::vector<std::array<double, 4>> line;
    for (double T = iapws95::Tt; T <= iapws95::Tc - 0.01 + 1e-9; T += (T < iapws95::Tc - 2 ? 0.25 : 0.01)) {
        const iapws95::Saturation sat = iapws95::saturationT(std::min(T, iapws95::Tc - 0.01));
        line.push_back({sat.liquid.h, sat.vapour.h, sat.liquid.s, sat.vapour.s});
    }
    for (double T : {iapws95::Tc - 0.005, iapws95::Tc - 0.001}) {  // just past the lines' first points
        const iapws95::Saturation sat = iapws95::saturationT(T);
        line.push_back({sat.liquid.h, sat.vapour.h, sat.liquid.s, sat.vapour.s});
    }
    int checked = 0;
    for (const auto& [x, pts] : curves(points(kFamilies[3]))) {
        for (const auto& r : pts) {
            double best = 1e9;
            for (const auto& at : line) {  // a point on a tabulated temperature, the ends included
                if (std::fabs((1 - x) * at[0] + x * at[1] - r[H]) < 1e-6)
                    best = std::min(best, std::fabs((1 - x) * at[2] + x * at[3] - r[S]));
            }
            for (size_t i = 1; i < line.size(); ++i) {
                const double h0 = (1 - x) * line[i - 1][0] + x * line[i - 1][1] - r[H];
                const double h1 = (1 - x) * line[i][0] + x * line[i][1] - r[H];
                if ((h0 < 0) == (h1 < 0) && h1 != 0) continue;
                const double f = h0 / (h0 - h1);
                const double s0 = (1 - x) * line[i - 1][2] + x * line[i - 1][3];
                const double s1 = (1 - x) * line[i][2] + x * line[i][3];
                best = std::min(best, std::fabs(s0 + f * (s1 - s0) - r[S]));
            }
            ASSERT_LT(best, 2e-3) << "x " << x << ", h " << r[H] << ", s " << r[S];
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace steam::tables::test
