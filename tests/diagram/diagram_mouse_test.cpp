// The mouse on the diagram, in chart coordinates, through the recording surface: a left
// drag shows a rubber band and zooms to it when the drag ends (by a move without buttons or
// by a release anywhere), too small a rectangle is refused with the reminder and its band
// taken away, a right drag pans, a double-click restores the default window (on every
// chart, in log space on a logarithmic axis), the read-out shows the values under the mouse,
// and the pick modes move the calculator panels and draw their lines in the current results'
// colours.
#include "diagram/diagram_mouse.h"

#include "diagram/marker_colours.h"
#include "diagram/recording_surface.h"

#include "calc/register_store.h"
#include "panels/message_texts.h"
#include "panels/panels.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace steam::diagram {
namespace {

struct Scene {
    Diagram diagram;
    calc::RegisterStore registers;
    RecordingSurface pic;
    DiagramMouse mouse{diagram, pic, registers};
    panels::SaturationPanel sat;
    panels::StatePanel state;

    explicit Scene(Chart chart = Chart::HS) {
        diagram.setChart(chart);
        diagram.redraw(pic, registers);
        pic.reset();
    }
    // A move report, its picks given to the panels as the window gives them.
    MouseReaction move(int buttons, float x, float y) {
        MouseReaction r = mouse.Pic_MouseMove(buttons, x, y);
        if (r.entropyPick) panels::pickEntropy(sat, r.entropyPick->option, r.entropyPick->text);
        if (r.statePick)
            panels::pickState(state, r.statePick->across, r.statePick->acrossText, r.statePick->up,
                              r.statePick->upText);
        return r;
    }
    // Press at a, move through the middle to b with the left button held.
    void dragLeft(float ax, float ay, float bx, float by) {
        move(1, ax, ay);
        move(1, (ax + bx) / 2, (ay + by) / 2);
        move(1, bx, by);
    }
    std::vector<double> view() const {
        const DiagramScale& s = diagram.scale;
        return {s.ViewXmin, s.ViewXmax, s.ViewYmin, s.ViewYmax};
    }
    // Whether the last call leaves the overlay empty: a clear while retained drawing is off.
    bool overlayCleared() const {
        return !pic.calls().empty() && pic.calls().back().kind == CallKind::Clear && !pic.calls().back().retained;
    }
    std::vector<RecordedCall> overlayLines() const {
        std::vector<RecordedCall> out;
        for (const RecordedCall& c : pic.callsOf(CallKind::Line))
            if (!c.retained) out.push_back(c);
        return out;
    }
};

const std::vector<double> kDefaultView{0, 9.99, 0, 5000};

TEST(DiagramMouseTest, EveryMoveGivesTheReadoutWithThreeDecimalsUnlessTheDiagramIsBeingDrawn) {
    const std::tuple<float, float, const char*, const char*> cases[] = {{4.4f, 2500.0f, "4.400", "2500.000"},
                                                                        {-0.5f, 12.25f, "-0.500", "12.250"},
                                                                        {0.0123f, -40.0f, "0.012", "-40.000"}};
    for (const auto& [x, y, textX, textY] : cases) {
        Scene scene;
        const MouseReaction r = scene.move(0, x, y);
        EXPECT_EQ(r.readoutX, textX);
        EXPECT_EQ(r.readoutY, textY);
        EXPECT_EQ(r.pointer, Pointer::Cross);
        scene.diagram.DiagramReady = 0;
        const MouseReaction ignored = scene.move(1, x, y);
        EXPECT_TRUE(ignored.ignored && ignored.readoutX.empty()) << textX;
        EXPECT_EQ(scene.mouse.ZoomDragCount, 0) << textX;
    }
}

TEST(DiagramMouseTest, TheReadoutShowsTheValuesUnderTheMouseOnEveryChart) {
    struct Case {
        Chart chart;
        double x, y;  // the values under the mouse
        const char* textX;
        const char* textY;
    };
    const Case cases[] = {
        {Chart::TS, 6.5, 300, "6.500", "300.000"},
        {Chart::PV, 0.001053, 22.064, "0.001053", "22.06"},
        {Chart::PV, 0.0005123, 150, "0.000512", "150.0"},
        {Chart::PT, 373.946, 1, "373.946", "1.000"},
    };
    for (const Case& c : cases) {
        Scene scene(c.chart);
        const ChartDescription& d = scene.diagram.description();
        const MouseReaction r =
            scene.move(0, static_cast<float>(d.x.toChart(c.x)), static_cast<float>(d.y.toChart(c.y)));
        EXPECT_EQ(r.readoutX, c.textX) << d.name;
        EXPECT_EQ(r.readoutY, c.textY) << d.name;
    }
}

TEST(DiagramMouseTest, ZoomPanAndRestoreWorkInChartCoordinatesOnEveryChart) {
    for (Chart chart : kCharts) {
        Scene scene(chart);
        const DiagramScale& s = scene.diagram.scale;
        SCOPED_TRACE(scene.diagram.description().name);
        const std::vector<double> home{s.DefaultXmin, s.DefaultXmax, s.DefaultYmin, s.DefaultYmax};
        EXPECT_EQ(scene.view(), home);
        const auto at = [&](double fx, double fy) {
            return std::pair<float, float>(static_cast<float>(home[0] + fx * (home[1] - home[0])),
                                           static_cast<float>(home[2] + fy * (home[3] - home[2])));
        };
        const auto [ax, ay] = at(0.25, 0.75);
        const auto [bx, by] = at(0.75, 0.25);
        scene.dragLeft(ax, ay, bx, by);
        scene.move(0, bx, by);
        EXPECT_EQ(scene.view(), (std::vector<double>{ax, bx, by, ay}));
        scene.move(2, bx, by);
        scene.move(2, ax, by);  // grabbed at b, moved left by half the default span
        EXPECT_NEAR(scene.view()[0], bx, 1e-5);
        EXPECT_NEAR(s.Xspan, bx - ax, 1e-9) << "a pan keeps the spans";
        scene.move(0, ax, by);
        scene.mouse.Pic_DblClick();
        EXPECT_EQ(scene.view(), home);
    }
}

TEST(DiagramMouseTest, ZoomDragShowsTheRubberBandAndEndsInTheRectangleWhateverTheDirection) {
    struct Case {
        float ax, ay, bx, by;
        bool endByRelease;
    };
    const Case cases[] = {{2, 3000, 6, 1000, false}, {6, 1000, 2, 3000, false}, {6, 3000, 2, 1000, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.ax << "," << c.ay << ") to (" << c.bx << "," << c.by << ")"
                                        << (c.endByRelease ? " released" : " moved"));
        Scene scene;
        scene.dragLeft(c.ax, c.ay, c.bx, c.by);
        EXPECT_EQ(scene.mouse.ZoomDragCount, 3);
        const RecordedCall band = scene.pic.calls().back();
        EXPECT_TRUE(band.kind == CallKind::Rectangle && !band.retained && band.colour == kRubberBand);
        EXPECT_TRUE(band.x1 == c.ax && band.y1 == c.ay && band.x2 == c.bx && band.y2 == c.by);
        EXPECT_EQ(scene.view(), kDefaultView);  // nothing zoomed while dragging

        const MouseReaction end =
            c.endByRelease ? scene.mouse.buttonReleased(0, c.bx, c.by) : scene.move(0, c.bx, c.by);
        EXPECT_TRUE(end.messages.empty());
        EXPECT_EQ(scene.mouse.ZoomDragCount, 0);
        EXPECT_EQ(scene.view(), (std::vector<double>{2, 6, 1000, 3000}));
        EXPECT_DOUBLE_EQ(scene.diagram.scale.Xspan, 4);                       // rescaled before the drawing
        EXPECT_EQ(scene.pic.callsOf(CallKind::Clear).back().retained, true);  // redrawn, band gone
    }
}

TEST(DiagramMouseTest, AReleaseEndsTheDragWhereItHappensAndLaterMovesZoomNothing) {
    Scene scene;
    scene.dragLeft(2, 3000, 5, 2000);
    // Released outside the diagram (the window reports the nearest edge), then the mouse
    // comes back somewhere else without buttons.
    scene.mouse.buttonReleased(0, 9.5f, 1500);
    EXPECT_EQ(scene.view(), (std::vector<double>{2, 9.5, 1500, 3000}));
    scene.move(0, 3, 2500);
    EXPECT_EQ(scene.view(), (std::vector<double>{2, 9.5, 1500, 3000}));

    // A release while another button is still held ends nothing.
    Scene held;
    held.dragLeft(2, 3000, 5, 2000);
    const MouseReaction r = held.mouse.buttonReleased(2, 5, 2000);
    EXPECT_EQ(held.mouse.ZoomDragCount, 3);
    EXPECT_EQ(held.view(), kDefaultView);
    EXPECT_FALSE(r.pointer.has_value());
}

TEST(DiagramMouseTest, TooSmallARectangleIsRefusedWithTheReminderAndItsBandTakenAway) {
    // Thresholds: 0.0000999 in s and 0.05 in h, whatever the other side.
    const std::tuple<float, float, float, float> cases[] = {
        {5, 2000, 5, 2000}, {5, 1000, 5.00009f, 3000}, {2, 2000, 7, 2000.04f}, {7, 2000.04f, 2, 2000}};
    for (const auto& [ax, ay, bx, by] : cases) {
        SCOPED_TRACE(testing::Message() << bx - ax << " by " << by - ay);
        Scene scene;
        scene.dragLeft(ax, ay, bx, by);
        const MouseReaction end = scene.move(0, bx, by);
        ASSERT_EQ(end.messages.size(), 1u);
        EXPECT_EQ(end.messages[0].code, calc::MessageCode::ZoomAtLimit);
        EXPECT_EQ(panels::messageText(end.messages[0]).title, "提醒");
        EXPECT_EQ(panels::messageText(end.messages[0]).text, "所选区域已放至最大，图中双击鼠标左键恢复原始比例。");
        EXPECT_TRUE(scene.overlayCleared());
        EXPECT_EQ(scene.view(), kDefaultView);
    }
    // A click without a move is no drag: no reminder.
    Scene click;
    EXPECT_TRUE(click.move(0, 5, 2000).messages.empty());
    EXPECT_TRUE(click.mouse.buttonReleased(0, 5, 2000).messages.empty());
}

TEST(DiagramMouseTest, RightDragPansWithARedrawPerMoveAndKeepsTheSpans) {
    Scene scene;
    const MouseReaction first = scene.move(2, 3, 2000);
    EXPECT_EQ(first.pointer, Pointer::Arrow);
    // The window in force moved: the grabbed point (3, 2000) is now reported as (2, 2000).
    scene.move(2, 2, 2000);
    EXPECT_EQ(scene.mouse.PanDragCount, 2);
    EXPECT_EQ(scene.pic.callsOf(CallKind::UserCoordinates).size(), 2u);
    const std::vector<double> v = scene.view();
    EXPECT_DOUBLE_EQ(v[0], 1);
    EXPECT_DOUBLE_EQ(v[1], 10.99);
    EXPECT_DOUBLE_EQ(v[3] - v[2], 5000);
    EXPECT_DOUBLE_EQ(scene.diagram.scale.Xspan, 9.99);

    const MouseReaction end = scene.mouse.buttonReleased(0, 2, 2000);
    EXPECT_EQ(end.pointer, Pointer::Cross);
    EXPECT_EQ(scene.mouse.PanDragCount, 0);
    EXPECT_TRUE(end.messages.empty());
}

TEST(DiagramMouseTest, DoubleClickRestoresTheDefaultWindowAfterZoomAndPan) {
    Scene scene;
    scene.dragLeft(2, 3000, 5, 1500);
    scene.move(0, 5, 1500);
    scene.move(2, 3, 2000);
    scene.move(2, 3.5f, 1900);
    scene.move(0, 3.5f, 1900);
    ASSERT_NE(scene.view(), kDefaultView);
    scene.mouse.Pic_DblClick();
    EXPECT_EQ(scene.view(), kDefaultView);
    EXPECT_DOUBLE_EQ(scene.diagram.scale.Xspan, 9.99);
}

TEST(DiagramMouseTest, EntropyPickSelectsTheBranchFillsItsBoxAndDrawsTheLineInsideTheWindow) {
    const std::tuple<float, int, const char*, bool> cases[] = {{1.5f, 6, "1.500", true},
                                                               {4.406f, 6, "4.406", true},
                                                               {4.407f, 7, "4.407", true},
                                                               {7.5f, 7, "7.500", true},
                                                               {-0.3f, 6, "-0.300", false}};
    for (const auto& [x, option, text, line] : cases) {
        SCOPED_TRACE(text);
        Scene scene;
        scene.diagram.CHKpic[kPickEntropy] = true;
        // Buttons are not evaluated while picking.
        const MouseReaction r = scene.move(1, x, 2500);
        EXPECT_TRUE(r.entropyPick.has_value());
        EXPECT_EQ(scene.sat.selected, option);
        EXPECT_EQ(scene.sat.text[option], text);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(scene.sat.enabled[i], i == option) << "box " << i;
        EXPECT_EQ(scene.mouse.ZoomDragCount, 0);
        const auto lines = scene.overlayLines();
        ASSERT_EQ(lines.size(), line ? 1u : 0u);
        if (line) {
            EXPECT_TRUE(lines[0].x1 == x && lines[0].y1 == 0 && lines[0].y2 == 5000 &&
                        lines[0].colour == kCurrentSatDot);
        }
    }
}

// "图选sh" leaves only the boxes of the chart's two properties ticked and filled with the
// read-out (s and h on the h-s chart, then s and t, v and p, t and p).
TEST(DiagramMouseTest, StatePickTicksAndFillsTheChartsTwoPropertiesOnly) {
    for (Chart chart : kCharts) {
        Scene scene(chart);
        const ChartDescription& d = scene.diagram.description();
        SCOPED_TRACE(d.name);
        const int across = static_cast<int>(d.x.quantity), up = static_cast<int>(d.y.quantity);
        for (int k : {0, 1}) scene.state.ticked[k] = true;
        panels::CHK_Click(scene.state);
        scene.diagram.CHKpic[kPickEntropyEnthalpy] = true;
        const DiagramScale& s = scene.diagram.scale;
        const float x = static_cast<float>(0.6 * s.ViewXmin + 0.4 * s.ViewXmax);
        const float y = static_cast<float>(0.3 * s.ViewYmin + 0.7 * s.ViewYmax);
        const MouseReaction r = scene.move(0, x, y);
        EXPECT_TRUE(r.statePick.has_value());
        for (int k = 0; k < 6; ++k) {
            const bool kept = k == across || k == up;
            EXPECT_EQ(scene.state.ticked[k], kept) << k;
            EXPECT_EQ(scene.state.enabled[k], kept) << k;
            EXPECT_EQ(scene.state.chkEnabled[k], kept) << k;
        }
        EXPECT_EQ(scene.state.text[across], r.readoutX);
        EXPECT_EQ(scene.state.text[up], r.readoutY);
        const auto lines = scene.overlayLines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_TRUE(lines[0].x1 == x && lines[0].x2 == x && lines[0].colour == kCurrentStateDot);
        EXPECT_TRUE(lines[1].y1 == y && lines[1].y2 == y && lines[1].colour == kCurrentStateDot);

        // Above the window only the vertical line is drawn.
        scene.move(0, x, static_cast<float>(s.ViewYmax + 0.1 * (s.ViewYmax - s.ViewYmin)));
        EXPECT_EQ(scene.overlayLines().size(), 3u);
    }
    Scene hs;
    hs.diagram.CHKpic[kPickEntropyEnthalpy] = true;
    hs.move(0, 6.5f, 2900);
    EXPECT_TRUE(hs.state.text[4] == "6.500" && hs.state.text[3] == "2900.000");
}

TEST(DiagramMouseTest, AClickCalculatesAfterEitherPickAndUnticksEveryPickBox) {
    const std::tuple<bool, bool> cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const auto& [pickS, pickSH] : cases) {
        Scene scene;
        scene.diagram.CHKpic[kPickEntropy] = pickS;
        scene.diagram.CHKpic[kPickEntropyEnthalpy] = pickSH;
        const ClickReaction r = scene.mouse.Pic_Click();
        EXPECT_EQ(r.calculateSaturation, pickS) << pickS << pickSH;
        EXPECT_EQ(r.calculateState, pickSH) << pickS << pickSH;
        EXPECT_EQ(r.untickPickEntropy, pickS) << pickS << pickSH;
        EXPECT_EQ(r.untickPickEntropyEnthalpy, pickSH) << pickS << pickSH;
    }
}

}  // namespace
}  // namespace steam::diagram
