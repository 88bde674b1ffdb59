#include "explanation_texts.h"

#include "calc/phase.h"
#include "calc/property_columns.h"
#include "numeric/number_text.h"
#include "numeric/rounding.h"
#include "property_texts.h"

#include <algorithm>

namespace steam::panels {
namespace {

using calc::Property;

// Columns a character takes in a fixed-width face: two for CJK ideographs and full-width forms.
size_t displayWidth(const std::string& text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? byte : byte & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        const bool wide = (code >= 0x2E80 && code <= 0xA4CF) || (code >= 0xAC00 && code <= 0xD7A3) ||
                          (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFF00 && code <= 0xFF60);
        width += wide ? 2 : 1;
        i += length;
    }
    return width;
}

std::string padded(const std::string& text, size_t width) {
    const size_t w = displayWidth(text);
    return text + std::string(width > w ? width - w : 0, ' ');
}

// The rows under their captions, each column as wide as its widest cell.
std::string rowTable(const StepText& step) {
    std::vector<size_t> widths(step.captions.size());
    for (size_t c = 0; c < widths.size(); ++c) {
        widths[c] = displayWidth(step.captions[c]);
        for (const auto& row : step.cells) widths[c] = std::max(widths[c], displayWidth(row[c]));
    }
    size_t nameWidth = 0;
    for (const std::string& name : step.rowNames) nameWidth = std::max(nameWidth, displayWidth(name));
    const auto line = [&](const std::string& name, const std::vector<std::string>& cells) {
        std::string text = "  " + padded(name, nameWidth);
        for (size_t c = 0; c < cells.size(); ++c) text += "  " + padded(cells[c], widths[c]);
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text + "\n";
    };
    std::string text = line("", step.captions);
    for (size_t r = 0; r < step.cells.size(); ++r) text += line(step.rowNames[r], step.cells[r]);
    return text;
}

std::string stepsText(const calc::CalculationSteps& steps) {
    std::string text;
    int number = 0;
    for (const StepText& step : stepTexts(steps)) {
        text += "\n第 " + std::to_string(++number) + " 步  " + step.heading + "\n";
        text += rowTable(step);
        for (const std::string& line : step.formula) text += "  " + line + "\n";
    }
    return text;
}

constexpr const char* kStateSymbols[] = {"t", "p", "v", "h", "s", "x", "u"};
constexpr const char* kStateUnits[] = {" °C", " MPa", " m³/kg", " kJ/kg", " kJ/(kg·K)", "", " kJ/kg"};
constexpr const char* kSatSymbols[] = {"ts", "ps", "v'", "v''", "h'", "h''", "s'", "s''"};
constexpr const char* kSatUnits[] = {" °C", " MPa", " m³/kg", " m³/kg", " kJ/kg", " kJ/kg", " kJ/(kg·K)", " kJ/(kg·K)"};

std::string known(Property p, double value) {
    const auto k = static_cast<size_t>(p);
    return std::string(kStateSymbols[k]) + " = " + numeric::generalText(value) + kStateUnits[k];
}

// The saturated value at SWATER position k as the saturation panel shows it, which the region
// rule compares with.
std::string saturatedShown(const calc::CalculationStep& step, int k) {
    const int decimals = k <= data::kSatColumns ? calc::PropertyDecimals[k] : calc::kInternalEnergyDecimals;
    return numeric::fixedText(numeric::sswr(step.results[k], decimals), decimals);
}

std::string tableOf(int region) {
    switch (region) {
        case calc::RegionWater: return "查水表 WATER";
        case calc::RegionVapor: return "查蒸汽表 VAPOR";
        case calc::RegionWet: return "由饱和值按干度混合";
        default: return "";
    }
}

// Why the state lies where it does: the known second value against the saturated values at the
// known t or p (the first step), as the panel shows them.
std::string regionReason(Property first, Property second, double secondValue, const calc::StateSolution& solution,
                         const calc::CalculationSteps& steps) {
    const std::string region = tableOf(solution.region);
    if (!calc::withTemperatureOrPressure(solution.pairCase))
        return "已知值中没有 t 和 p：先沿饱和线找这两个值所在的区，再沿饱和线或在表中的等压线间搜索；" + region + "。";
    const bool haveSaturation = !steps.steps.empty() && steps.steps.front().table == calc::StepTable::Saturation &&
                                steps.steps.front().kind != calc::CalculationStep::Kind::Mixture;
    if (!haveSaturation)
        return std::string(first == Property::t ? "t 高于临界温度 373.95 °C" : "p 高于临界压力 22.064 MPa") +
               "，不分液相与汽相：" + region + "。";
    const calc::CalculationStep& sat = steps.steps.front();
    const std::string at = "第 1 步的饱和状态（按饱和区显示的位数）";
    if (second == Property::x) return at + "给出饱和值；已知干度 x：" + region + "。";
    if (second == Property::p) {
        const std::string ps = saturatedShown(sat, 2);
        const std::string relation = solution.region == calc::RegionWater ? " 高于 " : " 低于 ";
        return at + "：ps = " + ps + " MPa；p = " + numeric::generalText(secondValue) + relation + "ps：" + region +
               "。";
    }
    const int liquid = second == Property::v ? 3 : second == Property::h ? 5 : second == Property::s ? 7 : 9;
    const std::string s = kStateSymbols[static_cast<size_t>(second)];
    const std::string bounds =
        s + "' = " + saturatedShown(sat, liquid) + "，" + s + "'' = " + saturatedShown(sat, liquid + 1);
    const std::string value = s + " = " + numeric::generalText(secondValue);
    const std::string where = solution.region == calc::RegionWater   ? value + " 小于 " + s + "'"
                              : solution.region == calc::RegionVapor ? value + " 大于 " + s + "''"
                                                                     : value + " 在两者之间";
    return at + "：" + bounds + "；" + where + "：" + region + "。";
}

}  // namespace

std::string saturationExplanation(calc::SatProperty knownProperty, double value,
                                  const calc::SaturationSolution& solution, const calc::CalculationSteps& steps) {
    const auto k = static_cast<size_t>(knownProperty);
    std::string text =
        std::string("饱和状态：已知 ") + kSatSymbols[k] + " = " + numeric::generalText(value) + kSatUnits[k] + "\n";
    if (!solution.solved) return text + "计算以提示结束，没有结果。\n";
    text += stepsText(steps);
    if (const std::string note = otherSaturationNote(solution); !note.empty()) text += "\n" + note + "\n";
    return text;
}

std::string stateExplanation(Property first, double firstValue, Property second, double secondValue,
                             const calc::StateSolution& solution, const calc::CalculationSteps& steps) {
    std::string text = "状态：已知 " + known(first, firstValue) + "，" + known(second, secondValue) + "\n";
    if (solution.form == calc::StateSolution::Form::NoState)
        return text + "临界温度（压力）以上没有两相，也就没有干度：这样的状态不存在。\n";
    if (!solution.solved()) return text + "计算以提示结束，没有结果。\n";
    text += regionReason(first, second, secondValue, solution, steps) + "\n";
    if (const char* phase = phaseName(calc::phaseOf(solution)); *phase) text += std::string("相态：") + phase + "\n";
    if (solution.form == calc::StateSolution::Form::CriticalPoint)
        text += "饱和水与饱和蒸汽的值相同：这是临界点，没有干度，各值取第 1 步的饱和值。\n";
    return text + stepsText(steps);
}

}  // namespace steam::panels
