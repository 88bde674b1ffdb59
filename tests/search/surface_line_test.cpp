// A line of the (t, p) surface blends the two grid lines around its value at equal values of
// the other grid column, and a search along it returns two neighbouring nodes between which
// the line reaches the value: within the stretch asked for, the first such place along the
// line, never two places of different grid lines blended together.
#include "search/surface_line.h"

#include "data/property_database.h"
#include "support/fixture_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace steam::search {
namespace {

using data::GridColumn;
using data::Source;
using testsupport::FixtureDatabase;

constexpr double kInf = std::numeric_limits<double>::infinity();

class SurfaceLineTest : public testsupport::FixtureDatabaseTest {};

// Steam-like isotherms 100 and 110 C at p 1 to 6 MPa: h falls with p, and much faster on the
// colder line, so the two lines reach a value at very different pressures.
FixtureDatabase steamGrid() {
    FixtureDatabase fixture;
    for (double t : {100.0, 110.0})
        for (int p = 1; p <= 6; ++p)
            fixture.addGridRow(Source::Vapor, t, p, (t + 273.15) / (100 * p),
                               2700 + 2 * (t - 100) - (t == 100 ? 8 : 1) * p, 7 - 0.1 * p);
    return fixture;
}

TEST_F(SurfaceLineTest, CrossingLiesBetweenNeighbouringNodesOfTheBlendedLine) {
    open(steamGrid());
    // At t = 105 the line's h is the mean of both lines at equal p: 2710 - 4.5 p.
    struct Case {
        double h;
        double first, second;  // the pressures of the two nodes
    };
    const Case cases[] = {{2705.5, 1, 2}, {2698.75, 2, 3}, {2685.0, 5, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "h " << c.h);
        SurfaceLine line(db.vapor(), GridColumn::t, 105, 100, 110);
        LineNode first, second;
        ASSERT_TRUE(line.findCrossing(4, c.h, {}, first, second));
        EXPECT_EQ(first.x, c.first);
        EXPECT_EQ(second.x, c.second);
        // Both rows of a node lie at the node's pressure, one on each grid line.
        for (const LineNode* node : {&first, &second}) {
            EXPECT_EQ(node->lower[2], node->x);
            EXPECT_EQ(node->upper[2], node->x);
            EXPECT_EQ(node->lower[1], 100);
            EXPECT_EQ(node->upper[1], 110);
        }
        const double h1 = line.at(first, 4), h2 = line.at(second, 4);
        EXPECT_LE(std::min(h1, h2), c.h);
        EXPECT_GE(std::max(h1, h2), c.h);
    }
    // The colder line alone ends at 2652, the warmer at 2714: the blended line reaches
    // neither beyond its own ends.
    SurfaceLine line(db.vapor(), GridColumn::t, 105, 100, 110);
    LineNode first, second;
    EXPECT_FALSE(line.findCrossing(4, 2710, {}, first, second));
    EXPECT_FALSE(line.findCrossing(4, 2680, {}, first, second));
}

TEST_F(SurfaceLineTest, SearchStaysWithinTheStretchAskedFor) {
    open(steamGrid());
    // h 2698.75 lies at p 2.5 on the line t = 105.
    struct Case {
        LineDomain domain;
        bool found;
    };
    const Case cases[] = {{{-kInf, kInf}, true}, {{2.2, 2.8}, true},   {{2.5, kInf}, true}, {{-kInf, 2.5}, true},
                          {{-kInf, 2.4}, false}, {{2.6, kInf}, false}, {{3.5, 5.5}, false}, {{7, kInf}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.domain.from << " to " << c.domain.to);
        SurfaceLine line(db.vapor(), GridColumn::t, 105, 100, 110);
        LineNode first, second;
        EXPECT_EQ(line.findCrossing(4, 2698.75, c.domain, first, second), c.found);
    }
}

TEST_F(SurfaceLineTest, TurningLineGivesItsFirstCrossing) {
    // An isobar of cold water whose v turns at t = 4: 1.0002, 1.0001, 1.0000, 1.0001, 1.0003.
    FixtureDatabase fixture;
    const double v[] = {1.0002, 1.0001, 1.0000, 1.0001, 1.0003};
    for (int i = 0; i < 5; ++i) fixture.addGridRow(Source::Water, 2.0 * i, 1, v[i], 10.0 * i, 0.1 * i);
    open(fixture);
    struct Case {
        double v;
        double first;  // t of the first node; NaN when the line does not reach v
    };
    const Case cases[] = {{1.00015, 0}, {1.00005, 2}, {1.00025, 6}, {1.0000, 2}, {0.99995, NAN}, {1.0004, NAN}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "v " << c.v);
        SurfaceLine line(db.water(), GridColumn::p, 1, 1, 1);
        LineNode first, second;
        const bool found = line.findCrossing(3, c.v, {}, first, second);
        ASSERT_EQ(found, !std::isnan(c.first));
        if (!found) continue;
        EXPECT_EQ(first.x, c.first);
        EXPECT_EQ(second.x, c.first + 2);
    }
}

TEST_F(SurfaceLineTest, PlacesMissingOnOneGridLineAreNotBlended) {
    // The upper isotherm lacks p = 3: the piece 2 to 3 of the line at 105 C does not exist,
    // and no row at p = 4 stands in for it.
    FixtureDatabase fixture;
    for (double t : {100.0, 110.0})
        for (int p = 1; p <= 4; ++p)
            if (!(t == 110 && p == 3)) fixture.addGridRow(Source::Vapor, t, p, 1.0 / p, 2700 + t - 10 * p, 7 - 0.1 * p);
    open(fixture);
    SurfaceLine line(db.vapor(), GridColumn::t, 105, 100, 110);
    LineNode first, second;
    EXPECT_FALSE(line.findCrossing(4, 2780, {}, first, second));  // at p 2.5
    EXPECT_TRUE(line.findCrossing(4, 2790, {}, first, second));   // at p 1.5
    EXPECT_EQ(first.x, 1);
}

TEST_F(SurfaceLineTest, LinesAroundAValueAreTheTabulatedOnesNextToIt) {
    open(steamGrid());
    const std::optional<SurfaceLine> between = SurfaceLine::around(db.vapor(), GridColumn::t, 104);
    ASSERT_TRUE(between.has_value());
    EXPECT_FALSE(between->isGridLine());
    const std::optional<SurfaceLine> on = SurfaceLine::around(db.vapor(), GridColumn::t, 110);
    ASSERT_TRUE(on.has_value());
    EXPECT_TRUE(on->isGridLine());
    EXPECT_FALSE(SurfaceLine::around(db.vapor(), GridColumn::t, 111).has_value());
    EXPECT_FALSE(SurfaceLine::around(db.vapor(), GridColumn::t, NAN).has_value());
}

}  // namespace
}  // namespace steam::search
