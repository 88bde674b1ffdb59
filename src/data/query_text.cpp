#include "query_text.h"

#include <charconv>
#include <system_error>

namespace steam::data {
namespace {

// ASCII letters, digits and '_' (query texts are ASCII; no locale lookup on this hot path).
bool isIdentChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of a numeric literal starting at text[i] (no sign), 0 when there is none.
size_t literalLength(std::string_view text, size_t i) {
    size_t j = i;
    bool digits = false;
    while (j < text.size() && isDigit(text[j])) { ++j; digits = true; }
    if (j < text.size() && text[j] == '.') {
        ++j;
        while (j < text.size() && isDigit(text[j])) { ++j; digits = true; }
    }
    if (!digits) return 0;
    if (j < text.size() && (text[j] == 'e' || text[j] == 'E')) {
        size_t k = j + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
        if (k < text.size() && isDigit(text[k])) {
            while (k < text.size() && isDigit(text[k])) ++k;
            j = k;
        }
    }
    return j - i;
}

// True when the last non-blank character before position i makes a sign there unary. The
// text is read rather than the shape: a literal ends in a digit there and in '?' in the
// shape, and neither makes a sign unary.
bool signIsUnary(std::string_view text, size_t i) {
    while (i > 0) {
        const char c = text[--i];
        if (c == ' ') continue;
        return c == '=' || c == '<' || c == '>' || c == '(' || c == ',';
    }
    return true;
}

}  // namespace

ParsedQuery parseQuery(std::string_view text) {
    ParsedQuery out;
    out.shape.reserve(text.size());
    out.numbers.reserve(4);  // the lookups' texts hold up to three
    size_t copied = 0;  // text before this position is in the shape already
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        // Only a digit, a point or a sign can begin a literal, and never inside a name.
        if ((!isDigit(c) && c != '.' && c != '-' && c != '+') || (i > 0 && isIdentChar(text[i - 1]))) {
            ++i;
            continue;
        }
        size_t start = i;
        bool negative = false;
        if ((c == '-' || c == '+') && signIsUnary(text, i) && literalLength(text, i + 1) > 0) {
            negative = c == '-';
            start = i + 1;
        }
        const size_t len = literalLength(text, start);
        if (len == 0) {
            ++i;
            continue;
        }
        double value = 0.0;
        const auto* first = text.data() + start;
        auto [ptr, ec] = std::from_chars(first, first + len, value);
        if (ec == std::errc::result_out_of_range) value = 0.0;  // callers never write such numbers
        out.numbers.push_back(negative ? -value : value);
        out.shape.append(text.substr(copied, i - copied));
        out.shape.push_back('?');
        i = start + len;
        copied = i;
    }
    out.shape.append(text.substr(copied));
    return out;
}

std::string numberText(double value) {
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, ptr);
}

}  // namespace steam::data
