// A cycle on the charts, read back from the recording surface: while shown it is drawn on every
// chart at each chart's own two properties, in its own colour, a real machine's leg dashed, with
// its states numbered in cycle order; hidden, nothing of it is drawn; the numbers, region names
// and curve labels keep clear of its lines. A register of M1 to M5 holding a state is marked as
// a state.
#include "diagram/diagram.h"
#include "diagram/marker_colours.h"
#include "diagram/pixel_geometry.h"
#include "diagram/recording_surface.h"

#include "calc/register_store.h"
#include "colour/colours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace steam::diagram {
namespace {

using colour::kCycleColour;

// t p v h s x u
cycle::StateValues stateOf(double t, double p, double v, double h, double s) { return {t, p, v, h, s, NAN, 0}; }

// Three states: steam at low pressure, hot steam, wet steam; the first leg through a point
// between, the second a real machine (dashed), the third straight back.
CycleDrawing threeStates() {
    const cycle::StateValues a = stateOf(50, 0.01, 10, 2500, 7.5), b = stateOf(400, 5, 0.05, 3200, 6.6),
                             c = stateOf(100, 0.1, 1.5, 2000, 5.5), ab = stateOf(200, 1, 0.2, 2800, 7.0);
    return {{a, b, c}, {{{a, ab, b}, false}, {{b, c}, true}, {{c, a}, false}}};
}

struct Scene {
    Diagram diagram;
    calc::RegisterStore registers;
    RecordingSurface pic;

    void draw(Chart chart) {
        diagram.setChart(chart);
        pic.reset();
        const DiagramScale& s = diagram.scale;
        diagram.drawWindow(pic, registers, s.ViewXmin, s.ViewXmax, s.ViewYmin, s.ViewYmax);
    }
    std::vector<RecordedCall> cyclePolylines() const {
        std::vector<RecordedCall> out;
        for (const RecordedCall& c : pic.callsOf(CallKind::Polyline))
            if (c.colour == kCycleColour) out.push_back(c);
        return out;
    }
    std::vector<std::string> numbers() const {
        std::vector<std::string> out;
        for (const RecordedCall& c : pic.callsOf(CallKind::Text))
            if (c.text == " 1" || c.text == " 2" || c.text == " 3") out.push_back(c.text);
        return out;
    }
    // Chart coordinates to the surface's pixels, as this pass mapped them.
    PixelPoint toPixel(double x, double y) const {
        const RecordedCall map = pic.callsOf(CallKind::UserCoordinates).front();
        return {(x - map.x1) / (map.x2 - map.x1) * pic.pixelWidth(),
                (y - map.y1) / (map.y2 - map.y1) * pic.pixelHeight()};
    }
};

TEST(CycleDrawingTest, TheCycleIsDrawnOnEveryChartAtItsOwnPropertiesWhileShown) {
    for (Chart chart : kCharts) {
        const ChartDescription& d = chartDescription(chart);
        SCOPED_TRACE(d.name);
        auto scene = std::make_unique<Scene>();
        scene->diagram.cycle = threeStates();
        scene->draw(chart);
        const std::vector<RecordedCall> legs = scene->cyclePolylines();
        ASSERT_EQ(legs.size(), 3u);
        const CycleDrawing drawing = threeStates();
        for (size_t i = 0; i < legs.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "leg " << i + 1);
            EXPECT_EQ(legs[i].dash, i == 1 ? DashStyle::Dashed : DashStyle::Solid);
            EXPECT_EQ(legs[i].width, 2);
            ASSERT_EQ(legs[i].points.size(), drawing.legs[i].points.size());
            for (size_t k = 0; k < legs[i].points.size(); ++k) {
                const cycle::StateValues& state = drawing.legs[i].points[k];
                EXPECT_NEAR(legs[i].points[k].x, d.x.toChart(state[static_cast<size_t>(d.x.quantity)]), 1e-9);
                EXPECT_NEAR(legs[i].points[k].y, d.y.toChart(state[static_cast<size_t>(d.y.quantity)]), 1e-9);
            }
        }
        EXPECT_EQ(scene->numbers(), (std::vector<std::string>{" 1", " 2", " 3"}));

        scene->diagram.showCycle = false;
        scene->draw(chart);
        EXPECT_TRUE(scene->cyclePolylines().empty());
        EXPECT_TRUE(scene->numbers().empty());
        for (const RecordedCall& c : scene->pic.segments()) EXPECT_NE(c.colour, kCycleColour);
    }
}

// The wet-steam name of the h-s chart stands at (5.0, 1800), where the last leg runs; the
// curves' labels and the numbers must also find places off the lines.
TEST(CycleDrawingTest, NumbersRegionNamesAndCurveLabelsKeepClearOfItsLines) {
    auto scene = std::make_unique<Scene>();
    const cycle::StateValues a = stateOf(50, 0.01, 10, 1700, 4.0), b = stateOf(400, 5, 0.05, 3200, 6.6),
                             c = stateOf(100, 0.1, 1.5, 1650, 9.0);
    scene->diagram.cycle = {{a, b, c}, {{{a, b}, false}, {{b, c}, true}, {{c, a}, false}}};
    scene->diagram.CHKpic[kRegionLabels] = true;
    // Two isobars across the legs, whose labels look for places along them.
    for (int k = 1; k <= 3; ++k) {
        scene->diagram.curves.CurveFamily[2][k] = CurvePoint{1, 800.0 + 1200 * k, 2.0 + 2 * k};
        scene->diagram.curves.CurveFamily[2][k + 3] = CurvePoint{5, 600.0 + 1100 * k, 3.0 + 2 * k};
    }
    scene->diagram.CHKpic[kIsobars] = true;
    scene->draw(Chart::HS);
    std::vector<std::pair<PixelPoint, PixelPoint>> lines;
    for (const RecordedCall& leg : scene->cyclePolylines())
        for (size_t k = 1; k < leg.points.size(); ++k)
            lines.push_back({scene->toPixel(leg.points[k - 1].x, leg.points[k - 1].y),
                             scene->toPixel(leg.points[k].x, leg.points[k].y)});
    int texts = 0;
    RecordingSurface measure;
    for (const RecordedCall& t : scene->pic.callsOf(CallKind::Text)) {
        const PixelPoint corner = scene->toPixel(t.x1, t.y1);
        if (corner.x < 0 || corner.y < 0 || corner.x > measure.pixelWidth() || corner.y > measure.pixelHeight())
            continue;
        if (t.text == "0" || std::isdigit(static_cast<unsigned char>(t.text[0]))) continue;  // axis numbers
        measure.setFont(t.fontFamily, t.fontPoints, t.bold);
        const TextExtent extent = measure.textExtent(t.text);
        const PixelBox box{corner.x + 0.5, corner.y + 0.5, corner.x + extent.width - 0.5,
                           corner.y + extent.height - 0.5};
        ++texts;
        for (auto [p, q] : lines)
            EXPECT_FALSE(clipSegment(box, p, q)) << "\"" << t.text << "\" at (" << corner.x << ", " << corner.y << ")";
    }
    EXPECT_GE(texts, 3 + 2);  // the numbers, and region names and curve labels that found places
    EXPECT_EQ(scene->numbers().size(), 3u);
}

TEST(CycleDrawingTest, ASaturationRegisterHoldingAStateIsMarkedAsAState) {
    auto scene = std::make_unique<Scene>();
    scene->registers.storeState(0, {"300", "1", "0.2579", "3051.7", "7.1246", "(none)", "2793.8"});
    scene->registers.setShown(0, true);
    scene->draw(Chart::HS);
    const int at = scene->pic.indexOfText("( s , h ) M1");
    ASSERT_GE(at, 4);
    EXPECT_FLOAT_EQ(static_cast<float>(scene->pic.calls()[static_cast<size_t>(at)].x1), 7.1246f);
    EXPECT_EQ(scene->pic.calls()[static_cast<size_t>(at) - 3].colour, colour::kRegisterColours[0]);
    EXPECT_EQ(scene->pic.indexOfText(" ( s', h') M1"), -1);
}

// The cycle's colour is unlike every curve family's and every marker's: at least 80 apart in
// RGB (the closest, the isochores' green, is about 100 away).
TEST(CycleDrawingTest, TheCycleColourIsUnlikeEveryCurveAndMarkerColour) {
    std::vector<Rgb> others{kRegisterDotEdge, kCurrentSatDot, kCurrentSatEdge, kCurrentStateDot, kCurrentStateEdge};
    for (int q = 0; q < kQuantityCount; ++q) others.push_back(CurveColour(static_cast<Quantity>(q)));
    others.insert(others.end(), colour::kRegisterColours.begin(), colour::kRegisterColours.end());
    for (const Rgb& other : others) {
        const double apart = std::hypot(other.r - kCycleColour.r, other.g - kCycleColour.g, other.b - kCycleColour.b);
        EXPECT_GE(apart, 80.0) << "rgb(" << other.r << "," << other.g << "," << other.b << ")";
    }
}

}  // namespace
}  // namespace steam::diagram
