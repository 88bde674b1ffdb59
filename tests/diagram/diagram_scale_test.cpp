// DefineScale and the tick rule decide where grid lines and axis numbers fall; the worked
// windows must come out exactly, single-precision rounding included. A zoom window is the
// dragged rectangle whatever the drag direction.
#include "diagram/diagram_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

namespace steam::diagram {
namespace {

std::string listText(const std::vector<double>& values) {
    std::ostringstream out;
    for (double v : values) out << v << ' ';
    return out.str();
}

void expectValues(const std::vector<double>& actual, const std::vector<double>& expected, const std::string& context) {
    ASSERT_EQ(actual.size(), expected.size())
        << context << "\n  got:      " << listText(actual) << "\n  expected: " << listText(expected);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], static_cast<double>(static_cast<float>(expected[i])))
            << context << " value " << i << "\n  got: " << listText(actual);
}

struct ScaleCase {
    const char* name;
    double xmin, xmax, ymin, ymax;
    double Xspan;
    float Yspan;
    float XtickEnd, YtickEnd;
    int Xdecimals, Ydecimals;
    double XtickUnit, YtickUnit;
};

TEST(DiagramScaleTest, DefineScaleDerivesTickParametersFromTheSpans) {
    const ScaleCase cases[] = {
        {"default window", 0, 9.99, 0, 5000, 9.99, 5000.0f, 10, 6, 0, -3, 1.0, 0.5},
        {"span exactly 10, h 2040..2540", 0, 10, 2040, 2540, 10, 500.0f, 11, 6, 0, -2, 1.0, 0.5},
        {"leading digit 1", 2, 3.5, 1000, 2900, 1.5, 1900.0f, 2, 2, 0, -3, 0.2, 0.2},
        {"leading digit 2", 1, 3.5, 0, 250, 2.5, 250.0f, 3, 3, 0, -2, 1.0 / 3, 1.0 / 3},
        {"leading digit 3 (10/4 rounds up)", 0, 3.7, 0, 3900, 3.7, 3900.0f, 4, 4, 0, -3, 1.0 / 3, 1.0 / 3},
        {"leading digit 4", 4, 8.5, 2000, 2045, 4.5, 45.0f, 5, 5, 0, -1, 0.5, 0.5},
        {"small window", 4.2, 4.7, 2500, 2570, 4.7 - 4.2, 70.0f, 6, 8, 1, -1, 0.5, 1.0},
        {"span 100", 5, 105, 2000, 2100, 100, 100.0f, 11, 11, -1, -1, 1.0, 1.0},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        DiagramScale scale;
        scale.DefineScale(c.xmin, c.xmax, c.ymin, c.ymax);
        EXPECT_EQ(scale.Xspan, c.Xspan);
        EXPECT_EQ(scale.Yspan, c.Yspan);
        EXPECT_EQ(scale.Xpct, c.Xspan / 100);
        EXPECT_EQ(scale.Ypct, c.Yspan / 100.0f);
        EXPECT_EQ(scale.XtickEnd, c.XtickEnd);
        EXPECT_EQ(scale.YtickEnd, c.YtickEnd);
        EXPECT_EQ(scale.Xdecimals, c.Xdecimals);
        EXPECT_EQ(scale.Ydecimals, c.Ydecimals);
        EXPECT_DOUBLE_EQ(scale.XtickUnit, c.XtickUnit);
        EXPECT_DOUBLE_EQ(scale.YtickUnit, c.YtickUnit);
    }
}

TEST(DiagramScaleTest, HeightSpanIsKeptInSinglePrecision) {
    DiagramScale scale;
    scale.DefineScale(0, 9.99, 0.1, 2345.678901);
    EXPECT_EQ(scale.Yspan, static_cast<float>(2345.678901 - 0.1));
    EXPECT_NE(static_cast<double>(scale.Yspan), 2345.678901 - 0.1);
    EXPECT_EQ(scale.Ypct, scale.Yspan / 100.0f);
}

struct TickCase {
    const char* name;
    double min, max;  // the window along the axis under test
    double otherMin, otherMax;
    bool vertical;
    std::vector<double> expected;
};

TEST(DiagramScaleTest, TickValuesFollowTheRuleForEachAxis) {
    const double third = 1.0 / 3;
    const TickCase cases[] = {
        {"default s axis", 0, 9.99, 0, 5000, false, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"default h axis", 0, 5000, 0, 9.99, true,
         {0, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000}},
        {"s span exactly 10 uses 0..10", 0, 10, 0, 5000, false, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"h 2040..2540 starts below the window", 2040, 2540, 0, 9.99, true,
         {2000, 2050, 2100, 2150, 2200, 2250, 2300, 2350, 2400, 2450, 2500}},
        {"spacing 0.2 for leading digit 1", 2, 3.5, 0, 5000, false,
         {2, 2.2, 2.4, 2.6, 2.8, 3, 3.2, 3.4}},
        {"thirds for leading digit 2", 1, 3.5, 0, 5000, false,
         {1, 1 + third, 1 + 2 * third, 2, 2 + third, 2 + 2 * third, 3, 3 + third}},
        {"thirds for leading digit 3", 0, 3.7, 0, 5000, false,
         {0, third, 2 * third, 1, 1 + third, 1 + 2 * third, 2, 2 + third, 2 + 2 * third, 3, 3 + third,
          3 + 2 * third}},
        {"tenths halved in a small window", 4.2, 4.7, 2500, 2570, false,
         {4.2, 4.25, 4.3, 4.35, 4.4, 4.45, 4.5, 4.55, 4.6, 4.65, 4.7}},
        {"span 100 in steps of 10", 2000, 2100, 0, 9.99, true,
         {2000, 2010, 2020, 2030, 2040, 2050, 2060, 2070, 2080, 2090, 2100}},
    };
    for (const TickCase& c : cases) {
        DiagramScale scale;
        if (c.vertical)
            scale.DefineScale(c.otherMin, c.otherMax, c.min, c.max);
        else
            scale.DefineScale(c.min, c.max, c.otherMin, c.otherMax);
        const auto values = c.vertical ? scale.yTickValues(c.min, c.max) : scale.xTickValues(c.min, c.max);
        expectValues(values, c.expected, c.name);
    }
}

TEST(DiagramScaleTest, PanMovesTheTickBaseButNotTheSpacing) {
    struct PanCase {
        double shift;
        std::vector<double> expected;
    };
    const PanCase cases[] = {
        {0.0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {0.3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},  // 0 lies left of the window and is kept
        {0.6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {-2.4, {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7}},
    };
    DiagramScale scale;
    scale.DefineScale(0, 9.99, 0, 5000);
    const DiagramScale before = scale;
    for (const PanCase& c : cases) {
        expectValues(scale.xTickValues(0 + c.shift, 9.99 + c.shift), c.expected,
                     "s window shifted by " + std::to_string(c.shift));
        EXPECT_EQ(scale.XtickUnit, before.XtickUnit);
    }
}

TEST(DiagramScaleTest, ZoomRectangleIsOrderedWhateverTheDragDirection) {
    struct Drag {
        const char* name;
        float startX, startY, endX, endY;
    };
    const Drag drags[] = {
        {"upper left to lower right", 3.5f, 3200.0f, 6.25f, 2100.0f},
        {"lower right to upper left", 6.25f, 2100.0f, 3.5f, 3200.0f},
        {"lower left to upper right", 3.5f, 2100.0f, 6.25f, 3200.0f},
        {"upper right to lower left", 6.25f, 3200.0f, 3.5f, 2100.0f},
    };
    for (const Drag& d : drags) {
        SCOPED_TRACE(d.name);
        DiagramScale scale;
        scale.DragStartX = d.startX;
        scale.DragStartY = d.startY;
        scale.DragEndX = d.endX;
        scale.DragEndY = d.endY;
        scale.setViewFromDrag();
        EXPECT_EQ(scale.ViewXmin, 3.5);
        EXPECT_EQ(scale.ViewXmax, 6.25);
        EXPECT_EQ(scale.ViewYmin, 2100.0);
        EXPECT_EQ(scale.ViewYmax, 3200.0);
    }
}

TEST(DiagramScaleTest, SurfaceEdgesLeaveEightPercentMargins) {
    DiagramScale scale;
    scale.DefineScale(0, 9.99, 0, 5000);
    scale.setSurfaceEdges(0, 9.99, 0, 5000);
    EXPECT_DOUBLE_EQ(scale.XminExt, -0.7992);
    EXPECT_DOUBLE_EQ(scale.XmaxExt, 10.7892);
    EXPECT_DOUBLE_EQ(scale.YminExt, -400.0);
    EXPECT_DOUBLE_EQ(scale.YmaxExt, 5400.0);
}

}  // namespace
}  // namespace steam::diagram
