#include "cycle_texts.h"

#include "cycle/register_states.h"
#include "numeric/number_text.h"

#include <cmath>

namespace steam::panels {
namespace {

using cycle::Process;
using cycle::StateRole;

constexpr const char* kUnknown = "—";

std::string fixedOrUnknown(double value, int decimals) {
    return std::isfinite(value) ? numeric::fixedText(value, decimals) : std::string(kUnknown);
}

std::vector<std::string> tableHeader() {
    return {"状态",          "说明", "t (°C)", "p (MPa)",  "v (m³/kg)", "u (kJ/kg)", "h (kJ/kg)",
            "s (kJ/(kg·K))", "x",    "过程",   "质量分数", "q (kJ/kg)", "w (kJ/kg)", "η_s (%)"};
}

std::string joinLines(const std::vector<std::vector<std::string>>& rows, char separator, const char* lineEnd) {
    std::string text;
    for (const auto& row : rows) text += joinCells(row, separator) + lineEnd;
    return text;
}

}  // namespace

const char* processName(Process process) {
    switch (process) {
        case Process::Isobaric: return "等压";
        case Process::Isentropic: return "等熵";
        case Process::Adiabatic: return "绝热";
        case Process::Throttle: return "节流";
        case Process::Isothermal: return "等温";
        case Process::Isochoric: return "等容";
        case Process::Line: return "直线";
    }
    return "";
}

const char* processKey(Process process) {
    switch (process) {
        case Process::Isobaric: return "isobaric";
        case Process::Isentropic: return "isentropic";
        case Process::Adiabatic: return "adiabatic";
        case Process::Throttle: return "throttle";
        case Process::Isothermal: return "isothermal";
        case Process::Isochoric: return "isochoric";
        case Process::Line: return "line";
    }
    return "";
}

const char* stateRoleName(StateRole role) {
    switch (role) {
        case StateRole::None: return "";
        case StateRole::CondenserExit: return "冷凝器出口";
        case StateRole::PumpExit: return "水泵出口";
        case StateRole::HeaterExit: return "回热器出口";
        case StateRole::FeedPumpExit: return "给水泵出口";
        case StateRole::BoilerExit: return "锅炉出口";
        case StateRole::Extraction: return "抽汽";
        case StateRole::HighPressureExit: return "高压缸出口";
        case StateRole::ReheaterExit: return "再热器出口";
        case StateRole::TurbineExit: return "汽轮机出口";
    }
    return "";
}

StateTexts cycleStateTexts(const cycle::StateValues& state) {
    calc::StateSolution solution;
    solution.values = state;
    solution.form = std::isfinite(cycle::valueOf(state, calc::Property::x)) ? calc::StateSolution::Form::Mixture
                                                                            : calc::StateSolution::Form::SinglePhase;
    return *stateBoxTexts(solution);
}

std::string energyText(double kilojoules) { return fixedOrUnknown(kilojoules, 2); }
std::string percentText(double fraction) { return fixedOrUnknown(100.0 * fraction, 2); }
std::string fractionText(double fraction) { return fixedOrUnknown(fraction, 4); }

std::vector<std::vector<std::string>> cycleTable(const cycle::Cycle& cycle, const cycle::CycleFigures& figures) {
    std::vector<std::vector<std::string>> rows{tableHeader()};
    for (int i = 0; i < cycle.size(); ++i) {
        const auto at = static_cast<size_t>(i);
        const StateTexts t = cycleStateTexts(cycle.states[at]);
        const cycle::Leg& leg = cycle.legs[at];
        const cycle::LegFigures& f = figures.legs[at];
        const std::string name = cycle.roles.empty() ? "" : stateRoleName(cycle.roles[at]);
        rows.push_back({std::to_string(i + 1), name, t[0], t[1], t[2], t[6], t[3], t[4], t[5],
                        std::to_string(i + 1) + "→" + std::to_string((i + 1) % cycle.size() + 1) + " " +
                            processName(leg.process) + (leg.internal ? "（回热）" : ""),
                        fractionText(leg.massFraction), energyText(f.q), energyText(f.w),
                        f.isentropicEfficiency ? percentText(*f.isentropicEfficiency) : std::string()});
    }
    rows.push_back({"吸热量 (kJ/kg)", energyText(figures.heatIn)});
    rows.push_back({"放热量 (kJ/kg)", energyText(figures.heatOut)});
    rows.push_back({"净功 (kJ/kg)", energyText(figures.netWork)});
    rows.push_back({"热效率 (%)", percentText(figures.efficiency)});
    rows.push_back({"背功比 (%)", percentText(figures.backWorkRatio)});
    rows.push_back({"卡诺效率 (%)", percentText(figures.carnotEfficiency)});
    if (cycle.extraction) rows.push_back({"抽汽份额 y", fractionText(*cycle.extraction)});
    return rows;
}

std::string cycleTsv(const cycle::Cycle& cycle, const cycle::CycleFigures& figures) {
    return joinLines(cycleTable(cycle, figures), '\t', "\n");
}

std::string cycleCsv(const cycle::Cycle& cycle, const cycle::CycleFigures& figures) {
    return kUtf8Bom + joinLines(cycleTable(cycle, figures), ',', "\r\n");
}

const char* rankineValueKey(cycle::RankineValue value) {
    static constexpr const char* kKeys[] = {"p_high",   "t_high",   "p_low",    "eta_turbine",
                                            "eta_pump", "p_reheat", "t_reheat", "p_fwh"};
    return kKeys[static_cast<int>(value)];
}

std::string inputFaultText(const cycle::InputFault& fault) {
    const std::string name = rankineValueKey(fault.value);
    using P = cycle::InputProblem;
    switch (fault.problem) {
        case P::Missing: return "请输入 " + name;
        case P::NotPositive: return name + " 须大于 0";
        case P::NotBelowHighPressure: return name + " 须低于 p_high";
        case P::NotBetweenPressures: return name + " 须介于 p_low 与 p_high 之间";
        case P::EfficiencyOutOfRange: return name + " 须大于 0 且不大于 1";
        case P::NeedsReheatPressure: return "有 t_reheat 时须输入 p_reheat";
        case P::NeedsReheatTemperature: return "有 p_reheat 时须输入 t_reheat";
    }
    return name;
}

MessageText buildMessage(const cycle::RankineResult& result) {
    const std::string where = stateRoleName(result.failedAt);
    if (result.outcome == cycle::BuildOutcome::NotSteam)
        return {kReminderTitle, where + "不是蒸汽：汽轮机进口须为蒸汽，请提高温度"};
    if (result.outcome == cycle::BuildOutcome::BadInput && result.fault)
        return {kReminderTitle, inputFaultText(*result.fault)};
    std::string text = where + "的状态不存在";
    if (!result.messages.empty()) text += "：" + messageText(result.messages.front()).text;
    return {kReminderTitle, text};
}

std::vector<int> storeCycleStates(calc::RegisterStore& registers, const cycle::Cycle& cycle) {
    const std::vector<int> targets = cycle::cycleRegisters(cycle.size());
    for (size_t i = 0; i < targets.size(); ++i) {
        const StateTexts texts = cycleStateTexts(cycle.states[i]);
        registers.storeState(targets[i], {texts.begin(), texts.end()});
    }
    return targets;
}

}  // namespace steam::panels
