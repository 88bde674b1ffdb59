// sswr rounds half up on the binary product X*10^Y (ties upwards, no representation fix-up);
// firstINT/firstMi normalise in single precision into [1, 10] and stay defined for X <= 0.
#include "numeric/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace steam::numeric {
namespace {

TEST(SswrTest, RoundsHalfUpToTheGivenDecimals) {
    struct Case {
        double x;
        int y;
        double expected;
    };
    const Case cases[] = {
        {2.375, 2, 2.38},    // 237.5 is an exact tie: upwards
        {-2.375, 2, -2.37},  // -237.5 is an exact tie: upwards, towards zero
        {1234, -2, 1200},    // negative Y rounds to hundreds
        {1250, -2, 1300},    // tie at hundreds: upwards
        {-1250, -2, -1200},   {1249.9, -2, 1200},
        {2.5, 0, 3},          {-2.5, 0, -2},
        {0.5, 0, 1},          {-0.5, 0, 0},
        {0.49999, 0, 0},      {3.14159, 4, 3.1416},
        {373.946, 2, 373.95}, {0.0010434567, 8, 0.00104346},
        {100, 2, 100},        {0, 6, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "sswr(" << c.x << ", " << c.y << ")");
        EXPECT_DOUBLE_EQ(sswr(c.x, c.y), c.expected);
    }
}

TEST(SswrTest, ProductJustBelowATieRoundsDown) {
    // 1.005 is stored as 1.00499999999999989..., so 1.005 * 100 falls below 100.5.
    ASSERT_LT(1.005 * 100.0, 100.5);
    EXPECT_DOUBLE_EQ(sswr(1.005, 2), 1.0);
    // The same with a product that is exactly representable rounds up.
    EXPECT_DOUBLE_EQ(sswr(1.125, 2), 1.13);
}

TEST(SswrTest, ProductBeyondDoubleRangeLeavesTheValueUnchanged) {
    const double cases[] = {1e300, -1e300, std::numeric_limits<double>::max()};
    for (double x : cases) {
        SCOPED_TRACE(testing::Message() << "x = " << x);
        EXPECT_EQ(sswr(x, 10), x);
    }
}

TEST(FirstIntFirstMiTest, NormaliseIntoOneToTen) {
    struct Case {
        double x;
        float firstInt;
        int firstMi;
    };
    const Case cases[] = {
        {9.99, 10, 0}, {10, 11, 0},  {25, 3, -1}, {100, 11, -1},    {5000, 6, -3},
        {0.5, 6, 1},   {0.05, 6, 2}, {1, 2, 0},   {9.99e6, 10, -6}, {0.0012, 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "X = " << c.x);
        EXPECT_EQ(firstINT(c.x), c.firstInt);
        EXPECT_EQ(firstMi(c.x), c.firstMi);
    }
}

TEST(FirstIntFirstMiTest, ScaledValueLiesInOneToTen) {
    // X * 10^firstMi(X) lies in [1, 10] (up to single-precision rounding) and its integer part
    // is firstINT(X) - 1.
    const double xs[] = {0.000123, 0.0371, 0.999, 1.5, 7.25, 42.0, 999.0, 1001.0, 123456.0};
    for (double x : xs) {
        SCOPED_TRACE(testing::Message() << "X = " << x);
        const double scaled = x * std::pow(10.0, firstMi(x));
        EXPECT_GE(scaled, 1.0 - 1e-6);
        EXPECT_LE(scaled, 10.0 + 1e-6);
        EXPECT_EQ(firstINT(x), std::floor(scaled + 1e-6) + 1.0);
    }
}

TEST(FirstIntFirstMiTest, NoMagnitudeGivesTwoAndZero) {
    const double xs[] = {0.0,
                         -0.0,
                         -1.0,
                         -250.0,
                         std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity()};
    for (double x : xs) {
        SCOPED_TRACE(testing::Message() << "X = " << x);
        EXPECT_EQ(firstINT(x), 2.0f);
        EXPECT_EQ(firstMi(x), 0);
    }
}

}  // namespace
}  // namespace steam::numeric
