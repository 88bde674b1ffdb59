// A data file that fails while a calculation reads it ends that calculation with a message
// naming the file, never with a wrong or refused answer: with forty damaged pages in the vapour
// table, every answer is the one the intact tables give or that message.
#include "calc_test_support.h"

#include "support/installation.h"

#include <random>

namespace steam::calc::test {
namespace {

TEST(DataFaultTest, DamagedPagesEndTheirCalculationsWithTheFileNamedAndNothingElseChanges) {
    testsupport::Installation installation;
    const auto vapour = installation.ownCopy("vapor.sqlite");
    testsupport::damagePages(vapour, 40, 20261208);
    data::PropertyDatabase damaged;
    std::string error;
    ASSERT_TRUE(damaged.open(installation.folder(), error)) << error;

    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> tDist(100, 800), logP(-3, 1.3);
    int faults = 0, same = 0;
    for (int i = 0; i < 1500; ++i) {
        const double t = tDist(random), p = std::pow(10.0, logP(random));
        const auto state = stableState(t, p);
        // Steam pairs with t or p and without: they read the vapour table.
        const Property second = i % 3 == 0 ? Property::h : i % 3 == 1 ? Property::s : Property::v;
        const double value = i % 3 == 0 ? state.h : i % 3 == 1 ? state.s : state.v;
        const Property first = i % 2 ? Property::p : Property::t;
        const StateSolution good = solveState(realTables(), first, first == Property::t ? t : p, second, value);
        const StateSolution bad = solveState(damaged, first, first == Property::t ? t : p, second, value);
        SCOPED_TRACE(testing::Message() << "t " << t << ", p " << p << ", request " << i);
        if (bad.messages.size() == 1 && bad.messages[0].code == MessageCode::DataFault) {
            EXPECT_EQ(bad.messages[0].detail, vapour.string());
            ++faults;
            continue;
        }
        EXPECT_EQ(bad.messages, good.messages);
        EXPECT_EQ(bad.form, good.form);
        for (int k = 0; k < 6; ++k) {
            if (std::isnan(good.values[k])) continue;
            EXPECT_EQ(bad.values[k], good.values[k]) << k;
        }
        ++same;
    }
    // Both kinds occurred: the damage was met, and the rest answered as before.
    EXPECT_GT(faults, 10);
    EXPECT_GT(same, 100);
}

}  // namespace
}  // namespace steam::calc::test
