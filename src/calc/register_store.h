#pragma once
// The memory registers and the current results of both calculators. The saturation bank
// has slots 1 to 5 (registers M1 to M5) and slot 6 (the current saturation result), each
// with values 1 to 10 (ts, ps, v', v'', h', h'', s', s'', u', u''); the state bank has slots 1
// to 4 (M6 to M9) and slot 5 (the current state result), values 1 to 7 (t, p, v, h, s, x, u).
// Register r = 0 to 8 is M(r+1): r < 5 uses saturation slot r + 1, r >= 5 state slot r - 4.
// A register holds a saturation result or a state (its kind): M6 to M9 always states; M1 to M5
// saturation results as the panel stores them, or a state stored there with storeState (a
// cycle's states fill every register), held beside the saturation slot until a saturation
// result is stored again or the bank is cleared.
#include "property_columns.h"

#include <array>
#include <string>
#include <vector>

namespace steam::calc {

inline constexpr int kRegisterCount = 9;
inline constexpr int kCurrentSatSlot = 6;
inline constexpr int kCurrentStateSlot = 5;

enum class RegisterKind { Saturation, State };

class RegisterStore {
public:
    static constexpr int kSatValues = 10;
    static constexpr int kStateValues = 7;
    using SatValues = std::array<double, kSatValues>;
    using StateValues = std::array<double, kStateValues>;

    /// Value (1-based) of a saturation slot (1 to 6); 0 for anything never written.
    double SaturationMemory(int slot, int value) const;
    /// Value (1-based) of a state slot (1 to 5).
    double StateMemory(int slot, int value) const;

    void setCurrentSatPoint(const SatValues& values);
    void setCurrentStatePoint(const StateValues& values);
    SatValues CurrentSatPoint() const;
    StateValues CurrentStatePoint() const;

    /// Stores the panel's box texts (read by the number rule) into register r: the ten
    /// saturation texts for r < 5, the seven state texts otherwise. A box that shows no value
    /// ("(none)", "none") is held as 0 and remembered as it was.
    void store(int r, const std::vector<std::string>& boxTexts);
    /// The register's values as box texts in the general number form; a box that showed no
    /// value comes back as it was.
    std::vector<std::string> recall(int r) const;
    /// Whether value k (1-based) of register r had a value when it was stored.
    bool holdsNumber(int r, int k) const;

    /// What register r holds (or would hold: an empty register has the kind of its bank).
    RegisterKind kind(int r) const;
    /// Stores the seven state texts t p v h s x u into any register, as store does into M6 to
    /// M9; M1 to M5 then hold a state, whose texts recall gives back, and their saturation
    /// values are 0.
    void storeState(int r, const std::vector<std::string>& stateTexts);
    /// t p v h s x u of a register holding a state; zeros for one holding a saturation result.
    StateValues registerState(int r) const;
    /// Empties M1 to M5 (saturation) or M6 to M9 (state); current results stay.
    void clearSaturationRegisters();
    void clearStateRegisters();

    bool isStored(int r) const { return m_stored.at(r); }
    bool isShown(int r) const { return m_shown.at(r); }
    void setShown(int r, bool shown) { m_shown.at(r) = shown; }

private:
    std::array<std::array<double, kSatValues + 1>, 7> m_sat{};      // [slot 0..6][value 0..10]
    std::array<std::array<double, kStateValues + 1>, 6> m_state{};  // [slot 0..5][value 0..7]
    // The texts of the registers' boxes that showed no value, by register and value (1-based).
    std::array<std::array<std::string, kSatValues + 1>, kRegisterCount> m_words{};
    std::array<bool, kRegisterCount> m_stored{};
    std::array<bool, kRegisterCount> m_shown{};
    // States held in M1 to M5 (value 1 to 7), where m_holdsState says so.
    std::array<std::array<double, kStateValues + 1>, 5> m_satBankStates{};
    std::array<bool, 5> m_holdsState{};
};

}  // namespace steam::calc
