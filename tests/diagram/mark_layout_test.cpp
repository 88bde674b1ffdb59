// No label covers another or a marker: markers and their captions are placed first (a
// caption moves to a free side of its marker, and is left out only when none is free; the
// square always stays), region names next (moved off what is taken, or left out), curve
// labels last, clear of all. Checked on the layout itself and on whole drawings of the four
// charts read back from the recording surface.
#include "diagram/mark_layout.h"
#include "diagram/diagram.h"
#include "diagram/diagram_startup.h"
#include "diagram/marker_colours.h"
#include "diagram/recording_surface.h"

#include "calc/register_store.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace steam::diagram {
namespace {

const PixelBox kWindow{40, 37, 460, 428};

std::string text(const PixelBox& b) {
    return "(" + std::to_string(b.left) + ", " + std::to_string(b.top) + ")-(" + std::to_string(b.right) + ", " +
           std::to_string(b.bottom) + ")";
}

MarkerFootprint markerAt(double x, double y, double width = 60, double height = 13) {
    return {{x - 3.5, y - 3.5, x + 3.5, y + 3.5}, width, height};
}

PixelBox captionBox(const MarkerFootprint& m, const PixelPoint& at) {
    return {at.x, at.y, at.x + m.captionWidth, at.y + m.captionHeight};
}

TEST(MarkLayoutTest, EachCaptionTakesTheFirstFreePlaceAroundItsMarker) {
    struct Case {
        const char* name;
        std::vector<MarkerFootprint> markers;
        std::vector<PixelBox> reserved;
        // Where each caption's corner must be relative to its marker's centre; nothing when
        // it must be left out. Checked only where given.
        std::vector<std::optional<PixelPoint>> expected;
    };
    const Case cases[] = {
        {"a lone marker keeps the place captions always had", {markerAt(200, 200)}, {}, {PixelPoint{0, 0}}},
        {"at the window's right edge the caption goes left", {markerAt(455, 200)}, {}, {PixelPoint{-67.75, 0}}},
        {"at the bottom edge it goes up", {markerAt(200, 425)}, {}, {PixelPoint{0, -14}}},
        {"in the lower right corner up and left", {markerAt(455, 425)}, {}, {PixelPoint{-67.75, -14}}},
        {"a second marker on the same state takes the next side",
         {markerAt(200, 200), markerAt(200, 200)},
         {},
         {PixelPoint{0, 0}, PixelPoint{0, -14}}},
        {"a square under the usual place moves the caption",
         {markerAt(200, 200), markerAt(230, 206)},
         {},
         {PixelPoint{0, -14}, PixelPoint{0, 0}}},
        {"the critical point is kept clear of", {markerAt(200, 200)}, {{210, 203, 218, 211}}, {PixelPoint{0, -14}}},
        {"nine registers on one state all keep their captions",
         std::vector<MarkerFootprint>(9, markerAt(250, 250)),
         {},
         {}},
        {"a marker hemmed in by reserved marks loses its caption only",
         {markerAt(200, 200)},
         {{40, 37, 460, 196}, {40, 204, 460, 428}, {40, 37, 196, 428}, {204, 37, 460, 428}},
         {std::nullopt}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MarkLayout layout(kWindow);
        for (const PixelBox& box : c.reserved) layout.reserve(box);
        const std::vector<std::optional<PixelPoint>> places = layout.placeCaptions(c.markers);
        ASSERT_EQ(places.size(), c.markers.size());
        std::vector<PixelBox> captions;
        for (size_t k = 0; k < places.size(); ++k) {
            const MarkerFootprint& m = c.markers[k];
            if (k < c.expected.size()) {
                ASSERT_EQ(places[k].has_value(), c.expected[k].has_value()) << "marker " << k;
                if (places[k]) {
                    EXPECT_NEAR(places[k]->x - m.centre().x, c.expected[k]->x, 1e-9) << "marker " << k;
                    EXPECT_NEAR(places[k]->y - m.centre().y, c.expected[k]->y, 1e-9) << "marker " << k;
                }
            }
            if (!places[k]) continue;
            const PixelBox box = captionBox(m, *places[k]);
            EXPECT_TRUE(PixelBox({kWindow.left - 0.5, kWindow.top - 0.5, kWindow.right + 0.5, kWindow.bottom + 0.5})
                            .contains(box))
                << "marker " << k << " " << text(box);
            for (const PixelBox& other : captions)
                EXPECT_FALSE(box.overlaps(other)) << "marker " << k << " " << text(box);
            for (size_t j = 0; j < c.markers.size(); ++j) {
                if (!c.markers[j].square.overlaps(m.square)) {
                    EXPECT_FALSE(box.overlaps(c.markers[j].square)) << "marker " << k << " over square " << j;
                }
            }
            for (const PixelBox& r : c.reserved) EXPECT_FALSE(box.overlaps(r)) << "marker " << k << " " << text(box);
            captions.push_back(box);
        }
        if (c.expected.empty()) {
            EXPECT_EQ(captions.size(), c.markers.size());
        }
        // Every square is taken, captions or not.
        EXPECT_EQ(layout.taken().size(), c.reserved.size() + c.markers.size() + captions.size());
    }
}

TEST(MarkLayoutTest, ARegionNameStaysMovesOffWhatIsTakenOrIsLeftOut) {
    struct Case {
        const char* name;
        PixelPoint wanted;
        std::vector<MarkerFootprint> markers;
        bool placed, moved;
    };
    const Case cases[] = {
        {"a free place is kept", {100, 100}, {markerAt(300, 300)}, true, false},
        {"even reaching into the margin, as it always could", {20, 100}, {}, true, false},
        {"a marker under it moves it", {100, 100}, {markerAt(130, 110)}, true, true},
        {"a caption under it moves it", {100, 100}, {markerAt(90, 95)}, true, true},
        {"markers all around leave it out",
         {100, 100},
         [] {
             std::vector<MarkerFootprint> crowd;
             for (double x = 44; x < 460; x += 9)
                 for (double y = 41; y < 428; y += 9) crowd.push_back(markerAt(x, y, 1, 1));
             return crowd;
         }(),
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MarkLayout layout(kWindow);
        layout.placeCaptions(c.markers);
        const std::vector<PixelBox> before = layout.taken();
        const std::optional<PixelPoint> at = layout.placeRegionName(c.wanted, 80, 25);
        ASSERT_EQ(at.has_value(), c.placed);
        if (!at) {
            EXPECT_EQ(layout.taken().size(), before.size());
            continue;
        }
        EXPECT_EQ(at->x != c.wanted.x || at->y != c.wanted.y, c.moved);
        const PixelBox box{at->x, at->y, at->x + 80, at->y + 25};
        for (const PixelBox& t : before) EXPECT_FALSE(box.overlaps(t)) << text(box) << " over " << text(t);
        if (c.moved) {
            EXPECT_TRUE(kWindow.contains(box)) << text(box);
            EXPECT_LE(std::abs(at->y - c.wanted.y), 2 * 25 + 1e-9);
            EXPECT_LE(std::abs(at->x - c.wanted.x), 80 + 1e-9);
        }
    }
}

// ---- whole drawings --------------------------------------------------------------------

struct Drawn {
    PixelBox box;
    std::string what;
};

// What a recorded drawing shows, in pixels: the labels of every kind and the marker squares,
// with each caption tied to its marker's square.
struct Reading {
    PixelBox window;
    std::vector<Drawn> labels;       // curve labels, region names, captions
    std::vector<PixelBox> squares;   // markers and fixed points
    std::vector<int> captionSquare;  // per label: index of its own square, or -1
    int markers = 0, captions = 0;
};

bool isMarkerEdge(Rgb c) { return c == kRegisterDotEdge || c == kCurrentSatEdge || c == kCurrentStateEdge; }
bool isCaptionBox(Rgb c) { return c == kSaturationLabelBox || c == kStateLabelBox; }

Reading read(const RecordingSurface& pic, const Diagram& diagram, double xmin, double xmax, double ymin, double ymax) {
    const auto& calls = pic.calls();
    const RecordedCall map = pic.callsOf(CallKind::UserCoordinates).front();
    const auto toPixel = [&](double x, double y) {
        return PixelPoint{(x - map.x1) * pic.pixelWidth() / (map.x2 - map.x1),
                          (y - map.y1) * pic.pixelHeight() / (map.y2 - map.y1)};
    };
    const auto boxOf = [&](double x1, double y1, double x2, double y2) {
        const PixelPoint a = toPixel(x1, y1), b = toPixel(x2, y2);
        return PixelBox{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    };
    const auto textBox = [&](const RecordedCall& c) {
        RecordingSurface measure;
        measure.setFont(c.fontFamily, c.fontPoints, c.bold);
        const TextExtent e = measure.textExtent(c.text);
        const PixelPoint p = toPixel(c.x1, c.y1);
        return PixelBox{p.x, p.y, p.x + e.width, p.y + e.height};
    };
    Reading r;
    r.window = boxOf(xmin, ymax, xmax, ymin);
    std::vector<std::string> regionNames;
    for (const ChartLabel& l : diagram.description().regionLabels) regionNames.push_back(l.text);
    // Everything up to the margin bands; the axis numbers after them lie in the margins.
    bool filled = false;  // a label box was just drawn
    PixelBox fill;
    for (size_t i = 0; i < calls.size(); ++i) {
        const RecordedCall& c = calls[i];
        if (c.kind == CallKind::FilledRectangle && c.colour == Rgb{210, 215, 210}) break;
        if (c.kind == CallKind::FilledRectangle && (isCaptionBox(c.colour) || c.colour == Rgb{220, 220, 220}))
            filled = true, fill = boxOf(c.x1, c.y1, c.x2, c.y2);
        if (c.kind == CallKind::Rectangle && (isMarkerEdge(c.colour) || c.colour == Rgb{30, 30, 0})) {
            r.squares.push_back(boxOf(c.x1, c.y1, c.x2, c.y2));
            if (isMarkerEdge(c.colour)) ++r.markers;
        }
        if (c.kind != CallKind::Text) continue;
        PixelBox box = textBox(c);
        int own = -1;
        std::string what = "\"" + c.text + "\"";
        if (std::find(regionNames.begin(), regionNames.end(), c.text) != regionNames.end()) {
            what = "region name " + what;
        } else if (filled && c.text.find('(') != std::string::npos) {
            // A caption: its box and text, right after its marker's square.
            box = {std::min(box.left, fill.left), std::min(box.top, fill.top), std::max(box.right, fill.right),
                   std::max(box.bottom, fill.bottom)};
            own = static_cast<int>(r.squares.size()) - 1;
            what = "caption " + what;
            ++r.captions;
        } else if (filled) {
            box = fill;
            what = "curve label " + what;
        }
        filled = false;
        r.labels.push_back({box, what});
        r.captionSquare.push_back(own);
    }
    return r;
}

// Only what shows counts: the part inside the window.
std::optional<PixelBox> visible(const PixelBox& b, const PixelBox& window) {
    const PixelBox cut{std::max(b.left, window.left), std::max(b.top, window.top), std::min(b.right, window.right),
                       std::min(b.bottom, window.bottom)};
    if (cut.left >= cut.right || cut.top >= cut.bottom) return std::nullopt;
    return cut;
}

struct Scene {
    Diagram diagram;
    calc::RegisterStore registers;
    RecordingSurface pic;
};

std::unique_ptr<Scene> loadedScene() {
    auto scene = std::make_unique<Scene>();
    std::string error;
    if (!startDiagram(scene->diagram, scene->pic, scene->registers, testsupport::realTables(), error)) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    scene->diagram.CHKpic.fill(true);
    scene->diagram.CHKpic[kPickEntropy] = scene->diagram.CHKpic[kPickEntropyEnthalpy] = false;
    // Markers crowded together: M1 holds the current saturation result, M2 a state a kelvin
    // warmer; the current state is its saturated steam, so (s, h) falls on (s'', h''); M6 and
    // M7 hold one state, M8 one next to it.
    const std::vector<std::string> at100{"100",     "0.101418", "0.00104346", "1.67186", "419.17",
                                         "2675.57", "1.3072",   "7.3541",     "419.06",  "2506.0"};
    const std::vector<std::string> at101{"101",    "0.105",  "0.0010442", "1.6200", "423.40",
                                         "2677.1", "1.3185", "7.3389",    "423.29", "2506.4"};
    scene->registers.store(0, at100);
    scene->registers.store(1, at101);
    const std::vector<std::string> steam{"300", "1", "0.25799", "3051.7", "7.1246", "(none)", "2793.7"};
    const std::vector<std::string> nearby{"305", "1.05", "0.2500", "3060.2", "7.1250", "(none)", "2797.7"};
    scene->registers.store(5, steam);
    scene->registers.store(6, steam);
    scene->registers.store(7, nearby);
    for (int r : {0, 1, 5, 6, 7}) scene->registers.setShown(r, true);
    scene->registers.setCurrentSatPoint(
        {100, 0.101418, 0.00104346, 1.67186, 419.17, 2675.57, 1.3072, 7.3541, 419.06, 2506.0});
    scene->registers.setCurrentStatePoint({100, 0.101418, 1.67186, 2675.57, 7.3541, 1});
    return scene;
}

TEST(MarkLayoutTest, NoLabelCoversAnotherOrAMarkerOnAnyChartWindowOrSize) {
    struct Case {
        Chart chart;
        const char* name;
        std::optional<std::array<double, 4>> window;  // in the axes' units; the default when empty
    };
    const Case cases[] = {
        {Chart::HS, "h-s default", std::nullopt}, {Chart::HS, "h-s zoom", std::array<double, 4>{6.5, 8, 2500, 3200}},
        {Chart::TS, "T-s default", std::nullopt}, {Chart::TS, "T-s zoom", std::array<double, 4>{6.5, 8, 50, 350}},
        {Chart::PV, "p-v default", std::nullopt}, {Chart::PV, "p-v zoom", std::array<double, 4>{0.1, 5, 0.05, 2}},
        {Chart::PT, "p-t default", std::nullopt}, {Chart::PT, "p-t zoom", std::array<double, 4>{50, 350, 0.05, 5}},
    };
    // The picture on screen, and larger windows that lay out more pixels.
    const std::pair<double, double> sizes[] = {{489, 465}, {764, 464}, {898, 635}};
    auto scene = loadedScene();
    ASSERT_TRUE(scene);
    for (const auto& [width, height] : sizes) {
        for (const Case& c : cases) {
            const std::string context =
                std::string(c.name) + " at " + std::to_string(int(width)) + "x" + std::to_string(int(height));
            SCOPED_TRACE(context);
            Diagram& d = scene->diagram;
            d.setChart(c.chart);
            DiagramScale& s = d.scale;
            if (c.window) {
                const ChartDescription& desc = d.description();
                s.ViewXmin = desc.x.toChart((*c.window)[0]);
                s.ViewXmax = desc.x.toChart((*c.window)[1]);
                s.ViewYmin = desc.y.toChart((*c.window)[2]);
                s.ViewYmax = desc.y.toChart((*c.window)[3]);
            } else {
                s.ViewXmin = s.DefaultXmin, s.ViewXmax = s.DefaultXmax;
                s.ViewYmin = s.DefaultYmin, s.ViewYmax = s.DefaultYmax;
            }
            s.DefineScale(s.ViewXmin, s.ViewXmax, s.ViewYmin, s.ViewYmax);
            scene->pic.reset();
            scene->pic.setPixelSize(width, height);
            d.redraw(scene->pic, scene->registers);
            const Reading r = read(scene->pic, d, s.ViewXmin, s.ViewXmax, s.ViewYmin, s.ViewYmax);

            // Every marker is drawn: two for each saturation state on all charts but p-t.
            const int perSaturation = c.chart == Chart::PT ? 1 : 2;
            EXPECT_EQ(r.markers, 3 * perSaturation + 4);
            EXPECT_GE(r.captions, 1);
            int curveLabels = 0;
            for (size_t i = 0; i < r.labels.size(); ++i) {
                curveLabels += r.labels[i].what.rfind("curve label", 0) == 0;
                const std::optional<PixelBox> a = visible(r.labels[i].box, r.window);
                if (!a) continue;
                for (size_t j = i + 1; j < r.labels.size(); ++j) {
                    const std::optional<PixelBox> b = visible(r.labels[j].box, r.window);
                    EXPECT_FALSE(b && a->overlaps(*b)) << r.labels[i].what << " " << text(r.labels[i].box) << " over "
                                                       << r.labels[j].what << " " << text(r.labels[j].box);
                }
                const int own = r.captionSquare[i];
                for (size_t q = 0; q < r.squares.size(); ++q) {
                    // A caption may cover its own square and those lying on it.
                    if (own >= 0 && (static_cast<int>(q) == own || r.squares[q].overlaps(r.squares[own]))) continue;
                    EXPECT_FALSE(a->overlaps(r.squares[q]))
                        << r.labels[i].what << " " << text(r.labels[i].box) << " over square " << text(r.squares[q]);
                }
            }
            EXPECT_GE(curveLabels, 3) << "the curves are still labelled";
        }
    }
}

}  // namespace
}  // namespace steam::diagram
