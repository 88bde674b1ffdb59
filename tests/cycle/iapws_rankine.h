// The Rankine cycle worked from IAPWS-95 directly (saturation and flash functions), without the
// tables: the independent working the builder's figures are judged against.
#pragma once

#include "iapws/iapws95.h"

#include <optional>
#include <vector>

namespace steam::cycle::test {

struct ReferenceInputs {
    double pHigh;
    std::optional<double> tHigh;
    double pLow;
    double etaTurbine = 1.0, etaPump = 1.0;
    std::optional<double> pReheat{}, tReheat{}, pHeater{};
};

struct ReferenceFigures {
    double heatIn, heatOut, netWork, efficiency;
    std::optional<double> y{};
};

/// h and s (kJ/kg, kJ/(kg K)) at p with the given s or h: a mixture inside the dome.
struct Point {
    double h, s;
};

inline Point fromPS(double p, double s) {
    if (p < iapws95::pc) {
        const iapws95::Saturation sat = iapws95::saturationP(p);
        if (s >= sat.liquid.s && s <= sat.vapour.s) {
            const double x = (s - sat.liquid.s) / (sat.vapour.s - sat.liquid.s);
            return {sat.liquid.h + x * (sat.vapour.h - sat.liquid.h), s};
        }
    }
    const iapws95::State st = iapws95::statePS(p, s);
    return {st.h, st.s};
}

inline Point fromPH(double p, double h) {
    if (p < iapws95::pc) {
        const iapws95::Saturation sat = iapws95::saturationP(p);
        if (h >= sat.liquid.h && h <= sat.vapour.h) {
            const double x = (h - sat.liquid.h) / (sat.vapour.h - sat.liquid.h);
            return {h, sat.liquid.s + x * (sat.vapour.s - sat.liquid.s)};
        }
    }
    const iapws95::State st = iapws95::statePH(p, h);
    return {st.h, st.s};
}

inline Point steam(double tCelsius, double p) {
    const iapws95::State st = iapws95::stateTP(tCelsius + 273.15, p, iapws95::Branch::Vapour);
    return {st.h, st.s};
}

inline Point saturatedWater(double p) {
    const iapws95::Saturation sat = iapws95::saturationP(p);
    return {sat.liquid.h, sat.liquid.s};
}

/// A machine from `from` to p: ideal end by s, then the efficiency.
inline Point machine(const Point& from, double p, double eta, bool expanding) {
    const Point ideal = fromPS(p, from.s);
    const double h = expanding ? from.h - eta * (from.h - ideal.h) : from.h + (ideal.h - from.h) / eta;
    return fromPH(p, h);
}

inline ReferenceFigures referenceRankine(const ReferenceInputs& in) {
    const Point condensed = saturatedWater(in.pLow);
    const Point pumped = machine(condensed, in.pHeater.value_or(in.pHigh), in.etaPump, false);
    Point feed = pumped;
    double pumpWork = pumped.h - condensed.h;  // per kg through the pump; weighted below
    std::optional<Point> heated;
    if (in.pHeater) {
        heated = saturatedWater(*in.pHeater);
        feed = machine(*heated, in.pHigh, in.etaPump, false);
    }
    Point inlet = in.tHigh ? steam(*in.tHigh, in.pHigh)
                           : Point{iapws95::saturationP(in.pHigh).vapour.h, iapws95::saturationP(in.pHigh).vapour.s};
    double heatIn = inlet.h - feed.h;
    double turbineWork = 0;
    double mass = 1.0;  // through the stage now expanding
    std::optional<double> y;
    // The stops, highest pressure first.
    std::vector<double> stops;
    if (in.pHeater) stops.push_back(*in.pHeater);
    if (in.pReheat && (!in.pHeater || *in.pReheat != *in.pHeater)) stops.push_back(*in.pReheat);
    if (stops.size() == 2 && stops[1] > stops[0]) std::swap(stops[0], stops[1]);
    for (double p : stops) {
        const Point out = machine(inlet, p, in.etaTurbine, true);
        turbineWork += mass * (inlet.h - out.h);
        inlet = out;
        if (in.pHeater && p == *in.pHeater) {
            y = (heated->h - pumped.h) / (out.h - pumped.h);
            mass = 1.0 - *y;
        }
        if (in.pReheat && p == *in.pReheat) {
            const Point reheated = steam(*in.tReheat, p);
            heatIn += mass * (reheated.h - out.h);
            inlet = reheated;
        }
    }
    const Point exhaust = machine(inlet, in.pLow, in.etaTurbine, true);
    turbineWork += mass * (inlet.h - exhaust.h);
    const double heatOut = mass * (exhaust.h - condensed.h);
    double pumpsWork = mass * pumpWork;
    if (in.pHeater) pumpsWork += feed.h - heated->h;
    const double net = turbineWork - pumpsWork;
    return {heatIn, heatOut, net, net / heatIn, y};
}

}  // namespace steam::cycle::test
