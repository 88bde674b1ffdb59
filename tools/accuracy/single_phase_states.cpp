#include "single_phase_states.h"

#include "calc/thermal_properties.h"
#include "conditioning.h"
#include "data/property_database.h"
#include "energy_line.h"
#include "numeric/number_text.h"
#include "numeric/rounding.h"
#include "panels/property_texts.h"
#include "panels/state_panel.h"
#include "property_errors.h"
#include "report_table.h"

#include "iapws/iapws95.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace accuracy {
namespace {

using namespace steam;
using iapws95::Branch;
constexpr double kTc = 373.946;
// The extent of the generated grids, where a pair may name a second state; t ends where
// IAPWS-95's range ends (1273.15 K), and the states drawn reach it.
constexpr double kLowestP = 0.00058, kHighestP = 120.0, kLowestT = 0.01, kHighestT = 1000.0;

struct Truth {
    Properties values;  // t p v h s u and the properties beyond them
    Branch branch;
    bool band = false;
    double offSaturation = 1e9;  // K from the saturation temperature at p (below the critical point)
};

// Every pair that names a single-phase state.
const int kPairs[] = {calc::PairTP, calc::PairTV, calc::PairTH, calc::PairTS, calc::PairPV,
                      calc::PairPH, calc::PairPS, calc::PairVH, calc::PairVS, calc::PairHS,
                      calc::PairTU, calc::PairPU, calc::PairVU, calc::PairHU, calc::PairSU};
// The outputs judged: the boxes but x.
const std::vector<int> kJudged{kT, kP, kV, kH, kS, kU};

int firstOf(int pair) { return boxesOf(pair).first; }
int secondOf(int pair) { return boxesOf(pair).second; }
bool withTP(int pair) { return calc::withTemperatureOrPressure(pair); }

double saturationPressure(double t) {
    return iapws95::saturationT(std::clamp(t + kKelvin, iapws95::Tt, iapws95::Tc)).p;
}

// What the region rule says for a pair, applied to the saturation values rounded as the boxes
// show them: true when the second value lies between its saturated-water and saturated-steam
// values at the known t or p, so that the pair also names a wet state and the calculator
// rightly answers with it.
bool ruleSaysWet(int pair, const Truth& st) {
    const int first = firstOf(pair);
    const double key = st.values[first];
    if (pair == calc::PairTP || (first == kT && key > 373.95) || (first == kP && key > iapws95::pc)) return false;
    if (first == kP && key < iapws95::triplePointPressure()) return false;
    const iapws95::Saturation sat = first == kT
                                        ? iapws95::saturationT(std::clamp(key + kKelvin, iapws95::Tt, iapws95::Tc))
                                        : iapws95::saturationP(key);
    const int which = secondOf(pair);
    const double z = st.values[which];
    const auto pick = [which](const iapws95::State& phase) {
        return which == kV ? phase.v : which == kH ? phase.h : which == kU ? phase.u : phase.s;
    };
    const int decimals = which == kV ? 8 : which == kS ? 4 : 2;  // of v' (v'' shows 5), h', s', u'
    return z >= numeric::sswr(pick(sat.liquid), decimals) &&
           z <= numeric::sswr(pick(sat.vapour), which == kV ? 5 : decimals);
}

// Where a pair can name two states of the truth's phase: h along a hot compressed-water
// isotherm has a minimum, s and u along a cold one a maximum (below 4 C), and v along a cold
// isobar a minimum. There the calculator answers the first state in ascending p (along an
// isotherm) or t (along an isobar). Scanning the stretch of the line that belongs to the
// truth's phase, within the grids' extent, gives that first state and the value of z at the
// turn.
struct LineScan {
    std::optional<Properties> first;  // the first state the pair names
    std::optional<double> turn;       // z at the line's turn, where the line turns
};

LineScan scanLine(int pair, const Truth& st) {
    LineScan scan;
    const Properties& x = st.values;
    const bool liquid = st.branch == Branch::Liquid;
    const bool candidate = liquid && ((pair == calc::PairTH && x[kT] > 150 && x[kT] < kTc) ||
                                      ((pair == calc::PairTS || pair == calc::PairTU) && x[kT] < 30) ||
                                      (pair == calc::PairPV && x[kT] < 30 && x[kP] < 100));
    if (!candidate) return scan;
    const int second = secondOf(pair);
    const bool alongP = firstOf(pair) == kT;
    double lo, hi;
    if (alongP) {
        lo = saturationPressure(x[kT]);
        hi = kHighestP;
    } else {
        lo = kLowestT;
        hi = x[kP] < iapws95::pc ? iapws95::saturationP(std::max(x[kP], iapws95::triplePointPressure())).T - kKelvin
                                 : kHighestT;
    }
    auto valueAt = [&](double u) {
        return alongP ? boxValuesAt(x[kT], u, Branch::Liquid) : boxValuesAt(u, x[kP], Branch::Liquid);
    };
    auto placeOf = [&](int i, int n) {
        return alongP ? lo * std::pow(hi / lo, double(i) / n) : lo + (hi - lo) * i / n;
    };
    const int n = 400;
    std::vector<double> z(n + 1);
    for (int i = 0; i <= n; ++i) z[i] = valueAt(placeOf(i, n))[second];
    for (int i = 1; i <= n && !scan.first; ++i) {
        const double dPrevious = z[i - 1] - x[second];
        const double d = z[i] - x[second];
        if ((d < 0) == (dPrevious < 0) && d != 0) continue;
        double a = placeOf(i - 1, n), b = placeOf(i, n), da = dPrevious;
        for (int k = 0; k < 100; ++k) {
            const double m = 0.5 * (a + b);
            const double dm = valueAt(m)[second] - x[second];
            if ((dm < 0) == (da < 0)) {
                a = m;
                da = dm;
            } else {
                b = m;
            }
        }
        scan.first = valueAt(0.5 * (a + b));
    }
    // The turn: an interior sample beyond both of its neighbours, refined by golden section.
    for (int i = 1; i < n; ++i) {
        const bool lowest = z[i] <= z[i - 1] && z[i] <= z[i + 1];
        const bool highest = z[i] >= z[i - 1] && z[i] >= z[i + 1];
        if (!lowest && !highest) continue;
        double a = placeOf(i - 1, n), b = placeOf(i + 1, n);
        const double g = 0.5 * (std::sqrt(5.0) - 1.0);
        for (int k = 0; k < 100; ++k) {
            const double c = b - g * (b - a), d = a + g * (b - a);
            const bool keepLeft = (valueAt(c)[second] < valueAt(d)[second]) == lowest;
            (keepLeft ? b : a) = keepLeft ? d : c;
        }
        scan.turn = valueAt(0.5 * (a + b))[second];
        break;
    }
    return scan;
}

// The ends of the stretch of the line of the first known value (an isotherm or an isobar)
// that belongs to the state's phase, within the grids' extent.
std::pair<double, double> stretchOf(int pair, const Truth& st) {
    const bool alongP = firstOf(pair) == kT;
    const Properties& x = st.values;
    const bool liquid = st.branch == Branch::Liquid;
    if (alongP) {
        if (x[kT] >= kTc) return {pair == calc::PairTV && liquid ? iapws95::pc : kLowestP, kHighestP};
        const double ps = saturationPressure(x[kT]);
        return liquid ? std::pair{ps, kHighestP} : std::pair{kLowestP, ps};
    }
    if (x[kP] >= iapws95::pc) return {kLowestT, kHighestT};
    const double ts = iapws95::saturationP(std::max(x[kP], iapws95::triplePointPressure())).T - kKelvin;
    return liquid ? std::pair{kLowestT, ts} : std::pair{ts, kHighestT};
}

// True when the second value lies within its target of its value at an end of the state's
// stretch, or at the line's turn: the pair then hardly tells the state from one beyond the
// tables, across the saturation line or on the other side of the turn (t and s of cold water,
// for example, leave p undetermined by hundreds of MPa).
bool barelyDetermined(int pair, const Truth& st, const LineScan& scan) {
    const int second = secondOf(pair);
    const bool alongP = firstOf(pair) == kT;
    const double target = targets(st.values)[second];
    if (scan.turn && std::fabs(*scan.turn - st.values[second]) <= target) return true;
    const auto [from, to] = stretchOf(pair, st);
    for (double end : {from, to}) {
        try {
            const Properties there =
                alongP ? boxValuesAt(st.values[kT], end, st.branch) : boxValuesAt(end, st.values[kP], st.branch);
            if (std::fabs(there[second] - st.values[second]) <= target) return true;
        } catch (const iapws95::SolveError&) {}
    }
    return false;
}

// True when a state named by two of v, h, s and u lies within its allowed error in t of the
// grids' first or last isotherm: the tables' own error may then put the state the pair names
// on their surface just beyond it, where the formulation's range ends.
bool besideLastIsotherm(int pair, const Truth& st) {
    const double allowed =
        allowedErrorsWithoutTP(st.values[kT], st.values[kP], st.branch, firstOf(pair), secondOf(pair))[kT];
    return st.values[kT] - kLowestT <= allowed || kHighestT - st.values[kT] <= allowed;
}

// True when the values shown with t and p belong to one state of water: IAPWS-95 at the shown t
// and p, on the side of the table that answered, gives v, h, s and u within what the targets of
// all of them allow (allowedAtShownState). An answer that mixes the rows of two states fails
// it however little the pair determines the state.
bool namesOneState(const panels::StateOutcome& out) {
    if (out.region != calc::RegionWater && out.region != calc::RegionVapor) return true;
    const double t = out.result[kT], p = out.result[kP];
    const Branch branch = out.region == calc::RegionWater ? Branch::Liquid : Branch::Vapour;
    try {
        const Properties there = boxValuesAt(t, p, branch);
        const Properties allowed = allowedAtShownState(t, p, branch);
        for (int k : {kV, kH, kS, kU})
            if (!(std::fabs(out.result[k] - there[k]) <= allowed[k])) return false;
    } catch (const iapws95::SolveError&) {
        return false;
    }
    return true;
}

// The states of the line of the truth's u below its p where h - u takes the truth's value.
EnergyLineScan energyLine(const Truth& st) {
    const Properties target = targets(st.values);
    return scanEnergyLine(st.values[kU], st.values[kH] - st.values[kU], st.values[kP] * (1 - 1e-4),
                          target[kH] + target[kU]);
}

// Whether every judged output of the answer lies within its allowance of `expected`.
bool withinAllowance(const panels::StateOutcome& out, const Properties& expected, const Properties& allowed) {
    for (int k : kJudged)
        if (!(std::fabs(out.result[k] - expected[k]) <= allowed[k])) return false;
    return true;
}

int g_showFailures = 0;
int g_shown = 0;

void show(const char* what, int pair, const Truth& st, const panels::StateOutcome& out) {
    if (g_shown++ >= g_showFailures) return;
    const Properties& x = st.values;
    std::printf("  %s %s t=%.17g p=%.17g v=%.17g h=%.17g s=%.17g u=%.17g region %d Choose %d%s:", what,
                pairName(pair).c_str(), x[kT], x[kP], x[kV], x[kH], x[kS], x[kU], out.region, out.Choose,
                out.messages.empty() ? "" : " (message)");
    for (const std::string& text : out.panel.text) std::printf(" %s", text.c_str());
    if (out.solution) {
        std::printf(" |");
        for (const std::string& text : panels::thermalTexts(calc::thermalPropertiesOf(*out.solution)))
            std::printf(" %s", text.c_str());
        std::printf(" | formulations:");
        for (int k = kFirstThermal; k < kOutputs; ++k) std::printf(" %.6g", x[k]);
    }
    std::printf("\n");
}

void measure(const data::PropertyDatabase& db, const Truth& st, Buckets& buckets, PropertyErrors& properties) {
    for (int pair : kPairs) {
        const int first = firstOf(pair);
        const int second = secondOf(pair);
        const panels::StateOutcome out = panels::SCAL2_Click(
            db, typedPanel(pair, numeric::shortestText(st.values[first]), numeric::shortestText(st.values[second])));
        Bucket& b = buckets[bucketKey(pair, st.band)];
        ++b.tried;
        if (withTP(pair) && ruleSaysWet(pair, st)) {
            ++b.wet;
            continue;
        }
        Properties expected = st.values;
        const LineScan scan = withTP(pair) ? scanLine(pair, st) : LineScan{};
        // (h, u) names several states over much of the chart: the first in ascending p is
        // answered, which may be wet.
        const EnergyLineScan line = pair == calc::PairHU ? energyLine(st) : EnergyLineScan{};
        if (line.first) {
            ++b.twice;
            expected = line.first->values;
        }
        if (const auto& named = scan.first) {
            const int other = first == kT ? kP : kT;
            if (std::fabs(named->at(other) - st.values[other]) > 1e-6 * std::max(1.0, std::fabs(st.values[other]))) {
                ++b.twice;
                expected = propertiesAt((*named)[kT], (*named)[kP], st.branch);
            }
        }
        // A pair with t or p decides the phase at its t or p; one without may land in the wet
        // region right at the dome's edge, and is judged by its values.
        const bool answered =
            out.answered && (!withTP(pair) || out.region == calc::RegionWater || out.region == calc::RegionVapor);
        if (!answered) {
            // Within 0.5 K of saturation in the band the metastable region closes in; there a
            // refusal is allowed.
            if ((st.band && st.offSaturation < 0.5) || (withTP(pair) && barelyDetermined(pair, st, scan)) ||
                (!withTP(pair) && besideLastIsotherm(pair, st)) || line.turnsNear) {
                ++b.excused;
            } else {
                ++b.refused;
                show("refused", pair, st, out);
            }
            continue;
        }
        std::optional<EnergyLineState> lineState = line.first;
        Properties allowed = lineState ? allowedForEnergyPair(*lineState)
                             : withTP(pair)
                                 ? allowedErrors(expected[kT], expected[kP], st.branch, first, second)
                                 : allowedErrorsWithoutTP(expected[kT], expected[kP], st.branch, first, second);
        if (pair == calc::PairHU && !withinAllowance(out, expected, allowed)) {
            // Where p v hardly changes along the line of u, a state whose h - u misses the typed
            // value by no more than the targets of h and u is one the pair names too.
            const Properties target = targets(st.values);
            if (const auto near = energyLineStateAt(st.values[kU], out.result[kP], st.values[kH] - st.values[kU],
                                                    target[kH] + target[kU])) {
                const Properties nearAllowed = allowedForEnergyPair(*near);
                if (withinAllowance(out, near->values, nearAllowed)) {
                    ++b.near;
                    lineState = near;
                    expected = near->values;
                    allowed = nearAllowed;
                }
            }
        }
        bool missed = false;
        for (int k : kJudged) {
            const double e = std::fabs(out.result[k] - expected[k]);
            b.error[k].add(k == kP || k == kV ? e / expected[k] : e);
            b.ratio[k].add(e / allowed[k]);
            missed = missed || !(e <= allowed[k]);
        }
        if (missed) {
            ++b.missed;
            show("missed", pair, st, out);
        }
        if (!namesOneState(out)) {
            ++b.mixed;
            show("mixed", pair, st, out);
        }
        // The properties beyond the boxes, as shown for the answer, against the formulations (a
        // wet state has none).
        if (lineState && lineState->wet) continue;
        const bool beyondRange =
            beyondTransportRange(expected[kT], expected[kP]) || beyondTransportRange(out.result[kT], out.result[kP]);
        const Branch branch = lineState ? lineState->branch : st.branch;
        if (properties.judge(regionOf(expected, branch), expected,
                             shownProperties(calc::thermalPropertiesOf(*out.solution)), allowed, beyondRange)) {
            ++b.properties;
            show("properties", pair, st, out);
        }
    }
}

// A stable single-phase state at t, p, or none within 0.05 K of saturation.
std::optional<Truth> stableState(double t, double p, bool band) {
    Truth st;
    st.band = band;
    st.branch = Branch::Liquid;
    if (t < kTc && p < iapws95::pc) {
        if (p < iapws95::triplePointPressure()) {
            st.branch = Branch::Vapour;
        } else {
            const double tsat = iapws95::saturationP(p).T - kKelvin;
            st.offSaturation = std::fabs(t - tsat);
            if (st.offSaturation < 0.05) return std::nullopt;
            if (t > tsat) st.branch = Branch::Vapour;
        }
    }
    st.values = propertiesAt(t, p, st.branch);
    return st;
}

}  // namespace

void runSinglePhaseStates(const data::PropertyDatabase& db, int count, int bandCount, unsigned seed, int showFailures,
                          MarkdownTables& markdown) {
    g_showFailures = showFailures;
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> tDist(kLowestT, kHighestT), lpDist(-3.0, 2.0);
    std::uniform_real_distribution<double> tBand(360.0, 390.0), pBand(18.0, 26.0);
    Buckets buckets;
    PropertyErrors properties;
    for (int drawn = 0; drawn < count;) {
        const double t = tDist(rng), p = std::pow(10.0, lpDist(rng));
        if (inCriticalBand(t, p)) continue;
        if (const auto st = stableState(t, p, false)) {
            ++drawn;
            measure(db, *st, buckets, properties);
        }
    }
    for (int drawn = 0; drawn < bandCount;) {
        if (const auto st = stableState(tBand(rng), pBand(rng), true)) {
            ++drawn;
            measure(db, *st, buckets, properties);
        }
    }
    std::printf(
        "State calculation: %d random stable states outside the band 360-390 C / 18-26 MPa (t 0.01-1000 C, "
        "log p 0.001-100 MPa) and %d inside it, all more than 0.05 K off saturation; each known pair typed "
        "as text.\n",
        count, bandCount);
    std::printf(
        "wet: the pair also names a wet state, which the region rule answers. twice: the pair names two states "
        "of the phase, or (h,u) another state at a lower p (on the line of its u, where p v falls and rises again); "
        "measured against the first in ascending p (isotherm, line of u) or t (isobar). refused: a message "
        "or, for a pair with t or p, no single-phase result (excused: in the band within 0.5 K of saturation, or "
        "the second value lies within its target of its value at an end of the state's stretch of the line, so "
        "that the pair barely tells the state from one beyond, or for (h,u) p v turns within the targets of h "
        "and u of its value; or, for two of v, h, s and u, the state lies "
        "within its allowed t error of the grids' first or last isotherm, 0.01 or 1000 C). near: (h,u) answered "
        "with a state of the line of its u whose h - u misses the typed value by no more than the targets of h "
        "and u (along much of the line p v hardly changes), judged against it. missed: some output "
        "beyond its allowed error (pairs of v, h, s and u: both known values carry the tables' error). mixed: "
        "v, h, s or u shown further from IAPWS-95 at the shown t and p than the targets of all of them allow: "
        "the values name no one state of water. props: some property beyond the boxes (cp, cv, w, mu, lambda, nu, "
        "Pr) outside its allowance (below).\n");
    std::printf(
        "Per output: p99 error (t K, p and v relative, h and u kJ/kg, s kJ/(kg K)) / p99 of error over allowed.\n");
    printBuckets(buckets, kJudged);
    std::printf(
        "\nProperties beyond the boxes, as shown for the answers of every pair above, against the formulations "
        "at the true state: relative errors; targets cp, cv and w 0.1 %%, mu, lambda and nu 0.2 %%, Pr 0.3 %%, "
        "5 %% in the band, widened as the boxes' outputs are. undefined: the true or the shown state lies beyond "
        "the transport releases (900 C, 100 MPa), where the program shows \"—\".\n");
    properties.print();

    char scope[200];
    std::snprintf(scope, sizeof scope,
                  "%d random stable states outside the band 360-390 C / 18-26 MPa and %d inside it, each known pair "
                  "typed as text.",
                  count, bandCount);
    markdown.heading("Single-phase states");
    markdown.paragraph(std::string(scope) +
                       " Errors: t in K, p and v relative, h and u in kJ/kg, s in kJ/(kg K). outside: some output "
                       "beyond its allowance; the other columns as the plain report explains them.");
    addBuckets(markdown, buckets, kJudged);
    markdown.heading("Properties beyond the boxes, single-phase states");
    markdown.paragraph(
        "Relative errors of the properties shown for the answers above, against the formulations at "
        "the true state.");
    properties.addTo(markdown);
}

}  // namespace accuracy
