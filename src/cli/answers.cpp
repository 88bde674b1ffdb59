#include "answers.h"

#include "calc/result_list.h"
#include "numeric/number_text.h"
#include "panels/box_texts.h"
#include "panels/explanation_texts.h"
#include "panels/message_texts.h"
#include "panels/panels.h"
#include "panels/property_texts.h"
#include "step_json.h"
#include "utf8_text.h"

#include <algorithm>
#include <iterator>

namespace steam::cli {
namespace {

constexpr const char* kSatBoxNames[] = {"ts", "ps", "v1", "v11", "h1", "h11", "s1", "s11", "u1", "u11"};
constexpr const char* kSatUnits[] = {"oC",    "MPa",       "m^3/kg",    "m^3/kg", "kJ/kg",
                                     "kJ/kg", "kJ/(kg.K)", "kJ/(kg.K)", "kJ/kg",  "kJ/kg"};
constexpr const char* kStateUnits[] = {"oC", "MPa", "m^3/kg", "kJ/kg", "kJ/(kg.K)", "", "kJ/kg"};

// Units of the other properties in the plain form, which keeps to ASCII like the boxes' units.
constexpr const char* kThermalUnits[] = {"kJ/(kg.K)", "kJ/(kg.K)", "m/s", "uPa.s", "mW/(m.K)", "mm^2/s", ""};
static_assert(std::size(kThermalUnits) == panels::kThermalCount);

std::optional<std::string> shown(const std::string& text) {
    if (text == "—") return std::nullopt;
    return text;
}

const char* regionKey(int region) {
    switch (region) {
        case calc::RegionWater: return "water";
        case calc::RegionVapor: return "vapor";
        case calc::RegionWet: return "wet";
        case calc::RegionNeedsDryness: return "needs_dryness";
        default: return "none";
    }
}

Answer saturationAnswer(const data::PropertyDatabase& db, const SaturationRequest& request, bool explain) {
    Answer a;
    calc::CalculationSteps steps;
    const calc::SaturationSolution solution =
        calc::solveSaturation(db, request.known, request.value, explain ? &steps : nullptr);
    if (explain) {
        a.explained = true;
        if (solution.solved) a.steps = panels::stepTexts(steps);
        a.explanation = panels::saturationExplanation(request.known, request.value, solution, steps);
    }
    const panels::SaturationTexts texts = panels::saturationBoxTexts(solution);
    for (int i = 0; i < panels::kSaturationBoxes; ++i) {
        a.names.push_back(kSatBoxNames[i]);
        a.texts.push_back(solution.solved ? texts[i] : "");
        a.units.push_back(kSatUnits[i]);
    }
    a.result = calc::saturationEntry(solution);
    a.messages = solution.messages;
    a.answered = solution.solved;
    if (solution.solved) {
        const calc::SaturationThermal thermal = calc::thermalPropertiesOf(solution);
        const panels::ThermalTexts liquid = panels::thermalTexts(thermal.liquid);
        const panels::ThermalTexts vapour = panels::thermalTexts(thermal.vapour);
        for (int i = 0; i < panels::kThermalCount; ++i) {
            const std::string key = panels::kThermalColumns[i].key;
            a.properties.push_back({key + "1", shown(liquid[i]), kThermalUnits[i]});
            a.properties.push_back({key + "11", shown(vapour[i]), kThermalUnits[i]});
        }
        a.properties.push_back(
            {"sigma", shown(panels::propertyText(thermal.sigma, panels::kSurfaceTensionDecimals)), "mN/m"});
        if (const std::string note = panels::otherSaturationNote(solution); !note.empty()) a.notes.push_back(note);
    }
    return a;
}

Answer stateAnswer(const data::PropertyDatabase& db, const StateRequest& request, bool explain) {
    Answer a;
    a.saturation = false;
    calc::CalculationSteps steps;
    const calc::StateSolution solution = calc::solveState(db, request.first, request.firstValue, request.second,
                                                          request.secondValue, explain ? &steps : nullptr);
    if (explain) {
        a.explained = true;
        if (solution.solved()) a.steps = panels::stepTexts(steps);
        a.explanation = panels::stateExplanation(request.first, request.firstValue, request.second, request.secondValue,
                                                 solution, steps);
    }
    const auto texts = panels::stateBoxTexts(solution);
    for (int k = 0; k < calc::kStateProperties; ++k) {
        a.names.push_back(kStateNames[k]);
        a.texts.push_back(texts ? (*texts)[k] : "");
        a.units.push_back(kStateUnits[k]);
    }
    a.result = calc::stateEntry(solution);
    a.region = regionKey(solution.region);
    a.phase = panels::phaseKey(calc::phaseOf(solution));
    a.messages = solution.messages;
    a.answered = solution.messages.empty();
    if (a.answered) {
        const panels::ThermalTexts thermal = panels::thermalTexts(calc::thermalPropertiesOf(solution));
        for (int i = 0; i < panels::kThermalCount; ++i)
            a.properties.push_back({panels::kThermalColumns[i].key, shown(thermal[i]), kThermalUnits[i]});
    }
    return a;
}

}  // namespace

Answer answer(const data::PropertyDatabase& db, const Request& request, bool explain) {
    if (const auto* sat = std::get_if<SaturationRequest>(&request)) return saturationAnswer(db, *sat, explain);
    return stateAnswer(db, std::get<StateRequest>(request), explain);
}

std::string toJson(const Answer& answer) {
    std::string out = "{";
    for (size_t i = 0; i < answer.names.size(); ++i)
        out += jsonString(answer.names[i]) + ":" + (answer.answered ? jsonString(answer.texts[i]) : "null") + ",";
    for (const PropertyLine& p : answer.properties)
        out += jsonString(p.key) + ":" + (p.text ? jsonString(*p.text) : "null") + ",";
    if (!answer.saturation) {
        out += "\"region\":" + jsonString(answer.region) + ",";
        out += "\"phase\":" + (answer.phase.empty() ? std::string("null") : jsonString(answer.phase)) + ",";
    } else {
        out += "\"notes\":[";
        for (size_t i = 0; i < answer.notes.size(); ++i) out += (i ? "," : "") + jsonString(answer.notes[i]);
        out += "],";
    }
    out += "\"messages\":[";
    for (size_t i = 0; i < answer.messages.size(); ++i) {
        const panels::MessageText m = panels::messageText(answer.messages[i]);
        if (i) out += ",";
        out += "{\"title\":" + jsonString(m.title) + ",\"text\":" + jsonString(m.text) + "}";
    }
    out += "]";
    if (answer.explained) out += ",\"steps\":" + stepsJson(answer.steps);
    return out + "}";
}

std::string toText(const Answer& answer) {
    std::string out;
    const auto addLine = [&out](std::string name, const std::string& text, const std::string& unit) {
        name.resize(std::max<size_t>(name.size() + 1, 4), ' ');
        out += name + "= " + text + (unit.empty() || text == "—" ? "" : " " + unit) + "\n";
    };
    for (size_t i = 0; answer.answered && i < answer.names.size(); ++i)
        addLine(answer.names[i], answer.texts[i], answer.units[i]);
    for (const PropertyLine& p : answer.properties) addLine(p.key, p.text.value_or("—"), p.unit);
    if (!answer.saturation) {
        const char* name = answer.region == "water"           ? "压缩水或超临界区 (water table)"
                           : answer.region == "vapor"         ? "过热蒸汽或超临界区 (vapour table)"
                           : answer.region == "wet"           ? "湿蒸汽 (wet steam)"
                           : answer.region == "needs_dryness" ? "饱和线上 (on the saturation line)"
                                                              : "(none)";
        out += std::string("region: ") + name + "\n";
    }
    for (const std::string& note : answer.notes) out += note + "\n";
    for (const calc::Message& message : answer.messages) {
        const panels::MessageText m = panels::messageText(message);
        out += "[" + m.title + "] " + m.text + "\n";
    }
    if (answer.explained) out += "\n" + answer.explanation;
    return wellFormed(out);
}

std::string errorJson(const std::string& error) { return "{\"error\":" + jsonString(error) + "}"; }

std::string errorText(const std::string& error) { return wellFormed("error: " + error); }

}  // namespace steam::cli
