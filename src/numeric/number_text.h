#pragma once
// Reading numbers from value boxes and writing them back. The decimal point is always '.',
// whatever the user's locale.
#include <optional>
#include <string>
#include <string_view>

namespace steam::numeric {

/// The longest leading decimal number of the text after leading blanks (optional sign,
/// digits, optional '.' and digits, optional exponent); 0 when the text does not begin
/// with a number ("", "none", "(none)"). A number too large for a double reads as +-infinity.
/// Full-width digits, signs and full stops (also the ideographic full stop "。") and the
/// ideographic space read as their plain forms, as a Chinese input method types them.
double readNumber(std::string_view text);

/// The text as a number when it is one whole, between blanks: the same forms readNumber reads
/// (full-width ones included), and nothing else after them; none otherwise ("1,5", "3.5.7",
/// "100abc", "1e", "nan", "0x1p-1", ""). A number too large for a double is infinity.
std::optional<double> readWholeNumber(std::string_view text);

/// Exactly `decimals` decimals, trailing zeros kept, "0" before the point below 1, '-' for
/// negatives, no grouping. Exact ties round away from zero; a value that shows as zero has
/// no minus sign.
std::string fixedText(double value, int decimals);

/// The value a box shows it as: fixedText read back (exact ties away from zero).
double shownValue(double value, int decimals);

/// Up to 15 significant digits, no trailing zeros ("100", "0.5", "0.00110021", "1e-05").
std::string generalText(double value);

/// The shortest decimal text that reads back as the same double ("3.5", "1e-05", "200"): how
/// a value is typed exactly.
std::string shortestText(double value);

/// The value rounded to 15 significant digits, as generalText writes it and a box reads it.
double generalValue(double value);

}  // namespace steam::numeric
