#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace steam::numeric {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string stripNegativeZero(std::string text) {
    if (!text.empty() && text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

// Full-width forms that a Chinese input method types, as their plain counterparts: the digits
// U+FF10 to U+FF19, the signs U+FF0B and U+FF0D, the full stops U+FF0E and U+3002 (the
// ideographic one) and the ideographic space U+3000. Other bytes stay as they are.
std::string plainText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto byte = [&](size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u; };
        if (byte(0) == 0xEF && byte(1) == 0xBC) {
            const unsigned c = byte(2);
            if (c >= 0x90 && c <= 0x99) {
                out += static_cast<char>('0' + (c - 0x90));
                i += 3;
                continue;
            }
            if (c == 0x8B || c == 0x8D || c == 0x8E) {
                out += c == 0x8B ? '+' : c == 0x8D ? '-' : '.';
                i += 3;
                continue;
            }
        }
        if (byte(0) == 0xE3 && byte(1) == 0x80 && (byte(2) == 0x82 || byte(2) == 0x80)) {
            out += byte(2) == 0x82 ? '.' : ' ';
            i += 3;
            continue;
        }
        out += text[i++];
    }
    return out;
}

}  // namespace

namespace {

// The longest leading decimal number of a text already in plain forms, after leading blanks:
// its value and where it ends; found is false when the text does not begin with a number.
struct LeadingNumber {
    double value = 0.0;
    size_t end = 0;
    bool found = false;
};

LeadingNumber leadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t mantissaStart = i;
    size_t intDigits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++intDigits;
    size_t fracDigits = 0;
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        while (j < text.size() && isDigit(text[j])) ++j, ++fracDigits;
        if (intDigits + fracDigits > 0) i = j;
    }
    if (intDigits + fracDigits == 0) return {};
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (negativeExponent) exponent = -exponent;
            i = j;
        }
    }
    const bool negative = text[start] == '-';
    double value = 0.0;
    const char* first = text.data() + mantissaStart;
    auto [ptr, ec] = std::from_chars(first, text.data() + i, value);
    if (ec == std::errc::result_out_of_range) {
        // Decide between overflow and underflow from the decimal exponent of the leading digits.
        const bool big = exponent + static_cast<long>(intDigits) > 0;
        value = big ? std::numeric_limits<double>::infinity() : 0.0;
    }
    (void)ptr;
    return {negative ? -value : value, i, true};
}

// The text with full-width forms as plain ones (only when it holds any).
std::string_view inPlainForms(std::string_view typed, std::string& plain) {
    if (std::none_of(typed.begin(), typed.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return typed;
    plain = plainText(typed);
    return plain;
}

}  // namespace

double readNumber(std::string_view typed) {
    std::string plain;
    return leadingNumber(inPlainForms(typed, plain)).value;
}

std::optional<double> readWholeNumber(std::string_view typed) {
    std::string plain;
    const std::string_view text = inPlainForms(typed, plain);
    const LeadingNumber number = leadingNumber(text);
    if (!number.found) return std::nullopt;
    for (size_t i = number.end; i < text.size(); ++i)
        if (text[i] != ' ' && text[i] != '\t') return std::nullopt;
    return number.value;
}

// Whether a positive finite value lies exactly halfway between two numbers of `decimals`
// decimals: value = m 2^e exactly, and value 10^d 2 = (m 5^d) 2^(d + e + 1) is then an odd
// whole number.
bool exactTie(double value, int decimals) {
    if (value == 0.0 || decimals < 0 || decimals > 20) return false;
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    unsigned __int128 scaled = mantissa;
    for (int k = 0; k < decimals; ++k) scaled *= 5;
    int zeros = 0;
    while ((scaled & 1) == 0) {
        scaled >>= 1;
        ++zeros;
    }
    return zeros + decimals + exponent + 1 == 0;
}

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value)) return std::isnan(value) ? "0" : (value > 0 ? "inf" : "-inf");
    char buffer[400];
    if (!exactTie(std::fabs(value), decimals)) {
        // Away from a tie the correctly rounded digits are the nearest ones.
        auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, decimals);
        if (ec == std::errc()) return stripNegativeZero((value < 0 ? "-" : "") + std::string(buffer, end));
    }
    // Forty digits beyond the last shown one resolve every tie of a double exactly, so the
    // rounding below is decided on the exact decimal expansion.
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, decimals + 40);
    if (ec != std::errc()) return std::to_string(value);
    std::string digits(buffer, end);
    const size_t point = digits.find('.');
    const size_t keep = point + (decimals > 0 ? decimals + 1 : 0);
    const bool roundUp = digits[point + decimals + 1] >= '5';
    digits.resize(keep);
    if (roundUp) {
        int k = static_cast<int>(digits.size()) - 1;
        for (; k >= 0; --k) {
            if (digits[k] == '.') continue;
            if (digits[k] == '9') {
                digits[k] = '0';
            } else {
                ++digits[k];
                break;
            }
        }
        if (k < 0) digits.insert(digits.begin(), '1');
    }
    return stripNegativeZero((value < 0 ? "-" : "") + digits);
}

std::string generalText(double value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "0" : (value > 0 ? "inf" : "-inf");
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    (void)ec;
    return stripNegativeZero(std::string(buffer, end));
}

double shownValue(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    return readNumber(fixedText(value, decimals));
}

std::string shortestText(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, end);
}

double generalValue(double value) {
    if (!std::isfinite(value)) return value;
    return readNumber(generalText(value));
}

}  // namespace steam::numeric
