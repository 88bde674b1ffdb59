#pragma once
// The value boxes: boxes 0 to 7 belong to the saturation panel (ts, ps, v', v'', h', h'', s',
// s''), boxes 8 to 13 to the state panel (t, p, v, h, s, x). Entry n (1 to 14) of each table
// belongs to box n - 1. The internal energies u, u' and u'' came later; they show with
// kInternalEnergyDecimals.
#include <array>

namespace steam::calc {

inline constexpr std::array<const char*, 15> PropertyColumn{"",    "ts", "ps", "v1", "v11", "h1", "h11", "s1",
                                                            "s11", "t",  "p",  "v",  "h",   "s",  "x"};

inline constexpr std::array<int, 15> PropertyDecimals{0, 2, 6, 8, 5, 2, 2, 4, 4, 2, 6, 8, 2, 4, 2};

/// The properties of a state, in the order of the state panel's rows (boxes 8 to 13).
/// u, the specific internal energy h - p v, comes last: its row stands below the dryness's.
enum class Property { t, p, v, h, s, x, u };
inline constexpr int kStateProperties = 7;
/// The properties of the saturation state, in the order of the saturation panel's rows
/// (boxes 0 to 7); their positions in the saturation table are one more.
enum class SatProperty { ts, ps, v1, v11, h1, h11, s1, s11 };
inline constexpr int kSaturationProperties = 8;

/// Decimals u is shown with, as h.
inline constexpr int kInternalEnergyDecimals = 2;

/// Decimals a property is shown with in its box.
inline constexpr int decimalsOf(Property p) {
    return p == Property::u ? kInternalEnergyDecimals : PropertyDecimals[9 + static_cast<int>(p)];
}
inline constexpr int decimalsOf(SatProperty p) { return PropertyDecimals[1 + static_cast<int>(p)]; }

/// Critical constants used in the region decision (degrees C, MPa, m^3/kg).
inline constexpr double kCriticalTemperature = 373.95;
inline constexpr double kCriticalPressure = 22.064;
inline constexpr double kCriticalVolume = 0.0031056;

}  // namespace steam::calc
