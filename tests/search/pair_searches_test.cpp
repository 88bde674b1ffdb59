// The searches behind states given by two of v, h, s and x, on fixture tables: along the
// saturation line the first place where a function reaches zero, also where it turns between
// two samples of the line's coarse copy; on the (t, p) surface the state where two values are
// taken, exact where the surface is exact, and the side of the stretch where it is not.
#include "data/property_database.h"
#include "search/saturation_walk.h"
#include "search/surface_pair_search.h"
#include "support/fixture_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace steam::search {
namespace {

using data::Source;
using testsupport::FixtureDatabase;

constexpr double kInf = std::numeric_limits<double>::infinity();

class PairSearchesTest : public testsupport::FixtureDatabaseTest {};

// A saturation line from 0.01 to 10 C: rows every kelvin, every tenth between 5 and 6; h''
// peaks at 5.45 C (100 - (ts - 5.45)^2), s' rises as ts / 10.
FixtureDatabase saturationLine() {
    FixtureDatabase fixture;
    const auto row = [&fixture](double ts) {
        fixture.addSaturationRow(ts, 0.001 * ts, 0.001, 100 - ts, 20 * ts, 100 - (ts - 5.45) * (ts - 5.45), ts / 10,
                                 9 - ts / 10);
    };
    row(0.01);
    for (int k = 1; k <= 10; ++k) {
        row(k);
        if (k == 5)
            for (int tenth = 1; tenth <= 9; ++tenth) row(5 + tenth / 10.0);
    }
    return fixture;
}

TEST_F(PairSearchesTest, WalkFindsTheFirstZeroAlongTheSaturationLine) {
    open(saturationLine());
    const SaturationWalk walk(db);
    const auto steam = [](double z) { return [z](const SaturatedValues& s) { return s[6] - z; }; };
    struct Case {
        SaturationWalk::Function g;
        double slack;
        double ts;  // NaN: none
    };
    const Case cases[] = {
        {[](const SaturatedValues& s) { return s[7] - 0.73; }, 0.0, 7.3},  // monotone
        // Reached twice between the samples at 5 and 6 C (rows 5.1 and 5.2: 99.8775, 99.9375).
        {steam(99.9), 0.0, 5.1375},
        {steam(99.0), 0.0, 4.0 + 1.1025 / 1.9},                                 // a change of sign between two samples
        {steam(99.998), 0.0, NAN},                                              // above the rows' highest 99.9975
        {steam(99.998), 0.001, 5.45},                                           // missed at the turn within the slack
        {[](const SaturatedValues& s) { return s[7] - 0.0005; }, 0.001, 0.01},  // short at the line's start
        {[](const SaturatedValues& s) { return s[7] - 2.0; }, 0.001, NAN},
    };
    for (const Case& c : cases) {
        const auto found = walk.firstZero(c.g, -kInf, kInf, c.slack);
        ASSERT_EQ(found.has_value(), !std::isnan(c.ts)) << "ts " << c.ts;
        if (found) {
            EXPECT_NEAR((*found)[1], c.ts, c.slack > 0 ? 0.06 : 1e-9);
        }
    }
    // Within a stretch: the second crossing of h'' = 99.9 when the first lies before it.
    const auto later = walk.firstZero(steam(99.9), 5.5, kInf);
    ASSERT_TRUE(later.has_value());
    EXPECT_NEAR((*later)[1], 5.7625, 1e-9);
}

TEST_F(PairSearchesTest, SurfaceSearchFindsTheStateWhereBothValuesAreTaken) {
    // Steam on a grid 100-110 C by 1 K and isobars 1 to 5 MPa, with s and h linear in t and
    // p: the bilinear surface is exact, and so must the state be.
    FixtureDatabase fixture;
    for (int p = 1; p <= 5; ++p)
        for (int t = 100; t <= 110; ++t)
            fixture.addGridRow(Source::Vapor, t, p, 1.0 / p, 2000 + 10 * t + p, 5 + 0.01 * t - 0.1 * p);
    open(fixture);
    // At t 104.3, p 2.7: s 5.773, h 3045.7; h rises with p along the line of constant s.
    const auto search = [&](double from, double to, std::array<double, 6>& state) {
        SurfacePairSearch pair(db.vapor(), 5, 5.773, 4, 3045.7, true, true);
        return pair.find({from, NAN}, {to, NAN}, state);
    };
    std::array<double, 6> state{};
    ASSERT_EQ(search(1, 5, state), SurfacePairSearch::Outcome::Found);
    EXPECT_NEAR(state[1], 104.3, 1e-9);
    EXPECT_NEAR(state[2], 2.7, 1e-9);
    EXPECT_NEAR(state[3], 1.0 / 3 + 0.3 * (0.5 - 1.0 / 3), 1e-9);  // v bilinear between isobars 2 and 3
    EXPECT_EQ(search(3, 5, state), SurfacePairSearch::Outcome::Below);
    EXPECT_EQ(search(1, 2, state), SurfacePairSearch::Outcome::Above);
    // Known at the stretch's lower end from elsewhere: there the value is not yet reached.
    SurfacePairSearch fromEnd(db.vapor(), 5, 5.773, 4, 3045.7, true, true);
    EXPECT_EQ(fromEnd.find({1.5, 3000.0}, {5, NAN}, state), SurfacePairSearch::Outcome::Found);
    EXPECT_NEAR(state[2], 2.7, 1e-9);
}

}  // namespace
}  // namespace steam::search
