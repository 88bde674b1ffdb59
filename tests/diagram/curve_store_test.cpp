// ReadCurveData fills the dome from 20 rows of SWATER spread evenly by row number and each
// family from its table's rows with a non-zero key, in table order, zeros after the last
// row; the other charts' saturation lines and families in their chart coordinates. A failure
// names the table and leaves nothing half-loaded.
#include "diagram/curve_store.h"

#include "data/property_database.h"
#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace steam::diagram {
namespace {

using data::Source;
using testsupport::FixtureDatabase;

// Row r carries r in every value, so a slot tells which row it came from.
void addNumberedSaturationRows(FixtureDatabase& fixture, int count, int rowWithoutSteamEnthalpy = 0) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int r = 1; r <= count; ++r)
        fixture.addSaturationRow(r, r / 1000.0, 0.001, 1.0 / r, 10.0 * r,
                                 r == rowWithoutSteamEnthalpy ? nan : 3000.0 - r, r / 100.0, 9.0 - r / 100.0);
}

struct Load {
    testsupport::TemporaryDirectory dir;
    data::PropertyDatabase db;
    CurveStore store;
    std::string error;
    bool ok = false;
    explicit Load(const FixtureDatabase& fixture) {
        if (fixture.writeAndOpen(dir.path(), db, error)) ok = store.ReadCurveData(db, error);
    }
};

TEST(CurveStoreTest, SaturationLineSamplesTwentyRowsSpreadOverTheTable) {
    struct Case {
        int rows;
        std::vector<int> sampled;
    };
    const Case cases[] = {
        {40, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35, 37, 39}},
        {100, {1, 6, 11, 16, 21, 26, 31, 36, 41, 46, 51, 56, 61, 66, 71, 76, 81, 86, 91, 96}},
        {10, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10}},
    };
    for (const Case& c : cases) {
        FixtureDatabase fixture;
        addNumberedSaturationRows(fixture, c.rows);
        Load load(fixture);
        ASSERT_TRUE(load.ok) << load.error;
        const auto& line = load.store.SaturationLine;
        EXPECT_TRUE(line[0].s == 0.0f && line[0].h == 0.0f) << c.rows << " rows: slot 0 written";
        for (int i = 1; i <= 20; ++i) {
            const int r = c.sampled[i - 1];
            const std::string context = std::to_string(c.rows) + " rows, sample " + std::to_string(i);
            EXPECT_EQ(line[i].s, static_cast<float>(9.0 - r / 100.0)) << context << ": steam s of row " << r;
            EXPECT_EQ(line[i].h, static_cast<float>(3000.0 - r)) << context << ": steam h of row " << r;
            EXPECT_EQ(line[41 - i].s, static_cast<float>(r / 100.0)) << context << ": water s of row " << r;
            EXPECT_EQ(line[41 - i].h, static_cast<float>(10.0 * r)) << context << ": water h of row " << r;
        }
    }
}

// The dome runs from the first row up the steam side to the last row and back down the
// water side, through the sampled rows and as many others as its bends need: none for
// straight sides, enough for a round one that every row lies within a fraction of a pixel.
TEST(CurveStoreTest, DomeRunsThroughTheRowsItsShapeNeeds) {
    struct Case {
        const char* name;
        bool round;
        int most;  // rows read at most
    };
    for (const Case& c : {Case{"straight sides", false, 21}, Case{"round", true, 200}}) {
        FixtureDatabase fixture;
        const int rows = 2000;
        std::vector<std::array<double, 4>> expected;  // s'', h'', s', h'
        for (int r = 1; r <= rows; ++r) {
            const double f = (r - 1) / double(rows - 1), a = f * 1.5707963;
            const double steam = c.round ? 4.4 + 4.6 * std::cos(a) : 9.0 - 4.6 * f;
            const double water = c.round ? 4.4 - 4.4 * std::cos(a) : 4.4 * f;
            const double h = c.round ? 2100 * std::sin(a) : 2100 * f;
            fixture.addSaturationRow(r, r / 1000.0, 0.001, 1.0, h, h + (c.round ? 0 : 400 * (1 - f)), water, steam);
            expected.push_back({steam, h + (c.round ? 0 : 400 * (1 - f)), water, h});
        }
        Load load(fixture);
        ASSERT_TRUE(load.ok) << load.error;
        const auto& dome = load.store.SaturationDome;
        EXPECT_LE(dome.size(), 2u * c.most) << c.name;
        ASSERT_EQ(dome.size() % 2, 0u) << c.name << ": each row once on either side";
        EXPECT_TRUE(dome.front().x == expected.front()[0] && dome.back().x == expected.front()[2]) << c.name;
        EXPECT_EQ(dome[dome.size() / 2 - 1].y, expected.back()[1]) << c.name << ": the top is the last row";
        // Every row near the line, in pixels of the default window zoomed ten times.
        const double perS = 9.99 * 1.16 / 4890, perH = 5000 * 1.16 / 4650;
        for (size_t r = 0; r < expected.size(); ++r) {
            for (int side : {0, 2}) {
                double best = 1e300;
                for (size_t i = 1; i < dome.size(); ++i) {
                    const double ax = dome[i - 1].x / perS, ay = dome[i - 1].y / perH;
                    const double dx = dome[i].x / perS - ax, dy = dome[i].y / perH - ay;
                    const double px = expected[r][side] / perS - ax, py = expected[r][side + 1] / perH - ay;
                    const double t = std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                    best = std::min(best, std::hypot(px - t * dx, py - t * dy));
                }
                ASSERT_LT(best, 0.5) << c.name << ", row " << r + 1;
            }
        }
    }
}

TEST(CurveStoreTest, FamiliesKeepTableOrderSkipKeyZeroAndEndInZeros) {
    FixtureDatabase fixture;
    addNumberedSaturationRows(fixture, 40);
    fixture.addCurvePoint(Source::DengT, 100, 419.1, 1.307)
        .addCurvePoint(Source::DengT, 0, 1.0, 1.0)
        .addCurvePoint(Source::DengT, 100, 2676.0, 7.355)
        .addCurvePoint(Source::DengT, 300, 1344.8, 3.253)
        .addCurvePoint(Source::DengX, 0, 100.0, 0.3)
        .addCurvePoint(Source::DengX, 0.9, 2400.0, 6.5);
    for (int n = 1; n <= 805; ++n) fixture.addCurvePoint(Source::DengP, 1 + n / 100, 100.0 + n, 0.001 * n);
    Load load(fixture);
    ASSERT_TRUE(load.ok) << load.error;
    struct Expected {
        int f, slot;
        CurvePoint point;
    };
    const Expected cases[] = {
        {1, 1, {100, 419.1, 1.307}},
        {1, 2, {100, 2676.0, 7.355}},
        {1, 3, {300, 1344.8, 3.253}},
        {1, 4, {0, 0, 0}},
        {1, 800, {0, 0, 0}},
        {4, 1, {0.9, 2400.0, 6.5}},
        {4, 2, {0, 0, 0}},
        {3, 1, {0, 0, 0}},
        {2, 800, {9, 900.0, 0.8}},
    };
    for (const Expected& c : cases) {
        const CurvePoint& p = load.store.CurveFamily[c.f][c.slot];
        EXPECT_TRUE(p.key == c.point.key && p.h == c.point.h && p.s == c.point.s)
            << "family " << c.f << " slot " << c.slot << ": (" << p.key << ", " << p.h << ", " << p.s << ")";
    }
}

TEST(CurveStoreTest, OtherChartsGetTheirLinesAndCurvesInChartCoordinates) {
    FixtureDatabase fixture;
    addNumberedSaturationRows(fixture, 40);
    fixture.addChartPoint("PV_T", 100, 0.001, 1)
        .addChartPoint("PV_T", 100, 1, 0.1)
        .addChartPoint("PV_T", 200, 0.01, 10);
    fixture.addChartPoint("TS_H", 500, 1.5, 120).addChartPoint("TS_H", 500, 2.0, 80);
    fixture.addChartPoint("PT_V", 0.1, 300, 100);
    Load load(fixture);
    ASSERT_TRUE(load.ok) << load.error;
    const auto& charts = load.store.Charts;
    const auto curvesOf = [&](Chart chart, int layer) { return charts[static_cast<size_t>(chart)].families[layer]; };
    const auto same = [](const std::vector<SurfacePoint>& a, const std::vector<SurfacePoint>& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::abs(a[i].x - b[i].x) > 1e-12 || std::abs(a[i].y - b[i].y) > 1e-12) return false;
        return true;
    };
    const auto pv = curvesOf(Chart::PV, 0);
    ASSERT_EQ(pv.size(), 2u) << "a curve per run of one key";
    EXPECT_TRUE(pv[0].key == 100 && same(pv[0].points, {{-3, 0}, {0, -1}})) << "logarithms of v and p";
    EXPECT_TRUE(pv[1].key == 200 && same(pv[1].points, {{-2, 1}}));
    const auto ts = curvesOf(Chart::TS, 0);
    ASSERT_EQ(ts.size(), 1u);
    EXPECT_TRUE(same(ts[0].points, {{1.5, 120}, {2.0, 80}})) << "s and t as they are";
    ASSERT_EQ(curvesOf(Chart::PT, 2).size(), 1u);
    EXPECT_TRUE(same(curvesOf(Chart::PT, 2)[0].points, {{300, 2}}));
    EXPECT_TRUE(curvesOf(Chart::PV, 1).empty() && curvesOf(Chart::PV, 2).empty());

    // Row r of SWATER holds ts = r, ps = r/1000, v' = 0.001, v'' = 1/r, s' = r/100, s'' = 9 - r/100.
    const auto& pt = charts[static_cast<size_t>(Chart::PT)].saturationLine;
    ASSERT_GE(pt.size(), 2u);
    EXPECT_TRUE(same({pt.front(), pt.back()}, {{1, -3}, {40, std::log10(0.04)}})) << "one curve, triple to critical";
    EXPECT_TRUE(std::is_sorted(pt.begin(), pt.end(), [](auto& a, auto& b) { return a.x < b.x; }));
    const auto& dome = charts[static_cast<size_t>(Chart::PV)].saturationLine;
    ASSERT_EQ(dome.size() % 2, 0u);
    EXPECT_TRUE(same({dome.front(), dome[dome.size() / 2 - 1], dome.back()},
                     {{0, -3}, {std::log10(1.0 / 40), std::log10(0.04)}, {-3, -3}}))
        << "up the steam side and down the water side, in logarithms";
    const auto& tsDome = charts[static_cast<size_t>(Chart::TS)].saturationLine;
    EXPECT_TRUE(same({tsDome.front(), tsDome.back()}, {{8.99, 1}, {0.01, 1}}));
}

TEST(CurveStoreTest, FailuresNameTheTableAndLeaveTheStoresEmpty) {
    struct Case {
        const char* name;
        const char* table;
        std::function<void(FixtureDatabase&)> build;
    };
    const Case cases[] = {
        {"empty saturation table", "SWATER", [](FixtureDatabase&) {}},
        {"sampled saturation row without h''", "SWATER",
         [](FixtureDatabase& f) { addNumberedSaturationRows(f, 40, 3); }},
        {"isochore point without s, after good families", "DengV",
         [](FixtureDatabase& f) {
             addNumberedSaturationRows(f, 40);
             f.addCurvePoint(Source::DengT, 100, 419.1, 1.307);
             f.addCurvePoint(Source::DengV, 0.01, 2000.0, std::numeric_limits<double>::quiet_NaN());
         }},
        {"dryness point of the T-s chart without t", "TS_X",
         [](FixtureDatabase& f) {
             addNumberedSaturationRows(f, 40);
             f.addChartPoint("TS_X", 0.5, 4.0, std::numeric_limits<double>::quiet_NaN());
         }},
        {"isotherm point of the p-v chart at v = 0, which its logarithmic axis cannot show", "PV_T",
         [](FixtureDatabase& f) {
             addNumberedSaturationRows(f, 40);
             f.addChartPoint("PV_T", 100, 0.0, 1.0);
         }},
        {"saturation row with p = 0", "SWATER",
         [](FixtureDatabase& f) {
             addNumberedSaturationRows(f, 40);
             f.addSaturationRow(41, 0, 0.001, 1, 1, 2, 0.1, 9);
         }},
    };
    for (const Case& c : cases) {
        FixtureDatabase fixture;
        c.build(fixture);
        Load load(fixture);
        EXPECT_FALSE(load.ok) << c.name;
        EXPECT_NE(load.error.find(c.table), std::string::npos) << c.name << ": " << load.error;
        bool empty = load.store.SaturationLine[20].h == 0.0f && load.store.SaturationLine[21].h == 0.0f;
        for (int f = 1; f <= 4; ++f) empty = empty && load.store.CurveFamily[f][1].h == 0.0;
        for (const ChartCurves& chart : load.store.Charts)
            empty = empty && chart.saturationLine.empty() && chart.families[0].empty() && chart.families[2].empty();
        EXPECT_TRUE(empty) << c.name << ": stores half loaded";
    }
}

}  // namespace
}  // namespace steam::diagram
