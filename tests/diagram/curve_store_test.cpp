// ReadCurveData fills the dome from 20 rows of SWATER spread evenly by row number and each
// family from its table's rows with a non-zero key, in table order, zeros after the last
// row. A failure names the table and leaves nothing half-loaded.
#include "diagram/curve_store.h"

#include "data/property_database.h"
#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace steam::diagram {
namespace {

using data::Source;
using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;

// Row r of the saturation fixture carries r in every value, so a slot tells its row.
void addNumberedSaturationRows(FixtureDatabase& fixture, int count) {
    for (int r = 1; r <= count; ++r)
        fixture.addSaturationRow(r, r / 1000.0, 0.001, 1.0 / r, 10.0 * r, 3000.0 - r, r / 100.0, 9.0 - r / 100.0);
}

struct Loaded {
    TemporaryDirectory dir;
    data::PropertyDatabase db;
    CurveStore store;
    bool ok = false;
    std::string error;
};

void load(const FixtureDatabase& fixture, Loaded& loaded) {
    std::string error;
    ASSERT_TRUE(fixture.writeAndOpen(loaded.dir.path(), loaded.db, error)) << error;
    loaded.ok = loaded.store.ReadCurveData(loaded.db, loaded.error);
}

bool allZero(const CurveStore& store) {
    for (const auto& p : store.SaturationLine)
        if (p.s != 0.0f || p.h != 0.0f) return false;
    for (const auto& family : store.CurveFamily)
        for (const auto& p : family)
            if (p.key != 0.0 || p.h != 0.0 || p.s != 0.0) return false;
    return true;
}

TEST(CurveStoreTest, SaturationLineSamplesTwentyRowsSpreadOverTheTable) {
    struct Case {
        int rows;
        std::vector<int> sampled;
    };
    const Case cases[] = {
        {40, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35, 37, 39}},
        {100, {1, 6, 11, 16, 21, 26, 31, 36, 41, 46, 51, 56, 61, 66, 71, 76, 81, 86, 91, 96}},
        {20, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        {10, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10}},
        {21, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        {375, {1, 19, 38, 57, 76, 94, 113, 132, 151, 169, 188, 207, 226, 244, 263, 282, 301, 319, 338, 357}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("SWATER with " + std::to_string(c.rows) + " rows");
        FixtureDatabase fixture;
        addNumberedSaturationRows(fixture, c.rows);
        Loaded loaded;
        load(fixture, loaded);
        ASSERT_TRUE(loaded.ok) << loaded.error;
        const auto& line = loaded.store.SaturationLine;
        EXPECT_EQ(line[0].s, 0.0f);
        EXPECT_EQ(line[0].h, 0.0f);
        for (int i = 1; i <= 20; ++i) {
            const int r = c.sampled[i - 1];
            EXPECT_EQ(line[i].s, static_cast<float>(9.0 - r / 100.0)) << "steam slot " << i << ", row " << r;
            EXPECT_EQ(line[i].h, static_cast<float>(3000.0 - r)) << "steam slot " << i << ", row " << r;
            EXPECT_EQ(line[41 - i].s, static_cast<float>(r / 100.0)) << "water slot " << 41 - i << ", row " << r;
            EXPECT_EQ(line[41 - i].h, static_cast<float>(10.0 * r)) << "water slot " << 41 - i << ", row " << r;
        }
    }
}

TEST(CurveStoreTest, FamiliesHoldTheirRowsInTableOrderThenZeros) {
    FixtureDatabase fixture;
    addNumberedSaturationRows(fixture, 40);
    fixture.addCurvePoint(Source::DengT, 100, 419.1, 1.307)
        .addCurvePoint(Source::DengT, 100, 2676.0, 7.355)
        .addCurvePoint(Source::DengT, 300, 1344.8, 3.253)
        .addCurvePoint(Source::DengP, 0.1, 417.5, 1.303)
        .addCurvePoint(Source::DengV, 0.001, 100.0, 0.3)
        .addCurvePoint(Source::DengX, 0.9, 2400.0, 6.5);
    Loaded loaded;
    load(fixture, loaded);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    const CurveStore& store = loaded.store;

    struct Expected {
        int f;
        int slot;
        CurvePoint point;
    };
    const Expected cases[] = {
        {1, 1, {100, 419.1, 1.307}}, {1, 2, {100, 2676.0, 7.355}}, {1, 3, {300, 1344.8, 3.253}},
        {1, 4, {0, 0, 0}},           {1, 800, {0, 0, 0}},          {2, 1, {0.1, 417.5, 1.303}},
        {2, 2, {0, 0, 0}},           {3, 1, {0.001, 100.0, 0.3}},  {4, 1, {0.9, 2400.0, 6.5}},
        {4, 2, {0, 0, 0}},
    };
    for (const Expected& c : cases) {
        const CurvePoint& p = store.CurveFamily[c.f][c.slot];
        EXPECT_EQ(p.key, c.point.key) << "family " << c.f << " slot " << c.slot;
        EXPECT_EQ(p.h, c.point.h) << "family " << c.f << " slot " << c.slot;
        EXPECT_EQ(p.s, c.point.s) << "family " << c.f << " slot " << c.slot;
    }
}

TEST(CurveStoreTest, RowsWithKeyZeroNeverReachTheStore) {
    FixtureDatabase fixture;
    addNumberedSaturationRows(fixture, 40);
    fixture.addCurvePoint(Source::DengX, 0, 100.0, 0.3)
        .addCurvePoint(Source::DengX, 0.5, 1500.0, 4.0)
        .addCurvePoint(Source::DengX, 0, 200.0, 0.6)
        .addCurvePoint(Source::DengX, 0.5, 1600.0, 4.2);
    Loaded loaded;
    load(fixture, loaded);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    const auto& dryness = loaded.store.CurveFamily[4];
    EXPECT_EQ(dryness[1].h, 1500.0);
    EXPECT_EQ(dryness[2].h, 1600.0);
    EXPECT_EQ(dryness[2].key, 0.5);
    EXPECT_EQ(dryness[3].key, 0.0);
    EXPECT_EQ(dryness[3].h, 0.0);
}

TEST(CurveStoreTest, FamilyIsCutAfterEightHundredRows) {
    FixtureDatabase fixture;
    addNumberedSaturationRows(fixture, 40);
    for (int n = 1; n <= 805; ++n) fixture.addCurvePoint(Source::DengP, 1 + n / 100, 100.0 + n, 0.001 * n);
    Loaded loaded;
    load(fixture, loaded);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    const auto& isobars = loaded.store.CurveFamily[2];
    EXPECT_EQ(isobars[1].h, 101.0);
    EXPECT_EQ(isobars[800].h, 900.0);
    EXPECT_EQ(isobars[800].key, 9.0);
}

TEST(CurveStoreTest, FailuresNameTheTableAndLeaveTheStoresEmpty) {
    struct Case {
        const char* name;
        const char* table;
        std::function<void(FixtureDatabase&)> build;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"empty saturation table", "SWATER", [](FixtureDatabase&) {}},
        {"sampled saturation row without h''", "SWATER",
         [nan](FixtureDatabase& f) {
             for (int r = 1; r <= 40; ++r) {
                 if (r == 3)
                     f.addSaturationRow(r, 0.003, 0.001, 1.0 / r, 10.0 * r, nan, r / 100.0, 9.0 - r / 100.0);
                 else
                     f.addSaturationRow(r, 0.003, 0.001, 1.0 / r, 10.0 * r, 3000.0 - r, r / 100.0, 9.0 - r / 100.0);
             }
         }},
        {"isochore point without s", "DengV",
         [nan](FixtureDatabase& f) {
             addNumberedSaturationRows(f, 40);
             f.addCurvePoint(Source::DengT, 100, 419.1, 1.307);
             f.addCurvePoint(Source::DengV, 0.01, 2000.0, nan);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixtureDatabase fixture;
        c.build(fixture);
        Loaded loaded;
        load(fixture, loaded);
        EXPECT_FALSE(loaded.ok);
        EXPECT_NE(loaded.error.find(c.table), std::string::npos) << loaded.error;
        EXPECT_TRUE(allZero(loaded.store));
    }
}

TEST(CurveStoreTest, SaturationTableBeyondSixteenBitCountIsRefused) {
    FixtureDatabase fixture;
    addNumberedSaturationRows(fixture, 32768);
    Loaded loaded;
    load(fixture, loaded);
    EXPECT_FALSE(loaded.ok);
    EXPECT_NE(loaded.error.find("SWATER"), std::string::npos) << loaded.error;

    FixtureDatabase largest;
    addNumberedSaturationRows(largest, 32767);
    Loaded fits;
    load(largest, fits);
    EXPECT_TRUE(fits.ok) << fits.error;
    EXPECT_EQ(fits.store.SaturationLine[20].h, static_cast<float>(3000.0 - (1 + 19 * 32767 / 20)));
}

}  // namespace
}  // namespace steam::diagram
