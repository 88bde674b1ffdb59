#include "state_panel.h"

#include "box_texts.h"
#include "explanation_texts.h"
#include "numeric/number_text.h"

#include <cmath>

namespace steam::panels {

StateOutcome SCAL2_Click(const data::PropertyDatabase& db, const StatePanel& panel, bool explain) {
    StateOutcome out;
    out.panel = panel;
    if (check2(out.panel) != 2) {
        out.messages.push_back({calc::MessageCode::TwoValuesNeeded, {}});
    } else {
        int first = -1, second = -1;
        for (int k = 0; k < kStateBoxes; ++k)
            if (out.panel.ticked[k]) (first < 0 ? first : second) = k;
        const auto a = static_cast<calc::Property>(first), b = static_cast<calc::Property>(second);
        const double va = numeric::readNumber(out.panel.text[first]), vb = numeric::readNumber(out.panel.text[second]);
        calc::CalculationSteps steps;
        const calc::StateSolution solution = calc::solveState(db, a, va, b, vb, explain ? &steps : nullptr);
        out.solution = solution;
        if (explain) out.explanation = stateExplanation(a, va, b, vb, solution, steps);
        out.region = solution.region;
        out.pairCase = solution.pairCase;
        out.Choose = solution.Choose;
        out.messages = solution.messages;
        if (const auto texts = stateBoxTexts(solution)) {
            for (int k = 0; k < kStateBoxes; ++k) out.panel.text[k] = (*texts)[k];
        } else {
            // After a message no earlier answer may stand beside the typed values.
            for (int k = 0; k < kStateBoxes; ++k)
                if (!out.panel.ticked[k]) out.panel.text[k] = "0";
        }
    }
    out.answered = out.messages.empty();
    // The closing step: every value box enabled, and the boxes as shown kept as the result.
    out.panel.enabled.fill(true);
    if (out.answered) {
        for (int k = 0; k < kStateBoxes; ++k) {
            const double value = numeric::readNumber(out.panel.text[k]);
            out.result[k] = std::isfinite(value) ? value : 0.0;
        }
    }
    return out;
}

StatePanel cmdClean2_Click(const StatePanel& panel) {
    StatePanel out = panel;
    for (auto& t : out.text) t = "0";
    check2(out);
    return out;
}

}  // namespace steam::panels
