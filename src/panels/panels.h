#pragma once
// What the two calculator panels hold: box texts, enabled states, backgrounds, the chosen
// option and the ticks, and the rules that lock and free their boxes. The panels' "计算"
// (saturation_panel.h, state_panel.h) take a panel as it is and return it as it must be
// shown afterwards. Nothing here knows the toolkit: the windows copy panels to widgets.

#include <array>
#include <string>

namespace steam::panels {

/// Boxes of the saturation panel: ts ps v' v'' h' h'' s' s'' with their option buttons, then
/// u' and u'', which are shown only.
inline constexpr int kSaturationBoxes = 10;
inline constexpr int kSaturationOptions = 8;
/// Boxes of the state panel: t p v h s x u, each with its check box.
inline constexpr int kStateBoxes = 7;

/// The saturation panel: option buttons OPT(0..7) with value boxes TXT(0..7), and the boxes of
/// u' and u'' below them.
struct SaturationPanel {
    std::array<std::string, kSaturationBoxes> text{"10.001", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    std::array<bool, kSaturationBoxes> enabled{};
    std::array<bool, kSaturationBoxes> white{};  ///< background: white (editable look) or grey
    int selected = -1;                           ///< index of the selected option button, -1 for none
    int SatChoice = 0;                           ///< 1-based property of the last chosen option; 0 before any
};

/// The state panel: check boxes CHK(0..6) with value boxes TXT(8..14), index k = t, p, v, h, s,
/// x, u.
struct StatePanel {
    std::array<std::string, kStateBoxes> text{"200", "3.5", "0", "0", "0", "0", "0"};
    std::array<bool, kStateBoxes> ticked{};
    std::array<bool, kStateBoxes> chkEnabled{true, true, true, true, true, true, true};
    std::array<bool, kStateBoxes> enabled{};  ///< value boxes
    std::array<bool, kStateBoxes> white{};    ///< value box backgrounds
};

/// Option selection: only the chosen box editable and white (u' and u'' locked and grey);
/// remembers the choice.
void OPT_Click(SaturationPanel& panel, int index);

/// Refreshes box enabling and backgrounds from the ticks, then applies check2.
void CHK_Click(StatePanel& panel);

/// Number of ticked boxes. With exactly two, every unticked check box and its value box is
/// locked (backgrounds left alone); with fewer, every check box is enabled again.
int check2(StatePanel& panel);

/// The "图选s" pick: the option of s' (option 6) or s'' (option 7) chosen, as a click on it
/// would choose it, and the entropy read off the chart typed into its box.
void pickEntropy(SaturationPanel& panel, int option, const std::string& text);

/// The "图选sh" pick: the boxes of every property but the two the chart shows unticked, then
/// the one across and the one up ticked and typed, in that order, each change of a tick running
/// CHK_Click as a click on the box would; those two end editable and every other box locked.
void pickState(StatePanel& panel, int across, const std::string& acrossText, int up, const std::string& upText);

}  // namespace steam::panels
