// The steps of a calculation, redone by hand from the rows they list, give the values its
// boxes show: saturation by each known property, every pair of a single-phase state (each kind
// of table match and each search), wet states with t or p and without, dryness given or found.
// Each step's arithmetic is done here afresh (straight lines, the two steps of a bilinear
// blend, the mixture with x), the values rounded as the boxes round them; and the formulas'
// results ("→ text") are the box texts too.
#include "panels/step_texts.h"
#include "calc/property_columns.h"
#include "numeric/number_text.h"
#include "numeric/rounding.h"
#include "panels/box_texts.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace steam::panels {
namespace {

using calc::CalculationStep;
using calc::Property;
using testsupport::realTables;
using Kind = CalculationStep::Kind;
using From = CalculationStep::From;

using Row = std::vector<double>;

double blend(double a, double b, double f) { return a + f * (b - a); }
double fractionOf(double a, double b, double value) { return a == b ? 0.0 : (value - a) / (b - a); }

// The values of a step, by its table's positions (a mixture's: t p v h s x u), from its rows
// and known values alone; a mixture mixes the values redone in the step before it.
Row redo(const CalculationStep& step, const Row& before, bool tOrPKnown) {
    const size_t n = step.kind == Kind::Mixture ? 7 : step.rows[0].size();
    Row out(n, 0.0);
    const bool saturation = step.table == calc::StepTable::Saturation;
    switch (step.kind) {
        case Kind::Row: out = step.rows[0]; break;
        case Kind::Line: {
            const Row& r1 = step.rows[0];
            const Row& r2 = step.rows[1];
            const double f = step.from == From::Keys ? fractionOf(r1[step.keys[0]], r2[step.keys[0]], step.known[0])
                                                     : step.fraction[0];
            for (size_t k = 1; k < n; ++k) out[k] = blend(r1[k], r2[k], f);
            break;
        }
        case Kind::FourRows: {
            const Row &A = step.rows[0], &B = step.rows[1], &C = step.rows[2], &D = step.rows[3];
            const bool cell = step.from == From::TwoValues;
            const double g = cell ? step.fraction[0] : fractionOf(A[step.keys[0]], B[step.keys[0]], step.known[0]);
            Row ab(n), cd(n);
            for (size_t k = 1; k < n; ++k) {
                ab[k] = blend(A[k], B[k], g);
                cd[k] = blend(C[k], D[k], g);
            }
            const double f = step.from == From::Keys ? fractionOf(ab[step.keys[1]], cd[step.keys[1]], step.known[1])
                                                     : step.fraction[1];
            for (size_t k = 1; k < n; ++k) out[k] = blend(ab[k], cd[k], f);
            break;
        }
        case Kind::Mixture: {
            // x from the known value between the saturated ones, as its box holds it.
            double x = step.x;
            if (step.keys[0] > 0) {
                const int l = step.keys[0];
                x = numeric::generalValue(
                    std::clamp((step.known[0] - before[l]) / (before[l + 1] - before[l]), 0.0, 1.0));
            }
            const auto mix = [&](int l) { return (1 - x) * before[l] + x * before[l + 1]; };
            out = {tOrPKnown ? numeric::sswr(before[1], calc::PropertyDecimals[1]) : before[1],
                   tOrPKnown ? numeric::sswr(before[2], calc::PropertyDecimals[2]) : before[2],
                   mix(3),
                   mix(5),
                   mix(7),
                   x,
                   mix(data::kSatLiquidEnergy)};
            return out;
        }
    }
    // u' and u'' (u) from the values found.
    if (saturation) {
        out[data::kSatLiquidEnergy] = data::internalEnergy(out[5], out[2], out[3]);
        out[data::kSatVapourEnergy] = data::internalEnergy(out[6], out[2], out[4]);
    } else {
        out[data::kGridEnergy] = data::internalEnergy(out[4], out[2], out[3]);
    }
    return out;
}

Row redoAll(const calc::CalculationSteps& steps, bool tOrPKnown) {
    Row values;
    for (const CalculationStep& step : steps.steps) values = redo(step, values, tOrPKnown);
    return values;
}

// The result texts of the formulas' lines "symbol = ... → text", by symbol.
std::map<std::string, std::string> formulaResults(const StepText& step) {
    std::map<std::string, std::string> results;
    for (std::string line : step.formula) {
        line.erase(0, line.find_first_not_of(' '));
        const size_t arrow = line.rfind("→ ");
        const size_t equals = line.find(" = ");
        if (arrow == std::string::npos || equals == std::string::npos) continue;
        std::string symbol = line.substr(0, equals);
        if (const size_t note = symbol.find("（"); note != std::string::npos) symbol.erase(note);
        if (symbol == "t = ts") symbol = "t";
        if (symbol == "p = ps") symbol = "p";
        results[symbol] = line.substr(arrow + std::string("→ ").size());
    }
    return results;
}

TEST(StepTextsTest, SaturationByEachKnownRedoneByHandGivesTheBoxes) {
    const std::pair<calc::SatProperty, double> cases[] = {
        {calc::SatProperty::ts, 100.02}, {calc::SatProperty::ps, 1.2345}, {calc::SatProperty::v1, 0.0011},
        {calc::SatProperty::v11, 0.5},   {calc::SatProperty::h1, 1000},   {calc::SatProperty::h11, 2790},
        {calc::SatProperty::s1, 2},      {calc::SatProperty::s11, 6.5}};
    constexpr const char* kSymbols[] = {"ts", "ps", "v'", "v''", "h'", "h''", "s'", "s''", "u'", "u''"};
    for (const auto& [known, value] : cases) {
        SCOPED_TRACE(testing::Message() << kSymbols[static_cast<int>(known)] << " = " << value);
        calc::CalculationSteps steps;
        const calc::SaturationSolution solution = calc::solveSaturation(realTables(), known, value, &steps);
        ASSERT_TRUE(solution.solved);
        const SaturationTexts boxes = saturationBoxTexts(solution);
        const Row values = redoAll(steps, false);
        for (int i = 0; i < 10; ++i) {
            const int decimals =
                i < 8 ? calc::decimalsOf(static_cast<calc::SatProperty>(i)) : calc::kInternalEnergyDecimals;
            EXPECT_EQ(numeric::fixedText(values[static_cast<size_t>(i + 1)], decimals), boxes[i]) << kSymbols[i];
        }
        const auto results = formulaResults(stepTexts(steps).back());
        for (int i = 0; i < 10; ++i) {
            if (results.count(kSymbols[i])) {
                EXPECT_EQ(results.at(kSymbols[i]), boxes[i]) << "formula of " << kSymbols[i];
            }
        }
        EXPECT_GE(results.size(), 9u);  // every value but the known one
    }
}

struct StateCase {
    Property a;
    double va;
    Property b;
    double vb;
    const char* kind;
};

TEST(StepTextsTest, StatesOfEveryKindRedoneByHandGiveTheBoxes) {
    const StateCase cases[] = {
        {Property::t, 200, Property::p, 3.5, "a row of WATER"},
        {Property::t, 200, Property::p, 3.52, "a line of an isotherm"},
        {Property::t, 200.5, Property::p, 3.5, "a line of an isobar"},
        {Property::t, 200.5, Property::p, 3.52, "four rows"},
        {Property::t, 500, Property::p, 30, "supercritical"},
        {Property::t, 300, Property::v, 0.05, "steam by (t,v)"},
        {Property::t, 300, Property::h, 3000, "steam by (t,h)"},
        {Property::t, 250.3, Property::s, 6.5, "steam by (t,s) between isotherms"},
        {Property::t, 80, Property::h, 500, "water by (t,h)"},
        {Property::p, 1, Property::v, 0.2, "steam by (p,v)"},
        {Property::p, 5.01, Property::h, 3000, "steam by (p,h) between isobars"},
        {Property::p, 10, Property::s, 6, "steam by (p,s)"},
        {Property::t, 200, Property::u, 2600, "steam by (t,u)"},
        {Property::v, 0.2, Property::h, 2900, "steam by (v,h)"},
        {Property::v, 0.0011, Property::s, 2, "water by (v,s)"},
        {Property::h, 2800, Property::s, 7, "steam by (h,s)"},
        {Property::t, 150, Property::x, 0.3, "wet by (t,x)"},
        {Property::p, 1, Property::x, 0.6, "wet by (p,x)"},
        {Property::t, 150, Property::h, 2000, "wet by (t,h)"},
        {Property::p, 0.5, Property::s, 5, "wet by (p,s)"},
        {Property::h, 2000, Property::s, 5, "wet by (h,s)"},
        {Property::v, 1, Property::x, 0.5, "wet by (v,x)"},
        {Property::h, 2000, Property::x, 0.7, "wet by (h,x)"},
        {Property::s, 6, Property::x, 0.8, "wet by (s,x)"},
    };
    constexpr const char* kSymbols[] = {"t", "p", "v", "h", "s", "x", "u"};
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.kind);
        calc::CalculationSteps steps;
        const calc::StateSolution solution = calc::solveState(realTables(), c.a, c.va, c.b, c.vb, &steps);
        ASSERT_TRUE(solution.solved());
        const auto boxes = stateBoxTexts(solution);
        ASSERT_TRUE(boxes);
        const bool mixture = solution.form == calc::StateSolution::Form::Mixture;
        const Row redone = redoAll(steps, calc::withTemperatureOrPressure(solution.pairCase));
        for (int k = 0; k < calc::kStateProperties; ++k) {
            const auto p = static_cast<Property>(k);
            if (p == Property::x && !mixture) continue;
            // A mixture's values by property; a single phase's by grid position (u last).
            const double value = mixture ? redone[static_cast<size_t>(k)]
                                         : redone[static_cast<size_t>(p == Property::u ? data::kGridEnergy : k + 1)];
            const int decimals = calc::decimalsOf(p);
            const std::string text =
                mixture ? numeric::generalText(numeric::sswr(value, decimals)) : numeric::fixedText(value, decimals);
            EXPECT_EQ(text, (*boxes)[k]) << kSymbols[k];
        }
        const StepText last = stepTexts(steps).back();
        // A mixing line uses the saturated values with the digits its row lists them in.
        if (last.kind == "mixture") {
            static const std::regex kFactor("× ([0-9.]+)");
            for (const std::string& line : last.formula)
                for (auto m = std::sregex_iterator(line.begin(), line.end(), kFactor); m != std::sregex_iterator(); ++m)
                    EXPECT_NE(std::find(last.cells[0].begin(), last.cells[0].end(), (*m)[1].str()), last.cells[0].end())
                        << (*m)[1] << " in " << line;
        }
        const auto results = formulaResults(last);
        for (int k = 0; k < calc::kStateProperties; ++k) {
            if (results.count(kSymbols[k])) {
                EXPECT_EQ(results.at(kSymbols[k]), (*boxes)[k]) << "formula of " << kSymbols[k];
            }
        }
    }
}

}  // namespace
}  // namespace steam::panels
