// DefineScale and the tick rule decide where grid lines and axis numbers fall; the default
// window, spans of exactly a power of ten and spans of each leading digit must come out
// exactly, single-precision rounding included. A zoom window is the
// dragged rectangle whatever the drag direction.
#include "diagram/diagram_scale.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace steam::diagram {
namespace {

TEST(DiagramScaleTest, DefineScaleDerivesTickParametersFromTheSpans) {
    struct Case {
        const char* name;
        double xmin, xmax, ymin, ymax;
        float Yspan, XtickEnd, YtickEnd;
        int Xdecimals, Ydecimals;
        double XtickUnit, YtickUnit;
    };
    const Case cases[] = {
        {"default window", 0, 9.99, 0, 5000, 5000, 10, 6, 0, -3, 1.0, 0.5},
        {"span exactly 10; h 2040..2540", 0, 10, 2040, 2540, 500, 11, 6, 0, -2, 1.0, 0.5},
        {"leading digits 1 and 2", 2, 3.5, 0, 250, 250, 2, 3, 0, -2, 0.2, 1.0 / 3},
        {"leading digit 3: 10/4 rounds up to 3", 0, 3.7, 0, 45, 45, 4, 5, 0, -1, 1.0 / 3, 0.5},
        {"half a unit wide", 4.2, 4.7, 2500, 2570, 70, 6, 8, 1, -1, 0.5, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DiagramScale scale;
        scale.DefineScale(c.xmin, c.xmax, c.ymin, c.ymax);
        EXPECT_EQ(scale.Xspan, c.xmax - c.xmin);
        EXPECT_EQ(scale.Yspan, c.Yspan);
        EXPECT_EQ(scale.Xpct, (c.xmax - c.xmin) / 100);
        EXPECT_EQ(scale.Ypct, c.Yspan / 100.0f);
        EXPECT_EQ(scale.XtickEnd, c.XtickEnd);
        EXPECT_EQ(scale.YtickEnd, c.YtickEnd);
        EXPECT_EQ(scale.Xdecimals, c.Xdecimals);
        EXPECT_EQ(scale.Ydecimals, c.Ydecimals);
        EXPECT_DOUBLE_EQ(scale.XtickUnit, c.XtickUnit);
        EXPECT_DOUBLE_EQ(scale.YtickUnit, c.YtickUnit);
    }
}

TEST(DiagramScaleTest, TickValuesFollowTheRuleOnBothAxes) {
    const double third = 1.0 / 3;
    struct Case {
        const char* name;
        bool vertical;
        double min, max;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {"default s axis", false, 0, 9.99, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"default h axis", true, 0, 5000, {0, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000}},
        {"span exactly 10 uses 0 to 10", false, 0, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"h 2040..2540 starts below the window", true, 2040, 2540,
         {2000, 2050, 2100, 2150, 2200, 2250, 2300, 2350, 2400, 2450, 2500}},
        {"spacing 0.2", false, 2, 3.5, {2, 2.2, 2.4, 2.6, 2.8, 3, 3.2, 3.4}},
        {"spacing 0.2 on the h axis", true, 2000, 2150, {2000, 2020, 2040, 2060, 2080, 2100, 2120, 2140}},
        {"dragged window: 4.7 as a single reaches the single bound", false, 4.2f, 4.7f,
         {4.2, 4.25, 4.3, 4.35, 4.4, 4.45, 4.5, 4.55, 4.6, 4.65, 4.7}},
        {"spacing in thirds", false, 0, 3.7,
         {0, third, 2 * third, 1, 1 + third, 1 + 2 * third, 2, 2 + third, 2 + 2 * third, 3, 3 + third, 3 + 2 * third}},
        {"half-tenths, 4.7 kept after single rounding", false, 4.2, 4.7,
         {4.2, 4.25, 4.3, 4.35, 4.4, 4.45, 4.5, 4.55, 4.6, 4.65, 4.7}},
        {"panned by 0.3: 0 left of the window is kept", false, 0.3, 10.29, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"panned by 0.6: base rounds up to 1", false, 0.6, 10.59, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const Case& c : cases) {
        DiagramScale scale;
        if (c.vertical)
            scale.DefineScale(0, 9.99, c.min, c.max);
        else
            scale.DefineScale(c.min, c.max, 0, 5000);
        const auto values = c.vertical ? scale.yTickValues(c.min, c.max) : scale.xTickValues(c.min, c.max);
        std::ostringstream got;
        for (double v : values) got << v << ' ';
        ASSERT_EQ(values.size(), c.expected.size()) << c.name << ": got " << got.str();
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values[i], static_cast<float>(c.expected[i])) << c.name << ", value " << i << ": got " << got.str();
    }
}

TEST(DiagramScaleTest, ZoomRectangleIsOrderedWhateverTheDragDirection) {
    struct Drag {
        float startX, startY, endX, endY;
    };
    const Drag drags[] = {{3.5f, 3200, 6.25f, 2100}, {6.25f, 2100, 3.5f, 3200}, {3.5f, 2100, 6.25f, 3200},
                          {6.25f, 3200, 3.5f, 2100}};
    for (const Drag& d : drags) {
        DiagramScale scale;
        scale.DragStartX = d.startX;
        scale.DragStartY = d.startY;
        scale.DragEndX = d.endX;
        scale.DragEndY = d.endY;
        scale.setViewFromDrag();
        const std::string context = "drag from (" + std::to_string(d.startX) + ", " + std::to_string(d.startY) + ")";
        EXPECT_EQ(scale.ViewXmin, 3.5) << context;
        EXPECT_EQ(scale.ViewXmax, 6.25) << context;
        EXPECT_EQ(scale.ViewYmin, 2100.0) << context;
        EXPECT_EQ(scale.ViewYmax, 3200.0) << context;
    }
}

}  // namespace
}  // namespace steam::diagram
