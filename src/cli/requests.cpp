#include "requests.h"

#include "numeric/number_text.h"

#include <iterator>
#include <sstream>

namespace steam::cli {
namespace {

template <size_t N>
int indexOf(const char* const (&names)[N], const std::string& name) {
    for (size_t i = 0; i < N; ++i)
        if (name == names[i]) return static_cast<int>(i);
    return -1;
}

// The text as a number, or the error naming it in its request.
std::optional<double> number(const std::string& text, const std::string& where, std::string& error) {
    const std::optional<double> value = numeric::readWholeNumber(text);
    if (!value) error = "\"" + text + "\" is not a number (" + where + ")";
    return value;
}

}  // namespace

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::optional<Request> parseRequest(const std::vector<std::string>& words, std::string& error) {
    if (words.empty()) {
        error = "empty request: expected \"sat COLUMN VALUE\" or \"state NAME=VALUE NAME=VALUE\"";
        return std::nullopt;
    }
    if (words[0] == "sat") {
        if (words.size() != 3) {
            error = "sat takes a column and a value, e.g. \"sat ts 100\"";
            return std::nullopt;
        }
        const int column = indexOf(kSatColumnNames, words[1]);
        if (column < 0) {
            error = "unknown saturation column \"" + words[1] + "\" (use ts ps v1 v11 h1 h11 s1 s11)";
            return std::nullopt;
        }
        const auto value = number(words[2], "sat " + words[1], error);
        if (!value) return std::nullopt;
        return SaturationRequest{static_cast<calc::SatProperty>(column), *value};
    }
    if (words[0] == "state") {
        if (words.size() != 3) {
            error = "state takes two NAME=VALUE pairs, e.g. \"state t=200 p=3.5\"";
            return std::nullopt;
        }
        int names[2];
        double values[2];
        for (size_t i = 1; i < 3; ++i) {
            const size_t eq = words[i].find('=');
            const int k = eq == std::string::npos ? -1 : indexOf(kStateNames, words[i].substr(0, eq));
            if (k < 0) {
                error = "\"" + words[i] + "\" is not NAME=VALUE with NAME one of t p v h s x u";
                return std::nullopt;
            }
            if (i == 2 && k == names[0]) {
                error = "\"" + std::string(kStateNames[k]) + "\" is given twice";
                return std::nullopt;
            }
            names[i - 1] = k;
            const auto value = number(words[i].substr(eq + 1), words[i], error);
            if (!value) return std::nullopt;
            values[i - 1] = *value;
        }
        // The pair in the panel's box order, as ticking the two boxes gives it.
        const bool ordered = names[0] < names[1];
        StateRequest request;
        request.first = static_cast<calc::Property>(ordered ? names[0] : names[1]);
        request.second = static_cast<calc::Property>(ordered ? names[1] : names[0]);
        request.firstValue = ordered ? values[0] : values[1];
        request.secondValue = ordered ? values[1] : values[0];
        return request;
    }
    error = "unknown request \"" + words[0] + "\" (use sat, state, diagram, table or verify)";
    return std::nullopt;
}

}  // namespace steam::cli
