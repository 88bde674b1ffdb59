// Registers hold the numbers read from the box texts and give them back as general text;
// registers 0-4 belong to the saturation bank, 5-8 to the state bank; clearing a bank empties
// its registers and never the current results.
#include "calc/register_store.h"
#include "colour/colours.h"

#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace steam::calc {
namespace {

const std::vector<std::string> kSatTexts{"100.00",  "0.101418", "0.00104346", "1.67177", "419.17",
                                         "2675.57", "1.3072",   "7.3541",     "419.06",  "2506.01"};
const std::vector<std::string> kStateTexts{"200.00", "3.500000", "0.00100021", "853.06", "12.5abc", "(none)", "849.56"};

TEST(RegisterStoreTest, StoreReadsEachTextByTheNumberRule) {
    RegisterStore store;
    store.store(5, kStateTexts);
    const double expected[] = {200, 3.5, 0.00100021, 853.06, 12.5, 0, 849.56};
    for (int k = 1; k <= 7; ++k) {
        SCOPED_TRACE(testing::Message() << "value " << k);
        EXPECT_DOUBLE_EQ(store.StateMemory(1, k), expected[k - 1]);
    }
    EXPECT_TRUE(store.isStored(5));
    EXPECT_FALSE(store.holdsNumber(5, 6));  // "(none)" held no value
    EXPECT_TRUE(store.holdsNumber(5, 7));
}

TEST(RegisterStoreTest, RecallGivesGeneralTextAndBoxesWithoutValueAsTheyWere) {
    RegisterStore store;
    store.store(5, kStateTexts);
    EXPECT_EQ(store.recall(5),
              (std::vector<std::string>{"200", "3.5", "0.00100021", "853.06", "12.5", "(none)", "849.56"}));
    store.store(5, {"1", "2", "3", "4", "5", "none", "7"});
    EXPECT_EQ(store.recall(5)[5], "none");
    store.store(5, {"1", "2", "3", "4", "5", "0.5", "7"});  // a later value replaces the word
    EXPECT_EQ(store.recall(5)[5], "0.5");
    store.store(0, kSatTexts);
    EXPECT_EQ(store.recall(0), (std::vector<std::string>{"100", "0.101418", "0.00104346", "1.67177", "419.17",
                                                         "2675.57", "1.3072", "7.3541", "419.06", "2506.01"}));
}

TEST(RegisterStoreTest, EachRegisterUsesItsOwnSlot) {
    RegisterStore store;
    for (int r = 0; r < kRegisterCount; ++r) {
        std::vector<std::string> texts(r < 5 ? RegisterStore::kSatValues : RegisterStore::kStateValues);
        for (size_t k = 0; k < texts.size(); ++k) texts[k] = std::to_string(10 * r + static_cast<int>(k) + 1);
        store.store(r, texts);
    }
    for (int r = 0; r < kRegisterCount; ++r) {
        SCOPED_TRACE(testing::Message() << "register M" << r + 1);
        if (r < 5) {
            for (int k = 1; k <= RegisterStore::kSatValues; ++k)
                EXPECT_EQ(store.SaturationMemory(r + 1, k), 10 * r + k);
        } else {
            for (int k = 1; k <= RegisterStore::kStateValues; ++k) EXPECT_EQ(store.StateMemory(r - 4, k), 10 * r + k);
        }
        EXPECT_EQ(store.recall(r).front(), std::to_string(10 * r + 1));
    }
    // The current results are slots of their own.
    for (int k = 1; k <= RegisterStore::kSatValues; ++k) EXPECT_EQ(store.SaturationMemory(kCurrentSatSlot, k), 0);
    for (int k = 1; k <= RegisterStore::kStateValues; ++k) EXPECT_EQ(store.StateMemory(kCurrentStateSlot, k), 0);
}

TEST(RegisterStoreTest, ClearingABankLeavesTheOtherBankAndTheCurrentResults) {
    RegisterStore store;
    store.setCurrentSatPoint({100, 0.101418, 0.00104346, 1.67177, 419.17, 2675.57, 1.3072, 7.3541, 419.06, 2506.01});
    store.setCurrentStatePoint({200, 3.5, 0.00115456, 853.06, 2.3275, 0, 849.02});
    store.store(1, kSatTexts);
    store.store(6, kStateTexts);
    store.setShown(1, true);
    store.setShown(6, true);

    store.clearSaturationRegisters();
    EXPECT_FALSE(store.isStored(1));
    EXPECT_FALSE(store.isShown(1));
    EXPECT_EQ(store.SaturationMemory(2, 1), 0);
    EXPECT_EQ(store.CurrentSatPoint()[5], 2675.57);
    EXPECT_TRUE(store.isStored(6));
    EXPECT_EQ(store.StateMemory(2, 1), 200);

    store.clearStateRegisters();
    EXPECT_FALSE(store.isStored(6));
    EXPECT_FALSE(store.isShown(6));
    EXPECT_EQ(store.StateMemory(2, 1), 0);
    EXPECT_EQ(store.CurrentStatePoint()[3], 853.06);
    EXPECT_EQ(store.StateMemory(kCurrentStateSlot, 4), 853.06);
    EXPECT_EQ(store.SaturationMemory(kCurrentSatSlot, 6), 2675.57);
}

TEST(RegisterStoreTest, StoreNeedsOneTextPerBox) {
    RegisterStore store;
    EXPECT_THROW(store.store(0, kStateTexts), std::invalid_argument);
    EXPECT_THROW(store.store(5, kSatTexts), std::invalid_argument);
    EXPECT_FALSE(store.isStored(0));
    EXPECT_FALSE(store.isStored(5));
}

TEST(RegisterStoreTest, RecallNeverShowsANonFiniteNumber) {
    // Boxes keep a typed "1e999" when its calculation was refused; storing them must not
    // bring "inf" into a box on recall.
    RegisterStore store;
    store.store(5, {"1e999", "-1e999", "0", "0", "0", "0", "0"});
    store.store(0, {"1e999", "0", "0", "0", "0", "0", "0", "-1e999", "0", "0"});
    for (int r : {0, 5}) {
        for (const std::string& text : store.recall(r)) {
            SCOPED_TRACE(testing::Message() << "register M" << r + 1 << " text \"" << text << "\"");
            EXPECT_TRUE(test::showsNoNonFinite(text));
        }
    }
}

// M1 to M5 hold what was stored last: a saturation result from the panel, or a state stored with
// storeState, until the bank is cleared; M6 to M9 hold states whichever way they are stored.
TEST(RegisterStoreTest, ASaturationRegisterHoldsAStateUntilASaturationResultOrAClearReplacesIt) {
    RegisterStore store;
    EXPECT_EQ(store.kind(0), RegisterKind::Saturation);
    EXPECT_EQ(store.kind(5), RegisterKind::State);
    store.store(0, kSatTexts);
    store.storeState(0, kStateTexts);
    EXPECT_EQ(store.kind(0), RegisterKind::State);
    EXPECT_EQ(store.recall(0),
              (std::vector<std::string>{"200", "3.5", "0.00100021", "853.06", "12.5", "(none)", "849.56"}));
    EXPECT_EQ(store.registerState(0)[3], 853.06);
    EXPECT_FALSE(store.holdsNumber(0, 6));
    for (int k = 1; k <= RegisterStore::kSatValues; ++k) EXPECT_EQ(store.SaturationMemory(1, k), 0) << "value " << k;
    EXPECT_EQ(store.registerState(1), RegisterStore::StateValues{});  // a saturation register: no state

    store.store(0, kSatTexts);
    EXPECT_EQ(store.kind(0), RegisterKind::Saturation);
    EXPECT_EQ(store.recall(0).size(), 10u);
    EXPECT_EQ(store.registerState(0), RegisterStore::StateValues{});

    store.storeState(0, kStateTexts);
    store.storeState(5, kStateTexts);
    EXPECT_EQ(store.StateMemory(1, 4), 853.06);
    store.clearSaturationRegisters();
    EXPECT_EQ(store.kind(0), RegisterKind::Saturation);
    EXPECT_FALSE(store.isStored(0));
    EXPECT_TRUE(store.isStored(5));
    EXPECT_THROW(store.storeState(1, kSatTexts), std::invalid_argument);
    EXPECT_THROW(store.kind(9), std::out_of_range);
}

TEST(RegisterStoreTest, RegisterColoursAreDistinct) {
    for (int a = 0; a < kRegisterCount; ++a)
        for (int b = a + 1; b < kRegisterCount; ++b)
            EXPECT_NE(colour::kRegisterColours[static_cast<size_t>(a)],
                      colour::kRegisterColours[static_cast<size_t>(b)]);
}

}  // namespace
}  // namespace steam::calc
