#include "leg_rules.h"

#include "calc/state_solver.h"

#include <cmath>
#include <limits>

namespace steam::cycle {
namespace {

using calc::Property;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kKelvin = 273.15;

// How far apart two values of a held property may lie and still count as kept: a few units of
// the last decimal the boxes show (a state typed from a textbook table carries that rounding).
bool close(Property p, double a, double b) {
    switch (p) {
        case Property::t: return std::abs(a - b) <= 0.05;
        case Property::p:
        case Property::v: return std::abs(a - b) <= 1e-3 * std::max(std::abs(a), std::abs(b)) + 1e-9;
        case Property::h: return std::abs(a - b) <= 0.1;
        case Property::s: return std::abs(a - b) <= 5e-4;
        default: return a == b;
    }
}

}  // namespace

std::optional<Property> heldProperty(Process process) {
    switch (process) {
        case Process::Isobaric: return Property::p;
        case Process::Isentropic: return Property::s;
        case Process::Throttle: return Property::h;
        case Process::Isothermal: return Property::t;
        case Process::Isochoric: return Property::v;
        case Process::Adiabatic:
        case Process::Line: return std::nullopt;
    }
    return std::nullopt;
}

bool endsKeepProcess(const StateValues& from, const StateValues& to, Process process) {
    if (process == Process::Adiabatic) return valueOf(to, Property::s) >= valueOf(from, Property::s) - 5e-4;
    const std::optional<Property> held = heldProperty(process);
    return !held || close(*held, valueOf(from, *held), valueOf(to, *held));
}

bool LegFigures::determined() const { return std::isfinite(q) && std::isfinite(w); }

LegFigures workLeg(const data::PropertyDatabase& db, const StateValues& from, const StateValues& to, Process process) {
    const double h1 = valueOf(from, Property::h), h2 = valueOf(to, Property::h);
    const double dh = h2 - h1;
    LegFigures leg{kNaN, kNaN, std::nullopt, endsKeepProcess(from, to, process)};
    switch (process) {
        case Process::Isobaric:
        case Process::Throttle:
            leg.w = 0.0;
            leg.q = dh;
            break;
        case Process::Isentropic:
            leg.q = 0.0;
            leg.w = -dh;
            break;
        case Process::Adiabatic: {
            leg.q = 0.0;
            leg.w = -dh;
            const calc::StateSolution ideal =
                calc::solveState(db, Property::p, valueOf(to, Property::p), Property::s, valueOf(from, Property::s));
            const double dhIdeal = ideal[Property::h] - h1;
            if (ideal.solved() && ideal.form != calc::StateSolution::Form::NoState && dh != 0.0 && dhIdeal != 0.0)
                leg.isentropicEfficiency = dh < 0 ? dh / dhIdeal : dhIdeal / dh;
            break;
        }
        case Process::Isothermal: {
            const double T = (valueOf(from, Property::t) + valueOf(to, Property::t)) / 2 + kKelvin;
            leg.q = T * (valueOf(to, Property::s) - valueOf(from, Property::s));
            leg.w = leg.q - dh;
            break;
        }
        case Process::Isochoric: {
            const double v = (valueOf(from, Property::v) + valueOf(to, Property::v)) / 2;
            leg.w = -1000.0 * v * (valueOf(to, Property::p) - valueOf(from, Property::p));
            leg.q = dh + leg.w;
            break;
        }
        case Process::Line: break;
    }
    return leg;
}

}  // namespace steam::cycle
