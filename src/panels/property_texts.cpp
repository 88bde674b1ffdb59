#include "property_texts.h"

#include "numeric/number_text.h"

#include <cmath>

namespace steam::panels {

const std::array<ThermalColumn, kThermalCount> kThermalColumns{{
    {"cp", "cp", "比定压热容", "kJ/(kg·K)", 4},
    {"cv", "cv", "比定容热容", "kJ/(kg·K)", 4},
    {"w", "w", "声速", "m/s", 2},
    {"mu", "μ", "动力粘度", "µPa·s", 2},
    {"k", "λ", "导热系数", "mW/(m·K)", 2},
    {"nu", "ν", "运动粘度", "mm²/s", 4},
    {"pr", "Pr", "普朗特数", "", 3},
}};

std::string propertyText(double value, int decimals) {
    if (std::isnan(value)) return "—";
    if (std::isinf(value)) return value > 0 ? "∞" : "-∞";
    return numeric::fixedText(value, decimals);
}

ThermalTexts thermalTexts(const calc::ThermalSet& set) {
    const double values[] = {set.cp, set.cv, set.w, set.mu, set.k, set.nu, set.pr};
    ThermalTexts texts;
    for (int i = 0; i < kThermalCount; ++i) texts[i] = propertyText(values[i], kThermalColumns[i].decimals);
    return texts;
}

const char* phaseName(calc::Phase phase) {
    using calc::Phase;
    switch (phase) {
        case Phase::Liquid: return "压缩水";
        case Phase::Vapour: return "过热蒸汽";
        case Phase::Supercritical: return "超临界区";
        case Phase::Wet: return "湿蒸汽";
        case Phase::SaturatedLiquid: return "饱和水";
        case Phase::SaturatedVapour: return "饱和蒸汽";
        default: return "";
    }
}

const char* phaseKey(calc::Phase phase) {
    using calc::Phase;
    switch (phase) {
        case Phase::Liquid: return "liquid";
        case Phase::Vapour: return "vapour";
        case Phase::Supercritical: return "supercritical";
        case Phase::Wet:
        case Phase::SaturatedLiquid:
        case Phase::SaturatedVapour: return "wet";
        default: return "";
    }
}

std::string otherSaturationNote(const calc::SaturationSolution& solution) {
    if (!solution.solved || !solution.otherTs) return {};
    const std::string other = numeric::fixedText(*solution.otherTs, calc::decimalsOf(calc::SatProperty::ts));
    // The same state shown twice (the value is the turn itself) is no second one.
    if (other == numeric::fixedText(solution[calc::SatProperty::ts], calc::decimalsOf(calc::SatProperty::ts)))
        return {};
    return "另一饱和状态：ts = " + other + " °C";
}

}  // namespace steam::panels
