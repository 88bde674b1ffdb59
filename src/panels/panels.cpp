#include "panels.h"

namespace steam::panels {

void OPT_Click(SaturationPanel& panel, int index) {
    panel.selected = index;
    for (int i = 0; i < kSaturationBoxes; ++i) {
        panel.enabled[i] = i == index;
        panel.white[i] = i == index;
    }
    if (index >= 0 && index < kSaturationOptions) panel.SatChoice = index + 1;
}

void CHK_Click(StatePanel& panel) {
    for (int k = 0; k < kStateBoxes; ++k) {
        panel.enabled[k] = panel.ticked[k];
        panel.white[k] = panel.ticked[k];
    }
    check2(panel);
}

int check2(StatePanel& panel) {
    int count = 0;
    for (bool t : panel.ticked) count += t ? 1 : 0;
    if (count < 2) {
        panel.chkEnabled.fill(true);
    } else if (count == 2) {
        for (int k = 0; k < kStateBoxes; ++k) {
            if (!panel.ticked[k]) {
                panel.chkEnabled[k] = false;
                panel.enabled[k] = false;
            }
        }
    }
    return count;
}

void pickEntropy(SaturationPanel& panel, int option, const std::string& text) {
    OPT_Click(panel, option);
    panel.text[static_cast<size_t>(option)] = text;
}

namespace {

void setTick(StatePanel& panel, int k, bool ticked) {
    if (panel.ticked[static_cast<size_t>(k)] == ticked) return;
    panel.ticked[static_cast<size_t>(k)] = ticked;
    CHK_Click(panel);
}

}  // namespace

void pickState(StatePanel& panel, int across, const std::string& acrossText, int up, const std::string& upText) {
    for (int k = 0; k < kStateBoxes; ++k)
        if (k != across && k != up) setTick(panel, k, false);
    setTick(panel, across, true);
    panel.text[static_cast<size_t>(across)] = acrossText;
    setTick(panel, up, true);
    panel.text[static_cast<size_t>(up)] = upText;
}

}  // namespace steam::panels
