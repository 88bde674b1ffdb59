// Each of the four charts through the recording surface: its own default window, axis
// numbers (logarithmic axes at their logarithms), families from its own store in their
// colours, register points at their own coordinates, critical (and triple) point, region
// names and saturation line; switching charts keeps each chart's window and carries each
// family's tick to wherever that family is shown.
#include "diagram/chart.h"
#include "diagram/diagram.h"
#include "diagram/recording_surface.h"

#include "calc/register_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace steam::diagram {
namespace {

constexpr Rgb kMargin{210, 215, 210};
constexpr Rgb kCriticalFill{255, 100, 0};
constexpr Rgb kSaturationColour{50, 50, 50};

struct Scene {
    Diagram diagram;
    calc::RegisterStore registers;
    RecordingSurface pic;

    void show(Chart chart) {
        diagram.setChart(chart);
        pic.reset();
        diagram.redraw(pic, registers);
    }
    // The axis numbers: the texts drawn after the margin bands, up then across.
    std::vector<std::string> numbers() const {
        std::vector<std::string> out;
        bool afterBands = false;
        for (const RecordedCall& c : pic.calls()) {
            afterBands = afterBands || (c.kind == CallKind::FilledRectangle && c.colour == kMargin);
            if (afterBands && c.kind == CallKind::Text) out.push_back(c.text);
        }
        return out;
    }
    const RecordedCall* text(const std::string& t) const {
        const int i = pic.indexOfText(t);
        return i < 0 ? nullptr : &pic.calls()[i];
    }
};

std::vector<std::string> split(const std::string& words) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t end; (end = words.find(' ', start)) != std::string::npos; start = end + 1)
        out.push_back(words.substr(start, end - start));
    out.push_back(words.substr(start));
    return out;
}

TEST(ChartTest, EachChartOpensOnItsDefaultWindowWithItsOwnNumbers) {
    struct Case {
        Chart chart;
        double xmin, xmax, ymin, ymax;  // chart coordinates
        const char* up;
        const char* across;
    };
    const Case cases[] = {
        {Chart::HS, 0, 9.99, 0, 5000, "0 500 1000 1500 2000 2500 3000 3500 4000 4500 5000", "0 1 2 3 4 5 6 7 8 9"},
        {Chart::TS, 0, 10, 0, 800, "0 100 200 300 400 500 600 700 800", "0 1 2 3 4 5 6 7 8 9 10"},
        {Chart::PV, std::log10(0.0005), std::log10(500), std::log10(0.0005), 2, "0.001 0.01 0.1 1 10 100",
         "0.001 0.01 0.1 1 10 100"},
        {Chart::PT, 0, 600, std::log10(0.0005), 2, "0.001 0.01 0.1 1 10 100",
         "0 50 100 150 200 250 300 350 400 450 500 550 600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(chartDescription(c.chart).name);
        auto scene = std::make_unique<Scene>();
        scene->show(c.chart);
        const DiagramScale& s = scene->diagram.scale;
        EXPECT_NEAR(s.ViewXmin, c.xmin, 1e-12);
        EXPECT_NEAR(s.ViewXmax, c.xmax, 1e-12);
        EXPECT_NEAR(s.ViewYmin, c.ymin, 1e-12);
        EXPECT_NEAR(s.ViewYmax, c.ymax, 1e-12);
        EXPECT_NEAR(s.Xspan, c.xmax - c.xmin, 1e-12) << "rescaled";
        const RecordedCall& map = scene->pic.calls().front();
        EXPECT_NEAR(map.x1, c.xmin - 0.08 * (c.xmax - c.xmin), 1e-9);
        EXPECT_NEAR(map.y2, c.ymin - 0.08 * s.Yspan, 1e-4);
        std::vector<std::string> expected = split(c.up);
        for (const std::string& n : split(c.across)) expected.push_back(n);
        EXPECT_EQ(scene->numbers(), expected);
        // Each number sits on its grid line: the texts up at the logarithm of their value.
        if (chartDescription(c.chart).y.logarithmic) {
            EXPECT_NEAR(scene->text("0.01")->y1, -2.0, 1e-12);
        }
    }
}

TEST(ChartTest, SwitchingChartsKeepsEachWindowAndCarriesEachFamilysTick) {
    Diagram d;
    d.showDefaultWindow();
    d.CHKpic[kIsotherms] = d.CHKpic[kIsochores] = true;
    d.CHKpic[kPickEntropy] = true;
    d.scale.ViewXmin = 5, d.scale.ViewXmax = 8;  // a zoom on the h-s chart
    d.scale.DefineScale(5, 8, 0, 5000);

    d.setChart(Chart::TS);  // switches: isenthalps, isobars, isochores, dryness
    EXPECT_EQ(d.CHKpic[0], false) << "isenthalps were never ticked";
    EXPECT_EQ(d.CHKpic[2], true) << "isochores keep their tick";
    EXPECT_TRUE(d.CHKpic[kPickEntropy]) << "s runs across the T-s chart too";
    EXPECT_EQ(d.scale.ViewXmax, 10.0) << "first showing: the default window";
    d.CHKpic[0] = true;  // isenthalps
    d.scale.ViewYmin = 100, d.scale.ViewYmax = 400;

    d.setChart(Chart::PV);  // isotherms, isentropes, none, dryness
    EXPECT_EQ(d.CHKpic[0], true) << "isotherms ticked on the h-s chart";
    EXPECT_EQ(d.CHKpic[1], false);
    EXPECT_EQ(d.CHKpic[2], false) << "no family on this switch";
    EXPECT_FALSE(d.CHKpic[kPickEntropy]) << "no s across the p-v chart";
    EXPECT_TRUE(d.scale.Xlog && d.scale.Ylog);
    d.CHKpic[0] = false;  // isotherms off here

    d.setChart(Chart::HS);
    EXPECT_EQ(d.CHKpic[0], false) << "unticked on the p-v chart";
    EXPECT_EQ(d.CHKpic[2], true) << "isochores, never shown on the p-v chart, kept their tick";
    EXPECT_TRUE(d.scale.ViewXmin == 5 && d.scale.ViewXmax == 8) << "the zoom was kept";
    EXPECT_DOUBLE_EQ(d.scale.Xspan, 3) << "rescaled for it";
    EXPECT_FALSE(d.scale.Xlog || d.scale.Ylog);

    d.setChart(Chart::TS);
    EXPECT_TRUE(d.CHKpic[0]) << "isenthalps";
    EXPECT_TRUE(d.scale.ViewYmin == 100 && d.scale.ViewYmax == 400);
}

TEST(ChartTest, EachSwitchDrawsItsChartsFamilyFromItsOwnStore) {
    for (Chart chart : kCharts) {
        const ChartDescription& c = chartDescription(chart);
        SCOPED_TRACE(c.name);
        auto scene = std::make_unique<Scene>();
        CurveStore& store = scene->diagram.curves;
        const double x0 = c.x.toChart(c.x.defaultMin), x1 = c.x.toChart(c.x.defaultMax);
        const double y0 = c.y.toChart(c.y.defaultMin), y1 = c.y.toChart(c.y.defaultMax);
        for (int layer = 0; layer < kFamilySwitches; ++layer) {
            const double f = (layer + 1) / 6.0;
            const std::vector<SurfacePoint> points{{x0 + f * (x1 - x0), y0 + 0.2 * (y1 - y0)},
                                                   {x0 + f * (x1 - x0) + 0.1 * (x1 - x0), y0 + 0.8 * (y1 - y0)}};
            if (chart == Chart::HS) {
                for (int j = 0; j < 2; ++j)
                    store.CurveFamily[layer + 1][j + 1] = {7.0 + layer, points[j].y, points[j].x};
            } else {
                store.Charts[static_cast<size_t>(chart)].families[layer].push_back({7.0 + layer, points});
            }
        }
        scene->diagram.setChart(chart);
        scene->diagram.CHKpic.fill(true);
        scene->pic.reset();
        scene->diagram.redraw(scene->pic, scene->registers);
        for (int layer = 0; layer < kFamilySwitches; ++layer) {
            int segments = 0;
            const Rgb colour = c.switches[layer] ? CurveColour(*c.switches[layer]) : Rgb{1, 2, 3};
            for (const RecordedCall& line : scene->pic.segments())
                segments += line.colour == colour && line.x1 != line.x2;
            const std::string label = c.switches[layer] ? std::string(" ") + familyStyle(*c.switches[layer]).keyName +
                                                              "=" + std::to_string(7 + layer)
                                                        : "";
            EXPECT_EQ(segments, c.switches[layer] ? 1 : 0) << "switch " << layer;
            if (c.switches[layer]) {
                EXPECT_NE(scene->text(label), nullptr) << label;
            }
        }
    }
}

TEST(ChartTest, RegisterPointsSitAtTheirOwnCoordinatesOnEveryChart) {
    struct Case {
        Chart chart;
        std::vector<std::pair<std::string, std::pair<double, double>>> points;  // text, values across and up
    };
    const Case cases[] = {
        {Chart::HS,
         {{"( s , h ) M7", {7.1246, 3051.7}},
          {" ( s', h') M1", {1.3072, 419.17}},
          {"(s'', h'') M1", {7.3541, 2675.57}}}},
        {Chart::TS,
         {{"( s , t ) M7", {7.1246, 300}}, {" ( s', ts) M1", {1.3072, 100}}, {"(s'', ts) M1", {7.3541, 100}}}},
        {Chart::PV,
         {{"( v , p ) M7", {0.2579, 1}},
          {" ( v', ps) M1", {0.00104346, 0.101418}},
          {"(v'', ps) M1", {1.67186, 0.101418}}}},
        {Chart::PT, {{"( t , p ) M7", {300, 1}}, {"(ts, ps) M1", {100, 0.101418}}}},
    };
    for (const Case& c : cases) {
        const ChartDescription& d = chartDescription(c.chart);
        SCOPED_TRACE(d.name);
        auto scene = std::make_unique<Scene>();
        scene->registers.store(0, {"100", "0.101418", "0.00104346", "1.67186", "419.17", "2675.57", "1.3072", "7.3541",
                                   "419.06", "2506.0"});
        scene->registers.store(6, {"300", "1", "0.2579", "3051.7", "7.1246", "(none)", "2793.8"});
        scene->registers.store(7, {"300", "1", "0", "3051.7", "7.1246", "(none)", "3051.7"});  // M8: v = 0
        for (int r : {0, 6, 7}) scene->registers.setShown(r, true);
        scene->show(c.chart);
        int marks = 0;
        for (const RecordedCall& t : scene->pic.callsOf(CallKind::Text))
            marks += t.text.find(" M") != std::string::npos;
        EXPECT_EQ(marks, static_cast<int>(c.points.size()) + (d.x.logarithmic ? 0 : 1)) << "M8 has v = 0";
        for (const auto& [text, at] : c.points) {
            const RecordedCall* mark = scene->text(text);
            ASSERT_NE(mark, nullptr) << text;
            EXPECT_NEAR(mark->x1, d.x.toChart(at.first), 1e-4 * std::max(1.0, std::abs(mark->x1))) << text;
            EXPECT_NEAR(mark->y1, d.y.toChart(at.second), 1e-4 * std::max(1.0, std::abs(mark->y1))) << text;
        }
    }
}

TEST(ChartTest, CriticalPointRegionNamesAndSaturationLineFollowTheChart) {
    for (Chart chart : kCharts) {
        const ChartDescription& d = chartDescription(chart);
        SCOPED_TRACE(d.name);
        auto scene = std::make_unique<Scene>();
        const std::vector<SurfacePoint> line{{0.1, 0.1}, {0.2, 0.3}, {0.3, 0.2}};
        (chart == Chart::HS ? scene->diagram.curves.SaturationDome
                            : scene->diagram.curves.Charts[static_cast<size_t>(chart)].saturationLine) = line;
        scene->diagram.setChart(chart);
        for (int layer : {kSaturationLayer, kCriticalPointLayer, kRegionLabels}) scene->diagram.CHKpic[layer] = true;
        scene->show(chart);
        std::vector<SurfacePoint> centres;
        for (const RecordedCall& f : scene->pic.callsOf(CallKind::FilledRectangle))
            if (f.colour == kCriticalFill) centres.push_back({(f.x1 + f.x2) / 2, (f.y1 + f.y2) / 2});
        std::vector<std::array<double, 2>> fixed{d.criticalPoint};
        if (d.triplePoint) fixed.push_back(*d.triplePoint);
        ASSERT_EQ(centres.size(), fixed.size());
        for (size_t i = 0; i < fixed.size(); ++i) {
            EXPECT_NEAR(centres[i].x, d.x.toChart(fixed[i][0]), 1e-4);
            EXPECT_NEAR(centres[i].y, d.y.toChart(fixed[i][1]), 1e-3);
        }
        for (const ChartLabel& name : d.regionLabels) {
            const RecordedCall* t = scene->text(name.text);
            ASSERT_NE(t, nullptr) << name.text;
            EXPECT_TRUE(t->x1 == d.x.toChart(name.x) && t->y1 == d.y.toChart(name.y) && t->fontFamily == "宋体")
                << name.text;
        }
        int dome = 0;
        for (const RecordedCall& s : scene->pic.segments()) dome += s.colour == kSaturationColour && s.width == 2;
        EXPECT_EQ(dome, 2);
    }
}

}  // namespace
}  // namespace steam::diagram
