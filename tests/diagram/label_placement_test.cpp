// Labels are placed in pixels: inside the area, never over each other or a reserved mark,
// on their own curve, first where it leaves the area, then back along it, and not where
// another curve of the same group runs close enough to be taken for it.
#include "diagram/label_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace steam::diagram {
namespace {

const PixelBox kArea{40, 37, 460, 428};

std::string text(const PixelBox& b) {
    return "(" + std::to_string(b.left) + ", " + std::to_string(b.top) + ")-(" + std::to_string(b.right) + ", " +
           std::to_string(b.bottom) + ")";
}

// Whether some segment of the curve passes through the box.
bool crosses(const std::vector<PixelPoint>& curve, const PixelBox& box) {
    for (size_t i = 1; i < curve.size(); ++i) {
        const PixelPoint a = curve[i - 1], b = curve[i];
        for (int k = 0; k <= 200; ++k) {
            const double x = a.x + (b.x - a.x) * k / 200, y = a.y + (b.y - a.y) * k / 200;
            if (x >= box.left && x <= box.right && y >= box.top && y <= box.bottom) return true;
        }
    }
    return false;
}

TEST(LabelPlacementTest, LabelsLieInsideTheAreaOnTheirCurveAndApart) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> x(0, 500), y(0, 465);
    for (int trial = 0; trial < 20; ++trial) {
        LabelPlacer placer(kArea);
        const PixelBox reserved{200, 200, 280, 225};
        placer.reserve(reserved);
        std::vector<std::vector<PixelPoint>> curves(30);
        for (size_t c = 0; c < curves.size(); ++c) {
            for (int k = 0; k < 6; ++k) curves[c].push_back({x(random), y(random)});
            placer.addCurve(static_cast<int>(c % 4), curves[c]);
        }
        std::vector<PixelBox> boxes;
        for (size_t c = 0; c < curves.size(); ++c) {
            const auto box = placer.place(c, 45, 13, 10);
            if (!box) continue;
            const std::string context =
                "trial " + std::to_string(trial) + ", curve " + std::to_string(c) + " " + text(*box);
            EXPECT_NEAR(box->width(), 45, 1e-9) << context;
            EXPECT_NEAR(box->height(), 13, 1e-9) << context;
            EXPECT_TRUE(kArea.contains(*box)) << context;
            EXPECT_FALSE(box->overlaps(reserved)) << context;
            // At an edge the box keeps its gap of one pixel from the point where the curve leaves.
            const PixelBox reach{box->left - 1, box->top - 1, box->right + 1, box->bottom + 1};
            EXPECT_TRUE(crosses(curves[c], reach)) << context << ": not on its curve";
            for (const PixelBox& other : boxes)
                EXPECT_FALSE(box->overlaps(other)) << context << " over " << text(other);
            boxes.push_back(*box);
        }
        EXPECT_GE(boxes.size(), 5u) << "trial " << trial;
        EXPECT_EQ(placer.placed().size(), boxes.size());
    }
}

TEST(LabelPlacementTest, ALabelGoesWhereItsCurveLeavesTheAreaOrEnds) {
    struct Case {
        const char* name;
        std::vector<PixelPoint> curve;
        PixelPoint on;  // the point the label must cover
    };
    const Case cases[] = {
        {"leaves on the right", {{100, 300}, {300, 200}, {600, 100}}, {459, 146.7}},
        {"leaves at the top, comes back and leaves again",
         {{100, 300}, {150, 0}, {250, 0}, {300, 200}, {350, 10}},
         {342.9, 38}},
        {"ends inside", {{60, 400}, {200, 250}}, {200, 250}},
    };
    for (const Case& c : cases) {
        LabelPlacer placer(kArea);
        const auto box = placer.place(placer.addCurve(0, c.curve), 45, 13, 10);
        ASSERT_TRUE(box) << c.name;
        EXPECT_TRUE(box->left <= c.on.x && c.on.x <= box->right && box->top - 1 <= c.on.y && c.on.y <= box->bottom + 1)
            << c.name << ": " << text(*box);
    }
}

TEST(LabelPlacementTest, ALabelFallsBackAlongItsCurveAndIsLeftOutWithoutRoom) {
    const std::vector<PixelPoint> curve{{100, 300}, {600, 300}};
    LabelPlacer placer(kArea);
    placer.reserve({380, 280, 460, 320});  // over the exit
    const auto box = placer.place(placer.addCurve(0, curve), 45, 13, 10);
    ASSERT_TRUE(box);
    EXPECT_LE(box->right, 380);
    EXPECT_GE(box->right, 360) << text(*box) << ": the first clear spot back from the edge";

    LabelPlacer full(kArea);
    full.reserve({40, 290, 460, 310});
    EXPECT_FALSE(full.place(full.addCurve(0, curve), 45, 13, 10));
    EXPECT_TRUE(full.placed().empty());
}

TEST(LabelPlacementTest, ALabelKeepsAwayFromCurvesOfItsOwnGroupOnly) {
    // Two curves that splay apart on the left and run 4 pixels apart from x = 250 to the
    // right edge, where they leave.
    const std::vector<PixelPoint> lower{{40, 420}, {250, 300}, {600, 300}};
    const std::vector<PixelPoint> upper{{40, 170}, {250, 296}, {600, 296}};
    for (int group : {0, 1}) {
        LabelPlacer placer(kArea);
        const size_t a = placer.addCurve(0, lower);
        placer.addCurve(group, upper);
        const auto box = placer.place(a, 45, 13, 10);
        ASSERT_TRUE(box) << "group " << group;
        if (group == 0)
            EXPECT_LT((box->left + box->right) / 2, 250) << text(*box) << ": where the two are told apart";
        else
            EXPECT_EQ(box->right, kArea.right - 1) << text(*box) << ": at the edge, beside a curve of another family";
    }
    LabelPlacer placer(kArea);
    const size_t a = placer.addCurve(0, {{40, 300}, {600, 300}});
    placer.addCurve(0, {{40, 303}, {600, 303}});
    EXPECT_FALSE(placer.place(a, 45, 13, 10)) << "no spot tells the two apart";
}

}  // namespace
}  // namespace steam::diagram
