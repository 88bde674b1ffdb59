// The charts drawn from the generated tables: each chart's saturation line passes within a
// pixel, at ten times its default zoom, of every row of the saturation table while reading
// few of them; in the default windows and the zooms a teacher uses, curves are labelled,
// each label inside the window, clear of the others and of the region names.
#include "table_files.h"

#include "calc/register_store.h"
#include "diagram/diagram.h"
#include "diagram/recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace steam::tables::test {
namespace {

using diagram::CallKind;
using diagram::Chart;
using diagram::RecordedCall;
using diagram::SurfacePoint;

struct Loaded {
    data::PropertyDatabase db;
    diagram::Diagram diagram;
    calc::RegisterStore registers;
    std::string error;
    bool ok = false;
    Loaded() { ok = db.open(data::executableDirectory(), error) && diagram.curves.ReadCurveData(db, error); }
};

TEST(DiagramOnTablesTest, EachChartsSaturationLineFollowsEveryRowOfTheSaturationTable) {
    auto loaded = std::make_unique<Loaded>();
    ASSERT_TRUE(loaded->ok) << loaded->error;
    const Rows rows = TableFile(data::Source::Swater).rows("select * from SWATER order by n");
    ASSERT_GT(rows.size(), 1000u);
    for (Chart chart : diagram::kCharts) {
        const diagram::ChartDescription& d = diagram::chartDescription(chart);
        SCOPED_TRACE(d.name);
        const std::vector<SurfacePoint>& line =
            chart == Chart::HS ? loaded->diagram.curves.SaturationDome
                               : loaded->diagram.curves.Charts[static_cast<size_t>(chart)].saturationLine;
        const double perX = diagram::unitsPerPixelAtTenfoldZoom(d.x, diagram::kPicturePixelsAcross),
                     perY = diagram::unitsPerPixelAtTenfoldZoom(d.y, diagram::kPicturePixelsUp);
        const auto at = [&](const std::vector<double>& row, int xColumn, int yColumn) {
            return SurfacePoint{d.x.toChart(row[xColumn]) / perX, d.y.toChart(row[yColumn]) / perY};
        };
        std::vector<SurfacePoint> drawn;
        for (const SurfacePoint& p : line) drawn.push_back({p.x / perX, p.y / perY});
        const diagram::SaturationColumns& c = d.saturation;
        const bool one = c.oneBranch();
        EXPECT_LT(line.size(), one ? 1000u : 2000u) << "the line runs through a small part of the rows";
        // From the first row up to the critical point (the last row) and, for a dome, back down.
        const SurfacePoint first = at(rows.front(), c.waterX, c.waterY), top = at(rows.back(), c.steamX, c.steamY);
        const SurfacePoint& end = one ? drawn.front() : drawn.back();
        EXPECT_TRUE(end.x == first.x && end.y == first.y) << "from the first row";
        if (one) {
            EXPECT_TRUE(drawn.back().x == top.x && drawn.back().y == top.y) << "up to the critical point";
        } else {
            ASSERT_EQ(line.size() % 2, 0u) << "each row once on either side";
            EXPECT_EQ(drawn[drawn.size() / 2 - 1].y, top.y) << "up to the critical point";
        }
        double worst = 0;
        size_t where = 0;
        for (size_t r = 0; r < rows.size(); ++r) {
            for (const SurfacePoint p : {at(rows[r], c.steamX, c.steamY), at(rows[r], c.waterX, c.waterY)}) {
                double best = 1e300;
                for (size_t i = 1; i < drawn.size(); ++i)
                    best = std::min(best, diagram::distanceToSegment({p.x, p.y}, {drawn[i - 1].x, drawn[i - 1].y},
                                                                     {drawn[i].x, drawn[i].y}));
                if (best > worst) worst = best, where = r;
            }
        }
        EXPECT_LE(worst, 1.0) << "row " << where + 1 << " lies " << worst << " pixels off the line";
        std::printf(
            "%s: saturation line through %zu points from %zu rows, at most %.2f pixels off any row at tenfold zoom\n",
            d.name, line.size(), rows.size(), worst);
    }
}

TEST(DiagramOnTablesTest, LabelsInTheTeachersWindowsLieInsideApartAndClearOfTheRegionNames) {
    auto loaded = std::make_unique<Loaded>();
    ASSERT_TRUE(loaded->ok) << loaded->error;
    diagram::Diagram& d = loaded->diagram;
    struct Window {
        Chart chart;
        double xmin, xmax, ymin, ymax;  // in the axes' units
        size_t families;                // labelled at least
    };
    const Window windows[] = {
        {Chart::HS, 0, 9.99, 0, 5000, 3},  {Chart::HS, 5, 8, 2000, 3000, 3},
        {Chart::HS, 6, 8, 2600, 3800, 3},  {Chart::HS, 3.5, 5.5, 1800, 2800, 3},
        {Chart::HS, 0, 2, 0, 600, 3},      {Chart::TS, 0, 10, 0, 800, 4},
        {Chart::TS, 5, 8, 100, 400, 4},    {Chart::PV, 0.0005, 500, 0.0005, 100, 3},
        {Chart::PV, 0.001, 1, 0.1, 30, 3}, {Chart::PT, 0, 600, 0.0005, 100, 1},
        {Chart::PT, 100, 400, 0.1, 30, 1},
    };
    for (const Window& w : windows) {
        d.setChart(w.chart);
        d.CHKpic.fill(true);
        const diagram::ChartDescription& c = d.description();
        const double xmin = c.x.toChart(w.xmin), xmax = c.x.toChart(w.xmax);
        const double ymin = c.y.toChart(w.ymin), ymax = c.y.toChart(w.ymax);
        const std::string context = std::string(c.name) + " window " + std::to_string(w.xmin) + ".." +
                                    std::to_string(w.xmax) + ", " + std::to_string(w.ymin) + ".." +
                                    std::to_string(w.ymax);
        diagram::RecordingSurface pic;
        d.scale.DefineScale(xmin, xmax, ymin, ymax);
        d.drawWindow(pic, loaded->registers, xmin, xmax, ymin, ymax);
        // Everything in pixels of the 489 x 465 picture.
        const diagram::DiagramScale& s = d.scale;
        const auto px = [&](double x) { return (x - s.XminExt) / (s.XmaxExt - s.XminExt) * 489; };
        const auto py = [&](double y) { return (s.YmaxExt - y) / (s.YmaxExt - s.YminExt) * 465; };
        const diagram::PixelBox window{px(xmin) - 0.01, py(ymax) - 0.01, px(xmax) + 0.01, py(ymin) + 0.01};
        std::vector<diagram::PixelBox> labels, names;
        std::string families;
        const auto& calls = pic.calls();
        for (size_t i = 0; i < calls.size(); ++i) {
            const RecordedCall& call = calls[i];
            if (call.kind == CallKind::FilledRectangle && call.colour == diagram::Rgb{220, 220, 220}) {
                labels.push_back({std::min(px(call.x1), px(call.x2)), std::min(py(call.y1), py(call.y2)),
                                  std::max(px(call.x1), px(call.x2)), std::max(py(call.y1), py(call.y2))});
                const std::string& text = calls.at(i + 4).text;  // box, edge, colour, position, text
                if (families.find(text.at(1)) == std::string::npos) families += text.at(1);
            }
            if (call.kind == CallKind::Text && call.fontFamily == "宋体") {
                pic.setFont(call.fontFamily, call.fontPoints, call.bold);
                const diagram::TextExtent e = pic.textExtent(call.text);
                names.push_back({px(call.x1), py(call.y1), px(call.x1) + e.width, py(call.y1) + e.height});
            }
        }
        std::sort(families.begin(), families.end());
        std::printf("%s: %zu labels, families %s\n", context.c_str(), labels.size(), families.c_str());
        EXPECT_GE(labels.size(), 5u) << context;
        EXPECT_GE(families.size(), w.families) << context << ": families labelled " << families;
        for (size_t i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(window.contains(labels[i])) << context << ", label " << i;
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(labels[i].overlaps(labels[j])) << context << ", labels " << j << ", " << i;
            for (const auto& name : names) EXPECT_FALSE(labels[i].overlaps(name)) << context << ", label " << i;
        }
    }
}

}  // namespace
}  // namespace steam::tables::test
