// The step record tells how the calculators found their values: the rows it lists bracket the
// known values in the table read, its fractions put the known values there, its results are
// the values of the rows at those fractions and are the values the calculation answers; a
// search records the final rows (or cell) and a count of the places it looked at. Recording
// changes no answer.
#include "calc/calculation_steps.h"
#include "calc/saturation_solver.h"
#include "calc/state_solver.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace steam::calc {
namespace {

using testsupport::realTables;
using Kind = CalculationStep::Kind;
using Search = CalculationStep::Search;

constexpr int T = 1, P = 2, V = 3, H = 4, S = 5;  // grid positions

double blend(double a, double b, double f) { return a + f * (b - a); }

void expectClose(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-12 * std::max(1.0, std::fabs(expected))) << what;
}

CalculationSteps stepsOfState(Property a, double va, Property b, double vb, StateSolution* solution = nullptr) {
    CalculationSteps steps;
    const StateSolution s = solveState(realTables(), a, va, b, vb, &steps);
    EXPECT_TRUE(s.solved());
    if (solution) *solution = s;
    return steps;
}

TEST(CalculationStepsTest, ALineListsTheTwoRowsAroundTheKnownValueAndTheirBlend) {
    CalculationSteps steps;
    const SaturationSolution solution = solveSaturation(realTables(), SatProperty::ts, 100.02, &steps);
    ASSERT_TRUE(solution.solved);
    ASSERT_EQ(steps.steps.size(), 1u);
    const CalculationStep& step = steps.steps[0];
    ASSERT_EQ(step.kind, Kind::Line);
    EXPECT_EQ(step.table, StepTable::Saturation);
    ASSERT_EQ(step.rows.size(), 2u);
    const auto& r1 = step.rows[0];
    const auto& r2 = step.rows[1];
    EXPECT_LT(r1[1], 100.02);
    EXPECT_GT(r2[1], 100.02);
    expectClose(blend(r1[1], r2[1], step.fraction[0]), 100.02, "ts at the fraction");
    for (int k = 1; k <= 8; ++k) {
        expectClose(step.results[static_cast<size_t>(k)], blend(r1[k], r2[k], step.fraction[0]),
                    "column " + std::to_string(k));
        EXPECT_EQ(step.results[static_cast<size_t>(k)], solution.values[static_cast<size_t>(k - 1)]) << "column " << k;
    }
    EXPECT_EQ(step.results[data::kSatLiquidEnergy], solution.u1);
    EXPECT_EQ(step.results[data::kSatVapourEnergy], solution.u11);
}

TEST(CalculationStepsTest, ABilinearCellListsFourRowsOfTheGridAroundBothKnownValues) {
    StateSolution solution;
    const CalculationSteps steps = stepsOfState(Property::t, 200.5, Property::p, 3.52, &solution);
    ASSERT_EQ(solution.Choose, 4);
    ASSERT_EQ(steps.steps.size(), 2u);  // the saturation state at t, then the grid
    EXPECT_EQ(steps.steps[0].table, StepTable::Saturation);
    const CalculationStep& step = steps.steps[1];
    ASSERT_EQ(step.kind, Kind::FourRows);
    EXPECT_EQ(step.table, StepTable::Water);
    const auto& A = step.rows[0];
    const auto& B = step.rows[1];
    const auto& C = step.rows[2];
    const auto& D = step.rows[3];
    // A and B on the isotherms around 200.5 at the pressure below 3.52, C and D above it.
    EXPECT_EQ(A[T], C[T]);
    EXPECT_EQ(B[T], D[T]);
    EXPECT_EQ(A[P], B[P]);
    EXPECT_EQ(C[P], D[P]);
    EXPECT_LT(A[T], 200.5);
    EXPECT_GT(B[T], 200.5);
    EXPECT_LT(A[P], 3.52);
    EXPECT_GT(C[P], 3.52);
    expectClose(blend(A[T], B[T], step.fraction[0]), 200.5, "t at the first fraction");
    expectClose(blend(A[P], C[P], step.fraction[1]), 3.52, "p at the second fraction");
    for (int k = V; k <= S; ++k) {
        const double ab = blend(A[k], B[k], step.fraction[0]), cd = blend(C[k], D[k], step.fraction[0]);
        expectClose(step.results[static_cast<size_t>(k)], blend(ab, cd, step.fraction[1]),
                    "column " + std::to_string(k));
        EXPECT_EQ(step.results[static_cast<size_t>(k)], solution.values[static_cast<size_t>(k - 1)]) << "column " << k;
    }
}

TEST(CalculationStepsTest, ASearchAlongALineRecordsItsFinalRowsAndHowManyPiecesItRead) {
    StateSolution solution;
    const CalculationSteps steps = stepsOfState(Property::t, 300, Property::h, 3000, &solution);
    ASSERT_EQ(steps.steps.size(), 2u);
    const CalculationStep& step = steps.steps[1];
    EXPECT_EQ(step.search, Search::AlongLine);
    EXPECT_GE(step.searchSteps, 1);
    ASSERT_EQ(step.kind, Kind::Line);
    EXPECT_EQ(step.table, StepTable::Vapor);
    const auto& r1 = step.rows[0];
    const auto& r2 = step.rows[1];
    EXPECT_EQ(r1[T], 300.0);
    EXPECT_EQ(r2[T], 300.0);
    EXPECT_LE(r1[H], 3000.0);
    EXPECT_GE(r2[H], 3000.0);
    expectClose(blend(r1[H], r2[H], step.fraction[0]), 3000.0, "h at the fraction");
    expectClose(step.results[P], blend(r1[P], r2[P], step.fraction[0]), "p");
    EXPECT_EQ(step.results[P], solution[Property::p]);
}

TEST(CalculationStepsTest, ASearchOverTheIsobarsRecordsTheCellWhereBothValuesAreTaken) {
    StateSolution solution;
    const CalculationSteps steps = stepsOfState(Property::h, 2800, Property::s, 7, &solution);
    ASSERT_EQ(steps.steps.size(), 1u);
    const CalculationStep& step = steps.steps[0];
    EXPECT_EQ(step.search, Search::OverIsobars);
    EXPECT_GE(step.searchSteps, 2);
    ASSERT_EQ(step.kind, Kind::FourRows);
    EXPECT_EQ(step.from, CalculationStep::From::TwoValues);
    const auto& A = step.rows[0];
    const auto& B = step.rows[1];
    const auto& C = step.rows[2];
    const auto& D = step.rows[3];
    EXPECT_EQ(A[P], C[P]);
    EXPECT_EQ(B[P], D[P]);
    EXPECT_EQ(A[T], B[T]);
    EXPECT_EQ(C[T], D[T]);
    // At the cell's fractions the bilinear surface takes both known values.
    const auto at = [&](int k) {
        return blend(blend(A[k], B[k], step.fraction[0]), blend(C[k], D[k], step.fraction[0]), step.fraction[1]);
    };
    EXPECT_NEAR(at(H), 2800.0, 1e-8);
    EXPECT_NEAR(at(S), 7.0, 1e-11);
    for (int k = T; k <= S; ++k)
        EXPECT_NEAR(step.results[static_cast<size_t>(k)], solution.values[static_cast<size_t>(k - 1)],
                    1e-12 * std::max(1.0, std::fabs(at(k))));
}

TEST(CalculationStepsTest, ASearchAlongTheSaturationLineRecordsTheRowsAroundTheStateAndItsMixture) {
    StateSolution solution;
    const CalculationSteps steps = stepsOfState(Property::h, 2000, Property::s, 5, &solution);
    ASSERT_EQ(solution.region, RegionWet);
    ASSERT_EQ(steps.steps.size(), 2u);
    const CalculationStep& place = steps.steps[0];
    EXPECT_EQ(place.search, Search::AlongSaturation);
    EXPECT_GE(place.searchSteps, 2);
    ASSERT_EQ(place.kind, Kind::Line);
    EXPECT_LE(place.rows[0][1], solution[Property::t]);
    EXPECT_GE(place.rows[1][1], solution[Property::t]);
    const CalculationStep& mixture = steps.steps[1];
    ASSERT_EQ(mixture.kind, Kind::Mixture);
    EXPECT_EQ(mixture.x, solution[Property::x]);
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(mixture.saturated[static_cast<size_t>(k)], place.results[static_cast<size_t>(k)]);
}

TEST(CalculationStepsTest, RecordingChangesNoAnswer) {
    struct Case {
        Property a;
        double va;
        Property b;
        double vb;
    };
    const Case cases[] = {{Property::t, 200.5, Property::p, 3.52}, {Property::p, 1, Property::v, 0.2},
                          {Property::t, 200, Property::u, 2600},   {Property::h, 2800, Property::s, 7},
                          {Property::v, 1, Property::x, 0.5},      {Property::t, 150, Property::h, 2000},
                          {Property::t, 500, Property::x, 0.5},    {Property::t, -5, Property::p, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.a) << "=" << c.va << " " << static_cast<int>(c.b) << "="
                                        << c.vb);
        CalculationSteps steps;
        const StateSolution plain = solveState(realTables(), c.a, c.va, c.b, c.vb);
        const StateSolution recorded = solveState(realTables(), c.a, c.va, c.b, c.vb, &steps);
        EXPECT_EQ(recorded.form, plain.form);
        EXPECT_EQ(recorded.region, plain.region);
        EXPECT_EQ(recorded.Choose, plain.Choose);
        EXPECT_EQ(recorded.messages.size(), plain.messages.size());
        for (int k = 0; k < kStateProperties; ++k)
            EXPECT_TRUE(recorded.values[k] == plain.values[k] ||
                        (std::isnan(recorded.values[k]) && std::isnan(plain.values[k])))
                << "property " << k;
    }
}

}  // namespace
}  // namespace steam::calc
