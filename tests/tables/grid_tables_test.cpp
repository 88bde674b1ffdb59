// The generated WATER and VAPOR grids: short decimal keys, every value exact after a
// shortest-text round trip, each isobar and each isotherm one unbroken run of the table's
// grid, the required (t, p) range covered, rows of the right phase only, values equal to
// IAPWS-95, and states just off the saturation line bracketed so the calculator finds them.
#include "grid_tables.h"
#include "table_files.h"

#include "numeric/number_text.h"
#include "numeric/rounding.h"
#include "panels/panels.h"
#include "panels/state_panel.h"

#include "iapws/iapws95.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace steam::tables::test {
namespace {

using data::Source;

enum { T, P, V, H, S };
constexpr double kKelvin = 273.15;
const char* kNames[] = {"t", "p", "v", "h", "s"};

struct Grid {
    const char* table;
    Source source;
    Rows rows;  // t p v h s, ordered by n
};

class GridTablesTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        grids = new std::vector<Grid>;
        for (auto [table, source] : {std::pair{"WATER", Source::Water}, std::pair{"VAPOR", Source::Vapor}}) {
            TableFile file(source);
            grids->push_back(
                {table, source, file.rows(std::string("select t, p, v, h, s from ") + table + " order by n")});
        }
    }
    static void TearDownTestSuite() { delete grids; }
    static std::vector<Grid>* grids;
};
std::vector<Grid>* GridTablesTest::grids = nullptr;

TEST_F(GridTablesTest, GridKeysAreShortDecimals) {
    for (const Grid& g : *grids) {
        std::set<double> keys;
        for (const auto& r : g.rows) keys.insert({r[T], r[P]});
        for (double k : keys) ASSERT_LE(significantDigits(k), 6) << g.table << " key " << numeric::shortestText(k);
    }
}

TEST_F(GridTablesTest, EveryValueReadsBackFromItsShortestText) {
    for (const Grid& g : *grids) {
        ASSERT_GT(g.rows.size(), 1000u) << g.table;
        for (const auto& r : g.rows)
            for (int c = T; c <= S; ++c)
                ASSERT_TRUE(readsBackExactly(r[c]))
                    << g.table << " " << kNames[c] << " " << numeric::shortestText(r[c]);
    }
}

TEST_F(GridTablesTest, TablesCoverTheRequiredRange) {
    // t 0.01 to 800 C and p 0.001 to 100 MPa: VAPOR down to the lowest pressures, WATER up to
    // the highest, both over the whole temperature range.
    for (const Grid& g : *grids) {
        double tMin = 1e9, tMax = -1e9, pMin = 1e9, pMax = -1e9;
        for (const auto& r : g.rows) {
            tMin = std::min(tMin, r[T]), tMax = std::max(tMax, r[T]);
            pMin = std::min(pMin, r[P]), pMax = std::max(pMax, r[P]);
        }
        SCOPED_TRACE(g.table);
        EXPECT_LE(tMin, 0.01);
        EXPECT_GE(tMax, 800);
        if (g.source == Source::Vapor) {
            EXPECT_LE(pMin, 0.001);
        }
        EXPECT_GE(pMax, 100);
    }
}

// Positions of the present keys within the sorted list of all keys form one unbroken run.
void expectUnbrokenRun(const std::vector<double>& all, std::vector<double> present, const std::string& what) {
    std::sort(present.begin(), present.end());
    ASSERT_FALSE(present.empty()) << what;
    const size_t first = std::lower_bound(all.begin(), all.end(), present.front()) - all.begin();
    for (size_t i = 0; i < present.size(); ++i)
        ASSERT_EQ(all.at(first + i), present[i]) << what << ": a hole before " << numeric::shortestText(present[i]);
}

TEST_F(GridTablesTest, EachIsobarIsAnUnbrokenRunOfTheTemperatureGrid) {
    for (const Grid& g : *grids) {
        std::set<double> temperatures;
        std::map<double, std::vector<double>> isobars;
        for (const auto& r : g.rows) {
            temperatures.insert(r[T]);
            isobars[r[P]].push_back(r[T]);
        }
        const std::vector<double> all(temperatures.begin(), temperatures.end());
        for (const auto& [p, ts] : isobars) {
            expectUnbrokenRun(all, ts, std::string(g.table) + " isobar " + numeric::shortestText(p));
            ASSERT_EQ(std::set<double>(ts.begin(), ts.end()).size(), ts.size()) << "a temperature twice";
        }
    }
}

TEST_F(GridTablesTest, EachIsothermIsAnUnbrokenRunOfThePressureGrid) {
    // WATER also holds stretched liquid at negative pressures; those rows form a run of their
    // own that ends at the highest negative pressure. Between that run and the positive
    // pressures lies the superheated-liquid gap that no table holds.
    for (const Grid& g : *grids) {
        std::set<double> positive, negative;
        std::map<double, std::vector<double>> positiveRuns, negativeRuns;
        for (const auto& r : g.rows) {
            (r[P] > 0 ? positive : negative).insert(r[P]);
            (r[P] > 0 ? positiveRuns : negativeRuns)[r[T]].push_back(r[P]);
        }
        const std::vector<double> allPositive(positive.begin(), positive.end());
        const std::vector<double> allNegative(negative.begin(), negative.end());
        for (const auto& [t, ps] : positiveRuns)
            expectUnbrokenRun(allPositive, ps, std::string(g.table) + " isotherm " + numeric::shortestText(t));
        for (const auto& [t, ps] : negativeRuns) {
            const std::string what = std::string(g.table) + " stretched isotherm " + numeric::shortestText(t);
            expectUnbrokenRun(allNegative, ps, what);
            EXPECT_EQ(*std::max_element(ps.begin(), ps.end()), allNegative.back()) << what;
        }
        if (g.source == Source::Vapor) {
            EXPECT_TRUE(negative.empty());
        }
    }
}

TEST_F(GridTablesTest, NoRowBelongsToTheOtherPhase) {
    // Below Tc a WATER row is denser, a VAPOR row lighter, than the mean of the saturated
    // densities at its temperature (metastable rows included).
    std::map<double, double> middle;  // t -> (rho' + rho'') / 2
    for (const Grid& g : *grids) {
        for (const auto& r : g.rows) {
            if (r[T] + kKelvin >= iapws95::Tc) continue;
            auto it = middle.find(r[T]);
            if (it == middle.end()) {
                const iapws95::Saturation sat = iapws95::saturationT(std::max(r[T] + kKelvin, iapws95::Tt));
                it = middle.emplace(r[T], 0.5 * (sat.liquid.rho + sat.vapour.rho)).first;
            }
            const double rho = 1 / r[V];
            if (g.source == Source::Water) {
                ASSERT_GT(rho, it->second) << "WATER t " << r[T] << " p " << r[P];
            } else {
                ASSERT_LT(rho, it->second) << "VAPOR t " << r[T] << " p " << r[P];
            }
        }
    }
}

TEST_F(GridTablesTest, RowsAreIapws95States) {
    // Every 97th row with a positive pressure: v, h, s from IAPWS-95 at the row's (t, p) on
    // the branch of its table.
    for (const Grid& g : *grids) {
        const auto branch = g.source == Source::Water ? iapws95::Branch::Liquid : iapws95::Branch::Vapour;
        int checked = 0;
        for (size_t i = 0; i < g.rows.size(); i += 97) {
            const auto& r = g.rows[i];
            if (r[P] <= 0) continue;
            SCOPED_TRACE(testing::Message() << g.table << " t " << r[T] << " p " << r[P]);
            const iapws95::State st = iapws95::stateTP(r[T] + kKelvin, r[P], branch);
            EXPECT_NEAR(r[V], st.v, 1e-9 * st.v);
            EXPECT_NEAR(r[H], st.h, 1e-6);
            EXPECT_NEAR(r[S], st.s, 1e-9);
            ++checked;
        }
        EXPECT_GT(checked, 1000) << g.table;
    }
}

// Runs the state calculation for (t, p) on the generated tables.
panels::StateOutcome calculateTP(const data::PropertyDatabase& db, double t, double p) {
    panels::StatePanel panel;
    panel.text = {numeric::generalText(t), numeric::generalText(p), "0", "0", "0", "0"};
    panel.ticked[0] = panel.ticked[1] = true;
    panels::CHK_Click(panel);
    return panels::SCAL2_Click(db, panel);
}

TEST(GridNearSaturationTest, StatesJustOffTheSaturationLineAreFound) {
    // Water 0.1 K below and steam 0.1 K above the saturation temperature at pressure p,
    // on and between the grid lines of both t and p. Within the critical band (360 to 390 C
    // with 18 to 26 MPa) the refusals are listed instead.
    data::PropertyDatabase db;
    std::string error;
    ASSERT_TRUE(db.open(data::executableDirectory(), error)) << error;
    std::vector<std::string> bandRefusals;
    int tried = 0;
    for (double t = 0.6; t < 373.8; t += (t < 355 ? 6.37 : 0.53)) {
        for (double offset : {0.1, -0.1}) {
            const double p = iapws95::saturationT(t + offset + kKelvin).p;  // above ps(t) for +0.1
            const panels::StateOutcome out = calculateTP(db, t, p);
            const bool found = out.messages.empty() && out.panel.text[5] == "(none)";
            const bool inBand = t > 360 && p > 18 && p < 26;
            ++tried;
            SCOPED_TRACE(testing::Message() << "t " << t << ", p " << p << (offset > 0 ? " (water)" : " (steam)"));
            EXPECT_EQ(out.region, offset > 0 ? calc::RegionWater : calc::RegionVapor);
            if (inBand) {
                if (!found)
                    bandRefusals.push_back(numeric::generalText(numeric::sswr(t, 2)) + " C / " +
                                           numeric::generalText(numeric::sswr(p, 4)) + " MPa" +
                                           (offset > 0 ? " water" : " steam"));
            } else {
                EXPECT_TRUE(found) << "Choose " << out.Choose;
            }
        }
    }
    // The example of a state just off the line: ps(200 C) = 1.5547 MPa.
    for (double p : {1.56, 1.55}) {
        const panels::StateOutcome out = calculateTP(db, 200, p);
        EXPECT_EQ(out.region, p > 1.5547 ? calc::RegionWater : calc::RegionVapor) << p;
        EXPECT_TRUE(out.messages.empty()) << p;
        EXPECT_EQ(out.panel.text[5], "(none)") << p;
    }
    std::printf("states 0.1 K off the saturation line: %d tried, %zu refused inside the critical band:\n", tried,
                bandRefusals.size());
    for (const std::string& s : bandRefusals) std::printf("  %s\n", s.c_str());
}

TEST(GridGeneratorTest, GridKeysCoverTheRangeWithShortDecimals) {
    const std::vector<double> p = ::tables::gridPressures();
    ASSERT_TRUE(std::is_sorted(p.begin(), p.end()));
    EXPECT_LE(p.front(), 0.001);
    EXPECT_GE(p.back(), 100);
    EXPECT_TRUE(std::binary_search(p.begin(), p.end(), 22.064));
    for (size_t i = 1; i < p.size(); ++i) {
        ASSERT_LE(p[i] / p[i - 1], 1.026) << "pressures " << p[i - 1] << " and " << p[i];
        ASSERT_LE(significantDigits(p[i]), 5) << p[i];
    }
    for (auto table : {::tables::GridTable::Water, ::tables::GridTable::Vapor}) {
        const std::vector<double> t = ::tables::gridTemperatures(table);
        ASSERT_TRUE(std::is_sorted(t.begin(), t.end()));
        EXPECT_EQ(t.front(), 0.01);
        EXPECT_GE(t.back(), 800);
        EXPECT_TRUE(std::binary_search(t.begin(), t.end(), 373.95));  // the calculator's critical temperature
        for (double v : t) ASSERT_LE(significantDigits(v), 6) << v;
    }
    // Every pressure key is also stored as it is typed.
    for (double v : p) ASSERT_EQ(numeric::readNumber(numeric::shortestText(v)), v);
}

}  // namespace
}  // namespace steam::tables::test
