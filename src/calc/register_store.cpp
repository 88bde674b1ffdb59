#include "register_store.h"

#include "numeric/number_text.h"

#include <cmath>
#include <stdexcept>

namespace steam::calc {

double RegisterStore::SaturationMemory(int slot, int value) const { return m_sat.at(slot).at(value); }
double RegisterStore::StateMemory(int slot, int value) const { return m_state.at(slot).at(value); }

void RegisterStore::setCurrentSatPoint(const SatValues& values) {
    for (int k = 0; k < kSatValues; ++k) m_sat[kCurrentSatSlot][k + 1] = values[k];
}

void RegisterStore::setCurrentStatePoint(const StateValues& values) {
    for (int k = 0; k < kStateValues; ++k) m_state[kCurrentStateSlot][k + 1] = values[k];
}

RegisterStore::SatValues RegisterStore::CurrentSatPoint() const {
    SatValues v{};
    for (int k = 0; k < kSatValues; ++k) v[k] = m_sat[kCurrentSatSlot][k + 1];
    return v;
}

RegisterStore::StateValues RegisterStore::CurrentStatePoint() const {
    StateValues v{};
    for (int k = 0; k < kStateValues; ++k) v[k] = m_state[kCurrentStateSlot][k + 1];
    return v;
}

void RegisterStore::store(int r, const std::vector<std::string>& boxTexts) {
    const bool state = r >= 5;
    const size_t count = state ? kStateValues : kSatValues;
    if (boxTexts.size() != count) throw std::invalid_argument("register store needs one text per box");
    for (size_t k = 0; k < count; ++k) {
        // A text too large for a number (a refused "1e999" left in its box) is no value a
        // register can give back as box text; it is held as 0, like any text that is no number.
        double value = numeric::readNumber(boxTexts[k]);
        if (!std::isfinite(value)) value = 0.0;
        // What a box shows where a state has no value ("(none)", "none") comes back as it was.
        const bool noValue = boxTexts[k] == "(none)" || boxTexts[k] == "none";
        m_words.at(static_cast<size_t>(r))[k + 1] = noValue ? boxTexts[k] : std::string();
        if (state)
            m_state.at(r - 4)[k + 1] = value;
        else
            m_sat.at(r + 1)[k + 1] = value;
    }
    m_stored.at(r) = true;
}

std::vector<std::string> RegisterStore::recall(int r) const {
    std::vector<std::string> texts;
    const auto& words = m_words.at(static_cast<size_t>(r));
    const int count = r >= 5 ? kStateValues : kSatValues;
    for (int k = 1; k <= count; ++k) {
        if (!words[static_cast<size_t>(k)].empty()) {
            texts.push_back(words[static_cast<size_t>(k)]);
            continue;
        }
        texts.push_back(numeric::generalText(r >= 5 ? m_state.at(r - 4)[k] : m_sat.at(r + 1)[k]));
    }
    return texts;
}

bool RegisterStore::holdsNumber(int r, int k) const { return m_words.at(static_cast<size_t>(r)).at(k).empty(); }

void RegisterStore::clearSaturationRegisters() {
    for (int s = 1; s <= 5; ++s) {
        m_sat[s] = {};
        m_words[static_cast<size_t>(s - 1)] = {};
        m_stored[s - 1] = false;
        m_shown[s - 1] = false;
    }
}

void RegisterStore::clearStateRegisters() {
    for (int s = 1; s <= 4; ++s) {
        m_state[s] = {};
        m_words[static_cast<size_t>(s + 4)] = {};
        m_stored[s + 4] = false;
        m_shown[s + 4] = false;
    }
}

}  // namespace steam::calc
