// States just off the saturation line that the grids' surface puts a hair across it are still
// answered: cold compressed water given by (t, s), whose s hardly changes with p, is the
// compressed-water state or, where the grid does not reach its s, saturated water.
#include "calc_test_support.h"

#include <random>

namespace steam::calc::test {
namespace {

TEST(SaturationEdgeTest, ColdWaterJustAboveItsSaturationPressureIsAnswered) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> tDist(4, 48), factor(1.0, 4.0);
    std::vector<std::pair<double, double>> states{{35.36586978975549, 0.5100860022612873}};
    while (states.size() < 400) {
        const double t = tDist(random);
        const double p = iapws95::saturationT(t + kKelvin).p * factor(random);
        states.push_back({t, iapws95::stateTP(t + kKelvin, p, iapws95::Branch::Liquid).s});
    }
    for (const auto& [t, s] : states) {
        SCOPED_TRACE(testing::Message() << "t " << typed(t) << ", s " << typed(s));
        const StateSolution out = solveState(realTables(), Property::t, t, Property::s, s);
        ASSERT_TRUE(out.solved()) << (out.messages.empty() ? "" : panels::messageText(out.messages[0]).text);
        EXPECT_TRUE(out.region == RegionWater || (out.region == RegionWet && out[Property::x] == 0.0));
        EXPECT_NEAR(out[Property::s], s, 0.5 * unit(13));
    }
}

}  // namespace
}  // namespace steam::calc::test
