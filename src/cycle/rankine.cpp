#include "rankine.h"

#include "calc/phase.h"
#include "calc/state_solver.h"

#include <cmath>
#include <limits>
#include <vector>

namespace steam::cycle {
namespace {

using calc::Property;
using Form = calc::StateSolution::Form;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool positive(const std::optional<double>& p) { return !p || *p > 0; }
bool between(const std::optional<double>& p, double low, double high) { return !p || (*p > low && *p < high); }
bool efficiency(double eta) { return eta > 0 && eta <= 1; }

// The cycle as it is put together: states in order, the process of the leg leaving each, and
// whether that leg comes after the extraction (and so carries 1 - y).
class Builder {
public:
    Builder(const data::PropertyDatabase& db, RankineResult& result) : m_db(db), m_result(result) {}

    /// The state of a and b, recorded as the failure at `role` when the tables hold none.
    std::optional<StateValues> find(StateRole role, Property a, double va, Property b, double vb) {
        const calc::StateSolution s = calc::solveState(m_db, a, va, b, vb);
        if (!s.solved() || s.form == Form::NoState) {
            m_result.outcome = BuildOutcome::NoState;
            m_result.failedAt = role;
            m_result.messages = s.messages;
            return std::nullopt;
        }
        m_lastPhase = calc::phaseOf(s);
        StateValues values = s.values;
        if (s.form != Form::Mixture) values[static_cast<int>(Property::x)] = kNaN;
        return values;
    }

    /// A pump (compressing) or turbine stage from `from` to pressure p with efficiency eta.
    std::optional<StateValues> machine(StateRole role, const StateValues& from, double p, double eta, bool expanding) {
        const std::optional<StateValues> ideal = find(role, Property::p, p, Property::s, valueOf(from, Property::s));
        if (!ideal || eta == 1.0) return ideal;
        const double h1 = valueOf(from, Property::h), hIdeal = valueOf(*ideal, Property::h);
        const double h2 = expanding ? h1 - eta * (h1 - hIdeal) : h1 + (hIdeal - h1) / eta;
        return find(role, Property::p, p, Property::h, h2);
    }

    /// Whether the last state found is steam (or supercritical fluid); else records the failure.
    bool isSteam(StateRole role) {
        if (m_lastPhase == calc::Phase::Vapour || m_lastPhase == calc::Phase::Supercritical ||
            m_lastPhase == calc::Phase::SaturatedVapour)
            return true;
        m_result.outcome = BuildOutcome::NotSteam;
        m_result.failedAt = role;
        return false;
    }

    /// Appends a state, reached from the one before by `process`.
    void add(const StateValues& state, StateRole role, Process process) {
        if (!m_legs.empty()) m_legs.back().process = process;
        m_states.push_back(state);
        m_roles.push_back(role);
        m_legs.push_back({Process::Isobaric, 1.0, false});
        m_afterExtraction.push_back(m_extracted);
    }
    /// The leg leaving the last state added is heated inside the cycle.
    void markInternal() { m_legs.back().internal = true; }
    /// The legs from the last state added on carry 1 - y.
    void extractHere() {
        m_extracted = true;
        m_afterExtraction.back() = true;
    }

    Cycle finish(std::optional<double> y) {
        // The closing leg (the condenser) and the legs before the heater carry 1 - y too.
        Cycle cycle{std::move(m_states), std::move(m_legs), std::move(m_roles), y};
        if (y) {
            bool beforeHeater = true;
            for (size_t i = 0; i < cycle.legs.size(); ++i) {
                if (cycle.roles[i] == StateRole::HeaterExit) beforeHeater = false;
                if (m_afterExtraction[i] || beforeHeater) cycle.legs[i].massFraction = 1.0 - *y;
            }
        }
        return cycle;
    }

private:
    const data::PropertyDatabase& m_db;
    RankineResult& m_result;
    calc::Phase m_lastPhase = calc::Phase::None;
    std::vector<StateValues> m_states;
    std::vector<StateRole> m_roles;
    std::vector<Leg> m_legs;
    std::vector<bool> m_afterExtraction;
    bool m_extracted = false;
};

Process machineProcess(double eta) { return eta == 1.0 ? Process::Isentropic : Process::Adiabatic; }

// A stop of the expansion: the extraction, the reheater, or both at one pressure.
struct Stop {
    double p;
    bool extraction, reheat;
};

std::vector<Stop> expansionStops(const RankineInputs& in) {
    std::vector<Stop> stops;
    if (in.pHeater && in.pReheat && *in.pHeater == *in.pReheat) return {{*in.pHeater, true, true}};
    if (in.pHeater) stops.push_back({*in.pHeater, true, false});
    if (in.pReheat) stops.push_back({*in.pReheat, false, true});
    if (stops.size() == 2 && stops[1].p > stops[0].p) std::swap(stops[0], stops[1]);
    return stops;
}

}  // namespace

std::optional<InputFault> checkRankineInputs(const RankineInputs& in) {
    using V = RankineValue;
    using P = InputProblem;
    if (!in.pHigh) return InputFault{V::PHigh, P::Missing};
    if (!positive(in.pHigh)) return InputFault{V::PHigh, P::NotPositive};
    if (!in.pLow) return InputFault{V::PLow, P::Missing};
    if (!positive(in.pLow)) return InputFault{V::PLow, P::NotPositive};
    if (!(*in.pLow < *in.pHigh)) return InputFault{V::PLow, P::NotBelowHighPressure};
    if (!efficiency(in.etaTurbine)) return InputFault{V::EtaTurbine, P::EfficiencyOutOfRange};
    if (!efficiency(in.etaPump)) return InputFault{V::EtaPump, P::EfficiencyOutOfRange};
    if (in.pReheat && !in.tReheat) return InputFault{V::PReheat, P::NeedsReheatTemperature};
    if (!positive(in.pReheat)) return InputFault{V::PReheat, P::NotPositive};
    if (!between(in.pReheat, *in.pLow, *in.pHigh)) return InputFault{V::PReheat, P::NotBetweenPressures};
    if (in.tReheat && !in.pReheat) return InputFault{V::TReheat, P::NeedsReheatPressure};
    if (!positive(in.pHeater)) return InputFault{V::PHeater, P::NotPositive};
    if (!between(in.pHeater, *in.pLow, *in.pHigh)) return InputFault{V::PHeater, P::NotBetweenPressures};
    return std::nullopt;
}

RankineResult buildRankine(const data::PropertyDatabase& db, const RankineInputs& in) {
    RankineResult result;
    result.fault = checkRankineInputs(in);
    if (result.fault) return result;
    Builder b(db, result);
    const double pHigh = *in.pHigh, pLow = *in.pLow;
    const Process pump = machineProcess(in.etaPump), turbine = machineProcess(in.etaTurbine);

    // Condenser exit, pump, and with a heater the heater exit and the feed pump.
    const auto condensed = b.find(StateRole::CondenserExit, Property::p, pLow, Property::x, 0.0);
    if (!condensed) return result;
    b.add(*condensed, StateRole::CondenserExit, Process::Isobaric);
    const auto pumped = b.machine(StateRole::PumpExit, *condensed, in.pHeater.value_or(pHigh), in.etaPump, false);
    if (!pumped) return result;
    b.add(*pumped, StateRole::PumpExit, pump);
    std::optional<StateValues> heated;
    if (in.pHeater) {
        b.markInternal();
        heated = b.find(StateRole::HeaterExit, Property::p, *in.pHeater, Property::x, 0.0);
        if (!heated) return result;
        b.add(*heated, StateRole::HeaterExit, Process::Isobaric);
        const auto fed = b.machine(StateRole::FeedPumpExit, *heated, pHigh, in.etaPump, false);
        if (!fed) return result;
        b.add(*fed, StateRole::FeedPumpExit, pump);
    }

    // Boiler exit.
    const auto boiled = in.tHigh ? b.find(StateRole::BoilerExit, Property::t, *in.tHigh, Property::p, pHigh)
                                 : b.find(StateRole::BoilerExit, Property::p, pHigh, Property::x, 1.0);
    if (!boiled || !b.isSteam(StateRole::BoilerExit)) return result;
    b.add(*boiled, StateRole::BoilerExit, Process::Isobaric);

    // The expansion, stop by stop.
    StateValues steam = *boiled;
    std::optional<double> y;
    for (const Stop& stop : expansionStops(in)) {
        const StateRole role = stop.reheat ? StateRole::HighPressureExit : StateRole::Extraction;
        const auto expanded = b.machine(role, steam, stop.p, in.etaTurbine, true);
        if (!expanded) return result;
        b.add(*expanded, role, turbine);
        steam = *expanded;
        if (stop.extraction) {
            const double h2 = valueOf(*pumped, Property::h), h3 = valueOf(*heated, Property::h);
            y = (h3 - h2) / (valueOf(steam, Property::h) - h2);
            b.extractHere();
        }
        if (stop.reheat) {
            const auto reheated = b.find(StateRole::ReheaterExit, Property::t, *in.tReheat, Property::p, stop.p);
            if (!reheated || !b.isSteam(StateRole::ReheaterExit)) return result;
            b.add(*reheated, StateRole::ReheaterExit, Process::Isobaric);
            steam = *reheated;
        }
    }
    const auto exhausted = b.machine(StateRole::TurbineExit, steam, pLow, in.etaTurbine, true);
    if (!exhausted) return result;
    b.add(*exhausted, StateRole::TurbineExit, turbine);

    result.outcome = BuildOutcome::Built;
    result.cycle = b.finish(y);
    return result;
}

}  // namespace steam::cycle
