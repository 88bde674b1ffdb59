#include "requests.h"

#include "data/property_database.h"

#include <sstream>

namespace steam::cli {
namespace {

constexpr std::array<const char*, 8> kSatColumns{"ts", "ps", "v1", "v11", "h1", "h11", "s1", "s11"};
constexpr std::array<const char*, 8> kSatUnits{"oC", "MPa", "m^3/kg", "m^3/kg", "kJ/kg", "kJ/kg", "kJ/(kg.K)", "kJ/(kg.K)"};
constexpr std::array<const char*, 6> kStateNames{"t", "p", "v", "h", "s", "x"};
constexpr std::array<const char*, 6> kStateUnits{"oC", "MPa", "m^3/kg", "kJ/kg", "kJ/(kg.K)", ""};

template <size_t N>
int indexOf(const std::array<const char*, N>& names, const std::string& name) {
    for (size_t i = 0; i < N; ++i)
        if (name == names[i]) return static_cast<int>(i);
    return -1;
}

const char* regionKey(int region) {
    switch (region) {
        case calc::RegionWater: return "water";
        case calc::RegionVapor: return "vapor";
        case calc::RegionWet: return "wet";
        case calc::RegionInvalid: return "invalid";
        case calc::RegionNeedsDryness: return "needs_dryness";
        default: return "none";
    }
}

// Length of the well-formed UTF-8 sequence starting at text[i], 0 when the bytes there are not
// one: no overlong forms, no surrogates (U+D800 to U+DFFF), nothing above U+10FFFF.
size_t utf8Length(const std::string& text, size_t i) {
    const auto byte = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    const unsigned lead = byte(i);
    if (lead < 0x80) return 1;
    // Allowed range of the second byte for each lead byte; later bytes are 80 to BF.
    unsigned low = 0x80, high = 0xBF;
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong below U+0800
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong below U+10000
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;  // a continuation byte, C0, C1 or F5 to FF
    }
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return length;
}

}  // namespace

std::string wellFormed(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t length = utf8Length(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    return out;
}

namespace {

// A JSON string; bytes that are not UTF-8 (typed text is passed through) become U+FFFD.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const size_t length = utf8Length(text, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (length > 1) {
            out.append(text, i, length);
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
        i += length;
    }
    return out + "\"";
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
        const int column = indexOf(kSatColumns, words[1]);
        if (column < 0) {
            error = "unknown saturation column \"" + words[1] + "\" (use ts ps v1 v11 h1 h11 s1 s11)";
            return std::nullopt;
        }
        return SaturationRequest{column, words[2]};
    }
    if (words[0] == "state") {
        if (words.size() != 3) {
            error = "state takes two NAME=VALUE pairs, e.g. \"state t=200 p=3.5\"";
            return std::nullopt;
        }
        StateRequest request;
        for (size_t i = 1; i < 3; ++i) {
            const size_t eq = words[i].find('=');
            const int k = eq == std::string::npos ? -1 : indexOf(kStateNames, words[i].substr(0, eq));
            if (k < 0) {
                error = "\"" + words[i] + "\" is not NAME=VALUE with NAME one of t p v h s x";
                return std::nullopt;
            }
            if (request.ticked[k]) {
                error = "\"" + std::string(kStateNames[k]) + "\" is given twice";
                return std::nullopt;
            }
            request.ticked[k] = true;
            request.text[k] = words[i].substr(eq + 1);
        }
        return request;
    }
    error = "unknown request \"" + words[0] + "\" (use sat, state or diagram)";
    return std::nullopt;
}

Answer answer(const data::PropertyDatabase& db, const Request& request) {
    Answer a;
    if (const auto* sat = std::get_if<SaturationRequest>(&request)) {
        calc::SaturationPanel panel;
        calc::OPT_Click(panel, sat->column);
        panel.text[sat->column] = sat->value;
        const calc::SaturationOutcome out = calc::SCAL_Click(db, panel);
        a.result = calc::saturationResult(out);
        a.saturation = true;
        for (int i = 0; i < 8; ++i) {
            a.names.push_back(kSatColumns[i]);
            a.texts.push_back(out.panel.text[i]);
            a.units.push_back(kSatUnits[i]);
        }
        a.messages = out.messages;
        a.answered = out.answered;
        return a;
    }
    const auto& state = std::get<StateRequest>(request);
    calc::StatePanel panel;
    panel.text = state.text;
    panel.ticked = state.ticked;
    calc::CHK_Click(panel);
    const calc::StateOutcome out = calc::SCAL2_Click(db, panel);
    a.result = calc::stateResult(out);
    a.saturation = false;
    for (int k = 0; k < 6; ++k) {
        a.names.push_back(kStateNames[k]);
        a.texts.push_back(out.panel.text[k]);
        a.units.push_back(kStateUnits[k]);
    }
    a.region = regionKey(out.region);
    a.messages = out.messages;
    a.answered = out.answered;
    return a;
}

std::string toJson(const Answer& answer) {
    std::string out = "{";
    for (size_t i = 0; i < answer.names.size(); ++i)
        out += jsonString(answer.names[i]) + ":" + (answer.answered ? jsonString(answer.texts[i]) : "null") + ",";
    if (!answer.saturation) out += "\"region\":" + jsonString(answer.region) + ",";
    out += "\"messages\":[";
    for (size_t i = 0; i < answer.messages.size(); ++i) {
        if (i) out += ",";
        out += "{\"title\":" + jsonString(answer.messages[i].title) + ",\"text\":" + jsonString(answer.messages[i].text) + "}";
    }
    return out + "]}";
}

std::string toText(const Answer& answer) {
    std::string out;
    for (size_t i = 0; answer.answered && i < answer.names.size(); ++i) {
        std::string line = answer.names[i];
        line.resize(4, ' ');
        out += line + "= " + answer.texts[i] + (answer.units[i][0] ? " " + std::string(answer.units[i]) : "") + "\n";
    }
    if (!answer.saturation) {
        const char* name = answer.region == "water"           ? "压缩水或超临界区 (water table)"
                           : answer.region == "vapor"         ? "过热蒸汽或超临界区 (vapour table)"
                           : answer.region == "wet"           ? "湿蒸汽 (wet steam)"
                           : answer.region == "invalid"       ? "输入有误 (invalid pair)"
                           : answer.region == "needs_dryness" ? "饱和线上 (on the saturation line)"
                                                              : "(none)";
        out += std::string("region: ") + name + "\n";
    }
    for (const auto& m : answer.messages) out += "[" + m.title + "] " + m.text + "\n";
    return wellFormed(out);
}

std::string errorJson(const std::string& error) { return "{\"error\":" + jsonString(error) + "}"; }

std::string errorText(const std::string& error) { return wellFormed("error: " + error); }

}  // namespace steam::cli
