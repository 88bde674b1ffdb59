// Interpolation between bracketing rows is linear in the key column, returns a row's own value
// when both rows share the key (no division), and the four-row form blends the two grid lines
// at each of its two places first, then interpolates along that blended line to the second
// known value: a point of the bilinear surface, never a mix of two unrelated states.
#include "numeric/interpolation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace steam::numeric {
namespace {

// A row of the saturation table (positions 1 to 8) or of a grid (1 to 5); position 0 unused.
using Row = std::array<double, 9>;

// A linear function of (t, h), used to fill rows that are not on a rectangular grid.
struct Plane {
    double c0, ct, ch;
    double at(double t, double h) const { return c0 + ct * t + ch * h; }
};
constexpr Plane kP{0.2, 0.004, 0.0001};
constexpr Plane kV{0.5, 0.01, 0.0002};
constexpr Plane kS{1.0, 0.003, 0.001};

class InterpolationTest : public testing::Test {
protected:
    void SetUp() override {
        // Saturation rows: 10 and 20 C, and two rows sharing ts = 30 with different values.
        saturation = {{0, 10, 0.0012282, 0.0010003, 106.3, 42.02, 2519.2, 0.1511, 8.8998},
                      {0, 20, 0.0023393, 0.0010018, 57.76, 83.91, 2537.4, 0.2965, 8.6660},
                      {0, 30, 0.0042470, 0.0010044, 32.88, 125.7, 2555.5, 0.4368, 8.4520},
                      {0, 30, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5}};
        // A rectangular cell of a grid: t 10/20, p 1/2, with values that are not bilinear.
        water = {{0, 10, 1, 0.0010, 100, 0.30},
                 {0, 10, 2, 0.0011, 140, 0.35},
                 {0, 20, 1, 0.0013, 180, 0.70},
                 {0, 20, 2, 0.0017, 260, 0.90}};
        // Two isotherms whose bracketing h rows differ from line to line.
        const double lines[][3] = {{100, 2600, 2700}, {110, 2620, 2740}};
        for (const auto& line : lines) {
            const double t = line[0];
            for (double h : {line[1], line[2]}) vapour.push_back({0, t, kP.at(t, h), kV.at(t, h), h, kS.at(t, h)});
        }
    }

    // The first saturation row at ts (`skip` more: the next one at the same ts).
    const Row& satRow(double ts, int skip = 0) const {
        for (const Row& r : saturation)
            if (r[1] == ts && skip-- == 0) return r;
        throw std::logic_error("no such row");
    }

    // The grid row at t whose value in column `column` (2 p, 4 h) is `second`.
    static const Row& gridRow(const std::vector<Row>& rows, double t, double second, int column) {
        for (const Row& r : rows)
            if (r[1] == t && r[static_cast<size_t>(column)] == second) return r;
        throw std::logic_error("no such row");
    }

    std::vector<Row> saturation, water, vapour;
};

TEST_F(InterpolationTest, HalfwayBetweenRowsGivesTheMeanOfEveryColumn) {
    const Row& H = satRow(20);
    const Row& L = satRow(10);
    for (int aa = 1; aa <= 8; ++aa) {
        SCOPED_TRACE(testing::Message() << "column " << aa);
        EXPECT_DOUBLE_EQ(interpolateRows(H, L, aa, 1, 15.0), (H[aa] + L[aa]) / 2);
    }
}

TEST_F(InterpolationTest, QuarterWayFromTheLowerRowIsLinear) {
    const Row& H = satRow(20);
    const Row& L = satRow(10);
    // Known value given in column 5 (h'): 25 % of the way from the lower row's h' to the upper's.
    const double known = 42.02 + 0.25 * (83.91 - 42.02);
    const double expectedTs = 12.5;
    EXPECT_NEAR(interpolateRows(H, L, 1, 5, known), expectedTs, 1e-12);
    EXPECT_NEAR(interpolateRows(H, L, 6, 5, known), 2519.2 + 0.25 * (2537.4 - 2519.2), 1e-9);
    EXPECT_NEAR(interpolateRows(H, L, 5, 5, known), known, 1e-12);
}

TEST_F(InterpolationTest, KnownValueOnARowReturnsThatRowExactly) {
    const Row& H = satRow(10);
    const Row& L = satRow(10);
    const Row& other = satRow(20);
    for (int aa = 1; aa <= 8; ++aa) {
        SCOPED_TRACE(testing::Message() << "column " << aa);
        EXPECT_EQ(interpolateRows(H, L, aa, 1, 10.0), H[aa]);
        // Also on distinct rows: at the upper row's own key the result is that row's value.
        EXPECT_EQ(interpolateRows(H, other, aa, 1, 10.0), H[aa]);
    }
}

TEST_F(InterpolationTest, EqualKeysGiveTheUpperRowWithoutDividing) {
    // Two different rows that share ts = 30: a division would give inf or nan.
    const Row& first = satRow(30);
    const Row& second = satRow(30, 1);
    ASSERT_NE(first[2], second[2]);
    for (double cc : {30.0, 31.0, -5.0}) {
        for (int aa = 1; aa <= 8; ++aa) {
            SCOPED_TRACE(testing::Message() << "cc " << cc << ", column " << aa);
            EXPECT_EQ(interpolateRows(first, second, aa, 1, cc), first[aa]);
            EXPECT_EQ(interpolateRows(second, first, aa, 1, cc), second[aa]);
        }
    }
}

TEST_F(InterpolationTest, FourRowsOnARectangularGridGiveBilinearInterpolation) {
    const Row& A = gridRow(water, 10, 1, 2);  // lower p row, lower t line
    const Row& B = gridRow(water, 20, 1, 2);  // lower p row, upper t line
    const Row& C = gridRow(water, 10, 2, 2);  // upper p row, lower t line
    const Row& D = gridRow(water, 20, 2, 2);  // upper p row, upper t line
    struct Case {
        double t, p;
    };
    const Case cases[] = {{12.5, 1.5}, {10, 1}, {20, 2}, {17, 1.1}, {11, 1.9}};
    for (const Case& c : cases) {
        const double ft = (c.t - 10) / 10, fp = c.p - 1;
        for (int aa = 1; aa <= 5; ++aa) {
            SCOPED_TRACE(testing::Message() << "t " << c.t << ", p " << c.p << ", column " << aa);
            // Along t at both p levels first, then along p: the textbook two-step form.
            const double lowP = A[aa] + ft * (B[aa] - A[aa]);
            const double highP = C[aa] + ft * (D[aa] - C[aa]);
            const double expected = lowP + fp * (highP - lowP);
            EXPECT_NEAR(interpolateFourRows(A, B, C, D, aa, 1, 2, c.t, c.p), expected,
                        1e-12 * (1 + std::fabs(expected)));
        }
    }
    // A hand-worked value: h at (12.5, 1.5) is 120 on t = 10, 220 on t = 20, so 145.
    EXPECT_NEAR(interpolateFourRows(A, B, C, D, 4, 1, 2, 12.5, 1.5), 145.0, 1e-12);
}

TEST_F(InterpolationTest, FourRowsOfACellGiveTheSurfacePointWhereTheSecondValueLies) {
    // The cell t 10/20, p 1/2 with h 100, 140 (t 10) and 180, 260 (t 20). On the line t = 15
    // the surface has h 140 at p 1 and 200 at p 2, so h 170 lies at p 1.5. (Neither grid line
    // alone reaches 170: interpolating each of them at h = 170 first would extrapolate.)
    const Row& A = gridRow(water, 10, 1, 2);
    const Row& B = gridRow(water, 20, 1, 2);
    const Row& C = gridRow(water, 10, 2, 2);
    const Row& D = gridRow(water, 20, 2, 2);
    struct Case {
        double h, p, v;
    };
    const Case cases[] = {{170, 1.5, 0.001275}, {140, 1, 0.00115}, {200, 2, 0.0014}, {155, 1.25, 0.0012125}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "h " << c.h);
        EXPECT_NEAR(interpolateFourRows(A, B, C, D, 1, 1, 4, 15, c.h), 15, 1e-12);
        EXPECT_NEAR(interpolateFourRows(A, B, C, D, 2, 1, 4, 15, c.h), c.p, 1e-12);
        EXPECT_NEAR(interpolateFourRows(A, B, C, D, 3, 1, 4, 15, c.h), c.v, 1e-15);
        EXPECT_NEAR(interpolateFourRows(A, B, C, D, 4, 1, 4, 15, c.h), c.h, 1e-9);
        // The same as the bilinear interpolation at (15, p): the state is on the (t, p) surface.
        for (int aa = 3; aa <= 5; ++aa)
            EXPECT_NEAR(interpolateFourRows(A, B, C, D, aa, 1, 4, 15, c.h),
                        interpolateFourRows(A, B, C, D, aa, 1, 2, 15, c.p), 1e-12);
    }
}

TEST_F(InterpolationTest, FourRowsOffTheGridReproduceALinearFunctionExactly) {
    // Second known is h, which is not a grid column: the rows' h differ between the lines.
    const Row& A = gridRow(vapour, 100, 2600, 4);
    const Row& C = gridRow(vapour, 100, 2700, 4);
    const Row& B = gridRow(vapour, 110, 2620, 4);
    const Row& D = gridRow(vapour, 110, 2740, 4);
    struct Case {
        double t, h;
    };
    const Case cases[] = {{104, 2650}, {100, 2640}, {110, 2700}, {107.5, 2625}, {101, 2690}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "t " << c.t << ", h " << c.h);
        EXPECT_NEAR(interpolateFourRows(A, B, C, D, 1, 1, 4, c.t, c.h), c.t, 1e-10);
        EXPECT_NEAR(interpolateFourRows(A, B, C, D, 2, 1, 4, c.t, c.h), kP.at(c.t, c.h), 1e-12);
        EXPECT_NEAR(interpolateFourRows(A, B, C, D, 3, 1, 4, c.t, c.h), kV.at(c.t, c.h), 1e-12);
        EXPECT_NEAR(interpolateFourRows(A, B, C, D, 4, 1, 4, c.t, c.h), c.h, 1e-9);
        EXPECT_NEAR(interpolateFourRows(A, B, C, D, 5, 1, 4, c.t, c.h), kS.at(c.t, c.h), 1e-12);
    }
}

}  // namespace
}  // namespace steam::numeric
