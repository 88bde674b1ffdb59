#pragma once
// Colours shared by the layers that paint: RGB triples of 0 to 255 per channel, the
// backgrounds of the value boxes and the colours of the memory registers.
#include <array>

namespace steam::colour {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

/// Background of a value box that takes input, and of one that is locked.
inline constexpr Rgb kEditableBackground{255, 255, 255};
inline constexpr Rgb kLockedBackground{220, 220, 220};

/// Colour of register M1 to M9 (index 0 to 8): its points on the charts and its show box once
/// something is stored in it.
inline constexpr std::array<Rgb, 9> kRegisterColours{{{128, 128, 0},
                                                      {192, 192, 192},
                                                      {128, 128, 128},
                                                      {0, 0, 255},
                                                      {0, 255, 0},
                                                      {0, 255, 255},
                                                      {255, 0, 0},
                                                      {255, 0, 255},
                                                      {255, 255, 0}}};
/// A cycle's legs and state markers on every chart: unlike every curve family and marker.
inline constexpr Rgb kCycleColour{0, 144, 96};
inline constexpr Rgb kCycleMarkerEdge{0, 70, 45};
inline constexpr Rgb kCycleLabelBox{180, 230, 210};

/// Background of an empty register's show box.
inline constexpr Rgb kEmptyRegisterBackground{180, 180, 180};

}  // namespace steam::colour
