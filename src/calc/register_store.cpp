#include "register_store.h"

#include "numeric/number_text.h"

#include <cmath>
#include <stdexcept>

namespace steam::calc {

double RegisterStore::SaturationMemory(int slot, int value) const { return m_sat.at(slot).at(value); }
double RegisterStore::StateMemory(int slot, int value) const { return m_state.at(slot).at(value); }

void RegisterStore::setCurrentSatPoint(const SatValues& values) {
    for (int k = 0; k < 8; ++k) m_sat[kCurrentSatSlot][k + 1] = values[k];
}

void RegisterStore::setCurrentStatePoint(const StateValues& values) {
    for (int k = 0; k < 6; ++k) m_state[kCurrentStateSlot][k + 1] = values[k];
}

RegisterStore::SatValues RegisterStore::CurrentSatPoint() const {
    SatValues v{};
    for (int k = 0; k < 8; ++k) v[k] = m_sat[kCurrentSatSlot][k + 1];
    return v;
}

RegisterStore::StateValues RegisterStore::CurrentStatePoint() const {
    StateValues v{};
    for (int k = 0; k < 6; ++k) v[k] = m_state[kCurrentStateSlot][k + 1];
    return v;
}

void RegisterStore::store(int r, const std::vector<std::string>& boxTexts) {
    const bool state = r >= 5;
    const size_t count = state ? 6 : 8;
    if (boxTexts.size() != count) throw std::invalid_argument("register store needs one text per box");
    for (size_t k = 0; k < count; ++k) {
        // A text too large for a number (a refused "1e999" left in its box) is no value a
        // register can give back as box text; it is held as 0, like any text that is no number.
        double value = numeric::readNumber(boxTexts[k]);
        if (!std::isfinite(value)) value = 0.0;
        if (state)
            m_state.at(r - 4)[k + 1] = value;
        else
            m_sat.at(r + 1)[k + 1] = value;
    }
    m_stored.at(r) = true;
}

std::vector<std::string> RegisterStore::recall(int r) const {
    std::vector<std::string> texts;
    if (r >= 5) {
        for (int k = 1; k <= 6; ++k) texts.push_back(numeric::generalText(m_state.at(r - 4)[k]));
    } else {
        for (int k = 1; k <= 8; ++k) texts.push_back(numeric::generalText(m_sat.at(r + 1)[k]));
    }
    return texts;
}

void RegisterStore::clearSaturationRegisters() {
    for (int s = 1; s <= 5; ++s) {
        m_sat[s] = {};
        m_stored[s - 1] = false;
        m_shown[s - 1] = false;
    }
}

void RegisterStore::clearStateRegisters() {
    for (int s = 1; s <= 4; ++s) {
        m_state[s] = {};
        m_stored[s + 4] = false;
        m_shown[s + 4] = false;
    }
}

}  // namespace steam::calc
