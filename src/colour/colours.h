#pragma once
// Colours shared by the layers that paint: RGB triples of 0 to 255 per channel, and the
// backgrounds of the value boxes.

namespace steam::colour {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

/// Background of a value box that takes input, and of one that is locked.
inline constexpr Rgb kEditableBackground{255, 255, 255};
inline constexpr Rgb kLockedBackground{220, 220, 220};

}  // namespace steam::colour
