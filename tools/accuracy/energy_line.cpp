#include "energy_line.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace accuracy {
namespace {

using iapws95::Branch;

constexpr double kLowestP = 0.00058, kHighestP = 120.0, kHighestT = 1273.15;
constexpr int kPoints = 160;  // of the first pass, log-spaced over the grids' pressures

// A place of the line: the state at p with the known u, and p v there (kJ/kg).
struct Sample {
    bool valid = false;
    double p = 0.0, g = 0.0, T = 0.0;
    bool wet = false;
    double x = 0.0;
    Branch branch = Branch::Liquid;
};

// The pressures of the first pass, with the saturation at those below the critical pressure.
struct PassPoint {
    double p;
    std::optional<iapws95::Saturation> saturation;
};

std::optional<iapws95::Saturation> saturationAt(double p) {
    if (p < iapws95::triplePointPressure() || p >= iapws95::pc) return std::nullopt;
    return iapws95::saturationP(p);
}

// The saturation line every 0.1 K (and at its ends): where a line of u crosses the dome near
// the triple point, its wet stretch spans less than a step of the pressures above.
const std::vector<iapws95::Saturation>& saturationLine() {
    static const std::vector<iapws95::Saturation> line = [] {
        std::vector<iapws95::Saturation> out;
        for (double T = iapws95::Tt; T < iapws95::Tc; T += 0.1) out.push_back(iapws95::saturationT(T));
        out.push_back(iapws95::saturationT(iapws95::Tc));
        return out;
    }();
    return line;
}

const std::vector<PassPoint>& passPoints() {
    static const std::vector<PassPoint> points = [] {
        std::vector<PassPoint> out;
        for (int i = 0; i <= kPoints; ++i) {
            const double p = kLowestP * std::pow(kHighestP / kLowestP, double(i) / kPoints);
            out.push_back({p, saturationAt(p)});
        }
        return out;
    }();
    return points;
}

// T in [lo, hi] on the branch where u(T, p) = u, by regula falsi (Illinois); false when u lies
// outside u(lo) .. u(hi).
bool temperatureWithEnergy(double p, double u, Branch branch, double lo, double hi, double& T) {
    const auto f = [&](double t) { return iapws95::stateTP(t, p, branch).u - u; };
    double flo = f(lo), fhi = f(hi);
    if (flo > 0.0 || fhi < 0.0) return false;
    int moved = 0;
    for (int i = 0; i < 100 && hi - lo > 1e-10; ++i) {
        double m = lo + flo / (flo - fhi) * (hi - lo);
        if (!(m > lo && m < hi)) m = 0.5 * (lo + hi);
        const double fm = f(m);
        if (fm == 0.0) {
            lo = hi = m;
            break;
        }
        if (fm < 0.0) {
            lo = m;
            flo = fm;
            if (moved == -1) fhi /= 2;
            moved = -1;
        } else {
            hi = m;
            fhi = fm;
            if (moved == 1) flo /= 2;
            moved = 1;
        }
    }
    T = 0.5 * (lo + hi);
    return true;
}

// The wet state of the saturation `saturation` with internal energy u, when there is one.
bool wetSample(const iapws95::Saturation& saturation, double u, Sample& s) {
    const iapws95::State& liquid = saturation.liquid;
    const iapws95::State& vapour = saturation.vapour;
    if (!(u >= liquid.u && u <= vapour.u)) return false;
    s.valid = s.wet = true;
    s.p = saturation.p;
    s.T = saturation.T;
    s.x = vapour.u > liquid.u ? (u - liquid.u) / (vapour.u - liquid.u) : 0.0;
    s.g = 1000.0 * s.p * (liquid.v + s.x * (vapour.v - liquid.v));
    return true;
}

Sample sampleAt(double p, const std::optional<iapws95::Saturation>& saturation, double u) {
    Sample s;
    s.p = p;
    double lo = iapws95::Tt, hi = kHighestT;
    if (saturation) {
        if (wetSample(*saturation, u, s)) return s;
        const iapws95::State& liquid = saturation->liquid;
        s.branch = u < liquid.u ? Branch::Liquid : Branch::Vapour;
        (s.branch == Branch::Liquid ? hi : lo) = saturation->T;
    } else {
        s.branch = p < iapws95::pc ? Branch::Vapour : Branch::Liquid;
    }
    try {
        if (!temperatureWithEnergy(p, u, s.branch, lo, hi, s.T)) return s;
        s.g = 1000.0 * p * iapws95::stateTP(s.T, p, s.branch).v;
        s.valid = true;
    } catch (const iapws95::SolveError&) {}
    return s;
}

EnergyLineState stateOf(const Sample& s) {
    EnergyLineState state;
    state.wet = s.wet;
    state.branch = s.branch;
    state.values = s.wet ? wetPropertiesAt(s.T - kKelvin, s.x) : propertiesAt(s.T - kKelvin, s.p, s.branch);
    return state;
}

}  // namespace

EnergyLineScan scanEnergyLine(double u, double difference, double upTo, double tolerance) {
    EnergyLineScan scan;
    // Single-phase places at the pressures of the first pass, wet ones along the saturation line.
    std::vector<Sample> samples;
    for (const PassPoint& point : passPoints()) {
        if (point.p >= upTo) break;
        const Sample s = sampleAt(point.p, point.saturation, u);
        if (!s.wet) samples.push_back(s);
    }
    for (const iapws95::Saturation& saturation : saturationLine()) {
        Sample s;
        if (saturation.p < upTo && wetSample(saturation, u, s)) samples.push_back(s);
    }
    samples.push_back(sampleAt(upTo, saturationAt(upTo), u));
    std::stable_sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.p < b.p; });
    const auto above = [difference](const Sample& s) { return s.g > difference; };
    for (size_t i = 1; i < samples.size() && !scan.first; ++i) {
        if (!samples[i - 1].valid || !samples[i].valid || above(samples[i - 1]) == above(samples[i])) continue;
        // Between the two: bisection in ln p.
        Sample lo = samples[i - 1], hi = samples[i];
        for (int k = 0; k < 60; ++k) {
            const double p = std::sqrt(lo.p * hi.p);
            const Sample mid = sampleAt(p, saturationAt(p), u);
            if (!mid.valid) break;
            (above(mid) == above(lo) ? lo : hi) = mid;
        }
        scan.first = stateOf(std::fabs(lo.g - difference) < std::fabs(hi.g - difference) ? lo : hi);
    }
    for (size_t i = 1; i + 1 < samples.size(); ++i) {
        const Sample &a = samples[i - 1], &b = samples[i], &c = samples[i + 1];
        if (!a.valid || !b.valid || !c.valid) continue;
        const bool turns = (b.g - a.g) * (c.g - b.g) <= 0.0;
        if (turns && std::fabs(b.g - difference) <= tolerance) scan.turnsNear = true;
    }
    return scan;
}

std::optional<EnergyLineState> energyLineStateAt(double u, double p, double difference, double tolerance) {
    const Sample s = sampleAt(p, saturationAt(p), u);
    if (!s.valid || !(std::fabs(s.g - difference) <= tolerance)) return std::nullopt;
    return stateOf(s);
}

Properties allowedForEnergyPair(const EnergyLineState& state) {
    const Properties& x = state.values;
    return state.wet ? wetAllowedErrors(x[kT], x[kX], kH, kU)
                     : allowedErrorsWithoutTP(x[kT], x[kP], state.branch, kH, kU);
}

}  // namespace accuracy
