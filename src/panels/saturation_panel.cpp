#include "saturation_panel.h"

#include "box_texts.h"
#include "explanation_texts.h"
#include "numeric/number_text.h"

namespace steam::panels {

SaturationOutcome SCAL_Click(const data::PropertyDatabase& db, const SaturationPanel& panel, bool explain) {
    SaturationOutcome out;
    out.panel = panel;
    const int k = panel.SatChoice;
    if (k < 1 || k > 8) return out;

    const double known = numeric::readNumber(out.panel.text[k - 1]);
    const auto property = static_cast<calc::SatProperty>(k - 1);
    calc::CalculationSteps steps;
    const calc::SaturationSolution solution = calc::solveSaturation(db, property, known, explain ? &steps : nullptr);
    out.solution = solution;
    if (explain) out.explanation = saturationExplanation(property, known, solution, steps);
    out.messages = solution.messages;
    if (!solution.solved) {
        // No answer: nothing of an earlier one stays beside the typed value.
        for (int i = 0; i < kSaturationBoxes; ++i)
            if (i != k - 1) out.panel.text[i] = "0";
        out.result = calc::RegisterStore::SatValues{};
        return out;
    }
    // All from the value as typed; its own box then shows it with its fixed decimals.
    const SaturationTexts texts = saturationBoxTexts(solution);
    calc::RegisterStore::SatValues shown{};
    for (int i = 0; i < kSaturationBoxes; ++i) {
        out.panel.enabled[i] = true;
        out.panel.text[i] = texts[i];
        shown[i] = numeric::readNumber(texts[i]);
    }
    out.result = shown;
    out.answered = true;
    return out;
}

SaturationPanel cmdClean_Click(const SaturationPanel& panel) {
    SaturationPanel out = panel;
    for (int i = 0; i < kSaturationBoxes; ++i) {
        out.enabled[i] = false;
        out.white[i] = false;
        out.text[i] = "0";
    }
    out.selected = -1;
    return out;
}

}  // namespace steam::panels
