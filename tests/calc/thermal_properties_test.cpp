// The properties shown beyond the boxes of a state agree with the formulations at the state,
// wherever the tables answer it: cold water just above its vapour pressure included, where the
// tables' v alone would put IAPWS-95's p below zero.
#include "panels/state_panel.h"

#include "calc/thermal_properties.h"
#include "calc_test_support.h"
#include "conditioning.h"

#include <gtest/gtest.h>

#include <cmath>

namespace steam::calc {
namespace {

using namespace test;
using iapws95::Branch;

TEST(ThermalPropertiesTest, PropertiesOfAStateFromTAndPMatchTheFormulations) {
    struct Case {
        double t, p;
        Branch branch;
    };
    const Case cases[] = {{1.7728, 0.0026893, Branch::Liquid},
                          {7.6514, 0.0013614, Branch::Liquid},
                          {25, 0.1, Branch::Liquid},
                          {250, 60, Branch::Liquid},
                          {200, 1, Branch::Vapour},
                          {500, 25, Branch::Liquid}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "t " << c.t << ", p " << c.p);
        const StateOutcome out = calculate({{T, typed(c.t)}, {P, typed(c.p)}});
        ASSERT_TRUE(out.solution && out.answered);
        const ThermalSet shown = thermalPropertiesOf(*out.solution);
        const accuracy::Properties truth = accuracy::propertiesAt(c.t, c.p, c.branch);
        // Targets: 0.1 % for cp, cv and w, 0.2 % for the transport properties, 0.3 % for Pr.
        const std::pair<double, int> judged[] = {{shown.cp, accuracy::kCp},    {shown.cv, accuracy::kCv},
                                                 {shown.w, accuracy::kW},      {shown.mu, accuracy::kMu},
                                                 {shown.k, accuracy::kLambda}, {shown.nu, accuracy::kNu},
                                                 {shown.pr, accuracy::kPr}};
        for (const auto& [value, k] : judged) {
            const double target = k <= accuracy::kW ? 1e-3 : k == accuracy::kPr ? 3e-3 : 2e-3;
            EXPECT_LE(std::fabs(value - truth[k]), target * std::fabs(truth[k]))
                << "property " << k << ": " << value << ", formulations " << truth[k];
        }
    }
}

}  // namespace
}  // namespace steam::calc
