#include "answers.h"

#include "calc/result_list.h"
#include "numeric/number_text.h"
#include "panels/box_texts.h"
#include "panels/message_texts.h"
#include "utf8_text.h"

namespace steam::cli {
namespace {

constexpr const char* kSatUnits[] = {"oC", "MPa", "m^3/kg", "m^3/kg", "kJ/kg", "kJ/kg", "kJ/(kg.K)", "kJ/(kg.K)"};
constexpr const char* kStateUnits[] = {"oC", "MPa", "m^3/kg", "kJ/kg", "kJ/(kg.K)", ""};

const char* regionKey(int region) {
    switch (region) {
        case calc::RegionWater: return "water";
        case calc::RegionVapor: return "vapor";
        case calc::RegionWet: return "wet";
        case calc::RegionNeedsDryness: return "needs_dryness";
        default: return "none";
    }
}

Answer saturationAnswer(const data::PropertyDatabase& db, const SaturationRequest& request) {
    Answer a;
    const calc::SaturationSolution solution =
        calc::solveSaturation(db, request.known, request.value);
    const panels::SaturationTexts texts = panels::saturationBoxTexts(solution);
    for (int i = 0; i < calc::kSaturationProperties; ++i) {
        a.names.push_back(kSatColumnNames[i]);
        a.texts.push_back(solution.solved ? texts[i] : "");
        a.units.push_back(kSatUnits[i]);
    }
    if (calc::saturationEntry(solution)) a.result = panels::saturationRow(texts);
    a.messages = solution.messages;
    a.answered = solution.solved;
    return a;
}

Answer stateAnswer(const data::PropertyDatabase& db, const StateRequest& request) {
    Answer a;
    a.saturation = false;
    const calc::StateSolution solution =
        calc::solveState(db, request.first, request.firstValue, request.second, request.secondValue);
    const auto texts = panels::stateBoxTexts(solution);
    for (int k = 0; k < calc::kStateProperties; ++k) {
        a.names.push_back(kStateNames[k]);
        a.texts.push_back(texts ? (*texts)[k] : "");
        a.units.push_back(kStateUnits[k]);
    }
    if (texts && calc::stateEntry(solution)) a.result = panels::stateRow(panels::regionName(solution.region), *texts);
    a.region = regionKey(solution.region);
    a.messages = solution.messages;
    a.answered = solution.messages.empty();
    return a;
}

}  // namespace

Answer answer(const data::PropertyDatabase& db, const Request& request) {
    if (const auto* sat = std::get_if<SaturationRequest>(&request)) return saturationAnswer(db, *sat);
    return stateAnswer(db, std::get<StateRequest>(request));
}

std::string toJson(const Answer& answer) {
    std::string out = "{";
    for (size_t i = 0; i < answer.names.size(); ++i)
        out += jsonString(answer.names[i]) + ":" + (answer.answered ? jsonString(answer.texts[i]) : "null") + ",";
    if (!answer.saturation) out += "\"region\":" + jsonString(answer.region) + ",";
    out += "\"messages\":[";
    for (size_t i = 0; i < answer.messages.size(); ++i) {
        const panels::MessageText m = panels::messageText(answer.messages[i]);
        if (i) out += ",";
        out += "{\"title\":" + jsonString(m.title) + ",\"text\":" + jsonString(m.text) + "}";
    }
    return out + "]}";
}

std::string toText(const Answer& answer) {
    std::string out;
    for (size_t i = 0; answer.answered && i < answer.names.size(); ++i) {
        std::string line = answer.names[i];
        line.resize(4, ' ');
        out += line + "= " + answer.texts[i] + (answer.units[i].empty() ? "" : " " + answer.units[i]) + "\n";
    }
    if (!answer.saturation) {
        const char* name = answer.region == "water"           ? "压缩水或超临界区 (water table)"
                           : answer.region == "vapor"         ? "过热蒸汽或超临界区 (vapour table)"
                           : answer.region == "wet"           ? "湿蒸汽 (wet steam)"
                           : answer.region == "needs_dryness" ? "饱和线上 (on the saturation line)"
                                                              : "(none)";
        out += std::string("region: ") + name + "\n";
    }
    for (const calc::Message& message : answer.messages) {
        const panels::MessageText m = panels::messageText(message);
        out += "[" + m.title + "] " + m.text + "\n";
    }
    return wellFormed(out);
}

std::string errorJson(const std::string& error) { return "{\"error\":" + jsonString(error) + "}"; }

std::string errorText(const std::string& error) { return wellFormed("error: " + error); }

}  // namespace steam::cli
