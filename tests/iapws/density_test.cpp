// Density from (T, p) on a chosen branch: stable states over the table
// generator's range, metastable states past saturation, the near-critical
// region, and the cases where a branch has no root.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "iapws/iapws95.h"
#include "test_support.h"

namespace iapws95 {
namespace {

using test::gibbs;
using test::stiffness;
using test::where;

// Pressure recomputed from the returned density, with the rounding of p
// itself allowed for (for a liquid at a few hundred Pa it dominates).
void expectPressureRoundTrip(double T, double p, double rho) {
    const double computed = stateTRho(T, rho).p;
    EXPECT_NEAR(computed, p, test::pressureTolerance(p, T, rho)) << where(T, p) << ", rho = " << rho;
}

Branch stableBranch(double T, double p) {
    if (T >= Tc || p < triplePointPressure()) return Branch::Vapour;
    return p > saturationT(T).p ? Branch::Liquid : Branch::Vapour;
}

TEST(DensityTP, StableStatesOverTheTableRange) {
    int count = 0;
    for (double T = 273.16; T <= 1073.15; T += 16.0) {
        const bool subcritical = T < Tc;
        const Saturation sat = subcritical ? saturationT(T) : Saturation{};
        for (double lp = -4.0; lp <= 2.0; lp += 0.25) {
            const double p = std::pow(10.0, lp);
            const Branch b = stableBranch(T, p);
            const double rho = densityTP(T, p, b);
            expectPressureRoundTrip(T, p, rho);
            EXPECT_GT(stiffness(T, rho), 0.0) << where(T, p);
            if (subcritical && b == Branch::Liquid) {
                EXPECT_GT(rho, sat.liquid.rho) << where(T, p);
            }
            if (subcritical && b == Branch::Vapour) {
                EXPECT_LT(rho, sat.vapour.rho) << where(T, p);
            }
            ++count;
        }
    }
    EXPECT_GT(count, 1000);
}

TEST(DensityTP, BranchesJustEitherSideOfSaturation) {
    // Near Tc the metastable range shrinks (at 647 K the liquid spinodal is
    // 2.3e-4 below ps), so the offsets scale with the distance to Tc.
    struct Case {
        double T, offset;
    };
    const Case cases[] = {{273.16, 1e-3}, {300.0, 1e-3},  {373.15, 1e-3}, {473.15, 1e-3},
                          {573.15, 1e-3}, {623.15, 1e-3}, {645.0, 1e-3},  {647.0, 1e-5}};
    for (const Case& c : cases) {
        const double T = c.T;
        const Saturation sat = saturationT(T);
        for (const double f : {1.0 - c.offset, 1.0 - 1e-7, 1.0 + 1e-7, 1.0 + c.offset}) {
            const double p = f * sat.p;
            const double rhoL = densityTP(T, p, Branch::Liquid);
            const double rhoV = densityTP(T, p, Branch::Vapour);
            expectPressureRoundTrip(T, p, rhoL);
            expectPressureRoundTrip(T, p, rhoV);
            // Each branch stays on its own side of the two-phase dome.
            EXPECT_GT(rhoL, rhoc) << where(T, p);
            EXPECT_LT(rhoV, rhoc) << where(T, p);
            EXPECT_LT(rhoV, 0.5 * (sat.liquid.rho + sat.vapour.rho)) << where(T, p);
            // Above ps the liquid is the stable phase, below it the vapour.
            const double gL = gibbs(stateTRho(T, rhoL)), gV = gibbs(stateTRho(T, rhoV));
            if (f > 1.0) {
                EXPECT_LT(gL, gV) << where(T, p);
            } else {
                EXPECT_GT(gL, gV) << where(T, p);
            }
            // Densities move with p in the direction dp/drho > 0 demands
            // (checked where the step in p is well above its rounding).
            if (std::abs(f - 1.0) < 1e-6) continue;
            if (f > 1.0) {
                EXPECT_GT(rhoL, sat.liquid.rho) << where(T, p);
                EXPECT_GT(rhoV, sat.vapour.rho) << where(T, p);
            } else {
                EXPECT_LT(rhoL, sat.liquid.rho) << where(T, p);
                EXPECT_LT(rhoV, sat.vapour.rho) << where(T, p);
            }
        }
    }
}

TEST(DensityTP, MetastableStatesPastSaturation) {
    struct Case {
        double T;
        double p;
        bool relative;
        Branch branch;
    };
    const std::vector<Case> cases = {
        {473.15, 0.98, true, Branch::Liquid},  // superheated liquid at 200 C
        {473.15, 1.02, true, Branch::Vapour},  // subcooled vapour at 200 C
        {373.15, 0.5, true, Branch::Liquid},   {300.0, 2.0, true, Branch::Vapour},
        {600.0, 0.9, true, Branch::Liquid},    {600.0, 1.05, true, Branch::Vapour},
        {640.0, 0.99, true, Branch::Liquid},   {640.0, 1.005, true, Branch::Vapour},
        {300.0, -20.0, false, Branch::Liquid},  // liquid under tension
        {330.0, -20.0, false, Branch::Liquid}, {370.0, -10.0, false, Branch::Liquid},
        {500.0, 0.001, false, Branch::Liquid},  // strongly superheated liquid
    };
    for (const Case& c : cases) {
        const Saturation sat = saturationT(c.T);
        const double p = c.relative ? c.p * sat.p : c.p;
        const double rho = densityTP(c.T, p, c.branch);
        expectPressureRoundTrip(c.T, p, rho);
        EXPECT_GT(stiffness(c.T, rho), 0.0) << where(c.T, p);
        if (c.branch == Branch::Liquid) {
            EXPECT_LT(rho, sat.liquid.rho) << where(c.T, p);
            EXPECT_GT(rho, 0.5 * (sat.liquid.rho + rhoc)) << where(c.T, p);
        } else {
            EXPECT_GT(rho, sat.vapour.rho) << where(c.T, p);
            EXPECT_LT(rho, 0.5 * (sat.vapour.rho + rhoc)) << where(c.T, p);
        }
        // A metastable phase has the higher Gibbs energy, when the other
        // branch exists at the same (T, p).
        if (p > 0.0) {
            const Branch other = c.branch == Branch::Liquid ? Branch::Vapour : Branch::Liquid;
            const double g = gibbs(stateTRho(c.T, rho));
            const double gStable = gibbs(stateTP(c.T, p, other));
            EXPECT_GT(g, gStable) << where(c.T, p);
        }
    }
}

TEST(DensityTP, NearTheCriticalPoint) {
    for (const double dT : {-0.01, -0.003, -0.001, -1e-4, 1e-4, 0.001, 0.003, 0.01}) {
        const double T = Tc + dT;
        const double ps = T < Tc ? saturationT(T).p : 0.0;
        for (double p = 22.0; p <= 22.2 + 1e-9; p += 0.005) {
            const Branch b = stableBranch(T, p);
            const double rho = densityTP(T, p, b);
            expectPressureRoundTrip(T, p, rho);
            EXPECT_GT(stiffness(T, rho), 0.0) << where(T, p);
            if (T < Tc) {
                EXPECT_EQ(rho > rhoc, p > ps) << where(T, p) << ", rho = " << rho;
            }
        }
    }
}

TEST(DensityTP, BothBranchesGiveTheFluidAboveTc) {
    for (const double T : {Tc, Tc + 1e-6, 650.0, 700.0, 900.0, 1073.15}) {
        for (const double p : {1e-4, 0.1, 10.0, 22.064, 30.0, 100.0}) {
            const double a = densityTP(T, p, Branch::Liquid), b = densityTP(T, p, Branch::Vapour);
            EXPECT_EQ(a, b) << where(T, p);
            expectPressureRoundTrip(T, p, a);
        }
    }
}

TEST(DensityTP, DensityIncreasesAlongEachIsotherm) {
    for (const double T : {280.0, 450.0, 640.0, 647.1, 700.0}) {
        double last = 0.0;
        for (double lp = -4.0; lp <= 2.0; lp += 0.05) {
            const double p = std::pow(10.0, lp);
            const double rho = densityTP(T, p, stableBranch(T, p));
            EXPECT_GT(rho, last) << where(T, p);
            last = rho;
        }
    }
}

TEST(DensityTP, ThrowsWhenTheBranchHasNoRoot) {
    struct Case {
        double T, p;
        Branch branch;
    };
    const Case cases[] = {
        {300.0, 1.0, Branch::Vapour},  // far above the vapour spinodal
        {500.0, 10.0, Branch::Vapour},
        {640.0, 20.6, Branch::Vapour},
        {550.0, 8.3, Branch::Vapour},  // just above the vapour spinodal
        {600.0, 14.0, Branch::Vapour},
        {620.0, 17.0, Branch::Vapour},
        {600.0, 1.0, Branch::Liquid},  // below the liquid spinodal
        {620.0, 10.0, Branch::Liquid},
        {300.0, -300.0, Branch::Liquid},
        // Pressures the formulation's spurious loop near rhoc also reaches.
        {600.0, -50.0, Branch::Liquid},
        {620.0, 0.5, Branch::Liquid},
        {500.0, 0.0, Branch::Vapour},
        {700.0, -1.0, Branch::Vapour},
        {700.0, -1.0, Branch::Liquid},
    };
    for (const Case& c : cases) EXPECT_THROW(densityTP(c.T, c.p, c.branch), SolveError) << where(c.T, c.p);
    EXPECT_THROW(densityTP(std::nan(""), 1.0, Branch::Liquid), SolveError);
    EXPECT_THROW(densityTP(300.0, std::nan(""), Branch::Liquid), SolveError);
}

TEST(DensityTP, StartDensityChangesNothingButTheWork) {
    struct Case {
        double T, p, guess;
        Branch branch;
    };
    const Case cases[] = {
        {600.0, 15.0, 640.0, Branch::Liquid},                                        // good guess
        {600.0, 15.0, 340.0, Branch::Liquid},                                        // inside the spurious loop
        {600.0, 15.0, 5.0, Branch::Liquid},                                          // on the vapour side
        {600.0, 5.0, 900.0, Branch::Vapour},                                         // on the liquid side
        {600.0, 5.0, 30.0, Branch::Vapour},   {600.0, 15.0, 500.0, Branch::Liquid},  // between the spinodals
        {600.0, 5.0, 200.0, Branch::Vapour},  {300.0, 50.0, 1.0e4, Branch::Liquid},  // beyond any fluid density
        {900.0, 50.0, 0.01, Branch::Vapour},
    };
    for (const Case& c : cases) {
        const double plain = densityTP(c.T, c.p, c.branch);
        EXPECT_NEAR(densityTP(c.T, c.p, c.branch, c.guess), plain, 1e-12 * plain)
            << where(c.T, c.p) << ", guess " << c.guess;
    }
}

TEST(StateTP, AgreesWithStateFromTheSolvedDensity) {
    for (const double T : {300.0, 500.0, 800.0}) {
        const double p = 5.0;
        const Branch b = stableBranch(T, p);
        const State s = stateTP(T, p, b);
        EXPECT_EQ(s.rho, densityTP(T, p, b));
        EXPECT_NEAR(s.p, p, test::pressureTolerance(p, T, s.rho)) << where(T, p);
        EXPECT_EQ(s.T, T);
    }
}

}  // namespace
}  // namespace iapws95
