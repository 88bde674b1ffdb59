// States from (p, h) and (p, s): round trips against states built from
// (T, p), the saturated edges, the two-phase rejection and the range limits.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "iapws/iapws95.h"
#include "test_support.h"

namespace iapws95 {
namespace {

using test::relErr;
using test::where;

Branch stableBranch(double T, double p) {
    if (T >= Tc || p < triplePointPressure()) return Branch::Vapour;
    return p > saturationT(T).p ? Branch::Liquid : Branch::Vapour;
}

struct Grid {
    std::vector<double> T, p;
};

Grid tableGrid() {
    Grid g;
    for (double T = 275.0; T <= 1073.15; T += 37.0) g.T.push_back(T);
    // Near-critical and pseudo-critical temperatures, where cp is large.
    for (const double T : {640.0, 646.0, 647.0, 647.2, 650.0, 660.0}) g.T.push_back(T);
    for (double lp = -4.0; lp <= 2.0; lp += 0.4) g.p.push_back(std::pow(10.0, lp));
    for (const double p : {22.0, 22.064, 22.1, 23.0, 25.0}) g.p.push_back(p);
    return g;
}

void expectSameState(const State& got, const State& want, double p) {
    EXPECT_NEAR(got.T, want.T, 1e-9 * want.T) << where(want.T, p);
    EXPECT_LT(relErr(got.rho, want.rho), 1e-9) << where(want.T, p);
    EXPECT_NEAR(got.p, p, test::pressureTolerance(p, got.T, got.rho)) << where(want.T, p);
}

TEST(StatePH, RoundTripOverTheTableRange) {
    const Grid g = tableGrid();
    for (const double T : g.T)
        for (const double p : g.p) {
            const State want = stateTP(T, p, stableBranch(T, p));
            const State got = statePH(p, want.h);
            expectSameState(got, want, p);
            EXPECT_LT(std::abs(got.h - want.h), 1e-9 * std::max(1.0, std::abs(want.h))) << where(T, p);
        }
}

TEST(StatePS, RoundTripOverTheTableRange) {
    const Grid g = tableGrid();
    for (const double T : g.T)
        for (const double p : g.p) {
            const State want = stateTP(T, p, stableBranch(T, p));
            const State got = statePS(p, want.s);
            expectSameState(got, want, p);
            EXPECT_LT(std::abs(got.s - want.s), 1e-11 * std::max(1.0, std::abs(want.s))) << where(T, p);
        }
}

TEST(StatePH, SaturatedEdgesAndTwoPhaseInputs) {
    for (const double p : {0.001, 0.101325, 1.0, 10.0, 20.0, 22.0}) {
        const Saturation sat = saturationP(p);
        const State l = statePH(p, sat.liquid.h), v = statePH(p, sat.vapour.h);
        EXPECT_NEAR(l.T, sat.T, 1e-9 * sat.T) << "p = " << p;
        EXPECT_NEAR(v.T, sat.T, 1e-9 * sat.T) << "p = " << p;
        EXPECT_LT(relErr(l.rho, sat.liquid.rho), 1e-9) << "p = " << p;
        EXPECT_LT(relErr(v.rho, sat.vapour.rho), 1e-9) << "p = " << p;
        // Just outside the dome on either side is single phase.
        EXPECT_LT(statePH(p, sat.liquid.h - 1e-3).T, sat.T) << "p = " << p;
        EXPECT_GT(statePH(p, sat.vapour.h + 1e-3).T, sat.T) << "p = " << p;
        for (const double q : {1e-6, 0.25, 0.5, 0.75, 1.0 - 1e-6}) {
            EXPECT_THROW(statePH(p, sat.liquid.h + q * (sat.vapour.h - sat.liquid.h)), SolveError) << "p = " << p;
            EXPECT_THROW(statePS(p, sat.liquid.s + q * (sat.vapour.s - sat.liquid.s)), SolveError) << "p = " << p;
        }
    }
}

TEST(StatePH, BelowTheTriplePointPressureOnlyVapourExists) {
    const double p = 1e-4;
    for (const double T : {273.16, 300.0, 500.0}) {
        const State want = stateTP(T, p, Branch::Vapour);
        expectSameState(statePH(p, want.h), want, p);
    }
}

TEST(StatePH, RejectsStatesOutsideTheTemperatureRange) {
    for (const double p : {1e-4, 1.0, 50.0, 100.0}) {
        const State cold = stateTP(Tt, p, stableBranch(Tt, p));
        const State hot = stateTP(1273.15, p, Branch::Vapour);
        EXPECT_THROW(statePH(p, cold.h - 1.0), SolveError) << "p = " << p;
        EXPECT_THROW(statePH(p, hot.h + 1.0), SolveError) << "p = " << p;
        EXPECT_THROW(statePS(p, cold.s - 0.01), SolveError) << "p = " << p;
        EXPECT_THROW(statePS(p, hot.s + 0.01), SolveError) << "p = " << p;
    }
    EXPECT_THROW(statePH(0.0, 100.0), SolveError);
    EXPECT_THROW(statePH(1.0, std::nan("")), SolveError);
}

}  // namespace
}  // namespace iapws95
