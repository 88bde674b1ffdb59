#pragma once
// Grid keys are short decimal numbers, so that a user who types a tabulated value hits the
// row exactly. Keys are built as decimal text and read into the nearest double; writing that
// double as shortest text gives the same short text back.
#include <charconv>
#include <cstdint>
#include <string>

namespace tables {

/// The double nearest to mantissa * 10^exponent (e.g. (1234, -3) -> 1.234).
inline double decimalKey(int64_t mantissa, int exponent) {
    const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

/// A temperature key in degrees C from an integer count of millikelvin.
inline double milliKey(int64_t milli) { return decimalKey(milli, -3); }

}  // namespace tables
