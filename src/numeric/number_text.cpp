#include "number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace steam::numeric {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string stripNegativeZero(std::string text) {
    if (!text.empty() && text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

}  // namespace

double readNumber(std::string_view text) {
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
    if (intDigits + fracDigits == 0) return 0.0;
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
    return negative ? -value : value;
}

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value)) return std::isnan(value) ? "0" : (value > 0 ? "inf" : "-inf");
    // Forty digits beyond the last shown one resolve every tie of a double exactly, so the
    // rounding below is decided on the exact decimal expansion.
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed,
                                   decimals + 40);
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

}  // namespace steam::numeric
