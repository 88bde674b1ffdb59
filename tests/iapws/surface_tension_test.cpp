// IAPWS R1-76(2014) against the values of its Table 1, to the decimals printed, and its range.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "iapws/iapws95.h"
#include "iapws/surface_tension.h"
#include "test_support.h"

namespace iapws {
namespace {

using iapws95::test::roundsToDecimals;

TEST(SurfaceTensionRelease, TabulatedValuesMatchTheirPrintedDigits) {
    // Table 1: T (K), sigma (mN/m, 2 decimals).
    const struct {
        double T, sigma;
    } rows[] = {
        {273.16, 75.65}, {283.15, 74.22}, {293.15, 72.74}, {303.15, 71.19}, {313.15, 69.60},
        {323.15, 67.94}, {333.15, 66.24}, {343.15, 64.48}, {353.15, 62.67}, {363.15, 60.82},
        {373.15, 58.91}, {393.15, 54.97}, {413.15, 50.86}, {433.15, 46.59}, {453.15, 42.19},
        {473.15, 37.67}, {523.15, 26.04}, {573.15, 14.36}, {623.15, 3.67},  {643.15, 0.39},
    };
    for (const auto& r : rows)
        EXPECT_TRUE(roundsToDecimals(surfaceTension(r.T), r.sigma, 2)) << r.T << " K: " << surfaceTension(r.T);
}

TEST(SurfaceTensionRelease, DefinedAlongTheSaturationLineOnly) {
    EXPECT_EQ(surfaceTension(iapws95::Tc), 0.0);
    EXPECT_GT(surfaceTension(iapws95::Tt), 0.0);
    for (double T : {iapws95::Tt - 0.01, iapws95::Tc + 0.01, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_TRUE(std::isnan(surfaceTension(T))) << T << " K";
}

}  // namespace
}  // namespace iapws
