// The analytic derivatives of phi0 and phir against central differences of
// the function one order lower, over states that exercise every term group,
// including the non-analytic terms around the critical point and delta = 1
// exactly, where their textbook derivative forms divide zero by zero.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "iapws/iapws95.h"
#include "test_support.h"

namespace iapws95 {
namespace {

struct Point {
    double delta, tau;
    double step = 1e-7;  // relative difference step in tau
};

// Steps small against the scale on which the terms vary; at tau = 1 and
// delta near 1 the non-analytic terms change over about 1e-6 in tau.
const std::vector<Point> kPoints = {
    {838.025 / 322.0, 647.096 / 500.0},  // compressed liquid
    {0.001, 2.3},                        // dilute vapour near the triple point
    {3.6, 2.37},                         // dense cold liquid
    {0.2, 0.6},                          // hot gas
    {1.1, 0.999},                        // just above Tc, above rhoc
    {0.95, 1.0015},                      // just below Tc, below rhoc
    {1.0, 1.01},                         // delta = 1 exactly, below Tc
    {1.0, 0.998},                        // delta = 1 exactly, above Tc
    {1.0 + 1e-7, 1.0002},                // within 1e-7 of delta = 1
    {1.02, 1.0, 1e-9},                   // tau = 1 exactly
};

using Fn = std::function<Derivatives(double, double)>;

void checkAgainstDifferences(const Fn& f, const char* part) {
    for (const Point& pt : kPoints) {
        const double d = pt.delta, t = pt.tau;
        const double hd = 1e-7 * d, ht = pt.step * t;
        const Derivatives c = f(d, t);
        const Derivatives dp = f(d + hd, t), dm = f(d - hd, t);
        const Derivatives tp = f(d, t + ht), tm = f(d, t - ht);
        struct Cmp {
            const char* name;
            double analytic, numeric;
        };
        const Cmp cmps[] = {
            {"d", c.d, (dp.phi - dm.phi) / (2 * hd)},      {"t", c.t, (tp.phi - tm.phi) / (2 * ht)},
            {"dd", c.dd, (dp.d - dm.d) / (2 * hd)},        {"tt", c.tt, (tp.t - tm.t) / (2 * ht)},
            {"dt from d", c.dt, (tp.d - tm.d) / (2 * ht)}, {"dt from t", c.dt, (dp.t - dm.t) / (2 * hd)},
        };
        for (const Cmp& k : cmps) {
            ASSERT_TRUE(std::isfinite(k.analytic)) << part << " " << k.name << " at delta = " << d << ", tau = " << t;
            EXPECT_NEAR(k.analytic, k.numeric, 2e-6 * std::max(1.0, std::abs(k.analytic)))
                << part << " " << k.name << " at delta = " << d << ", tau = " << t;
        }
    }
}

TEST(HelmholtzDerivatives, ResidualPartMatchesCentralDifferences) { checkAgainstDifferences(residualPart, "phir"); }

TEST(HelmholtzDerivatives, IdealPartMatchesCentralDifferences) {
    checkAgainstDifferences(idealPart, "phi0");
    for (const Point& pt : kPoints) EXPECT_EQ(idealPart(pt.delta, pt.tau).dt, 0.0);
}

TEST(HelmholtzDerivatives, ResidualPartIsContinuousThroughDeltaOne) {
    for (const double tau : {0.9, 0.98, 0.999, 1.0005, 1.02, 1.2}) {
        const Derivatives at = residualPart(1.0, tau);
        const Derivatives lo = residualPart(1.0 - 1e-9, tau), hi = residualPart(1.0 + 1e-9, tau);
        const double pairs[][3] = {
            {at.phi, lo.phi, hi.phi}, {at.d, lo.d, hi.d},    {at.dd, lo.dd, hi.dd},
            {at.t, lo.t, hi.t},       {at.tt, lo.tt, hi.tt}, {at.dt, lo.dt, hi.dt},
        };
        const char* names[] = {"phi", "d", "dd", "t", "tt", "dt"};
        for (int k = 0; k < 6; ++k) {
            ASSERT_TRUE(std::isfinite(pairs[k][0])) << names[k] << " at delta = 1, tau = " << tau;
            const double mid = 0.5 * (pairs[k][1] + pairs[k][2]);
            EXPECT_NEAR(pairs[k][0], mid, 1e-7 * std::max(1.0, std::abs(mid)))
                << names[k] << " at delta = 1, tau = " << tau;
        }
    }
}

TEST(HelmholtzDerivatives, CriticalPointHasFiniteFirstDerivativesAndDivergentCv) {
    const Derivatives r = residualPart(1.0, 1.0);
    EXPECT_TRUE(std::isfinite(r.phi) && std::isfinite(r.d) && std::isfinite(r.dd) && std::isfinite(r.t) &&
                std::isfinite(r.dt));
    EXPECT_EQ(r.tt, -std::numeric_limits<double>::infinity());
    // The approach to the critical point is continuous in the finite values.
    const Derivatives near = residualPart(1.0, 1.0 + 1e-10);
    EXPECT_NEAR(r.phi, near.phi, 1e-9);
    EXPECT_NEAR(r.d, near.d, 1e-6);
    EXPECT_NEAR(r.t, near.t, 1e-6);

    const State c = stateTRho(Tc, rhoc);
    EXPECT_LT(test::relErr(c.p, pc), 1e-9) << "p(Tc, rhoc) = " << c.p;
    EXPECT_EQ(c.cv, std::numeric_limits<double>::infinity());
    EXPECT_EQ(c.cp, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isfinite(c.h) && std::isfinite(c.s) && std::isfinite(c.u));
}

}  // namespace
}  // namespace iapws95
