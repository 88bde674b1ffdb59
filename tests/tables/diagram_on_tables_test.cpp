// The diagram drawn from the generated tables: the dome passes within a pixel, at ten times
// the default zoom, of every row of the saturation table while reading few of them; in the
// default window and the zooms a teacher uses, curves are labelled, each label inside the
// window, clear of the others and of the region names.
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
using diagram::RecordedCall;
using diagram::SurfacePoint;

constexpr double kEntropyPerPixel = 9.99 * 1.16 / 4890.0;
constexpr double kEnthalpyPerPixel = 5000.0 * 1.16 / 4650.0;

double offSegment(const SurfacePoint& p, const SurfacePoint& a, const SurfacePoint& b) {
    const double dx = (b.x - a.x) / kEntropyPerPixel, dy = (b.y - a.y) / kEnthalpyPerPixel;
    const double px = (p.x - a.x) / kEntropyPerPixel, py = (p.y - a.y) / kEnthalpyPerPixel;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(px - t * dx, py - t * dy);
}

struct Loaded {
    data::PropertyDatabase db;
    diagram::Diagram diagram;
    calc::RegisterStore registers;
    std::string error;
    bool ok = false;
    Loaded() { ok = db.open(data::executableDirectory(), error) && diagram.curves.ReadCurveData(db, error); }
};

TEST(DiagramOnTablesTest, DomeFollowsEveryRowOfTheSaturationTable) {
    auto loaded = std::make_unique<Loaded>();
    ASSERT_TRUE(loaded->ok) << loaded->error;
    const std::vector<SurfacePoint>& dome = loaded->diagram.curves.SaturationDome;
    const Rows rows = TableFile(data::Source::Swater).rows("select s11, h11, s1, h1 from SWATER order by n");
    ASSERT_GT(rows.size(), 1000u);
    EXPECT_LT(dome.size(), 2000u) << "the dome runs through a small part of the rows";
    ASSERT_EQ(dome.size() % 2, 0u) << "each row once on either side";
    EXPECT_EQ(dome.front().x, rows.front()[0]);
    EXPECT_EQ(dome[dome.size() / 2 - 1].y, rows.back()[1]) << "up to the critical point";
    EXPECT_EQ(dome.back().x, rows.front()[2]);
    double worst = 0;
    size_t where = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int side : {0, 2}) {
            const SurfacePoint p{rows[r][side], rows[r][side + 1]};
            double best = 1e300;
            for (size_t i = 1; i < dome.size(); ++i) best = std::min(best, offSegment(p, dome[i - 1], dome[i]));
            if (best > worst) worst = best, where = r;
        }
    }
    EXPECT_LE(worst, 1.0) << "row " << where + 1 << " lies " << worst << " pixels off the dome";
    std::printf("dome through %d of %zu rows, at most %.2f pixels off any row at tenfold zoom\n",
                static_cast<int>(dome.size() / 2), rows.size(), worst);
}

TEST(DiagramOnTablesTest, LabelsInTheTeachersWindowsLieInsideApartAndClearOfTheRegionNames) {
    auto loaded = std::make_unique<Loaded>();
    ASSERT_TRUE(loaded->ok) << loaded->error;
    diagram::Diagram& d = loaded->diagram;
    d.CHKpic.fill(true);
    struct Window {
        double xmin, xmax, ymin, ymax;
    };
    const Window windows[] = {{0, 9.99, 0, 5000}, {5, 8, 2000, 3000}, {6, 8, 2600, 3800}, {3.5, 5.5, 1800, 2800},
                              {0, 2, 0, 600}};
    for (const Window& w : windows) {
        const std::string context = "window s " + std::to_string(w.xmin) + ".." + std::to_string(w.xmax) + ", h " +
                                    std::to_string(w.ymin) + ".." + std::to_string(w.ymax);
        diagram::RecordingSurface pic;
        d.scale.DefineScale(w.xmin, w.xmax, w.ymin, w.ymax);
        d.drawWindow(pic, loaded->registers, w.xmin, w.xmax, w.ymin, w.ymax);
        // Everything in pixels of the 489 x 465 picture.
        const diagram::DiagramScale& s = d.scale;
        const auto px = [&](double x) { return (x - s.XminExt) / (s.XmaxExt - s.XminExt) * 489; };
        const auto py = [&](double y) { return (s.YmaxExt - y) / (s.YmaxExt - s.YminExt) * 465; };
        const diagram::PixelBox window{px(w.xmin) - 0.01, py(w.ymax) - 0.01, px(w.xmax) + 0.01, py(w.ymin) + 0.01};
        std::vector<diagram::PixelBox> labels, names;
        std::string families;
        const auto& calls = pic.calls();
        for (size_t i = 0; i < calls.size(); ++i) {
            const RecordedCall& c = calls[i];
            if (c.kind == CallKind::FilledRectangle && c.colour == diagram::Rgb{220, 220, 220}) {
                labels.push_back({std::min(px(c.x1), px(c.x2)), std::min(py(c.y1), py(c.y2)),
                                  std::max(px(c.x1), px(c.x2)), std::max(py(c.y1), py(c.y2))});
                const std::string& text = calls.at(i + 4).text;  // box, edge, colour, position, text
                if (families.find(text.at(1)) == std::string::npos) families += text.at(1);
            }
            if (c.kind == CallKind::Text && c.fontFamily == "宋体") {
                pic.setFont(c.fontFamily, c.fontPoints, c.bold);
                const diagram::TextExtent e = pic.textExtent(c.text);
                names.push_back({px(c.x1), py(c.y1), px(c.x1) + e.width, py(c.y1) + e.height});
            }
        }
        std::sort(families.begin(), families.end());
        std::printf("%s: %zu labels, families %s\n", context.c_str(), labels.size(), families.c_str());
        EXPECT_GE(labels.size(), 5u) << context;
        EXPECT_GE(families.size(), 3u) << context << ": families labelled " << families;
        for (size_t i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(window.contains(labels[i])) << context << ", label " << i;
            for (size_t j = 0; j < i; ++j) EXPECT_FALSE(labels[i].overlaps(labels[j])) << context << ", labels " << j << ", " << i;
            for (const auto& name : names) EXPECT_FALSE(labels[i].overlaps(name)) << context << ", label " << i;
        }
    }
}

}  // namespace
}  // namespace steam::tables::test
