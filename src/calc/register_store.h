#pragma once
// The memory registers and the current results of both calculators. The saturation bank
// has slots 1 to 5 (registers M1 to M5) and slot 6 (the current saturation result), each
// with values 1 to 8 (ts, ps, v', v'', h', h'', s', s''); the state bank has slots 1 to 4
// (M6 to M9) and slot 5 (the current state result), values 1 to 6 (t, p, v, h, s, x).
// Register r = 0 to 8 is M(r+1): r < 5 uses saturation slot r + 1, r >= 5 state slot r - 4.
#include "property_columns.h"

#include <array>
#include <string>
#include <vector>

namespace steam::calc {

inline constexpr int kRegisterCount = 9;
inline constexpr int kCurrentSatSlot = 6;
inline constexpr int kCurrentStateSlot = 5;

class RegisterStore {
public:
    using SatValues = std::array<double, 8>;
    using StateValues = std::array<double, 6>;

    /// Value (1-based) of a saturation slot (1 to 6); 0 for anything never written.
    double SaturationMemory(int slot, int value) const;
    /// Value (1-based) of a state slot (1 to 5).
    double StateMemory(int slot, int value) const;

    void setCurrentSatPoint(const SatValues& values);
    void setCurrentStatePoint(const StateValues& values);
    SatValues CurrentSatPoint() const;
    StateValues CurrentStatePoint() const;

    /// Stores the panel's box texts (read by the number rule) into register r: the eight
    /// saturation texts for r < 5, the six state texts otherwise.
    void store(int r, const std::vector<std::string>& boxTexts);
    /// The register's values as box texts in the general number form.
    std::vector<std::string> recall(int r) const;
    /// Empties M1 to M5 (saturation) or M6 to M9 (state); current results stay.
    void clearSaturationRegisters();
    void clearStateRegisters();

    bool isStored(int r) const { return m_stored.at(r); }
    bool isShown(int r) const { return m_shown.at(r); }
    void setShown(int r, bool shown) { m_shown.at(r) = shown; }

private:
    std::array<std::array<double, 9>, 7> m_sat{};    // [slot 0..6][value 0..8]
    std::array<std::array<double, 7>, 6> m_state{};  // [slot 0..5][value 0..6]
    std::array<bool, kRegisterCount> m_stored{};
    std::array<bool, kRegisterCount> m_shown{};
};

}  // namespace steam::calc
