// IAPWS R15-11 against the check values it prints (Tables 4 and 5), to the decimals printed.
// The critical-region table also prints lambda0, lambda1 and lambda2, so a fault is pinned to
// its part.
#include <gtest/gtest.h>

#include "iapws/thermal_conductivity.h"
#include "test_support.h"

namespace iapws {
namespace {

using iapws95::test::roundsToDecimals;

TEST(ConductivityRelease, PointsWithoutTheEnhancementMatchTheirPrintedDigits) {
    // Table 4, where lambda2 = 0: T (K), rho (kg/m^3), lambda (mW/(m K)) and its decimals.
    const struct {
        double T, rho, lambda;
        int decimals;
    } rows[] = {
        {298.15, 0, 18.4341883, 7},
        {298.15, 998, 607.712868, 6},
        {298.15, 1200, 799.038144, 6},
        {873.15, 0, 79.1034659, 7},
    };
    for (const auto& r : rows) {
        const double lambda = thermalConductivity(r.T, r.rho);
        EXPECT_TRUE(roundsToDecimals(lambda, r.lambda, r.decimals)) << r.T << " K, " << r.rho << " kg/m3: " << lambda;
    }
}

TEST(ConductivityRelease, CriticalRegionPointsMatchTheirPrintedDigits) {
    // Table 5 at 647.35 K, where lambda0 = 51.5764797: rho, lambda1 (7 decimals), lambda2 and
    // lambda (mW/(m K)) with their decimals.
    const double T = 647.35;
    EXPECT_TRUE(roundsToDecimals(conductivityDiluteGas(T), 51.5764797, 7)) << conductivityDiluteGas(T);
    const struct {
        double rho, lambda1, lambda2;
        int decimals2;
        double lambda;
        int decimals;
    } rows[] = {
        {1, 1.0068497, 0.0001300, 7, 51.9298924, 7},    {122, 2.1445173, 20.3162320, 7, 130.922885, 6},
        {222, 3.4840736, 188.091206, 6, 367.787459, 6}, {272, 4.2233708, 540.133176, 6, 757.959776, 6},
        {322, 4.9681953, 1187.51354, 5, 1443.75556, 5}, {372, 5.6961250, 356.53333, 5, 650.319402, 6},
        {422, 6.3973429, 118.931062, 6, 448.883487, 6}, {750, 11.5870532, 3.3419303, 7, 600.961346, 6},
    };
    for (const auto& r : rows) {
        const double lambda1 = conductivityDensityFactor(T, r.rho);
        const double lambda = thermalConductivity(T, r.rho);
        EXPECT_TRUE(roundsToDecimals(lambda1, r.lambda1, 7)) << r.rho << " kg/m3: lambda1 " << lambda1;
        EXPECT_TRUE(roundsToDecimals(lambda - conductivityDiluteGas(T) * lambda1, r.lambda2, r.decimals2))
            << r.rho << " kg/m3: lambda2";
        EXPECT_TRUE(roundsToDecimals(lambda, r.lambda, r.decimals)) << r.rho << " kg/m3: lambda " << lambda;
    }
}

}  // namespace
}  // namespace iapws
