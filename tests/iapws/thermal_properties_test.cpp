// propertiesAt: IAPWS-95's own heat capacities and speed of sound, the transport properties
// of the releases with nu and Pr made from them, NaN outside its range, and finite values
// however close to the critical point except at the point itself.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "iapws/iapws95.h"
#include "iapws/thermal_conductivity.h"
#include "iapws/thermal_properties.h"
#include "iapws/viscosity.h"

namespace iapws {
namespace {

using iapws95::rhoc;
using iapws95::Tc;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(PropertiesAt, GivesIapws95HeatCapacitiesAndTheReleasesTransportConsistently) {
    const double superheatedWater = 0.99999 * iapws95::saturationT(400.0).liquid.rho;  // 0 < p < ps
    const struct {
        double T, rho;
    } states[] = {
        {298.15, 997.047}, {373.15, 0.59}, {500.0, 2.0},     {647.35, 322.0},
        {700.0, 200.0},    {1100.0, 50.0}, {273.16, 1000.0}, {400.0, superheatedWater},
    };
    for (const auto& s : states) {
        const ThermalProperties p = propertiesAt(s.T, s.rho);
        const iapws95::State own = iapws95::stateTRho(s.T, s.rho);
        SCOPED_TRACE(testing::Message() << s.T << " K, " << s.rho << " kg/m3");
        EXPECT_DOUBLE_EQ(p.cp, own.cp);
        EXPECT_DOUBLE_EQ(p.cv, own.cv);
        EXPECT_DOUBLE_EQ(p.w, own.w);
        EXPECT_DOUBLE_EQ(p.mu, viscosity(s.T, s.rho));
        EXPECT_DOUBLE_EQ(p.lambda, thermalConductivity(s.T, s.rho));
        EXPECT_DOUBLE_EQ(p.nu, p.mu / s.rho);
        EXPECT_DOUBLE_EQ(p.Pr, p.mu * p.cp / p.lambda);
    }
    // The units as a handbook prints them: water at 25 °C and 0.1 MPa has nu 0.893 mm^2/s and
    // Pr 6.1; steam at 100 °C and 0.1 MPa has Pr 1.0.
    EXPECT_NEAR(propertiesAt(298.15, 997.047).nu, 0.893, 0.005);
    EXPECT_NEAR(propertiesAt(298.15, 997.047).Pr, 6.1, 0.1);
    EXPECT_NEAR(propertiesAt(373.15, 0.59).Pr, 1.0, 0.05);
}

TEST(PropertiesAt, OutsideItsRangeEveryFieldIsNaNAndNothingThrows) {
    const struct {
        double T, rho;
        const char* why;
    } states[] = {
        {kNaN, 1000.0, "T NaN"},
        {300.0, kNaN, "rho NaN"},
        {kInf, 1.0, "T infinite"},
        {300.0, kInf, "rho infinite"},
        {-300.0, 1000.0, "T negative"},
        {0.0, 1000.0, "T zero"},
        {273.15, 1000.0, "below the triple point"},
        {1273.2, 1.0, "above 1273.15 K"},
        {300.0, 0.0, "rho zero"},
        {300.0, -1.0, "rho negative"},
        {300.0, 1045.0, "above 100 MPa"},
        {300.0, 990.0, "negative pressure"},
        {600.0, 322.0, "inside the dome, p falls with rho"},
        {Tc * (1.0 - 1e-9), rhoc, "just below Tc at rhoc"},
    };
    for (const auto& s : states) {
        ThermalProperties p{};
        EXPECT_NO_THROW(p = propertiesAt(s.T, s.rho)) << s.why;
        for (double field : {p.cp, p.cv, p.w, p.mu, p.lambda, p.nu, p.Pr}) EXPECT_TRUE(std::isnan(field)) << s.why;
    }
}

TEST(PropertiesAt, BetweenTheTransportReleasesEndAndIapws95sOnlyItsOwnPropertiesAreGiven) {
    for (double T : {1173.2, 1223.15, 1273.15}) {
        const ThermalProperties p = propertiesAt(T, 10.0);
        for (double field : {p.cp, p.cv, p.w}) EXPECT_TRUE(std::isfinite(field) && field > 0.0) << T;
        for (double field : {p.mu, p.lambda, p.nu, p.Pr}) EXPECT_TRUE(std::isnan(field)) << T;
    }
    EXPECT_TRUE(std::isfinite(propertiesAt(1173.15, 10.0).mu));
}

TEST(PropertiesAt, StaysFiniteApproachingTheCriticalPoint) {
    // From above Tc and along the critical isotherm, down to a few ulp from (Tc, rhoc): mu2
    // grows so slowly that mu stays under three times its value without the enhancement.
    for (double dT : {0.0, 1e-15, 1e-12, 1e-9, 1e-6, 1e-3})
        for (double dRho : {-1e-3, -1e-9, -1e-15, 0.0, 1e-15, 1e-9, 1e-3}) {
            if (dT == 0.0 && dRho == 0.0) continue;
            const double T = Tc * (1.0 + dT), rho = rhoc * (1.0 + dRho);
            const ThermalProperties p = propertiesAt(T, rho);
            SCOPED_TRACE(testing::Message() << "T/Tc - 1 = " << dT << ", rho/rhoc - 1 = " << dRho);
            for (double field : {p.cp, p.cv, p.w, p.mu, p.lambda, p.nu, p.Pr})
                EXPECT_TRUE(std::isfinite(field) && field > 0.0);
            EXPECT_LT(p.mu, 3.0 * viscosityDiluteGas(T) * viscosityDensityFactor(T, rho));
        }
}

TEST(PropertiesAt, AtTheCriticalPointTheDivergingPropertiesAreInfinite) {
    const ThermalProperties p = propertiesAt(Tc, rhoc);
    for (double field : {p.cp, p.cv, p.mu, p.lambda, p.nu, p.Pr}) EXPECT_EQ(field, kInf);
    EXPECT_GE(p.w, 0.0);
    EXPECT_LT(p.w, 1e-3);
}

}  // namespace
}  // namespace iapws
