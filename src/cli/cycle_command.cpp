#include "cycle_command.h"

#include "numeric/number_text.h"
#include "panels/cycle_texts.h"
#include "panels/message_texts.h"
#include "utf8_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace steam::cli {
namespace {

using cycle::InputProblem;
using cycle::RankineValue;

constexpr int kNames = cycle::kRankineValueCount;

// Why a value cannot be used, for the line naming it.
std::string problemText(InputProblem problem) {
    switch (problem) {
        case InputProblem::Missing: return "is missing: cycle rankine needs p_high and p_low";
        case InputProblem::NotPositive: return "must be above 0";
        case InputProblem::NotBelowHighPressure: return "must be below p_high";
        case InputProblem::NotBetweenPressures: return "must lie between p_low and p_high";
        case InputProblem::EfficiencyOutOfRange: return "must be above 0 and at most 1";
        case InputProblem::NeedsReheatPressure: return "needs p_reheat";
        case InputProblem::NeedsReheatTemperature: return "needs t_reheat";
    }
    return "cannot be used";
}

// A JSON number with fixed decimals, or null.
std::string jsonNumber(double value, int decimals) {
    return std::isfinite(value) ? numeric::fixedText(value, decimals) : std::string("null");
}

// Columns a text of the table takes in a terminal: East Asian characters (from U+2E80) two,
// others one.
size_t displayWidth(const std::string& text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        unsigned codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < text.size(); ++k)
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        width += codePoint >= 0x2E80 ? 2 : 1;
        i += length;
    }
    return width;
}

std::string messagesJson(const CycleAnswer& answer) {
    if (answer.answered()) return "[]";
    const panels::MessageText m = panels::buildMessage(answer.built);
    return "[{\"title\":" + jsonString(m.title) + ",\"text\":" + jsonString(m.text) + "}]";
}

}  // namespace

std::optional<cycle::RankineInputs> parseCycleRequest(const std::vector<std::string>& words, std::string& error) {
    if (words.empty() || words[0] != "rankine") {
        error = "cycle takes a kind and its values, e.g. \"cycle rankine p_high=8 t_high=480 p_low=0.008\"";
        return std::nullopt;
    }
    std::array<std::optional<double>, kNames> values;
    std::array<std::string, kNames> typed;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const size_t eq = word.find('=');
        int k = -1;
        for (int n = 0; n < kNames && eq != std::string::npos; ++n)
            if (word.substr(0, eq) == panels::rankineValueKey(static_cast<RankineValue>(n))) k = n;
        if (k < 0) {
            error = "\"" + word +
                    "\" is not NAME=VALUE with NAME one of p_high t_high p_low eta_turbine eta_pump p_reheat t_reheat "
                    "p_fwh";
            return std::nullopt;
        }
        if (values[static_cast<size_t>(k)]) {
            error = "\"" + word.substr(0, eq) + "\" is given twice";
            return std::nullopt;
        }
        typed[static_cast<size_t>(k)] = word;
        values[static_cast<size_t>(k)] = numeric::readWholeNumber(word.substr(eq + 1));
        if (!values[static_cast<size_t>(k)]) {
            error = "\"" + word.substr(eq + 1) + "\" is not a number (" + word + ")";
            return std::nullopt;
        }
    }
    const auto at = [&](RankineValue v) { return values[static_cast<size_t>(v)]; };
    cycle::RankineInputs inputs{at(RankineValue::PHigh),
                                at(RankineValue::THigh),
                                at(RankineValue::PLow),
                                at(RankineValue::EtaTurbine).value_or(1.0),
                                at(RankineValue::EtaPump).value_or(1.0),
                                at(RankineValue::PReheat),
                                at(RankineValue::TReheat),
                                at(RankineValue::PHeater)};
    if (const std::optional<cycle::InputFault> fault = cycle::checkRankineInputs(inputs)) {
        const std::string& word = typed[static_cast<size_t>(fault->value)];
        error = (word.empty() ? std::string(panels::rankineValueKey(fault->value)) : word) + " " +
                problemText(fault->problem);
        return std::nullopt;
    }
    return inputs;
}

CycleAnswer cycleAnswer(const data::PropertyDatabase& db, const cycle::RankineInputs& inputs) {
    CycleAnswer answer{cycle::buildRankine(db, inputs)};
    if (answer.answered()) answer.figures = cycle::workCycle(db, answer.built.cycle);
    return answer;
}

std::string cycleJson(const CycleAnswer& answer) {
    const cycle::Cycle& c = answer.built.cycle;
    const cycle::CycleFigures& f = answer.figures;
    std::string out = "{\"states\":";
    if (!answer.answered()) {
        out +=
            "null,\"legs\":null,\"heat_in\":null,\"heat_out\":null,\"net_work\":null,\"efficiency\":null,"
            "\"back_work_ratio\":null,\"carnot_efficiency\":null";
        return out + ",\"messages\":" + messagesJson(answer) + "}";
    }
    static constexpr std::array<std::pair<const char*, int>, 7> kKeys{
        {{"t", 0}, {"p", 1}, {"v", 2}, {"u", 6}, {"h", 3}, {"s", 4}, {"x", 5}}};
    out += "[";
    for (int i = 0; i < c.size(); ++i) {
        const panels::StateTexts texts = panels::cycleStateTexts(c.states[static_cast<size_t>(i)]);
        out += i ? ",{" : "{";
        for (size_t k = 0; k < kKeys.size(); ++k)
            out += (k ? "," : "") + jsonString(kKeys[k].first) + ":" +
                   jsonString(texts[static_cast<size_t>(kKeys[k].second)]);
        out += "}";
    }
    out += "],\"legs\":[";
    for (int i = 0; i < c.size(); ++i) {
        const cycle::Leg& leg = c.legs[static_cast<size_t>(i)];
        const cycle::LegFigures& lf = f.legs[static_cast<size_t>(i)];
        out += std::string(i ? "," : "") + "{\"process\":" + jsonString(panels::processKey(leg.process)) +
               ",\"mass_fraction\":" + jsonNumber(leg.massFraction, 4) + ",\"q\":" + jsonNumber(lf.q, 2) +
               ",\"w\":" + jsonNumber(lf.w, 2) + ",\"isentropic_efficiency\":" +
               (lf.isentropicEfficiency ? jsonNumber(*lf.isentropicEfficiency, 4) : std::string("null")) + "}";
    }
    out += "],\"heat_in\":" + jsonNumber(f.heatIn, 2) + ",\"heat_out\":" + jsonNumber(f.heatOut, 2) +
           ",\"net_work\":" + jsonNumber(f.netWork, 2) + ",\"efficiency\":" + jsonNumber(f.efficiency, 4) +
           ",\"back_work_ratio\":" + jsonNumber(f.backWorkRatio, 4) +
           ",\"carnot_efficiency\":" + jsonNumber(f.carnotEfficiency, 4);
    if (c.extraction) out += ",\"y\":" + jsonNumber(*c.extraction, 4);
    return out + ",\"messages\":[]}";
}

std::string cycleText(const CycleAnswer& answer) {
    if (!answer.answered()) {
        const panels::MessageText m = panels::buildMessage(answer.built);
        return wellFormed("[" + m.title + "] " + m.text + "\n");
    }
    const std::vector<std::vector<std::string>> rows = panels::cycleTable(answer.built.cycle, answer.figures);
    const size_t stateRows = static_cast<size_t>(answer.built.cycle.size()) + 1;
    std::vector<size_t> widths(rows.front().size(), 0);
    for (size_t r = 0; r < stateRows; ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) widths[c] = std::max(widths[c], displayWidth(rows[r][c]));
    std::string out;
    for (size_t r = 0; r < rows.size(); ++r) {
        std::string line;
        for (size_t c = 0; c < rows[r].size(); ++c) {
            line += rows[r][c];
            if (c + 1 < rows[r].size())
                line += std::string(r < stateRows ? widths[c] - displayWidth(rows[r][c]) + 2 : 1, ' ');
        }
        out += line + "\n";
        if (r + 1 == stateRows) out += "\n";
    }
    return wellFormed(out);
}

std::string cycleCsvText(const CycleAnswer& answer) {
    if (answer.answered()) return panels::cycleCsv(answer.built.cycle, answer.figures);
    const panels::MessageText m = panels::buildMessage(answer.built);
    return std::string(panels::kUtf8Bom) + panels::joinCells({m.text}, ',') + "\r\n";
}

}  // namespace steam::cli
