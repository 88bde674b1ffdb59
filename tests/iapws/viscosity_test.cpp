// IAPWS R12-08 against the check values it prints (Tables 4 and 5), to the decimals printed.
// The critical-region table also prints the correlation length and mu2, so a fault is pinned
// to its part.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "iapws/critical_region.h"
#include "iapws/viscosity.h"
#include "test_support.h"

namespace iapws {
namespace {

using iapws95::test::roundsToDecimals;

TEST(ViscosityRelease, PointsWithoutTheEnhancementMatchTheirPrintedDigits) {
    // Table 4, computed with mu2 = 1: T (K), rho (kg/m^3), mu (µPa s, 6 decimals).
    const struct {
        double T, rho, mu;
    } rows[] = {
        {298.15, 998, 889.735100},  {298.15, 1200, 1437.649467}, {373.15, 1000, 307.883622}, {433.15, 1, 14.538324},
        {433.15, 1000, 217.685358}, {873.15, 1, 32.619287},      {873.15, 100, 35.802262},   {873.15, 600, 77.430195},
        {1173.15, 1, 44.217245},    {1173.15, 100, 47.640433},   {1173.15, 400, 64.154608},
    };
    for (const auto& r : rows) {
        const double mu = viscosityDiluteGas(r.T) * viscosityDensityFactor(r.T, r.rho);
        EXPECT_TRUE(roundsToDecimals(mu, r.mu, 6)) << r.T << " K, " << r.rho << " kg/m3: " << mu;
    }
}

TEST(ViscosityRelease, CriticalRegionPointsMatchTheirPrintedDigits) {
    // Table 5 at 647.35 K: rho, xi (nm, 6 decimals), mu2 (8 decimals), mu (µPa s, 6 decimals).
    const struct {
        double rho, xi, mu2, mu;
    } rows[] = {
        {122, 0.309247, 1.00000289, 25.520677}, {222, 1.571405, 1.00375120, 31.337589},
        {272, 5.266522, 1.03416789, 36.228143}, {322, 16.590209, 1.09190440, 42.961579},
        {372, 5.603768, 1.03665871, 45.688204}, {422, 1.876244, 1.00596332, 49.436256},
    };
    for (const auto& r : rows) {
        const double xi = correlationLength(647.35, r.rho);
        EXPECT_TRUE(roundsToDecimals(xi, r.xi, 6)) << r.rho << " kg/m3: xi " << xi;
        EXPECT_TRUE(roundsToDecimals(viscosityCriticalFactor(xi), r.mu2, 8)) << r.rho << " kg/m3: mu2";
        EXPECT_TRUE(roundsToDecimals(viscosity(647.35, r.rho), r.mu, 6)) << r.rho << " kg/m3: mu";
    }
}

TEST(ViscosityRelease, CriticalFactorJoinsItsTwoFormsAndStaysFiniteForEveryFiniteLength) {
    // The release switches from the series to the closed form at xi = 0.3817016416 nm, where
    // both agree; far out the closed form must not lose 1 - w to rounding.
    const double edge = 0.3817016416;
    const double below = viscosityCriticalFactor(edge), above = viscosityCriticalFactor(std::nextafter(edge, 1.0));
    EXPECT_NEAR(above, below, 1e-12 * below);
    EXPECT_EQ(viscosityCriticalFactor(0.0), 1.0);
    double previous = 1.0;
    for (double xi = 1.0; xi <= 1e15; xi *= 100.0) {
        const double mu2 = viscosityCriticalFactor(xi);
        EXPECT_TRUE(std::isfinite(mu2) && mu2 > previous) << "xi = " << xi << " nm: " << mu2;
        previous = mu2;
    }
    EXPECT_EQ(viscosityCriticalFactor(std::numeric_limits<double>::infinity()),
              std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace iapws
