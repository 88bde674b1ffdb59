#include "step_json.h"

#include "numeric/number_text.h"
#include "utf8_text.h"

#include <cmath>

namespace steam::cli {
namespace {

std::string number(double value) { return std::isfinite(value) ? numeric::shortestText(value) : "null"; }

std::string stringArray(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (size_t i = 0; i < texts.size(); ++i) out += (i ? "," : "") + jsonString(texts[i]);
    return out + "]";
}

}  // namespace

std::string stepsJson(const std::vector<panels::StepText>& steps) {
    std::string out = "[";
    for (size_t s = 0; s < steps.size(); ++s) {
        const panels::StepText& step = steps[s];
        out += s ? ",{" : "{";
        out += "\"table\":" + jsonString(step.table) + ",\"kind\":" + jsonString(step.kind) +
               ",\"heading\":" + jsonString(step.heading) + ",\"row_names\":" + stringArray(step.rowNames) +
               ",\"rows\":[";
        for (size_t r = 0; r < step.rows.size(); ++r) {
            out += r ? ",{" : "{";
            for (size_t c = 0; c < step.keys.size(); ++c)
                out += (c ? "," : "") + jsonString(step.keys[c]) + ":" + number(step.rows[r][c]);
            out += "}";
        }
        out += "],\"formula\":" + jsonString(panels::formulaText(step)) +
               ",\"search_steps\":" + std::to_string(step.searchSteps) + "}";
    }
    return out + "]";
}

}  // namespace steam::cli
