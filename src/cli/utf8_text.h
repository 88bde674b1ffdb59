#pragma once
// steamcalc's output is always well-formed UTF-8, whatever bytes a request held: bytes that
// are not part of a well-formed sequence (overlong forms, surrogates and code points above
// U+10FFFF included) become U+FFFD.
#include <string>

namespace steam::cli {

/// The text with every byte that is not part of well-formed UTF-8 replaced by U+FFFD.
std::string wellFormed(const std::string& text);

/// A JSON string literal of the text (quotes, backslashes and control characters escaped);
/// bytes that are not UTF-8 become \ufffd.
std::string jsonString(const std::string& text);

}  // namespace steam::cli
