// The tick rule decides where grid lines and axis numbers fall: steps of 1, 2 or 5 times a
// power of ten, ticks at the multiples inside the window, each number naming the value of
// its line. A zoom window is the dragged rectangle whatever the drag direction.
#include "diagram/diagram_scale.h"
#include "diagram/axis_ticks.h"

#include "numeric/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <vector>

namespace steam::diagram {
namespace {

std::string joined(const std::vector<AxisTick>& ticks) {
    std::ostringstream out;
    for (const AxisTick& t : ticks) out << t.text << ' ';
    return out.str();
}

TEST(DiagramScaleTest, DefineScaleDerivesSpansAndSteps) {
    struct Case {
        const char* name;
        double xmin, xmax, ymin, ymax;
        double XtickStep, YtickStep;
    };
    const Case cases[] = {
        {"default window", 0, 9.99, 0, 5000, 1, 500},       {"s 6-8, h 2600-3800", 6, 8, 2600, 3800, 0.2, 100},
        {"s 5-8, h 2000-3000", 5, 8, 2000, 3000, 0.5, 100}, {"s 0-2, h 0-600", 0, 2, 0, 600, 0.2, 50},
        {"a sliver", 4.2, 4.7, 2500, 2501.5, 0.05, 0.2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DiagramScale scale;
        scale.DefineScale(c.xmin, c.xmax, c.ymin, c.ymax);
        EXPECT_EQ(scale.Xspan, c.xmax - c.xmin);
        EXPECT_EQ(scale.Yspan, static_cast<float>(c.ymax - c.ymin));
        EXPECT_EQ(scale.Xpct, (c.xmax - c.xmin) / 100);
        EXPECT_EQ(scale.Ypct, static_cast<float>(c.ymax - c.ymin) / 100.0f);
        EXPECT_DOUBLE_EQ(scale.XtickStep, c.XtickStep);
        EXPECT_DOUBLE_EQ(scale.YtickStep, c.YtickStep);
    }
}

TEST(DiagramScaleTest, TicksOfWorkedWindows) {
    struct Case {
        const char* name;
        bool vertical;
        double min, max;
        const char* expected;
    };
    const Case cases[] = {
        {"default s axis", false, 0, 9.99, "0 1 2 3 4 5 6 7 8 9 "},
        {"default h axis", true, 0, 5000, "0 500 1000 1500 2000 2500 3000 3500 4000 4500 5000 "},
        {"h 2600-3800 is gridded from its bottom", true, 2600, 3800,
         "2600 2700 2800 2900 3000 3100 3200 3300 3400 3500 3600 3700 3800 "},
        {"s 5-6 in tenths, never thirds", false, 5, 6, "5 5.1 5.2 5.3 5.4 5.5 5.6 5.7 5.8 5.9 6 "},
        {"a bound that is a multiple in single precision keeps its tick", false, 4.2f, 4.7f,
         "4.2 4.25 4.3 4.35 4.4 4.45 4.5 4.55 4.6 4.65 4.7 "},
        {"panned by 0.3: the first tick is the first inside", false, 0.3, 10.29, "1 2 3 4 5 6 7 8 9 10 "},
        {"h 2040-2540 starts at 2050", true, 2040, 2540, "2050 2100 2150 2200 2250 2300 2350 2400 2450 2500 "},
        {"below zero", true, -130, 20, "-120 -100 -80 -60 -40 -20 0 20 "},
    };
    for (const Case& c : cases) {
        DiagramScale scale;
        if (c.vertical)
            scale.DefineScale(0, 9.99, c.min, c.max);
        else
            scale.DefineScale(c.min, c.max, 0, 5000);
        const auto ticks = c.vertical ? scale.yTicks(c.min, c.max) : scale.xTicks(c.min, c.max);
        EXPECT_EQ(joined(ticks), c.expected) << c.name;
    }
}

// Over many windows, from a sliver to the whole chart: the step is 1, 2 or 5 times a power
// of ten, the ticks are its multiples, all inside the window, leaving less than a step
// bare at either end; each text reads back as the value of its line.
TEST(DiagramScaleTest, TicksCoverEveryWindowAndNameTheirLines) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 3000; ++trial) {
        const double span = std::pow(10.0, -3 + 7 * unit(random));
        const double min = (unit(random) - 0.3) * 4 * span;
        const double max = min + span;
        const double step = tickStep(span, kMaxTickIntervals);
        const auto ticks = linearTicks(min, max, step);
        const std::string context =
            "window " + std::to_string(min) + " .. " + std::to_string(max) + ": " + joined(ticks);
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        ASSERT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9)
            << context << ", step " << step;
        ASSERT_GE(ticks.size(), 4u) << context;
        ASSERT_LE(ticks.size(), static_cast<size_t>(kMaxTickIntervals + 1)) << context;
        EXPECT_LT(ticks.front().value - min, step) << context;
        EXPECT_LT(max - ticks.back().value, step) << context;
        for (size_t i = 0; i < ticks.size(); ++i) {
            const double value = ticks[i].value;
            ASSERT_TRUE(value >= min - 1e-4 * step && value <= max + 1e-4 * step) << context;
            ASSERT_EQ(numeric::readNumber(ticks[i].text), value) << context;
            ASSERT_NEAR(value / step, std::round(value / step), 1e-6) << context;
            if (i > 0) {
                ASSERT_NEAR(value - ticks[i - 1].value, step, 1e-9 * span) << context;
            }
        }
    }
}

TEST(DiagramScaleTest, LogarithmicAxisTicksOneTwoFiveThenDecades) {
    struct Case {
        double min, max;
        int maxTicks;
        const char* expected;
    };
    const Case cases[] = {
        {0.001, 0.1, 12, "0.001 0.002 0.005 0.01 0.02 0.05 0.1 "},
        {0.0015, 30, 14, "0.002 0.005 0.01 0.02 0.05 0.1 0.2 0.5 1 2 5 10 20 "},
        {0.001, 100, 12, "0.001 0.01 0.1 1 10 100 "},
        {1e-6, 1e6, 8, "1e-06 0.0001 0.01 1 100 10000 1000000 "},
        // Up to the largest numbers: the decade above the window is past a double's range.
        {0.001, 1e307, 16,
         "1 1e+20 1e+40 1e+60 1e+80 1e+100 1e+120 1e+140 1e+160 1e+180 1e+200 1e+220 1e+240 1e+260 1e+280 1e+300 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(joined(logTicks(c.min, c.max, c.maxTicks)), c.expected) << c.min << " .. " << c.max;
    EXPECT_TRUE(logTicks(0, 10, 12).empty());
    EXPECT_TRUE(linearTicks(0, 10, 0).empty());
}

// A logarithmic axis is ticked at the logarithms of round numbers, labelled with the numbers;
// a window too narrow for 1, 2 and 5 of a decade is ticked at round steps of the numbers.
TEST(DiagramScaleTest, LogarithmicAxesAreTickedAtTheLogarithmsOfRoundNumbers) {
    struct Case {
        double min, max;  // the numbers at the window's ends
        bool across;
        const char* expected;
    };
    const Case cases[] = {
        {0.0005, 500, true, "0.001 0.01 0.1 1 10 100 "},
        {0.0005, 100, false, "0.001 0.01 0.1 1 10 100 "},
        {0.05, 2, true, "0.05 0.1 0.2 0.5 1 2 "},
        {1.1, 1.9, true, "1.1 1.2 1.3 1.4 1.5 1.6 1.7 1.8 1.9 "},
        {22, 23, false, "22 22.1 22.2 22.3 22.4 22.5 22.6 22.7 22.8 22.9 23 "},
    };
    for (const Case& c : cases) {
        DiagramScale scale;
        scale.Xlog = scale.Ylog = true;
        const double min = std::log10(c.min), max = std::log10(c.max);
        scale.DefineScale(min, max, min, max);
        const std::vector<AxisTick> ticks = c.across ? scale.xTicks(min, max) : scale.yTicks(min, max);
        EXPECT_EQ(joined(ticks), c.expected) << c.min << " .. " << c.max;
        for (const AxisTick& t : ticks) EXPECT_NEAR(t.value, std::log10(numeric::readNumber(t.text)), 1e-12) << t.text;
        // Numbered at whole decades: unnumbered lines at 2 and 5 of each, none otherwise.
        const std::vector<double> minor =
            c.across ? scale.xMinorTicks(min, max, ticks) : scale.yMinorTicks(min, max, ticks);
        EXPECT_EQ(minor.size(), c.min != 0.0005 ? 0u : c.across ? 13u : 11u) << c.min << " .. " << c.max;
        for (double m : minor) {
            const double mantissa = std::pow(10.0, m - std::floor(m + 1e-9));
            EXPECT_TRUE(std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9) << m;
        }
    }
    DiagramScale linear;
    EXPECT_TRUE(linear.xMinorTicks(0, 2, linear.xTicks(0, 2)).empty());
}

TEST(DiagramScaleTest, ZoomRectangleIsOrderedWhateverTheDragDirection) {
    struct Drag {
        float startX, startY, endX, endY;
    };
    const Drag drags[] = {
        {3.5f, 3200, 6.25f, 2100}, {6.25f, 2100, 3.5f, 3200}, {3.5f, 2100, 6.25f, 3200}, {6.25f, 3200, 3.5f, 2100}};
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
