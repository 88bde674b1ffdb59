#include "box_texts.h"

#include "numeric/number_text.h"
#include "numeric/rounding.h"

namespace steam::panels {

using calc::decimalsOf;
using calc::Property;
using Form = calc::StateSolution::Form;

std::optional<StateTexts> stateBoxTexts(const calc::StateSolution& solution) {
    StateTexts texts;
    switch (solution.form) {
        case Form::Nothing: return std::nullopt;
        case Form::NoState: texts.fill("none"); return texts;
        case Form::SinglePhase:
            for (int k = 0; k < calc::kStateProperties; ++k)
                texts[k] = numeric::fixedText(solution.values[k], decimalsOf(static_cast<Property>(k)));
            texts[5] = kNoDryness;
            return texts;
        case Form::CriticalPoint:
            for (int k = 0; k < calc::kStateProperties; ++k)
                texts[k] =
                    numeric::generalText(numeric::sswr(solution.values[k], decimalsOf(static_cast<Property>(k))));
            texts[5] = kNoDryness;
            return texts;
        case Form::Mixture:
            for (int k = 0; k < calc::kStateProperties; ++k) {
                const auto p = static_cast<Property>(k);
                texts[k] = numeric::generalText(numeric::sswr(solution[p], decimalsOf(p)));
            }
            return texts;
    }
    return std::nullopt;
}

SaturationTexts saturationBoxTexts(const calc::SaturationSolution& solution) {
    SaturationTexts texts;
    for (int i = 0; i < calc::kSaturationProperties; ++i)
        texts[i] = numeric::fixedText(solution.values[i], decimalsOf(static_cast<calc::SatProperty>(i)));
    texts[8] = numeric::fixedText(solution.u1, calc::kInternalEnergyDecimals);
    texts[9] = numeric::fixedText(solution.u11, calc::kInternalEnergyDecimals);
    return texts;
}

}  // namespace steam::panels
