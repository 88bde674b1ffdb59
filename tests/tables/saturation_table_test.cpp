// The generated SWATER: rows in ascending ts from the triple point to the critical point (the
// last row), at most 32767 of them, short ts keys on lookup rows, every value exact after a
// shortest-text round trip, the monotonic columns monotonic among lookup rows (h'' and v'
// turning once), the 20 rows the diagram samples spread over the dome up to within 1 K of
// Tc, and values that agree with the published IAPWS-95 saturation check values.
#include "saturation_table.h"
#include "table_files.h"

#include "iapws/iapws95.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace steam::tables::test {
namespace {

using data::Source;

// Columns of the query below.
enum { N, TS, PS, V1, V11, H1, H11, S1, S11, WF };
const char* kAll = "select n, ts, ps, v1, v11, h1, h11, s1, s11, wf from SWATER order by n";
const char* kNames[] = {"n", "ts", "ps", "v1", "v11", "h1", "h11", "s1", "s11", "wf"};
constexpr double kCriticalTs = 373.946;

class SaturationTableTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        TableFile file(Source::Swater);
        all = new Rows(file.rows(kAll));
        lookup = new Rows;
        for (const auto& r : *all)
            if (r[WF] == 1) lookup->push_back(r);
    }
    static void TearDownTestSuite() {
        delete all;
        delete lookup;
    }
    static Rows* all;
    static Rows* lookup;
};
Rows* SaturationTableTest::all = nullptr;
Rows* SaturationTableTest::lookup = nullptr;

TEST_F(SaturationTableTest, RowsRunInAscendingTsFromTheTriplePointToTheCriticalPoint) {
    ASSERT_GE(all->size(), 20u);
    EXPECT_LE(all->size(), 32767u);
    EXPECT_EQ(all->front()[TS], 0.01);
    EXPECT_EQ(all->back()[TS], kCriticalTs);
    for (size_t i = 0; i < all->size(); ++i) {
        ASSERT_EQ((*all)[i][N], static_cast<double>(i + 1)) << "row numbers give the stored order";
        if (i > 0) {
            ASSERT_GT((*all)[i][TS], (*all)[i - 1][TS]) << "row " << i + 1;
        }
    }
}

TEST_F(SaturationTableTest, LastRowIsTheCriticalPointWithEqualPhases) {
    const auto& top = all->back();
    EXPECT_EQ(top[PS], 22.064);
    EXPECT_EQ(top[V1], top[V11]);
    EXPECT_EQ(top[H1], top[H11]);
    EXPECT_EQ(top[S1], top[S11]);
    const iapws95::State critical = iapws95::stateTRho(iapws95::Tc, iapws95::rhoc);
    EXPECT_NEAR(top[V1], 1 / iapws95::rhoc, 1e-6 / iapws95::rhoc);
    EXPECT_NEAR(top[H1], critical.h, 0.01);
    EXPECT_NEAR(top[S1], critical.s, 1e-4);
}

TEST_F(SaturationTableTest, FlagsAreZeroOrOneAndBothEndsTakePartInLookups) {
    for (const auto& r : *all) ASSERT_TRUE(r[WF] == 0 || r[WF] == 1) << "row " << r[N];
    EXPECT_EQ(all->front()[WF], 1);
    EXPECT_EQ(all->back()[WF], 1);
    EXPECT_GT(lookup->size(), 1000u);
}

TEST_F(SaturationTableTest, LookupTemperaturesAreShortDecimals) {
    for (const auto& r : *lookup) {
        ASSERT_LE(significantDigits(r[TS]), 6) << "ts " << numeric::shortestText(r[TS]);
        // Whole millikelvins: a user can type the key exactly.
        ASSERT_EQ(std::round(r[TS] * 1000) / 1000, r[TS]) << numeric::shortestText(r[TS]);
    }
}

TEST_F(SaturationTableTest, EveryValueReadsBackFromItsShortestText) {
    for (const auto& r : *all)
        for (int c = TS; c <= S11; ++c)
            ASSERT_TRUE(readsBackExactly(r[c]))
                << "row " << r[N] << " " << kNames[c] << " " << numeric::shortestText(r[c]);
}

// Index of the extreme of a column among lookup rows; the column runs one way before it and
// the other way after it.
void expectTurnsOnce(const Rows& rows, int column, bool maximum, double tsFrom, double tsTo) {
    size_t turn = 0;
    for (size_t i = 1; i < rows.size(); ++i)
        if (maximum ? rows[i][column] > rows[turn][column] : rows[i][column] < rows[turn][column]) turn = i;
    SCOPED_TRACE(testing::Message() << kNames[column] << " turns at ts " << rows[turn][TS]);
    EXPECT_GE(rows[turn][TS], tsFrom);
    EXPECT_LE(rows[turn][TS], tsTo);
    for (size_t i = 1; i < rows.size(); ++i) {
        const double step = rows[i][column] - rows[i - 1][column];
        const bool rising = (i <= turn) == maximum;
        ASSERT_TRUE(rising ? step >= 0 : step <= 0) << "ts " << rows[i][TS];
    }
}

TEST_F(SaturationTableTest, MonotonicColumnsAreMonotonicAmongLookupRows) {
    struct Case {
        int column;
        int direction;  // +1 rising, -1 falling with ts
    };
    const Case cases[] = {{TS, 1}, {PS, 1}, {V11, -1}, {H1, 1}, {S1, 1}, {S11, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(kNames[c.column]);
        // The top row shares v, h and s with its neighbours' limit; all other steps are strict.
        for (size_t i = 1; i + 1 < lookup->size(); ++i)
            ASSERT_GT(c.direction * ((*lookup)[i][c.column] - (*lookup)[i - 1][c.column]), 0)
                << "ts " << (*lookup)[i][TS];
    }
    expectTurnsOnce(*lookup, H11, true, 225, 245);
    expectTurnsOnce(*lookup, V1, false, 3, 5);
}

TEST_F(SaturationTableTest, TwentySampledRowsSpreadOverTheDomeUpToTheCriticalPoint) {
    // The diagram reads rows floor((i - 1) N / 20) + 1, i = 1..20, and joins steam side
    // (ascending) to water side (descending) across the top.
    const size_t count = all->size();
    std::vector<const std::vector<double>*> samples;
    for (int i = 1; i <= 20; ++i)
        samples.push_back(&(*all)[static_cast<size_t>(std::floor((i - 1) * double(count) / 20.0))]);
    EXPECT_GE(samples.back()->at(TS), kCriticalTs - 1.0);
    // The polyline through the samples stays close to the true dome in the default window
    // (s 0 to 9.99, h 0 to 5000): distance in window fractions.
    auto dome = [](double ts, bool steam) {
        const iapws95::Saturation sat = iapws95::saturationT(std::clamp(ts + 273.15, iapws95::Tt, iapws95::Tc));
        const iapws95::State& st = steam ? sat.vapour : sat.liquid;
        return std::pair<double, double>{st.s / 9.99, st.h / 5000};
    };
    auto distance = [](std::pair<double, double> p, std::pair<double, double> a, std::pair<double, double> b) {
        const double dx = b.first - a.first, dy = b.second - a.second;
        const double len2 = dx * dx + dy * dy;
        const double t =
            len2 == 0 ? 0 : std::clamp(((p.first - a.first) * dx + (p.second - a.second) * dy) / len2, 0.0, 1.0);
        return std::hypot(p.first - a.first - t * dx, p.second - a.second - t * dy);
    };
    double worst = 0, worstTs = 0;
    for (bool steam : {true, false}) {
        for (size_t k = 0; k + 1 < samples.size(); ++k) {
            const double t0 = samples[k]->at(TS), t1 = samples[k + 1]->at(TS);
            const auto a = dome(t0, steam), b = dome(t1, steam);
            for (int j = 1; j < 10; ++j) {
                const double ts = t0 + (t1 - t0) * j / 10;
                const double d = distance(dome(ts, steam), a, b);
                if (d > worst) worst = d, worstTs = ts;
            }
        }
    }
    // Across the top: from the last steam sample to the last water sample.
    const double top = samples.back()->at(TS);
    const auto a = dome(top, true), b = dome(top, false);
    for (int j = 1; j <= 10; ++j) {
        const double ts = top + (373.946 - top) * j / 10;
        for (bool steam : {true, false}) {
            const double d = distance(dome(ts, steam), a, b);
            if (d > worst) worst = d, worstTs = ts;
        }
    }
    std::printf("saturation line: 20 samples up to ts %.3f; largest gap to the dome %.4f of the window at ts %.2f\n",
                top, worst, worstTs);
    EXPECT_LT(worst, 0.005);
}

// Published IAPWS-95 saturation check values (Table 8 of the release): T, ps, rho', rho'',
// h', h'', s', s''.
struct Table8 {
    double T, ps, rhoL, rhoV, hL, hV, sL, sV;
};
const Table8 kTable8[] = {
    {275, 0.698451167e-3, 0.999887406e3, 0.550664919e-2, 0.775972202e1, 0.250428995e4, 0.283094670e-1, 0.910660121e1},
    {450, 0.932203564, 0.890341250e3, 0.481200360e1, 0.749161585e3, 0.277441078e4, 0.210865845e1, 0.660921221e1},
    {625, 0.169082693e2, 0.567090385e3, 0.118290280e3, 0.168626976e4, 0.255071625e4, 0.380194683e1, 0.518506121e1},
};

std::array<double, 8> published(const Table8& c) {
    return {c.T - 273.15, c.ps, 1 / c.rhoL, 1 / c.rhoV, c.hL, c.hV, c.sL, c.sV};
}

TEST(SaturationGeneratorTest, SaturationAtMatchesThePublishedCheckValues) {
    for (const Table8& c : kTable8) {
        SCOPED_TRACE(testing::Message() << "T " << c.T << " K");
        const ::tables::SaturationRow row = ::tables::saturationAt(c.T - 273.15, 1);
        const double got[] = {row.ts, row.ps, row.v1, row.v11, row.h1, row.h11, row.s1, row.s11};
        const auto want = published(c);
        for (int k = 1; k < 8; ++k) EXPECT_NEAR(got[k], want[k], 6e-9 * std::fabs(want[k])) << kNames[k + 1];
        EXPECT_EQ(row.wf, 1);
    }
}

TEST_F(SaturationTableTest, InterpolatedRowsMatchThePublishedCheckValues) {
    for (const Table8& c : kTable8) {
        const double ts = c.T - 273.15;
        SCOPED_TRACE(testing::Message() << "T " << c.T << " K");
        size_t i = 1;
        while (i < lookup->size() && (*lookup)[i][TS] < ts) ++i;
        ASSERT_LT(i, lookup->size());
        const auto& lo = (*lookup)[i - 1];
        const auto& hi = (*lookup)[i];
        const double f = (ts - lo[TS]) / (hi[TS] - lo[TS]);
        const auto want = published(c);
        for (int k = 1; k < 8; ++k) {
            const double value = lo[TS + k] + f * (hi[TS + k] - lo[TS + k]);
            const double unit = std::pow(10.0, -::tables::kSaturationDecimals[k]);
            EXPECT_NEAR(value, want[k], 0.5 * unit) << kNames[TS + k];
        }
    }
}

}  // namespace
}  // namespace steam::tables::test
