// The diagram's start: the default window becomes the current one, the diagram is drawn once
// before any curve is loaded, and the curve points are read after it; a failed read names
// the table and leaves that first drawing in place.
#include "diagram/diagram_startup.h"

#include "diagram/recording_surface.h"

#include "calc/register_store.h"
#include "data/property_database.h"
#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <cmath>

namespace steam::diagram {
namespace {

using data::Source;
using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;

TEST(DiagramStartupTest, DrawsTheDefaultWindowOnceWithoutCurvesThenLoadsThem) {
    for (const bool badCurvePoint : {false, true}) {
        SCOPED_TRACE(badCurvePoint ? "a bad point in DengP" : "all tables");
        FixtureDatabase fixture;
        for (int r = 1; r <= 40; ++r) fixture.addSaturationRow(r, r / 1000.0, 0.001, 1.0 / r, 10.0 * r, 2500, 1, 8);
        fixture.addCurvePoint(Source::DengT, 300, 1340, 3.25).addCurvePoint(Source::DengT, 300, 3050, 7.0);
        // A point without its enthalpy cannot be read.
        if (badCurvePoint) fixture.addCurvePoint(Source::DengP, 1, std::nan(""), 3.0);
        TemporaryDirectory dir;
        data::PropertyDatabase db;
        std::string error;
        ASSERT_TRUE(fixture.writeAndOpen(dir.path(), db, error)) << error;

        Diagram diagram;
        diagram.CHKpic.fill(true);
        RecordingSurface pic;
        calc::RegisterStore registers;
        const bool loaded = startDiagram(diagram, pic, registers, db, error);

        EXPECT_EQ(loaded, !badCurvePoint) << error;
        if (badCurvePoint) {
            EXPECT_NE(error.find("DengP"), std::string::npos) << error;
        }
        const DiagramScale& s = diagram.scale;
        EXPECT_TRUE(s.ViewXmin == 0 && s.ViewXmax == 9.99 && s.ViewYmin == 0 && s.ViewYmax == 5000);
        EXPECT_DOUBLE_EQ(s.Xspan, 9.99);
        EXPECT_EQ(diagram.DiagramReady, 1);
        // One drawing, and no isotherm in it: the curves came afterwards.
        EXPECT_EQ(pic.callsOf(CallKind::UserCoordinates).size(), 1u);
        for (const RecordedCall& c : pic.callsOf(CallKind::Line))
            EXPECT_FALSE(c.colour == (Rgb{200, 0, 0}) && (c.x1 != c.x2 || c.y1 != c.y2));
        EXPECT_EQ(diagram.curves.CurveFamily[1][1].key, badCurvePoint ? 0 : 300);
    }
}

}  // namespace
}  // namespace steam::diagram
