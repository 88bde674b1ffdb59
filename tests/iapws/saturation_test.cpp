// Phase equilibrium: the reference state, the equilibrium conditions
// themselves, Clausius-Clapeyron, inversion by pressure, the approach to the
// critical point and the range limits.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "iapws/detail.h"
#include "iapws/iapws95.h"
#include "test_support.h"

namespace iapws95 {
namespace {

using test::gibbs;
using test::relErr;

const std::vector<double> kTemperatures = {273.16, 275.0, 300.0, 350.0, 373.15, 400.0, 450.0,  500.0,
                                           550.0,  600.0, 625.0, 640.0, 645.0,  647.0, 647.09, 647.095};

TEST(Saturation, ReferenceStateIsSaturatedLiquidAtTriplePoint) {
    const Saturation s = saturationT(Tt);
    EXPECT_NEAR(s.liquid.u, 0.0, 1e-9);
    EXPECT_NEAR(s.liquid.s, 0.0, 1e-9);
    // The formulation's own triple-point pressure, 611.6548 Pa to 7 digits.
    EXPECT_TRUE(test::roundsTo(s.p, 611.6548e-6, 7)) << "ps(Tt) = " << s.p;
    EXPECT_EQ(triplePointPressure(), s.p);
}

TEST(Saturation, PhasesHaveEqualPressureAndGibbsEnergy) {
    for (const double T : kTemperatures) {
        const Saturation s = saturationT(T);
        ASSERT_GT(s.liquid.rho, s.vapour.rho) << "T = " << T;
        EXPECT_EQ(s.liquid.T, T);
        EXPECT_EQ(s.vapour.T, T);
        // Near the triple point rho' R T is 1.3e5 times ps, so the liquid
        // pressure carries the larger rounding.
        EXPECT_NEAR(s.liquid.p, s.vapour.p, test::pressureTolerance(s.p, T, s.liquid.rho)) << "T = " << T;
        EXPECT_NEAR(s.vapour.p, s.p, 1e-14 * s.p) << "T = " << T;
        EXPECT_NEAR(gibbs(s.liquid), gibbs(s.vapour), 1e-11 * R * T) << "T = " << T;
        // Both phases are mechanically stable.
        EXPECT_GT(test::stiffness(T, s.liquid.rho), 0.0) << "T = " << T;
        EXPECT_GT(test::stiffness(T, s.vapour.rho), 0.0) << "T = " << T;
    }
}

TEST(Saturation, PressureRisesAndPhasesConvergeTowardsCriticalPoint) {
    double lastP = 0.0, lastL = 1e9, lastV = 0.0;
    for (const double T : kTemperatures) {
        const Saturation s = saturationT(T);
        EXPECT_GT(s.p, lastP) << "T = " << T;
        EXPECT_GT(s.vapour.rho, lastV) << "T = " << T;
        // rho' rises up to the density maximum near 277 K.
        if (T > 280.0) {
            EXPECT_LT(s.liquid.rho, lastL) << "T = " << T;
        }
        EXPECT_LT(s.vapour.rho, rhoc) << "T = " << T;
        EXPECT_GT(s.liquid.rho, rhoc) << "T = " << T;
        lastP = s.p;
        lastL = s.liquid.rho;
        lastV = s.vapour.rho;
    }
}

TEST(Saturation, SlopeOfVapourPressureObeysClausiusClapeyron) {
    // A wrong branch or wrong h, s or v on either side breaks this identity.
    for (const double T : {280.0, 320.0, 373.15, 450.0, 520.0, 600.0, 640.0, 646.0}) {
        const double dT = 1e-3;
        const double numeric = (saturationT(T + dT).p - saturationT(T - dT).p) / (2 * dT);
        const Saturation s = saturationT(T);
        const double viaEnthalpy = (s.vapour.h - s.liquid.h) / (T * (s.vapour.v - s.liquid.v)) * 1e-3;
        const double viaEntropy = (s.vapour.s - s.liquid.s) / (s.vapour.v - s.liquid.v) * 1e-3;
        EXPECT_LT(relErr(viaEnthalpy, numeric), 1e-7) << "T = " << T << " K: dps/dT = " << numeric;
        EXPECT_LT(relErr(viaEntropy, numeric), 1e-7) << "T = " << T << " K: dps/dT = " << numeric;
    }
}

TEST(Saturation, PressureInversionReturnsTheTemperature) {
    for (const double T : kTemperatures) {
        const Saturation s = saturationT(T);
        const Saturation back = saturationP(s.p);
        EXPECT_NEAR(back.T, T, 1e-9) << "ps = " << s.p << " MPa";
        EXPECT_LT(relErr(back.p, s.p), 1e-12) << "T = " << T;
        // Near Tc dp/drho is tiny and the densities follow p less closely.
        const double tolRho = T < 640.0 ? 1e-9 : 1e-6;
        EXPECT_LT(relErr(back.liquid.rho, s.liquid.rho), tolRho) << "T = " << T;
        EXPECT_LT(relErr(back.vapour.rho, s.vapour.rho), tolRho) << "T = " << T;
    }
    // And by pressure first, over the whole line.
    for (double p = 0.001; p < 22.0; p *= 1.7) {
        const Saturation s = saturationP(p);
        EXPECT_LT(relErr(s.p, p), 1e-12) << "p = " << p;
        EXPECT_LT(relErr(saturationT(s.T).p, p), 1e-12) << "p = " << p;
    }
}

TEST(Saturation, ConvergesCloseToTheCriticalPoint) {
    // ps keeps its slope (about 0.268 MPa/K) to the end of the line even where
    // the coexisting densities are only resolved to about 1e-4: the secant
    // from the critical point settles to one value.
    const double pCrit = saturationT(Tc).p;
    const double reference = (pCrit - saturationT(Tc - 1e-4).p) / 1e-4;
    EXPECT_NEAR(reference, 0.268, 0.001);
    for (const double dT : {1e-2, 1e-3, 1e-5, 1e-6, 1e-7, 1e-8}) {
        const Saturation s = saturationT(Tc - dT);
        EXPECT_NEAR((pCrit - s.p) / dT, reference, 1e-3 * reference) << "Tc - T = " << dT;
        EXPECT_GT(s.liquid.rho, s.vapour.rho) << "Tc - T = " << dT;
        EXPECT_NEAR(0.5 * (s.liquid.rho + s.vapour.rho), rhoc, 1.0) << "Tc - T = " << dT;
        EXPECT_NEAR(saturationP(s.p).T, Tc - dT, 1e-9) << "Tc - T = " << dT;
    }
}

TEST(Saturation, CriticalPointIsReturnedOnBothSides) {
    for (const double T : {Tc, Tc - 5e-10}) {
        const Saturation s = saturationT(T);
        EXPECT_EQ(s.T, Tc);
        EXPECT_EQ(s.liquid.rho, rhoc);
        EXPECT_EQ(s.vapour.rho, rhoc);
        EXPECT_LT(relErr(s.p, pc), 1e-9);
    }
    const Saturation s = saturationP(pc);
    EXPECT_EQ(s.T, Tc);
    EXPECT_EQ(s.liquid.rho, s.vapour.rho);
}

TEST(Saturation, RejectsInputsOffTheSaturationLine) {
    for (const double T : {273.15, 200.0, Tc + 1e-6, 700.0, std::nan("")})
        EXPECT_THROW(saturationT(T), SolveError) << "T = " << T;
    for (const double p : {1e-4, 611.0e-6, 22.07, 30.0, -1.0, std::nan("")})
        EXPECT_THROW(saturationP(p), SolveError) << "p = " << p;
}

// The auxiliary equations only seed the iteration, but a wrong coefficient
// there would silently cost convergence near the ends of the line.
TEST(AuxiliaryEquations, MatchTheirPublishedCheckValues) {
    struct Row {
        double T, pPa, rhoL, rhoV;
    };
    const Row rows[] = {
        {273.16, 611.657, 999.789, 0.00485426},
        {373.1243, 0.101325e6, 958.365, 0.597586},
    };
    for (const Row& r : rows) {
        EXPECT_TRUE(test::roundsTo(detail::auxSaturationPressure(r.T) * 1e6, r.pPa, 6)) << "T = " << r.T;
        EXPECT_TRUE(test::roundsTo(detail::auxLiquidDensity(r.T), r.rhoL, 6)) << "T = " << r.T;
        EXPECT_TRUE(test::roundsTo(detail::auxVapourDensity(r.T), r.rhoV, 6)) << "T = " << r.T;
        EXPECT_NEAR(detail::auxSaturationTemperature(r.pPa * 1e-6), r.T, 1e-4) << "T = " << r.T;
    }
    EXPECT_DOUBLE_EQ(detail::auxSaturationPressure(Tc), pc);
    EXPECT_DOUBLE_EQ(detail::auxLiquidDensity(Tc), rhoc);
    EXPECT_DOUBLE_EQ(detail::auxVapourDensity(Tc), rhoc);
}

}  // namespace
}  // namespace iapws95
