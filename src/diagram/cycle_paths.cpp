#include "cycle_paths.h"

#include "calc/state_solver.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace steam::diagram {
namespace {

using calc::Property;
using cycle::Process;
using cycle::StateValues;

// Even steps along a leg: enough for the isobars' bend in the liquid and the steam, a few
// milliseconds of lookups per leg.
constexpr int kSteps = 48;

struct Stepping {
    Property held, stepped;
    bool logarithmic;
};

std::optional<Stepping> steppingOf(Process process) {
    switch (process) {
        case Process::Isobaric: return Stepping{Property::p, Property::h, false};
        case Process::Isentropic: return Stepping{Property::s, Property::p, true};
        case Process::Throttle: return Stepping{Property::h, Property::p, true};
        case Process::Isothermal: return Stepping{Property::t, Property::s, false};
        case Process::Isochoric: return Stepping{Property::v, Property::t, false};
        case Process::Adiabatic:
        case Process::Line: return std::nullopt;
    }
    return std::nullopt;
}

// The state of two properties, asked in the panel's box order; none where the tables hold none.
std::optional<StateValues> solve(const data::PropertyDatabase& db, Property a, double va, Property b, double vb) {
    if (static_cast<int>(b) < static_cast<int>(a)) {
        std::swap(a, b);
        std::swap(va, vb);
    }
    const calc::StateSolution s = calc::solveState(db, a, va, b, vb);
    if (!s.solved() || s.form == calc::StateSolution::Form::NoState) return std::nullopt;
    return s.values;
}

// Where along the leg the stepped property takes the saturated water's and steam's value of
// the held one (an isobar or isotherm crossing the dome), as fractions strictly inside it.
std::vector<double> saturationCrossings(const data::PropertyDatabase& db, const Stepping& step, double held,
                                        double from, double to) {
    std::vector<double> crossings;
    for (double x : {0.0, 1.0}) {
        const std::optional<StateValues> edge = solve(db, step.held, held, Property::x, x);
        if (!edge || from == to) continue;
        const double f = ((*edge)[static_cast<int>(step.stepped)] - from) / (to - from);
        if (f > 0 && f < 1) crossings.push_back(f);
    }
    return crossings;
}

}  // namespace

CyclePath legPath(const data::PropertyDatabase& db, const StateValues& from, const StateValues& to, Process process) {
    CyclePath path{{from}, process == Process::Adiabatic};
    const std::optional<Stepping> step = steppingOf(process);
    const double heldFrom = step ? cycle::valueOf(from, step->held) : 0,
                 heldTo = step ? cycle::valueOf(to, step->held) : 0;
    const double a = step ? cycle::valueOf(from, step->stepped) : 0, b = step ? cycle::valueOf(to, step->stepped) : 0;
    if (!step || (step->logarithmic && !(a > 0 && b > 0))) {
        path.points.push_back(to);
        return path;
    }
    std::vector<double> fractions;
    for (int i = 1; i < kSteps; ++i) fractions.push_back(static_cast<double>(i) / kSteps);
    if (process == Process::Isobaric || process == Process::Isothermal) {
        const std::vector<double> crossings = saturationCrossings(db, *step, (heldFrom + heldTo) / 2, a, b);
        fractions.insert(fractions.end(), crossings.begin(), crossings.end());
        std::sort(fractions.begin(), fractions.end());
    }
    for (double f : fractions) {
        const double held = heldFrom + f * (heldTo - heldFrom);
        const double stepped = step->logarithmic ? a * std::pow(b / a, f) : a + f * (b - a);
        if (const std::optional<StateValues> point = solve(db, step->held, held, step->stepped, stepped))
            path.points.push_back(*point);
    }
    path.points.push_back(to);
    return path;
}

CycleDrawing cycleDrawing(const data::PropertyDatabase& db, const cycle::Cycle& cycle) {
    CycleDrawing drawing{cycle.states, {}};
    for (int i = 0; i < cycle.size(); ++i)
        drawing.legs.push_back(legPath(db, cycle.states[static_cast<size_t>(i)], cycle.legEnd(i),
                                       cycle.legs[static_cast<size_t>(i)].process));
    return drawing;
}

}  // namespace steam::diagram
