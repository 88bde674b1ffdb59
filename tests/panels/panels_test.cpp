// The panels' locking rules: an option makes only its own box editable; ticks make their boxes
// editable, two ticks lock every other check box and value box, fewer release the check boxes
// only; the resets write "0" everywhere and keep ticks (state) or the remembered choice
// (saturation).
#include "panels/panels.h"
#include "panels/saturation_panel.h"
#include "panels/state_panel.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace steam::panels {
namespace {

TEST(OptClickTest, OnlyTheChosenBoxIsEditableAndWhite) {
    SaturationPanel panel;
    for (int index : {0, 5, 7, 2}) {
        SCOPED_TRACE(testing::Message() << "option " << index);
        OPT_Click(panel, index);
        EXPECT_EQ(panel.selected, index);
        EXPECT_EQ(panel.SatChoice, index + 1);
        for (int i = 0; i < kSaturationBoxes; ++i) {
            EXPECT_EQ(panel.enabled[i], i == index) << "box " << i;
            EXPECT_EQ(panel.white[i], i == index) << "box " << i;
        }
    }
}

TEST(CmdCleanTest, EveryBoxLockedGreyAndZeroWhileTheChoiceIsRemembered) {
    SaturationPanel panel;
    OPT_Click(panel, 3);
    panel.text = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    panel.enabled.fill(true);
    const SaturationPanel cleaned = cmdClean_Click(panel);
    for (int i = 0; i < kSaturationBoxes; ++i) {
        SCOPED_TRACE(testing::Message() << "box " << i);
        EXPECT_EQ(cleaned.text[i], "0");
        EXPECT_FALSE(cleaned.enabled[i]);
        EXPECT_FALSE(cleaned.white[i]);
    }
    EXPECT_EQ(cleaned.selected, -1);
    EXPECT_EQ(cleaned.SatChoice, 4);
}

StatePanel ticked(std::vector<int> boxes) {
    StatePanel panel;
    for (int k : boxes) panel.ticked[k] = true;
    CHK_Click(panel);
    return panel;
}

TEST(ChkClickTest, TickedBoxesAreEditableAndTwoTicksLockTheRest) {
    struct Case {
        std::vector<int> ticks;
        bool locksOthers;
    };
    const Case cases[] = {{{}, false}, {{0}, false}, {{4}, false}, {{0, 1}, true}, {{1, 5}, true}, {{3, 6}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ticks.size() << " ticks, first " << (c.ticks.empty() ? -1 : c.ticks[0]));
        const StatePanel panel = ticked(c.ticks);
        for (int k = 0; k < kStateBoxes; ++k) {
            const bool isTicked = panel.ticked[k];
            EXPECT_EQ(panel.enabled[k], isTicked) << "value box " << k;
            EXPECT_EQ(panel.white[k], isTicked) << "value box " << k;
            EXPECT_EQ(panel.chkEnabled[k], isTicked || !c.locksOthers) << "check box " << k;
        }
    }
}

TEST(ChkClickTest, UntickingOneOfTwoReleasesCheckBoxesButNotValueBoxes) {
    StatePanel panel = ticked({0, 3});
    panel.ticked[3] = false;
    CHK_Click(panel);
    for (int k = 0; k < kStateBoxes; ++k) {
        SCOPED_TRACE(testing::Message() << "box " << k);
        EXPECT_TRUE(panel.chkEnabled[k]);
        EXPECT_EQ(panel.enabled[k], k == 0);
        EXPECT_EQ(panel.white[k], k == 0);
    }
}

TEST(Check2Test, CountsTicksAndLeavesThreeOrMoreAlone) {
    StatePanel panel;
    panel.ticked = {true, true, true, false, false, false, false};
    panel.enabled = {true, true, true, true, false, true, false};
    panel.chkEnabled = {true, false, true, false, true, true, true};
    const StatePanel before = panel;
    EXPECT_EQ(check2(panel), 3);
    EXPECT_EQ(panel.enabled, before.enabled);
    EXPECT_EQ(panel.chkEnabled, before.chkEnabled);

    panel.ticked = {false, true, false, false, true, false, false};
    panel.white = {true, true, true, true, true, true, true};
    EXPECT_EQ(check2(panel), 2);
    // Unticked check boxes are locked; the ticked ones keep what they had (box 1 was locked).
    EXPECT_EQ(panel.chkEnabled, (std::array<bool, kStateBoxes>{false, false, false, false, true, false, false}));
    EXPECT_EQ(panel.enabled, (std::array<bool, kStateBoxes>{false, true, false, false, false, false, false}));
    EXPECT_EQ(panel.white,
              (std::array<bool, kStateBoxes>{true, true, true, true, true, true, true}));  // backgrounds left alone
}

TEST(CmdClean2Test, WritesZeroIntoEveryBoxAndKeepsTicks) {
    StatePanel panel = ticked({0, 2});
    panel.text = {"200", "3.5", "0.001", "853", "2.3", "0.5", "849"};
    panel.enabled.fill(true);  // as after a calculation
    const StatePanel cleaned = cmdClean2_Click(panel);
    for (int k = 0; k < kStateBoxes; ++k) {
        SCOPED_TRACE(testing::Message() << "box " << k);
        EXPECT_EQ(cleaned.text[k], "0");
        EXPECT_EQ(cleaned.ticked[k], panel.ticked[k]);
        EXPECT_EQ(cleaned.white[k], panel.white[k]);
        // check2 runs: with two ticks the unticked value boxes are locked again.
        EXPECT_EQ(cleaned.enabled[k], k == 0 || k == 2);
        EXPECT_EQ(cleaned.chkEnabled[k], k == 0 || k == 2);
    }
}

}  // namespace
}  // namespace steam::panels
