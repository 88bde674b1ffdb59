#include "register_store.h"

#include "numeric/number_text.h"

#include <cmath>
#include <stdexcept>

namespace steam::calc {
namespace {

// The number a box text holds; a text that shows no value ("(none)", "none") is kept in
// `word`, to come back as it was. A text too large for a number (a refused "1e999" left in its
// box) is no value a register can give back as box text; it is held as 0, like any text that
// is no number.
double heldValue(const std::string& text, std::string& word) {
    const double value = numeric::readNumber(text);
    word = text == "(none)" || text == "none" ? text : std::string();
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace

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
    if (!state) m_holdsState.at(static_cast<size_t>(r)) = false;
    for (size_t k = 0; k < count; ++k) {
        const double value = heldValue(boxTexts[k], m_words.at(static_cast<size_t>(r))[k + 1]);
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
    const bool state = kind(r) == RegisterKind::State;
    const int count = state ? kStateValues : kSatValues;
    for (int k = 1; k <= count; ++k) {
        if (!words[static_cast<size_t>(k)].empty()) {
            texts.push_back(words[static_cast<size_t>(k)]);
            continue;
        }
        texts.push_back(numeric::generalText(state ? registerState(r)[k - 1] : m_sat.at(r + 1)[k]));
    }
    return texts;
}

RegisterKind RegisterStore::kind(int r) const {
    if (r < 0 || r >= kRegisterCount) throw std::out_of_range("no register " + std::to_string(r));
    return r >= 5 || m_holdsState[static_cast<size_t>(r)] ? RegisterKind::State : RegisterKind::Saturation;
}

void RegisterStore::storeState(int r, const std::vector<std::string>& stateTexts) {
    if (r >= 5) return store(r, stateTexts);
    if (stateTexts.size() != kStateValues) throw std::invalid_argument("a state needs one text per box");
    auto& words = m_words.at(static_cast<size_t>(r));
    words = {};
    m_sat.at(r + 1) = {};
    auto& values = m_satBankStates.at(static_cast<size_t>(r));
    for (size_t k = 0; k < kStateValues; ++k) values[k + 1] = heldValue(stateTexts[k], words[k + 1]);
    m_holdsState[static_cast<size_t>(r)] = true;
    m_stored[static_cast<size_t>(r)] = true;
}

RegisterStore::StateValues RegisterStore::registerState(int r) const {
    StateValues values{};
    if (kind(r) != RegisterKind::State) return values;
    for (int k = 0; k < kStateValues; ++k)
        values[k] = r >= 5 ? m_state.at(r - 4)[k + 1] : m_satBankStates[static_cast<size_t>(r)][k + 1];
    return values;
}

bool RegisterStore::holdsNumber(int r, int k) const { return m_words.at(static_cast<size_t>(r)).at(k).empty(); }

void RegisterStore::clearSaturationRegisters() {
    for (int s = 1; s <= 5; ++s) {
        m_sat[s] = {};
        m_words[static_cast<size_t>(s - 1)] = {};
        m_stored[s - 1] = false;
        m_shown[s - 1] = false;
        m_holdsState[s - 1] = false;
        m_satBankStates[s - 1] = {};
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
