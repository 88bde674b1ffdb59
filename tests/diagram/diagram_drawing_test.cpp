// drawWindow paints the whole diagram in a fixed order onto the recording surface: grid,
// switched-on layers, registers and current results, then the margin bands that clip
// them, the axis numbers and the frame. These tests read the recorded calls back.
#include "diagram/diagram.h"
#include "diagram/recording_surface.h"

#include "calc/register_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace steam::diagram {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kMargin{210, 215, 210};
constexpr Rgb kSaturationColour{50, 50, 50};
constexpr std::array<Rgb, 5> kFamilyColour{Rgb{}, Rgb{200, 0, 0}, Rgb{0, 0, 200}, Rgb{0, 170, 0}, Rgb{0, 0, 0}};

std::string describe(const RecordedCall& c) {
    return "(" + std::to_string(c.x1) + ", " + std::to_string(c.y1) + ")-(" + std::to_string(c.x2) + ", " +
           std::to_string(c.y2) + ") rgb(" + std::to_string(c.colour.r) + "," + std::to_string(c.colour.g) + "," +
           std::to_string(c.colour.b) + ") \"" + c.text + "\"";
}

// Corners within tolerance in s and within 1000 times it in h.
void expectCorners(const RecordedCall& c, double x1, double y1, double x2, double y2, const std::string& context,
                   double tolerance = 1e-6) {
    EXPECT_TRUE(std::abs(c.x1 - x1) <= tolerance && std::abs(c.x2 - x2) <= tolerance &&
                std::abs(c.y1 - y1) <= tolerance * 1000 && std::abs(c.y2 - y2) <= tolerance * 1000)
        << context << ": " << describe(c) << ", expected (" << x1 << ", " << y1 << ")-(" << x2 << ", " << y2 << ")";
}

struct Scene {
    Diagram diagram;
    calc::RegisterStore registers;
    RecordingSurface pic;

    void draw(double xmin = 0, double xmax = 9.99, double ymin = 0, double ymax = 5000) {
        pic.reset();
        diagram.scale.DefineScale(xmin, xmax, ymin, ymax);
        diagram.drawWindow(pic, registers, xmin, xmax, ymin, ymax);
    }
    const std::vector<RecordedCall>& calls() const { return pic.calls(); }
    std::vector<RecordedCall> linesIn(Rgb colour) const {  // segments of some length only
        std::vector<RecordedCall> out;
        for (const auto& c : pic.segments())
            if (c.colour == colour && (c.x1 != c.x2 || c.y1 != c.y2)) out.push_back(c);
        return out;
    }
    std::vector<std::string> textsStartingWith(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& c : pic.callsOf(CallKind::Text))
            if (c.text.rfind(prefix, 0) == 0) out.push_back(c.text);
        return out;
    }
    int firstBand() const {
        for (size_t i = 0; i < calls().size(); ++i)
            if (calls()[i].kind == CallKind::FilledRectangle && calls()[i].colour == kMargin)
                return static_cast<int>(i);
        return -1;
    }
};

void putCurve(CurveStore& store, int f, int first, double key, const std::vector<std::pair<double, double>>& sh) {
    for (size_t i = 0; i < sh.size(); ++i)
        store.CurveFamily[f][first + static_cast<int>(i)] = CurvePoint{key, sh[i].second, sh[i].first};
}

// A small dome and a curve or two per family, as a loaded store would hold them.
void loadSmallCurves(CurveStore& store) {
    for (int i = 1; i <= 20; ++i) {
        store.SaturationLine[i] = {static_cast<float>(9.0 - 0.2 * i), static_cast<float>(2500.0 + 15.0 * i)};
        store.SaturationLine[41 - i] = {static_cast<float>(0.2 * i), static_cast<float>(100.0 * i)};
    }
    for (int i = 1; i <= 40; ++i)
        store.SaturationDome.push_back({store.SaturationLine[i].s, store.SaturationLine[i].h});
    putCurve(store, 1, 1, 200, {{2.3, 850}, {6.4, 2790}, {7.2, 3100}});
    putCurve(store, 1, 4, 400, {{3.2, 1900}, {7.0, 3300}});
    putCurve(store, 2, 1, 1, {{1.0, 300}, {7.5, 3400}});
    putCurve(store, 3, 1, 0.01, {{3.0, 1200}, {6.7, 3600}});
    putCurve(store, 4, 1, 0.9, {{2.0, 1000}, {7.2, 2400}});
}

void storeState(calc::RegisterStore& registers, int r, double h, double s) {
    registers.store(r, {"300", "1", "0.2", std::to_string(h), std::to_string(s), "(none)", "0"});
}

void storeSaturation(calc::RegisterStore& registers, int r, double h1, double h11, double s1, double s11) {
    registers.store(r, {"100", "0.1", "0.001", "1.6", std::to_string(h1), std::to_string(h11), std::to_string(s1),
                        std::to_string(s11), "0", "0"});
}

TEST(DiagramDrawingTest, DefaultWindowHasDottedAndSolidGridAndRoundNumbers) {
    auto scene = std::make_unique<Scene>();
    scene->draw();
    const auto& calls = scene->calls();
    int across = 0, upward = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        const RecordedCall& c = calls[i];
        if (c.kind == CallKind::Line && c.colour == Rgb{100, 100, 100}) {
            expectCorners(c, 9.99, 500.0 * across, -0.0999, 500.0 * across, "h grid " + std::to_string(across));
            EXPECT_EQ(c.dash, DashStyle::Dotted) << "h grid " << across;
            EXPECT_EQ(calls.at(i + 1).dash, DashStyle::Solid) << "dash style not reset after h grid " << across;
            ++across;
        } else if (c.kind == CallKind::Line && c.colour == Rgb{150, 150, 150}) {
            expectCorners(c, upward, 5000, upward, -50, "s grid " + std::to_string(upward));
            EXPECT_EQ(c.dash, DashStyle::Solid) << "s grid " << upward;
            ++upward;
        }
    }
    EXPECT_EQ(across, 11);
    EXPECT_EQ(upward, 10);

    std::vector<RecordedCall> numbers;
    for (size_t i = scene->firstBand(); i < calls.size(); ++i)
        if (calls[i].kind == CallKind::Text) numbers.push_back(calls[i]);
    ASSERT_EQ(numbers.size(), 21u);
    for (int k = 0; k <= 10; ++k)
        EXPECT_TRUE(numbers[k].text == std::to_string(500 * k) && numbers[k].x1 == -0.7992 &&
                    numbers[k].y1 == 500.0 * k)
            << "h number " << k << ": " << describe(numbers[k]);
    for (int k = 0; k <= 9; ++k)
        EXPECT_TRUE(numbers[11 + k].text == std::to_string(k) && numbers[11 + k].x1 == k && numbers[11 + k].y1 == -50)
            << "s number " << k << ": " << describe(numbers[11 + k]);
}

TEST(DiagramDrawingTest, AxisNumbersInZoomedWindowsNameTheirGridLines) {
    struct Case {
        double xmin, xmax, ymin, ymax;
        std::vector<std::string> texts;  // h numbers, then s numbers
    };
    const Case cases[] = {
        {0, 10, 2040, 2540, {"2050", "2100", "2150", "2200", "2250", "2300", "2350", "2400", "2450", "2500", "0",
                             "1",    "2",    "3",    "4",    "5",    "6",    "7",    "8",    "9",    "10"}},
        {5, 6, 2600, 3800, {"2600", "2700", "2800", "2900", "3000", "3100", "3200", "3300",
                            "3400", "3500", "3600", "3700", "3800", "5",    "5.1",  "5.2",
                            "5.3",  "5.4",  "5.5",  "5.6",  "5.7",  "5.8",  "5.9",  "6"}},
    };
    for (const Case& c : cases) {
        auto scene = std::make_unique<Scene>();
        scene->draw(c.xmin, c.xmax, c.ymin, c.ymax);
        const std::string context = "window s " + std::to_string(c.xmin) + ".." + std::to_string(c.xmax);
        std::vector<std::string> texts;
        std::vector<double> numbered;
        for (size_t i = scene->firstBand(); i < scene->calls().size(); ++i) {
            const RecordedCall& t = scene->calls()[i];
            if (t.kind != CallKind::Text) continue;
            texts.push_back(t.text);
            numbered.push_back(texts.size() <= 13 && t.x1 < c.xmin ? t.y1 : t.x1);
        }
        EXPECT_EQ(texts, c.texts) << context;
        std::vector<double> lines;
        for (const auto& l : scene->pic.callsOf(CallKind::Line))
            lines.push_back(l.colour == Rgb{100, 100, 100} ? l.y1 : l.x1);
        EXPECT_EQ(lines, numbered) << context << ": each number sits on its grid line";
    }
}

class ReadinessProbe : public RecordingSurface {
public:
    const Diagram* diagram = nullptr;
    std::vector<int> seen;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override {
        seen.push_back(diagram->DiagramReady);
        RecordingSurface::line(x1, y1, x2, y2, colour);
    }
};

TEST(DiagramDrawingTest, PassMapsTheWindowClearsAndEndsWithTheFrameThenIsReady) {
    auto scene = std::make_unique<Scene>();
    ReadinessProbe probe;
    probe.diagram = &scene->diagram;
    scene->diagram.DiagramReady = 1;
    scene->diagram.scale.DefineScale(0, 9.99, 0, 5000);
    scene->diagram.drawWindow(probe, scene->registers, 0, 9.99, 0, 5000);
    const auto& calls = probe.calls();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, CallKind::UserCoordinates);
    expectCorners(calls[0], -0.7992, 5400, 10.7892, -400, "user coordinates");
    EXPECT_TRUE(calls[1].kind == CallKind::Retained && calls[1].on);
    EXPECT_EQ(calls[2].kind, CallKind::Clear);
    const RecordedCall& frame = calls[calls.size() - 2];
    EXPECT_TRUE(frame.kind == CallKind::Rectangle && frame.colour == kBlack) << describe(frame);
    expectCorners(frame, 0, 0, 9.99, 5000, "frame", 0);
    EXPECT_TRUE(calls.back().kind == CallKind::Retained && !calls.back().on);
    EXPECT_TRUE(std::all_of(calls.begin() + 2, calls.end() - 1, [](const RecordedCall& c) { return c.retained; }));
    ASSERT_FALSE(probe.seen.empty());
    EXPECT_TRUE(std::all_of(probe.seen.begin(), probe.seen.end(), [](int r) { return r == 0; })) << "ready mid-pass";
    EXPECT_EQ(scene->diagram.DiagramReady, 1);
}

TEST(DiagramDrawingTest, EachLayerSwitchDrawsItsOwnLayerOnly) {
    for (int layer = -1; layer < 9; ++layer) {  // -1: nothing switched on
        auto scene = std::make_unique<Scene>();
        loadSmallCurves(scene->diagram.curves);
        if (layer >= 0) scene->diagram.CHKpic[layer] = true;
        scene->draw();
        for (int f = 1; f <= 4; ++f)
            EXPECT_EQ(!scene->linesIn(kFamilyColour[f]).empty(), layer == f - 1)
                << "layer " << layer << ", family " << f;
        EXPECT_EQ(!scene->linesIn(kSaturationColour).empty(), layer == kSaturationLayer) << "layer " << layer;
        EXPECT_EQ(scene->pic.indexOfText("饱和蒸汽") >= 0, layer == kRegionLabels) << "layer " << layer;
        const auto fills = scene->pic.callsOf(CallKind::FilledRectangle);
        const bool critical = std::any_of(fills.begin(), fills.end(), [](auto& c) {
            return c.colour == Rgb{255, 100, 0};
        });
        EXPECT_EQ(critical, layer == kCriticalPointLayer) << "layer " << layer;
        if (layer == -1 || layer >= kPickEntropy) {
            // Grid (21 lines), four bands, frame and 21 numbers, nothing else.
            EXPECT_EQ(scene->pic.callsOf(CallKind::Line).size(), 21u) << "layer " << layer;
            EXPECT_EQ(fills.size(), 4u) << "layer " << layer;
            EXPECT_EQ(scene->pic.callsOf(CallKind::Rectangle).size(), 1u) << "layer " << layer;
            EXPECT_EQ(scene->pic.callsOf(CallKind::Text).size(), 21u) << "layer " << layer;
        }
    }
}

TEST(DiagramDrawingTest, DomeIsTwoPixelsWideAndRegionLabelsAreSongTiThenArialAgain) {
    auto scene = std::make_unique<Scene>();
    loadSmallCurves(scene->diagram.curves);
    scene->diagram.CHKpic[kSaturationLayer] = scene->diagram.CHKpic[kRegionLabels] = true;
    scene->diagram.CHKpic[kCriticalPointLayer] = true;
    scene->draw();
    const auto dome = scene->linesIn(kSaturationColour);
    const auto& line = scene->diagram.curves.SaturationDome;
    ASSERT_EQ(dome.size(), line.size() - 1);
    for (size_t i = 1; i < line.size(); ++i) {
        expectCorners(dome[i - 1], line[i - 1].x, line[i - 1].y, line[i].x, line[i].y, "dome " + std::to_string(i));
        EXPECT_EQ(dome[i - 1].width, 2) << "dome " << i;
    }
    const std::pair<const char*, std::pair<double, double>> labels[] = {
        {"饱和蒸汽", {7.5, 2750}}, {"饱和水", {0.5, 500}},    {"湿蒸汽(两相区)", {5.0, 1800}},
        {"水", {2.5, 1700}},       {"过热蒸汽", {7.5, 3700}}, {"超临界区", {2.5, 3500}}};
    int previous = -1;
    for (const auto& [text, at] : labels) {
        const int i = scene->pic.indexOfText(text);
        ASSERT_GT(i, previous) << text << " missing or out of order";
        previous = i;
        const RecordedCall& c = scene->calls()[i];
        EXPECT_TRUE(c.x1 == at.first && c.y1 == at.second && c.fontFamily == "宋体" && c.fontPoints == 16 && c.bold &&
                    c.colour == (Rgb{192, 192, 192}) && c.width == 1)
            << text << ": " << describe(c) << " in " << c.fontFamily << " " << c.fontPoints;
    }
    const RecordedCall lastNumber = scene->pic.callsOf(CallKind::Text).back();
    EXPECT_TRUE(lastNumber.fontFamily == "Arial" && lastNumber.fontPoints == 8 && !lastNumber.bold &&
                lastNumber.colour == kBlack)
        << lastNumber.fontFamily << " " << lastNumber.fontPoints;
    const auto fills = scene->pic.callsOf(CallKind::FilledRectangle);
    expectCorners(fills.at(0), 4.407 - 9.99 / 120, 2084.3 - 5000.0 / 120, 4.407 + 9.99 / 120, 2084.3 + 5000.0 / 120,
                  "critical point", 1e-4);
    EXPECT_EQ(scene->pic.callsOf(CallKind::Rectangle).at(0).colour, (Rgb{30, 30, 0}));
}

TEST(DiagramDrawingTest, CurvesAreRunsOfOneKeyEachLabelledOnce) {
    struct Case {
        const char* name;
        int f;
        std::vector<CurvePoint> slots;  // from slot 1, zeros after
        size_t segments;
        std::vector<std::string> labels;
    };
    std::vector<CurvePoint> full(kCurveSlots);
    for (int j = 0; j < kCurveSlots; ++j) full[j] = {5, 1000.0 + j, 2.0 + j / 400.0};
    const Case cases[] = {
        {"one isotherm", 1, {{300, 1300, 3.0}, {300, 2500, 5.5}, {300, 2800, 6.5}}, 2, {" t=300"}},
        {"isochore key in general format", 3, {{0.001, 100, 0.3}, {0.001, 900, 2.3}}, 1, {" v=0.001"}},
        {"equal keys in a row merge", 2, {{1, 900, 2}, {1, 1400, 3}, {1, 1000, 2.5}, {1, 1500, 3.5}}, 3, {" p=1"}},
        {"different keys stay apart",
         4,
         {{0.3, 900, 2}, {0.3, 1400, 3}, {0.4, 1000, 2.5}, {0.4, 1500, 3.5}},
         2,
         {" x=0.3", " x=0.4"}},
        {"a curve filling every slot", 2, full, 799, {" p=5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto scene = std::make_unique<Scene>();
        std::copy(c.slots.begin(), c.slots.end(), scene->diagram.curves.CurveFamily[c.f].begin() + 1);
        scene->diagram.CHKpic[c.f - 1] = true;
        scene->draw();
        EXPECT_EQ(scene->linesIn(kFamilyColour[c.f]).size(), c.segments);
        const std::string prefix = std::string(" ") + "tpvx"[c.f - 1] + "=";
        EXPECT_EQ(scene->textsStartingWith(prefix), c.labels);
    }
    // A label ending inside the window sits on the curve's end: box, edge, coloured text at
    // the box's corner, colour reset.
    auto scene = std::make_unique<Scene>();
    putCurve(scene->diagram.curves, 1, 1, 300, {{3.0, 1300}, {5.5, 2500}, {6.5, 2800}});
    scene->diagram.CHKpic[kIsotherms] = true;
    scene->draw();
    const auto& calls = scene->calls();
    const int at = scene->pic.indexOfText(" t=300");
    ASSERT_GE(at, 4);
    const RecordedCall& box = calls[at - 4];
    EXPECT_TRUE(box.kind == CallKind::FilledRectangle && box.colour == (Rgb{220, 220, 220})) << describe(box);
    EXPECT_TRUE(std::min(box.x1, box.x2) < 6.5 && std::max(box.x1, box.x2) > 6.5) << describe(box);
    EXPECT_TRUE(std::min(box.y1, box.y2) < 2800 && std::max(box.y1, box.y2) > 2800) << describe(box);
    EXPECT_TRUE(calls[at - 3].kind == CallKind::Rectangle && calls[at - 3].colour == kFamilyColour[1]);
    expectCorners(calls[at - 3], box.x1, box.y1, box.x2, box.y2, "label edge");
    EXPECT_TRUE(calls[at].x1 == std::min(box.x1, box.x2) && calls[at].y1 == std::max(box.y1, box.y2) &&
                calls[at].colour == kFamilyColour[1])
        << describe(calls[at]);
    EXPECT_TRUE(calls.at(at + 1).kind == CallKind::TextColour && calls[at + 1].colour == kBlack);
}

TEST(DiagramDrawingTest, FirstDrawingBeforeTheCurvesAreLoadedHasNoCurves) {
    auto scene = std::make_unique<Scene>();
    scene->diagram.CHKpic.fill(true);
    scene->draw();
    for (int f = 1; f <= 4; ++f) EXPECT_TRUE(scene->linesIn(kFamilyColour[f]).empty()) << "family " << f;
    EXPECT_TRUE(scene->linesIn(kSaturationColour).empty());
    for (const char* prefix : {" t=", " p=", " v=", " x="})
        EXPECT_TRUE(scene->textsStartingWith(prefix).empty()) << prefix;
    EXPECT_GE(scene->pic.indexOfText("水"), 0) << "layers without data must still show";
}

TEST(DiagramDrawingTest, StateMarkerIsASquareWithALabelBoxSizedByTheSpans) {
    struct Window {
        double xmin, xmax, ymin, ymax;
    };
    for (const Window& w : {Window{0, 9.99, 0, 5000}, Window{5, 7, 2500, 3000}}) {
        const std::string context = "window s " + std::to_string(w.xmin) + ".." + std::to_string(w.xmax);
        auto scene = std::make_unique<Scene>();
        storeState(scene->registers, 6, 2800, 6.5);  // M7
        scene->registers.setShown(6, true);
        scene->draw(w.xmin, w.xmax, w.ymin, w.ymax);
        const double xs = w.xmax - w.xmin, ys = w.ymax - w.ymin;
        const int at = scene->pic.indexOfText("( s , h ) M7");
        ASSERT_GE(at, 4) << context;
        const auto& calls = scene->calls();
        EXPECT_TRUE(calls[at].x1 == 6.5 && calls[at].y1 == 2800) << context << ": " << describe(calls[at]);
        EXPECT_EQ(calls[at - 4].colour, (Rgb{155, 255, 180})) << context;
        expectCorners(calls[at - 4], 6.5, 2800 - ys / 120, 6.5 + xs / 19, 2800 - ys / 37, context + " label box", 1e-4);
        EXPECT_EQ(calls[at - 3].colour, (Rgb{255, 0, 0})) << context;
        expectCorners(calls[at - 3], 6.5 - xs / 120, 2800 - ys / 120, 6.5 + xs / 120, 2800 + ys / 120,
                      context + " square", 1e-4);
        EXPECT_TRUE(calls[at - 2].kind == CallKind::Rectangle && calls[at - 2].colour == (Rgb{0, 255, 50})) << context;
        if (w.xmax == 9.99)
            expectCorners(calls[at - 3], 6.417, 2758.3, 6.583, 2841.7, "M7 square at (6.5, 2800) in the default window",
                          1e-3);
    }
}

TEST(DiagramDrawingTest, RegistersAndResultsAreMarkedOnlyWhenTheirConditionsHold) {
    struct Case {
        const char* name;
        std::function<void(calc::RegisterStore&)> setUp;
        std::vector<std::string> texts;
        size_t rectangles;  // filled and outline, beyond the four bands and the frame
    };
    const Case cases[] = {
        {"M1 shown",
         [](auto& r) {
             storeSaturation(r, 0, 419.1, 2676, 1.307, 7.355);
             r.setShown(0, true);
         },
         {" ( s', h') M1", "(s'', h'') M1"},
         6},
        {"M3 stored, not shown", [](auto& r) { storeSaturation(r, 2, 419.1, 2676, 1.307, 7.355); }, {}, 0},
        {"M5 shown while empty, at (0, 0)",
         [](auto& r) { r.setShown(4, true); },
         {" ( s', h') M5", "(s'', h'') M5"},
         6},
        {"M6 shown with h = 0",
         [](auto& r) {
             storeState(r, 5, 0, 6.5);
             r.setShown(5, true);
         },
         {},
         0},
        {"M9 shown",
         [](auto& r) {
             storeState(r, 8, 3000, 6.8);
             r.setShown(8, true);
         },
         {"( s , h ) M9"},
         3},
        {"current saturation result",
         [](auto& r) {
             r.setCurrentSatPoint({100, 0.1, 0.001, 1.67, 419, 2676, 1.3, 7.35});
         },
         {" ( s', h')", "(s'', h'')"},
         6},
        {"current saturation result with h'' = 0",
         [](auto& r) {
             r.setCurrentSatPoint({100, 0.1, 0.001, 1.67, 419, 0, 1.3, 7.35});
         },
         {},
         0},
        {"current state result",
         [](auto& r) {
             r.setCurrentStatePoint({200, 3.5, 0.001, 853.8, 2.33, 0});
         },
         {"( s , h )"},
         3},
    };
    for (const Case& c : cases) {
        auto scene = std::make_unique<Scene>();
        c.setUp(scene->registers);
        scene->draw();
        std::vector<std::string> texts;
        for (const auto& t : scene->pic.callsOf(CallKind::Text))
            if (t.text.find('(') != std::string::npos) texts.push_back(t.text);
        EXPECT_EQ(texts, c.texts) << c.name;
        const size_t rectangles =
            scene->pic.callsOf(CallKind::FilledRectangle).size() + scene->pic.callsOf(CallKind::Rectangle).size();
        EXPECT_EQ(rectangles - 5, c.rectangles) << c.name;
    }
}

TEST(DiagramDrawingTest, MarginBandsComeAfterEveryMarkerInTheirOrder) {
    auto scene = std::make_unique<Scene>();
    loadSmallCurves(scene->diagram.curves);
    scene->diagram.CHKpic.fill(true);
    for (int r = 0; r < 9; ++r) {
        if (r < 5)
            storeSaturation(scene->registers, r, 400 + 50 * r, 2650 + 10 * r, 1.2 + 0.1 * r, 7.4 - 0.1 * r);
        else
            storeState(scene->registers, r, 2000 + 300 * r, 5 + 0.4 * r);
        scene->registers.setShown(r, true);
    }
    storeState(scene->registers, 8, 3480, 9.9);  // label reaching into the right margin
    scene->registers.setCurrentSatPoint({100, 0.1, 0.001, 1.67, 419, 2676, 1.3, 7.35});
    scene->registers.setCurrentStatePoint({200, 3.5, 0.001, 853.8, 2.33, 0});
    scene->draw();

    std::vector<int> order;
    for (const char* text :
         {" ( s', h') M1", " ( s', h') M5", "( s , h ) M6", "( s , h ) M9", " ( s', h')", "( s , h )"})
        order.push_back(scene->pic.indexOfText(text));
    EXPECT_TRUE(order.front() >= 0 && std::is_sorted(order.begin(), order.end())) << "markers out of panel order";

    const auto& calls = scene->calls();
    const int band = scene->firstBand();
    ASSERT_GT(band, order.back());
    const DiagramScale& s = scene->diagram.scale;
    const double corners[4][4] = {{s.XminExt, s.YminExt, s.XmaxExt, 0},
                                  {s.XminExt, 5000, s.XmaxExt, s.YmaxExt},
                                  {s.XminExt, s.YminExt, 0, s.YmaxExt},
                                  {9.99, s.YminExt, s.XmaxExt, s.YmaxExt}};
    const char* names[4] = {"bottom", "top", "left", "right"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(calls.at(band + k).kind == CallKind::FilledRectangle && calls[band + k].colour == kMargin)
            << names[k];
        expectCorners(calls[band + k], corners[k][0], corners[k][1], corners[k][2], corners[k][3], names[k], 0);
    }
    for (size_t i = band + 4; i < calls.size(); ++i) {
        const CallKind k = calls[i].kind;
        EXPECT_TRUE(k == CallKind::CurrentPosition || k == CallKind::Text || k == CallKind::Retained ||
                    (k == CallKind::Rectangle && calls[i].colour == kBlack))
            << "call " << i << " after the bands: " << describe(calls[i]);
    }
}

// Pictures for files carry the axis titles: s centred under its numbers, h above the
// column of its numbers, both inside the picture and after the frame. The window's own
// picture has none (its captions are beside it).
TEST(DiagramDrawingTest, AxisTitlesSitInTheMarginsOfPicturesForFiles) {
    for (bool titles : {false, true}) {
        auto scene = std::make_unique<Scene>();
        scene->diagram.axisTitles = titles;
        scene->draw(6, 8, 2600, 3800);
        const int s = scene->pic.indexOfText("s (kJ/kg.K)"), h = scene->pic.indexOfText("h (kJ/kg)");
        if (!titles) {
            EXPECT_TRUE(s < 0 && h < 0);
            continue;
        }
        ASSERT_TRUE(s >= 0 && h >= 0);
        const DiagramScale& sc = scene->diagram.scale;
        const auto px = [&](double x) { return (x - sc.XminExt) / (sc.XmaxExt - sc.XminExt) * 489; };
        const auto py = [&](double y) { return (sc.YmaxExt - y) / (sc.YmaxExt - sc.YminExt) * 465; };
        const RecordedCall& across = scene->calls()[s];
        const RecordedCall& up = scene->calls()[h];
        const TextExtent extent = scene->pic.textExtent(across.text);
        EXPECT_NEAR(px(across.x1) + extent.width / 2, px(7), 0.5) << "centred under the window";
        EXPECT_GE(py(across.y1), py(2600 - sc.Ypct) + extent.height) << "below the numbers";
        EXPECT_LE(py(across.y1) + extent.height, 465.0 + 1e-9) << "inside the picture";
        EXPECT_TRUE(px(up.x1) >= 0 && py(up.y1) >= 0 && py(up.y1) + extent.height <= py(3800)) << "above the numbers";
        EXPECT_GT(std::min(s, h), scene->pic.indexOfText("3800")) << "drawn after the numbers";
    }
}

TEST(DiagramDrawingTest, ZoomDrawsTheDraggedRectanglePanKeepsSpansRestoreReturns) {
    auto scene = std::make_unique<Scene>();
    Diagram& d = scene->diagram;
    const auto frameOf = [&] { return scene->calls()[scene->calls().size() - 2]; };
    d.scale.DragStartX = 6.25f;
    d.scale.DragStartY = 2100.0f;
    d.scale.DragEndX = 3.5f;
    d.scale.DragEndY = 3200.0f;
    d.ZoomWindow(scene->pic, scene->registers);
    EXPECT_TRUE(d.scale.Xspan == 2.75 && d.scale.Yspan == 1100.0f);
    expectCorners(scene->calls()[0], 3.28, 3288, 6.47, 2012, "zoomed mapping", 1e-9);
    expectCorners(frameOf(), 3.5, 2100, 6.25, 3200, "zoomed frame", 0);

    scene->pic.reset();
    d.scale.ViewXmin += 1;
    d.scale.ViewXmax += 1;
    d.redraw(scene->pic, scene->registers);
    expectCorners(frameOf(), 4.5, 2100, 7.25, 3200, "panned frame", 0);

    scene->pic.reset();
    d.restoreDefault(scene->pic, scene->registers);
    EXPECT_TRUE(d.scale.ViewXmin == 0 && d.scale.ViewXmax == 9.99 && d.scale.ViewYmin == 0 && d.scale.ViewYmax == 5000);
    EXPECT_EQ(d.scale.Xspan, 9.99);
    expectCorners(frameOf(), 0, 0, 9.99, 5000, "restored frame", 0);
}

}  // namespace
}  // namespace steam::diagram
