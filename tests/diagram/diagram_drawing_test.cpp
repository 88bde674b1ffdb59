// drawWindow paints the whole diagram in a fixed order onto the recording surface: grid,
// switched-on layers, registers and current results, then the margin bands that clip
// them, the axis numbers and the frame. These tests read the recorded calls back.
#include "diagram/diagram.h"
#include "diagram/recording_surface.h"

#include "calc/register_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace steam::diagram {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kMargin{210, 215, 210};
constexpr Rgb kHorizontalGrid{100, 100, 100};
constexpr Rgb kVerticalGrid{150, 150, 150};
constexpr Rgb kSaturationColour{50, 50, 50};
constexpr std::array<Rgb, 5> kFamilyColour{Rgb{}, Rgb{200, 0, 0}, Rgb{0, 0, 200}, Rgb{0, 170, 0}, Rgb{0, 0, 0}};

std::string describe(const RecordedCall& c) {
    return "(" + std::to_string(c.x1) + ", " + std::to_string(c.y1) + ")-(" + std::to_string(c.x2) + ", " +
           std::to_string(c.y2) + ") rgb(" + std::to_string(c.colour.r) + "," + std::to_string(c.colour.g) + "," +
           std::to_string(c.colour.b) + ") \"" + c.text + "\"";
}

void expectCorners(const RecordedCall& c, double x1, double y1, double x2, double y2, const std::string& context,
                   double tolerance = 1e-6) {
    EXPECT_NEAR(c.x1, x1, tolerance) << context << ": " << describe(c);
    EXPECT_NEAR(c.y1, y1, tolerance * 1000) << context << ": " << describe(c);
    EXPECT_NEAR(c.x2, x2, tolerance) << context << ": " << describe(c);
    EXPECT_NEAR(c.y2, y2, tolerance * 1000) << context << ": " << describe(c);
}

bool hasLength(const RecordedCall& c) { return c.x1 != c.x2 || c.y1 != c.y2; }

struct Scene {
    Diagram diagram;
    calc::RegisterStore registers;
    RecordingSurface pic;

    void draw(double xmin = 0, double xmax = 9.99, double ymin = 0, double ymax = 5000) {
        pic.reset();
        diagram.scale.DefineScale(xmin, xmax, ymin, ymax);
        diagram.drawWindow(pic, registers, xmin, xmax, ymin, ymax);
    }
    std::vector<RecordedCall> of(CallKind kind) const { return pic.callsOf(kind); }
    std::vector<RecordedCall> linesIn(Rgb colour, bool withLength = true) const {
        std::vector<RecordedCall> out;
        for (const auto& c : pic.callsOf(CallKind::Line))
            if (c.colour == colour && (!withLength || hasLength(c))) out.push_back(c);
        return out;
    }
    std::vector<RecordedCall> textsStartingWith(const std::string& prefix) const {
        std::vector<RecordedCall> out;
        for (const auto& c : pic.callsOf(CallKind::Text))
            if (c.text.rfind(prefix, 0) == 0) out.push_back(c);
        return out;
    }
    int lastIndexOf(CallKind kind, Rgb colour) const {
        const auto& calls = pic.calls();
        for (int i = static_cast<int>(calls.size()) - 1; i >= 0; --i)
            if (calls[i].kind == kind && calls[i].colour == colour) return i;
        return -1;
    }
};

std::unique_ptr<Scene> makeScene() { return std::make_unique<Scene>(); }

// Curve f gets a run of points with one key, starting at slot `first`.
void putCurve(CurveStore& store, int f, int first, double key, const std::vector<std::pair<double, double>>& sh) {
    for (size_t i = 0; i < sh.size(); ++i)
        store.CurveFamily[f][first + static_cast<int>(i)] = CurvePoint{key, sh[i].second, sh[i].first};
}

// A small dome and two curves per family, as a loaded store would hold them.
void loadSmallCurves(CurveStore& store) {
    for (int i = 1; i <= 20; ++i) {
        store.SaturationLine[i] = {static_cast<float>(9.0 - 0.2 * i), static_cast<float>(2500.0 + 15.0 * i)};
        store.SaturationLine[41 - i] = {static_cast<float>(0.2 * i), static_cast<float>(100.0 * i)};
    }
    putCurve(store, 1, 1, 200, {{2.3, 850}, {6.4, 2790}, {7.2, 3100}});
    putCurve(store, 1, 4, 400, {{3.2, 1900}, {6.1, 3000}, {7.0, 3300}});
    putCurve(store, 2, 1, 1, {{1.0, 300}, {6.6, 2780}, {7.5, 3400}});
    putCurve(store, 2, 4, 10, {{2.0, 800}, {6.0, 2780}, {6.8, 3350}});
    putCurve(store, 3, 1, 0.01, {{3.0, 1200}, {6.0, 2800}, {6.7, 3600}});
    putCurve(store, 3, 4, 0.1, {{2.0, 900}, {7.0, 2700}, {7.6, 3500}});
    putCurve(store, 4, 1, 0.5, {{1.5, 800}, {4.6, 1500}});
    putCurve(store, 4, 3, 0.9, {{2.0, 1000}, {7.2, 2400}});
}

void storeState(calc::RegisterStore& registers, int r, double h, double s) {
    registers.store(r, {"300", "1", "0.2", std::to_string(h), std::to_string(s), "(none)"});
}

void storeSaturation(calc::RegisterStore& registers, int r, double h1, double h11, double s1, double s11) {
    registers.store(r, {"100", "0.1", "0.001", "1.6", std::to_string(h1), std::to_string(h11), std::to_string(s1),
                        std::to_string(s11)});
}

TEST(DiagramDrawingTest, DefaultWindowGridIsDottedAcrossAndSolidUpward) {
    auto scene = makeScene();
    scene->draw();
    const auto& calls = scene->pic.calls();

    std::vector<int> across;
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].kind == CallKind::Line && calls[i].colour == kHorizontalGrid) across.push_back(static_cast<int>(i));
    ASSERT_EQ(across.size(), 11u);
    for (size_t k = 0; k < across.size(); ++k) {
        const RecordedCall& c = calls[across[k]];
        const std::string context = "h grid line " + std::to_string(k);
        expectCorners(c, 9.99, 500.0 * k, 0 - 0.0999, 500.0 * k, context);
        EXPECT_EQ(c.dash, DashStyle::Dotted) << context;
        EXPECT_EQ(c.width, 1) << context;
        ASSERT_LT(across[k] + 1, static_cast<int>(calls.size()));
        EXPECT_EQ(calls[across[k] + 1].kind, CallKind::Dash) << context << ": dash style not reset";
        EXPECT_EQ(calls[across[k] + 1].dash, DashStyle::Solid) << context;
    }

    const auto upward = scene->linesIn(kVerticalGrid);
    ASSERT_EQ(upward.size(), 10u);
    for (size_t k = 0; k < upward.size(); ++k) {
        const std::string context = "s grid line " + std::to_string(k);
        expectCorners(upward[k], static_cast<double>(k), 5000, static_cast<double>(k), 0 - 50.0, context);
        EXPECT_EQ(upward[k].dash, DashStyle::Solid) << context;
        EXPECT_EQ(upward[k].width, 1) << context;
    }
}

TEST(DiagramDrawingTest, AxisNumbersAreRoundTickValuesAtTheLeftEdgeAndBelowTheFrame) {
    struct Case {
        const char* name;
        double xmin, xmax, ymin, ymax;
        std::vector<std::string> yTexts, xTexts;
        std::vector<double> yAt, xAt;
    };
    const Case cases[] = {
        {"default window", 0, 9.99, 0, 5000,
         {"0", "500", "1000", "1500", "2000", "2500", "3000", "3500", "4000", "4500", "5000"},
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
         {0, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"h 2040 to 2540, first number below the window", 0, 10, 2040, 2540,
         {"2000", "2050", "2100", "2150", "2200", "2250", "2300", "2350", "2400", "2450", "2500"},
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         {2000, 2050, 2100, 2150, 2200, 2250, 2300, 2350, 2400, 2450, 2500},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"small window with fractional ticks", 4.2, 4.7, 2500, 2570,
         {"2500", "2510", "2520", "2530", "2540", "2550", "2560", "2570"},
         {"4.2", "4.25", "4.3", "4.35", "4.4", "4.45", "4.5", "4.55", "4.6", "4.65", "4.7"},
         {2500, 2510, 2520, 2530, 2540, 2550, 2560, 2570},
         {4.2, 4.25, 4.3, 4.35, 4.4, 4.45, 4.5, 4.55, 4.6, 4.65, 4.7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto scene = makeScene();
        scene->draw(c.xmin, c.xmax, c.ymin, c.ymax);
        const DiagramScale& scale = scene->diagram.scale;
        const int lastBand = scene->lastIndexOf(CallKind::FilledRectangle, kMargin);
        std::vector<RecordedCall> numbers;
        const auto& calls = scene->pic.calls();
        for (size_t i = lastBand + 1; i < calls.size(); ++i)
            if (calls[i].kind == CallKind::Text) numbers.push_back(calls[i]);
        ASSERT_EQ(numbers.size(), c.yTexts.size() + c.xTexts.size());
        for (size_t k = 0; k < c.yTexts.size(); ++k) {
            EXPECT_EQ(numbers[k].text, c.yTexts[k]) << "y number " << k;
            EXPECT_EQ(numbers[k].x1, scale.XminExt) << "y number " << k;
            EXPECT_NEAR(numbers[k].y1, c.yAt[k], 1e-3) << "y number " << k;
        }
        for (size_t k = 0; k < c.xTexts.size(); ++k) {
            const RecordedCall& n = numbers[c.yTexts.size() + k];
            EXPECT_EQ(n.text, c.xTexts[k]) << "x number " << k;
            EXPECT_NEAR(n.x1, c.xAt[k], 1e-6) << "x number " << k;
            EXPECT_NEAR(n.y1, c.ymin - scale.Ypct, 1e-9) << "x number " << k;
            EXPECT_EQ(n.colour, kBlack) << "x number " << k;
        }
    }
}

TEST(DiagramDrawingTest, DrawingMapsTheWindowClearsTheImageAndEndsWithTheFrame) {
    auto scene = makeScene();
    scene->draw();
    const auto& calls = scene->pic.calls();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, CallKind::UserCoordinates);
    expectCorners(calls[0], -0.7992, 5400, 10.7892, -400, "user coordinates");
    EXPECT_EQ(calls[1].kind, CallKind::Retained);
    EXPECT_TRUE(calls[1].on);
    EXPECT_EQ(calls[2].kind, CallKind::Clear);
    const RecordedCall& frame = calls[calls.size() - 2];
    EXPECT_EQ(frame.kind, CallKind::Rectangle);
    expectCorners(frame, 0, 0, 9.99, 5000, "frame");
    EXPECT_EQ(frame.colour, kBlack);
    EXPECT_EQ(calls.back().kind, CallKind::Retained);
    EXPECT_FALSE(calls.back().on);
    for (size_t i = 2; i + 1 < calls.size(); ++i) EXPECT_TRUE(calls[i].retained) << "call " << i << " on the overlay";
}

class ReadinessProbe : public RecordingSurface {
public:
    const Diagram* diagram = nullptr;
    std::vector<int> seen;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override {
        seen.push_back(diagram->DiagramReady);
        RecordingSurface::line(x1, y1, x2, y2, colour);
    }
    void text(const std::string& utf8) override {
        seen.push_back(diagram->DiagramReady);
        RecordingSurface::text(utf8);
    }
};

TEST(DiagramDrawingTest, DiagramIsNotReadyWhileDrawingAndReadyAfterwards) {
    auto scene = makeScene();
    ReadinessProbe probe;
    probe.diagram = &scene->diagram;
    scene->diagram.DiagramReady = 1;
    scene->diagram.scale.DefineScale(0, 9.99, 0, 5000);
    scene->diagram.drawWindow(probe, scene->registers, 0, 9.99, 0, 5000);
    ASSERT_FALSE(probe.seen.empty());
    EXPECT_TRUE(std::all_of(probe.seen.begin(), probe.seen.end(), [](int r) { return r == 0; }));
    EXPECT_EQ(scene->diagram.DiagramReady, 1);
}

TEST(DiagramDrawingTest, EmptyDiagramShowsOnlyGridMarginsNumbersAndFrame) {
    auto scene = makeScene();
    loadSmallCurves(scene->diagram.curves);
    scene->draw();
    EXPECT_EQ(scene->of(CallKind::Line).size(), 21u);
    const auto fills = scene->of(CallKind::FilledRectangle);
    ASSERT_EQ(fills.size(), 4u);
    for (const auto& f : fills) EXPECT_EQ(f.colour, kMargin) << describe(f);
    EXPECT_EQ(scene->of(CallKind::Rectangle).size(), 1u);
    EXPECT_EQ(scene->of(CallKind::Text).size(), 21u);
}

struct LayerFeatures {
    std::array<bool, 5> family{};  // 1 to 4
    bool saturation = false;
    bool regionLabels = false;
    bool criticalPoint = false;
};

LayerFeatures featuresOf(const Scene& scene) {
    LayerFeatures found;
    // Family 4 is black like the frame, but the frame is a rectangle, not a line.
    for (int f = 1; f <= 4; ++f) found.family[f] = !scene.linesIn(kFamilyColour[f]).empty();
    found.saturation = !scene.linesIn(kSaturationColour).empty();
    found.regionLabels = scene.pic.indexOfText("饱和蒸汽") >= 0;
    for (const auto& c : scene.pic.callsOf(CallKind::FilledRectangle))
        if (c.colour == Rgb{255, 100, 0}) found.criticalPoint = true;
    return found;
}

TEST(DiagramDrawingTest, EachLayerSwitchDrawsItsOwnLayerOnly) {
    for (int layer = 0; layer < 9; ++layer) {
        auto scene = makeScene();
        loadSmallCurves(scene->diagram.curves);
        scene->diagram.CHKpic[layer] = true;
        scene->draw();
        const LayerFeatures found = featuresOf(*scene);
        for (int f = 1; f <= 4; ++f) EXPECT_EQ(found.family[f], layer == f - 1) << "layer " << layer << ", family " << f;
        EXPECT_EQ(found.saturation, layer == kSaturationLayer) << "layer " << layer;
        EXPECT_EQ(found.criticalPoint, layer == kCriticalPointLayer) << "layer " << layer;
        EXPECT_EQ(found.regionLabels, layer == kRegionLabels) << "layer " << layer;
    }
}

TEST(DiagramDrawingTest, PickModeSwitchesRedrawTheSameDiagram) {
    auto plain = makeScene();
    loadSmallCurves(plain->diagram.curves);
    plain->diagram.CHKpic[kIsobars] = true;
    plain->draw();
    for (int pick : {kPickEntropy, kPickEntropyEnthalpy}) {
        auto picking = makeScene();
        loadSmallCurves(picking->diagram.curves);
        picking->diagram.CHKpic[kIsobars] = true;
        picking->diagram.CHKpic[pick] = true;
        picking->draw();
        ASSERT_EQ(picking->pic.calls().size(), plain->pic.calls().size()) << "pick box " << pick;
        for (size_t i = 0; i < plain->pic.calls().size(); ++i) {
            const auto& a = plain->pic.calls()[i];
            const auto& b = picking->pic.calls()[i];
            EXPECT_TRUE(a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
                        a.colour == b.colour && a.text == b.text)
                << "pick box " << pick << ", call " << i << ": " << describe(a) << " vs " << describe(b);
        }
    }
}

TEST(DiagramDrawingTest, SaturationLineRunsUpTheSteamBranchAndDownTheWaterBranchTwoPixelsWide) {
    auto scene = makeScene();
    loadSmallCurves(scene->diagram.curves);
    scene->diagram.CHKpic[kSaturationLayer] = true;
    scene->draw();
    const auto segments = scene->linesIn(kSaturationColour, false);
    ASSERT_EQ(segments.size(), 39u);
    const auto& line = scene->diagram.curves.SaturationLine;
    for (int i = 1; i <= 39; ++i) {
        const auto& seg = segments[i - 1];
        expectCorners(seg, line[i].s, line[i].h, line[i + 1].s, line[i + 1].h, "dome segment " + std::to_string(i));
        EXPECT_EQ(seg.width, 2) << "dome segment " << i;
    }
    // Everything after the dome is one pixel wide again.
    const auto& calls = scene->pic.calls();
    const int last = scene->lastIndexOf(CallKind::Line, kSaturationColour);
    for (size_t i = last + 1; i < calls.size(); ++i) EXPECT_EQ(calls[i].width, 1) << "call " << i << describe(calls[i]);
}

TEST(DiagramDrawingTest, RegionLabelsAreWrittenInSongTiThenTheFontReturnsToArial) {
    auto scene = makeScene();
    scene->diagram.CHKpic[kRegionLabels] = true;
    scene->draw();
    struct Label {
        const char* text;
        double s, h;
    };
    const Label labels[] = {{"饱和蒸汽", 7.5, 2750}, {"饱和水", 0.5, 500},   {"湿蒸汽(两相区)", 5.0, 1800},
                            {"水", 2.5, 1700},       {"过热蒸汽", 7.5, 3700}, {"超临界区", 2.5, 3500}};
    int previous = -1;
    for (const Label& label : labels) {
        const int at = scene->pic.indexOfText(label.text);
        ASSERT_GE(at, 0) << label.text;
        EXPECT_GT(at, previous) << label.text << " out of order";
        previous = at;
        const RecordedCall& c = scene->pic.calls()[at];
        EXPECT_EQ(c.x1, label.s) << label.text;
        EXPECT_EQ(c.y1, label.h) << label.text;
        EXPECT_EQ(c.fontFamily, "宋体") << label.text;
        EXPECT_EQ(c.fontPoints, 16) << label.text;
        EXPECT_TRUE(c.bold) << label.text;
        EXPECT_EQ(c.colour, (Rgb{192, 192, 192})) << label.text;
    }
    const auto texts = scene->of(CallKind::Text);
    const RecordedCall& lastNumber = texts.back();
    EXPECT_EQ(lastNumber.text, "9");
    EXPECT_EQ(lastNumber.fontFamily, "Arial");
    EXPECT_EQ(lastNumber.fontPoints, 8);
    EXPECT_FALSE(lastNumber.bold);
    EXPECT_EQ(lastNumber.colour, kBlack);
}

TEST(DiagramDrawingTest, CriticalPointIsAnOrangeSquareWithADarkEdge) {
    auto scene = makeScene();
    scene->diagram.CHKpic[kCriticalPointLayer] = true;
    scene->draw();
    const auto fills = scene->of(CallKind::FilledRectangle);
    const auto edges = scene->of(CallKind::Rectangle);
    ASSERT_EQ(fills.size(), 5u);
    ASSERT_EQ(edges.size(), 2u);
    const double dx = 9.99 / 120, dy = 5000.0 / 120;
    expectCorners(fills[0], 4.407 - dx, 2084.3 - dy, 4.407 + dx, 2084.3 + dy, "critical fill", 1e-4);
    EXPECT_EQ(fills[0].colour, (Rgb{255, 100, 0}));
    expectCorners(edges[0], 4.407 - dx, 2084.3 - dy, 4.407 + dx, 2084.3 + dy, "critical edge", 1e-4);
    EXPECT_EQ(edges[0].colour, (Rgb{30, 30, 0}));
}

TEST(DiagramDrawingTest, CurveLabelSitsAtTheLastPointOfEachCurve) {
    struct Case {
        int f;
        double key;
        const char* label;
    };
    const Case cases[] = {{1, 300, " t=300"}, {2, 0.1, " p=0.1"}, {3, 0.001, " v=0.001"}, {4, 0.9, " x=0.9"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto scene = makeScene();
        putCurve(scene->diagram.curves, c.f, 1, c.key, {{3.0, 1300}, {5.5, 2500}, {6.5, 2800}});
        scene->diagram.CHKpic[c.f - 1] = true;
        scene->draw();
        EXPECT_EQ(scene->linesIn(kFamilyColour[c.f]).size(), 2u);
        const int at = scene->pic.indexOfText(c.label);
        ASSERT_GE(at, 4);
        const auto& calls = scene->pic.calls();
        EXPECT_EQ(calls[at].x1, 6.5);
        EXPECT_EQ(calls[at].y1, 2800);
        EXPECT_EQ(calls[at].colour, kFamilyColour[c.f]);
        const double top = 2800 - 5000.0 / 200, bottom = 2800 - 5000.0 / 35, right = 6.5 + 9.99 / 11;
        const RecordedCall& box = calls[at - 4];
        EXPECT_EQ(box.kind, CallKind::FilledRectangle);
        EXPECT_EQ(box.colour, (Rgb{220, 220, 220}));
        expectCorners(box, 6.5, top, right, bottom, "label box", 1e-4);
        const RecordedCall& edge = calls[at - 3];
        EXPECT_EQ(edge.kind, CallKind::Rectangle);
        EXPECT_EQ(edge.colour, kFamilyColour[c.f]);
        expectCorners(edge, 6.5, top, right, bottom, "label edge", 1e-4);
        ASSERT_LT(at + 1, static_cast<int>(calls.size()));
        EXPECT_EQ(calls[at + 1].kind, CallKind::TextColour);
        EXPECT_EQ(calls[at + 1].colour, kBlack);
        EXPECT_EQ(scene->textsStartingWith(" ").size(), 1u);
    }
}

TEST(DiagramDrawingTest, CurvesWithEqualKeysInARowMergeIntoOne) {
    struct Case {
        const char* name;
        double firstKey, secondKey;
        size_t segments;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {"same key twice: joined, one label", 300, 300, 3, {" t=300"}},
        {"different keys: two curves, two labels", 300, 350, 2, {" t=300", " t=350"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto scene = makeScene();
        putCurve(scene->diagram.curves, 1, 1, c.firstKey, {{2.0, 900}, {3.0, 1400}});
        putCurve(scene->diagram.curves, 1, 3, c.secondKey, {{2.5, 1000}, {3.5, 1500}});
        scene->diagram.CHKpic[kIsotherms] = true;
        scene->draw();
        const auto segments = scene->linesIn(kFamilyColour[1]);
        EXPECT_EQ(segments.size(), c.segments);
        std::vector<std::string> labels;
        for (const auto& t : scene->textsStartingWith(" t=")) labels.push_back(t.text);
        EXPECT_EQ(labels, c.labels);
    }
}

TEST(DiagramDrawingTest, CurveEndingInTheLastSlotGetsNoLabel) {
    auto scene = makeScene();
    for (int j = 1; j <= kCurveSlots; ++j)
        scene->diagram.curves.CurveFamily[2][j] = CurvePoint{5, 1000.0 + j, 2.0 + j / 400.0};
    scene->diagram.CHKpic[kIsobars] = true;
    scene->draw();
    EXPECT_EQ(scene->linesIn(kFamilyColour[2]).size(), 799u);
    EXPECT_TRUE(scene->textsStartingWith(" p=").empty());
}

TEST(DiagramDrawingTest, FirstDrawingBeforeTheCurvesAreLoadedHasNoCurves) {
    auto scene = makeScene();
    scene->diagram.CHKpic.fill(true);
    scene->draw();
    for (int f = 1; f <= 4; ++f) EXPECT_TRUE(scene->linesIn(kFamilyColour[f]).empty()) << "family " << f;
    EXPECT_TRUE(scene->linesIn(kSaturationColour).empty());
    for (const char* prefix : {" t=", " p=", " v=", " x="}) EXPECT_TRUE(scene->textsStartingWith(prefix).empty()) << prefix;
    // The layers that need no data are there.
    EXPECT_GE(scene->pic.indexOfText("水"), 0);
}

struct MarkerWindow {
    const char* name;
    double xmin, xmax, ymin, ymax;
};

TEST(DiagramDrawingTest, StateRegisterMarkerIsASquareWithItsLabelBox) {
    const MarkerWindow windows[] = {{"default window", 0, 9.99, 0, 5000}, {"zoomed", 5, 7, 2500, 3000}};
    for (const MarkerWindow& w : windows) {
        SCOPED_TRACE(w.name);
        auto scene = makeScene();
        storeState(scene->registers, 6, 2800, 6.5);  // M7
        scene->registers.setShown(6, true);
        scene->draw(w.xmin, w.xmax, w.ymin, w.ymax);
        const double xs = w.xmax - w.xmin, ys = w.ymax - w.ymin;
        const int at = scene->pic.indexOfText("( s , h ) M7");
        ASSERT_GE(at, 3);
        const auto& calls = scene->pic.calls();
        EXPECT_DOUBLE_EQ(calls[at].x1, 6.5);
        EXPECT_DOUBLE_EQ(calls[at].y1, 2800);
        const RecordedCall& box = calls[at - 4];
        const RecordedCall& dot = calls[at - 3];
        const RecordedCall& edge = calls[at - 2];
        EXPECT_EQ(box.kind, CallKind::FilledRectangle);
        EXPECT_EQ(box.colour, (Rgb{155, 255, 180}));
        expectCorners(box, 6.5, 2800 - ys / 120, 6.5 + xs / 19, 2800 - ys / 37, "label box", 1e-4);
        EXPECT_EQ(dot.kind, CallKind::FilledRectangle);
        EXPECT_EQ(dot.colour, (Rgb{255, 0, 0}));
        expectCorners(dot, 6.5 - xs / 120, 2800 - ys / 120, 6.5 + xs / 120, 2800 + ys / 120, "square", 1e-4);
        EXPECT_EQ(edge.kind, CallKind::Rectangle);
        EXPECT_EQ(edge.colour, (Rgb{0, 255, 50}));
        expectCorners(edge, dot.x1, dot.y1, dot.x2, dot.y2, "square edge", 0);
    }
    // The worked figures for the default window.
    auto scene = makeScene();
    storeState(scene->registers, 6, 2800, 6.5);
    scene->registers.setShown(6, true);
    scene->draw();
    const auto& dot = scene->pic.calls()[scene->pic.indexOfText("( s , h ) M7") - 3];
    expectCorners(dot, 6.417, 2758.3, 6.583, 2841.7, "square of M7", 1e-3);
}

TEST(DiagramDrawingTest, RegistersAndResultsAreMarkedOnlyWhenTheirConditionsHold) {
    struct Case {
        const char* name;
        std::function<void(calc::RegisterStore&)> setUp;
        std::vector<std::string> expectedTexts;
    };
    const Case cases[] = {
        {"M1 shown", [](calc::RegisterStore& r) { storeSaturation(r, 0, 419.1, 2676, 1.307, 7.355); r.setShown(0, true); },
         {" ( s', h') M1", "(s'', h'') M1"}},
        {"M3 stored, not shown", [](calc::RegisterStore& r) { storeSaturation(r, 2, 419.1, 2676, 1.307, 7.355); }, {}},
        {"M5 shown while empty, at (0, 0)", [](calc::RegisterStore& r) { r.setShown(4, true); },
         {" ( s', h') M5", "(s'', h'') M5"}},
        {"M6 shown with h = 0", [](calc::RegisterStore& r) { storeState(r, 5, 0, 6.5); r.setShown(5, true); }, {}},
        {"M9 shown", [](calc::RegisterStore& r) { storeState(r, 8, 3000, 6.8); r.setShown(8, true); },
         {"( s , h ) M9"}},
        {"current saturation result", [](calc::RegisterStore& r) { r.setCurrentSatPoint({100, 0.1, 0.001, 1.67, 419, 2676, 1.3, 7.35}); },
         {" ( s', h')", "(s'', h'')"}},
        {"current saturation result with h'' = 0", [](calc::RegisterStore& r) { r.setCurrentSatPoint({100, 0.1, 0.001, 1.67, 419, 0, 1.3, 7.35}); },
         {}},
        {"current state result", [](calc::RegisterStore& r) { r.setCurrentStatePoint({200, 3.5, 0.001, 853.8, 2.33, 0}); },
         {"( s , h )"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto scene = makeScene();
        c.setUp(scene->registers);
        scene->draw();
        std::vector<std::string> markerTexts;
        for (const auto& t : scene->of(CallKind::Text))
            if (t.text.find('(') != std::string::npos) markerTexts.push_back(t.text);
        EXPECT_EQ(markerTexts, c.expectedTexts);
    }
}

TEST(DiagramDrawingTest, CurrentSaturationResultDrawsSixRectanglesAndTwoTexts) {
    auto baseline = makeScene();
    baseline->draw();
    auto scene = makeScene();
    scene->registers.setCurrentSatPoint({100, 0.101325, 0.0010435, 1.6718, 419.1, 2675.6, 1.3070, 7.3541});
    scene->draw();
    const size_t rectangles = scene->of(CallKind::FilledRectangle).size() + scene->of(CallKind::Rectangle).size();
    const size_t baseRectangles =
        baseline->of(CallKind::FilledRectangle).size() + baseline->of(CallKind::Rectangle).size();
    EXPECT_EQ(rectangles - baseRectangles, 6u);
    EXPECT_EQ(scene->of(CallKind::Text).size() - baseline->of(CallKind::Text).size(), 2u);
    const auto& calls = scene->pic.calls();
    const int water = scene->pic.indexOfText(" ( s', h')");
    const int steam = scene->pic.indexOfText("(s'', h'')");
    ASSERT_GE(water, 0);
    ASSERT_GT(steam, water);
    EXPECT_NEAR(calls[water].x1, 1.3070, 1e-6);
    EXPECT_NEAR(calls[water].y1, 419.1, 1e-4);
    EXPECT_NEAR(calls[steam].x1, 7.3541, 1e-6);
    EXPECT_NEAR(calls[steam].y1, 2675.6, 1e-4);
    EXPECT_EQ(calls[steam - 3].colour, (Rgb{250, 60, 160}));
    EXPECT_EQ(calls[steam - 2].colour, (Rgb{140, 0, 50}));
    EXPECT_EQ(calls[steam - 4].colour, (Rgb{255, 255, 180}));
    EXPECT_NEAR(calls[steam - 4].x2 - calls[steam - 4].x1, 9.99 / 16, 1e-6);
}

TEST(DiagramDrawingTest, MarkersFollowPanelOrderAndMarginBandsComeAfterThemInOrder) {
    auto scene = makeScene();
    loadSmallCurves(scene->diagram.curves);
    scene->diagram.CHKpic.fill(true);
    for (int r = 0; r < 5; ++r) {
        storeSaturation(scene->registers, r, 400 + 50 * r, 2650 + 10 * r, 1.2 + 0.1 * r, 7.4 - 0.1 * r);
        scene->registers.setShown(r, true);
    }
    for (int r = 5; r < 9; ++r) {
        storeState(scene->registers, r, 2000 + 300 * r, 5 + 0.4 * r);
        scene->registers.setShown(r, true);
    }
    scene->registers.setCurrentSatPoint({100, 0.1, 0.001, 1.67, 419, 2676, 1.3, 7.35});
    scene->registers.setCurrentStatePoint({200, 3.5, 0.001, 853.8, 2.33, 0});
    // A state point near the right edge: its label reaches into the margin.
    scene->registers.store(8, {"500", "1", "0.3", "3480", "9.9", "(none)"});
    scene->draw();

    std::vector<int> markerTexts;
    for (const char* text : {" ( s', h') M1", " ( s', h') M2", " ( s', h') M3", " ( s', h') M4", " ( s', h') M5",
                             "( s , h ) M6", "( s , h ) M7", "( s , h ) M8", "( s , h ) M9", " ( s', h')",
                             "( s , h )"}) {
        markerTexts.push_back(scene->pic.indexOfText(text));
        EXPECT_GE(markerTexts.back(), 0) << text;
    }
    EXPECT_TRUE(std::is_sorted(markerTexts.begin(), markerTexts.end()));

    const auto& calls = scene->pic.calls();
    std::vector<int> bands;
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].kind == CallKind::FilledRectangle && calls[i].colour == kMargin) bands.push_back(static_cast<int>(i));
    ASSERT_EQ(bands.size(), 4u);
    for (size_t k = 1; k < bands.size(); ++k) EXPECT_EQ(bands[k], bands[0] + static_cast<int>(k)) << "bands not in a row";
    const DiagramScale& s = scene->diagram.scale;
    expectCorners(calls[bands[0]], s.XminExt, s.YminExt, s.XmaxExt, 0, "bottom band");
    expectCorners(calls[bands[1]], s.XminExt, 5000, s.XmaxExt, s.YmaxExt, "top band");
    expectCorners(calls[bands[2]], s.XminExt, s.YminExt, 0, s.YmaxExt, "left band");
    expectCorners(calls[bands[3]], 9.99, s.YminExt, s.XmaxExt, s.YmaxExt, "right band");
    EXPECT_GT(bands[0], markerTexts.back());

    // After the bands only numbers and the frame are drawn.
    for (size_t i = bands[3] + 1; i < calls.size(); ++i) {
        const CallKind k = calls[i].kind;
        const bool allowed = k == CallKind::CurrentPosition || k == CallKind::Text || k == CallKind::Retained ||
                             (k == CallKind::Rectangle && calls[i].colour == kBlack);
        EXPECT_TRUE(allowed) << "call " << i << " after the bands: " << describe(calls[i]);
    }
}

TEST(DiagramDrawingTest, ZoomDrawsTheDraggedRectangleAndRestoreReturnsToTheDefault) {
    auto scene = makeScene();
    Diagram& d = scene->diagram;
    d.scale.DefineScale(0, 9.99, 0, 5000);
    d.scale.DragStartX = 6.25f;
    d.scale.DragStartY = 2100.0f;
    d.scale.DragEndX = 3.5f;
    d.scale.DragEndY = 3200.0f;
    d.ZoomWindow(scene->pic, scene->registers);
    EXPECT_EQ(d.scale.Xspan, 2.75);
    EXPECT_EQ(d.scale.Yspan, 1100.0f);
    const auto& zoomed = scene->pic.calls();
    expectCorners(zoomed[0], 3.5 - 0.22, 3200 + 88, 6.25 + 0.22, 2100 - 88, "zoomed mapping", 1e-9);
    expectCorners(zoomed[zoomed.size() - 2], 3.5, 2100, 6.25, 3200, "zoomed frame", 0);

    scene->pic.reset();
    d.scale.ViewXmin += 1;  // a pan keeps the spans
    d.scale.ViewXmax += 1;
    d.redraw(scene->pic, scene->registers);
    const auto& panned = scene->pic.calls();
    expectCorners(panned[panned.size() - 2], 4.5, 2100, 7.25, 3200, "panned frame", 0);

    scene->pic.reset();
    d.restoreDefault(scene->pic, scene->registers);
    EXPECT_EQ(d.scale.ViewXmin, 0.0);
    EXPECT_EQ(d.scale.ViewXmax, 9.99);
    EXPECT_EQ(d.scale.ViewYmin, 0.0);
    EXPECT_EQ(d.scale.ViewYmax, 5000.0);
    EXPECT_EQ(d.scale.Xspan, 9.99);
    const auto& restored = scene->pic.calls();
    expectCorners(restored[restored.size() - 2], 0, 0, 9.99, 5000, "restored frame", 0);
}

}  // namespace
}  // namespace steam::diagram
