// Measures the calculators end to end against IAPWS-95.
//   accuracy_report [STATES] [BAND_STATES] [SATURATION_INPUTS] [SEED] [SHOW_FAILURES]
// Draws random stable single-phase states (fixed seed): STATES over t 0.01-1000 C and log p
// 0.001-100 MPa, and BAND_STATES over the near-critical band 360-390 C, 18-26 MPa. Each state
// is evaluated with IAPWS-95 and every known pair but the dryness pairs is fed through the
// state calculation as typed text. Per pair, outside and inside the band, it prints how many
// were tried, how many the pair also names as a wet state or names twice (counted apart), how
// many were refused, how many missed their allowed error, and per output the p99 error and the
// p99 of the error in units of its allowance (see conditioning.h; at most 1 where the targets
// are met). Then as many wet states, STATES outside the band and BAND_STATES inside it, with
// every pair that can name them (wet_states.h). Then STATES (t, p) states in the box next to
// the critical point (critical_box.h).
// Then draws saturation states, types each known property as it would be displayed (its
// fixed decimals) and checks all eight outputs of the saturation calculation against
// IAPWS-95 at the typed value, in units of the last displayed decimal.
// The data sources are read from the folder of this executable.
#include "panels/saturation_panel.h"
#include "panels/state_panel.h"
#include "conditioning.h"
#include "critical_box.h"
#include "report_table.h"
#include "wet_states.h"
#include "data/property_database.h"
#include "numeric/number_text.h"
#include "iapws/iapws95.h"
#include "numeric/number_text.h"
#include "numeric/rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace steam;
using accuracy::Bucket;
using accuracy::Buckets;
using accuracy::kKelvin;
using accuracy::Properties;
using iapws95::Branch;
constexpr double kTc = 373.946;
// The extent of the generated grids, where a pair may name a second state; t ends where
// IAPWS-95's range ends (1273.15 K), and the states drawn reach it.
constexpr double kLowestP = 0.00058, kHighestP = 120.0, kLowestT = 0.01, kHighestT = 1000.0;

struct Truth {
    Properties values;  // t p v h s
    Branch branch;
    bool band = false;
    double offSaturation = 1e9;  // K from the saturation temperature at p (below the critical point)
};

// Every pair that names a single-phase state.
const int kPairs[] = {calc::PairTP, calc::PairTV, calc::PairTH, calc::PairTS, calc::PairPV,
                      calc::PairPH, calc::PairPS, calc::PairVH, calc::PairVS, calc::PairHS};

int firstOf(int pair) { return accuracy::boxesOf(pair).first; }
int secondOf(int pair) { return accuracy::boxesOf(pair).second; }
bool withTP(int pair) { return firstOf(pair) <= 1; }

double saturationPressure(double t) { return iapws95::saturationT(std::clamp(t + kKelvin, iapws95::Tt, iapws95::Tc)).p; }

// What the region rule says for a pair, applied to the saturation values rounded as the boxes
// show them: true when the second value lies between its saturated-water and saturated-steam
// values at the known t or p, so that the pair also names a wet state and the calculator
// rightly answers with it.
bool ruleSaysWet(int pair, const Truth& st) {
    const int first = firstOf(pair);
    const double key = st.values[first];
    if (pair == 1 || (first == 0 && key > 373.95) || (first == 1 && key > iapws95::pc)) return false;
    if (first == 1 && key < iapws95::triplePointPressure()) return false;
    const iapws95::Saturation sat =
        first == 0 ? iapws95::saturationT(std::clamp(key + kKelvin, iapws95::Tt, iapws95::Tc)) : iapws95::saturationP(key);
    const int which = secondOf(pair);
    const double z = st.values[which];
    const double lo = which == 2 ? sat.liquid.v : which == 3 ? sat.liquid.h : sat.liquid.s;
    const double hi = which == 2 ? sat.vapour.v : which == 3 ? sat.vapour.h : sat.vapour.s;
    const int decimals = which == 2 ? 8 : which == 3 ? 2 : 4;  // of v' (v'' shows 5), h', s'
    return z >= numeric::sswr(lo, decimals) && z <= numeric::sswr(hi, which == 2 ? 5 : decimals);
}

// Where a pair can name two states of the truth's phase: h along a hot compressed-water
// isotherm has a minimum, s along a cold one a maximum (near 4 C), and v along a cold isobar a
// minimum. There the calculator answers the first state in ascending p (along an isotherm)
// or t (along an isobar). Scanning the stretch of the line that belongs to the truth's phase,
// within the grids' extent, gives that first state and the value of z at the turn.
struct LineScan {
    std::optional<Properties> first;  // the first state the pair names
    std::optional<double> turn;       // z at the line's turn, where the line turns
};

LineScan scanLine(int pair, const Truth& st) {
    LineScan scan;
    const Properties& x = st.values;
    const bool liquid = st.branch == Branch::Liquid;
    const bool candidate = liquid && ((pair == 3 && x[0] > 150 && x[0] < kTc) || (pair == 4 && x[0] < 30) ||
                                      (pair == 6 && x[0] < 30 && x[1] < 100));
    if (!candidate) return scan;
    const int second = secondOf(pair);
    const bool alongP = firstOf(pair) == 0;
    double lo, hi;
    if (alongP) {
        lo = saturationPressure(x[0]);
        hi = kHighestP;
    } else {
        lo = kLowestT;
        hi = x[1] < iapws95::pc ? iapws95::saturationP(std::max(x[1], iapws95::triplePointPressure())).T - kKelvin : kHighestT;
    }
    auto valueAt = [&](double u) {
        return alongP ? accuracy::propertiesAt(x[0], u, Branch::Liquid) : accuracy::propertiesAt(u, x[1], Branch::Liquid);
    };
    auto placeOf = [&](int i, int n) { return alongP ? lo * std::pow(hi / lo, double(i) / n) : lo + (hi - lo) * i / n; };
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
    const bool alongP = firstOf(pair) == 0;
    const Properties& x = st.values;
    const bool liquid = st.branch == Branch::Liquid;
    if (alongP) {
        if (x[0] >= kTc) return {pair == 2 && liquid ? iapws95::pc : kLowestP, kHighestP};
        const double ps = saturationPressure(x[0]);
        return liquid ? std::pair{ps, kHighestP} : std::pair{kLowestP, ps};
    }
    if (x[1] >= iapws95::pc) return {kLowestT, kHighestT};
    const double ts = iapws95::saturationP(std::max(x[1], iapws95::triplePointPressure())).T - kKelvin;
    return liquid ? std::pair{kLowestT, ts} : std::pair{ts, kHighestT};
}

// True when the second value lies within its target of its value at an end of the state's
// stretch, or at the line's turn: the pair then hardly tells the state from one beyond the
// tables, across the saturation line or on the other side of the turn (t and s of cold water,
// for example, leave p undetermined by hundreds of MPa).
bool barelyDetermined(int pair, const Truth& st, const LineScan& scan) {
    const int second = secondOf(pair);
    const bool alongP = firstOf(pair) == 0;
    const double target = accuracy::targets(st.values)[second];
    if (scan.turn && std::fabs(*scan.turn - st.values[second]) <= target) return true;
    const auto [from, to] = stretchOf(pair, st);
    for (double end : {from, to}) {
        try {
            const Properties there = alongP ? accuracy::propertiesAt(st.values[0], end, st.branch)
                                            : accuracy::propertiesAt(end, st.values[1], st.branch);
            if (std::fabs(there[second] - st.values[second]) <= target) return true;
        } catch (const iapws95::SolveError&) {
        }
    }
    return false;
}

// True when a state named by two of v, h and s lies within its allowed error in t of the
// grids' first or last isotherm: the tables' own error may then put the state the pair names
// on their surface just beyond it, where the formulation's range ends.
bool besideLastIsotherm(int pair, const Truth& st) {
    const double allowed =
        accuracy::allowedErrorsWithoutTP(st.values[0], st.values[1], st.branch, firstOf(pair), secondOf(pair))[0];
    return st.values[0] - kLowestT <= allowed || kHighestT - st.values[0] <= allowed;
}

int g_showFailures = 0;
int g_shown = 0;

void show(const char* what, int pair, const Truth& st, const panels::StateOutcome& out) {
    if (g_shown++ >= g_showFailures) return;
    const Properties& x = st.values;
    std::printf("  %s %s t=%.17g p=%.17g v=%.17g h=%.17g s=%.17g region %d Choose %d%s:", what,
                accuracy::pairName(pair).c_str(), x[0],
                x[1], x[2], x[3], x[4], out.region, out.Choose, out.messages.empty() ? "" : " (message)");
    for (int k = 0; k < 5; ++k) std::printf(" %s", out.panel.text[k].c_str());
    std::printf("\n");
}

void measure(const data::PropertyDatabase& db, const Truth& st, Buckets& buckets) {
    for (int pair : kPairs) {
        const int first = firstOf(pair);
        const int second = secondOf(pair);
        const panels::StateOutcome out = panels::SCAL2_Click(
            db, accuracy::typedPanel(pair, numeric::shortestText(st.values[first]), numeric::shortestText(st.values[second])));
        Bucket& b = buckets[accuracy::bucketKey(pair, st.band)];
        ++b.tried;
        if (withTP(pair) && ruleSaysWet(pair, st)) {
            ++b.wet;
            continue;
        }
        Properties expected = st.values;
        const LineScan scan = withTP(pair) ? scanLine(pair, st) : LineScan{};
        if (const auto& named = scan.first) {
            if (std::fabs(named->at(first == 0 ? 1 : 0) - st.values[first == 0 ? 1 : 0]) >
                1e-6 * std::max(1.0, std::fabs(st.values[first == 0 ? 1 : 0]))) {
                ++b.twice;
                expected = *named;
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
                (!withTP(pair) && besideLastIsotherm(pair, st))) {
                ++b.excused;
            } else {
                ++b.refused;
                show("refused", pair, st, out);
            }
            continue;
        }
        const Properties allowed = withTP(pair)
                                       ? accuracy::allowedErrors(expected[0], expected[1], st.branch, first, second)
                                       : accuracy::allowedErrorsWithoutTP(expected[0], expected[1], st.branch, first, second);
        bool missed = false;
        for (int k = 0; k < 5; ++k) {
            const double e = std::fabs(out.result[k] - expected[k]);
            b.error[k].add(k == 1 || k == 2 ? e / expected[k] : e);
            b.ratio[k].add(e / allowed[k]);
            missed = missed || e > allowed[k];
        }
        if (missed) {
            ++b.missed;
            show("missed", pair, st, out);
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
    st.values = accuracy::propertiesAt(t, p, st.branch);
    return st;
}

void runStates(const data::PropertyDatabase& db, int count, int bandCount, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> tDist(kLowestT, kHighestT), lpDist(-3.0, 2.0);
    std::uniform_real_distribution<double> tBand(360.0, 390.0), pBand(18.0, 26.0);
    Buckets buckets;
    for (int drawn = 0; drawn < count;) {
        const double t = tDist(rng), p = std::pow(10.0, lpDist(rng));
        if (accuracy::inCriticalBand(t, p)) continue;
        if (const auto st = stableState(t, p, false)) {
            ++drawn;
            measure(db, *st, buckets);
        }
    }
    for (int drawn = 0; drawn < bandCount;) {
        if (const auto st = stableState(tBand(rng), pBand(rng), true)) {
            ++drawn;
            measure(db, *st, buckets);
        }
    }
    std::printf("State calculation: %d random stable states outside the band 360-390 C / 18-26 MPa (t 0.01-1000 C, "
                "log p 0.001-100 MPa) and %d inside it, all more than 0.05 K off saturation; each known pair typed "
                "as text.\n",
                count, bandCount);
    std::printf("wet: the pair also names a wet state, which the region rule answers. twice: the pair names two states "
                "of the phase; measured against the first in ascending p (isotherm) or t (isobar). refused: a message "
                "or, for a pair with t or p, no single-phase result (excused: in the band within 0.5 K of saturation, or "
                "the second value lies within its target of its value at an end of the state's stretch of the line, so "
                "that the pair barely tells the state from one beyond; or, for two of v, h and s, the state lies within "
                "its allowed t error of the grids' first or last isotherm, 0.01 or 1000 C). missed: some output beyond "
                "its allowed error "
                "(pairs of v, h and s: both known values carry the tables' error).\n");
    std::printf("Per output: p99 error (t K, p and v relative, h kJ/kg, s kJ/(kg K)) / p99 of error over allowed.\n");
    accuracy::printBuckets(buckets, 5);
}

// Saturation values of ts ps v' v'' h' h'' s' s'' at T.
std::array<double, 8> saturationValues(double T) {
    const iapws95::Saturation sat = iapws95::saturationT(std::clamp(T, iapws95::Tt, iapws95::Tc));
    return {T - kKelvin, sat.p, sat.liquid.v, sat.vapour.v, sat.liquid.h, sat.vapour.h, sat.liquid.s, sat.vapour.s};
}

// The temperature at which column c takes the value x, on the branch below Thigh.
double temperatureOf(int c, double x, double Tlow, double Thigh) {
    const bool rising = saturationValues(Thigh)[c] > saturationValues(Tlow)[c];
    for (int i = 0; i < 80; ++i) {
        const double mid = 0.5 * (Tlow + Thigh);
        const bool above = saturationValues(mid)[c] > x;
        if (above == rising)
            Thigh = mid;
        else
            Tlow = mid;
    }
    return 0.5 * (Tlow + Thigh);
}

// Temperature of the extreme of column c (h'' has a maximum, v' a minimum) by golden section.
double temperatureOfExtreme(int c, double lo, double hi, bool maximum) {
    const double g = 0.5 * (std::sqrt(5.0) - 1.0);
    for (int i = 0; i < 100; ++i) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        const double fa = saturationValues(a)[c], fb = saturationValues(b)[c];
        if ((fa > fb) == maximum)
            hi = b;
        else
            lo = a;
    }
    return 0.5 * (lo + hi);
}
double temperatureOfPeak() { return temperatureOfExtreme(5, 400.0, 600.0, true); }
double temperatureOfMinimum() { return temperatureOfExtreme(2, iapws95::Tt, 300.0, false); }

void runSaturation(const data::PropertyDatabase& db, int count, unsigned seed) {
    static const int decimals[8] = {2, 6, 8, 5, 2, 2, 4, 4};
    static const char* names[8] = {"ts", "ps", "v'", "v''", "h'", "h''", "s'", "s''"};
    std::printf("\nSaturation calculation: %d states per known property, ts uniform in 0.01-373.94 C, the known value "
                "typed with its displayed decimals.\n",
                count);
    std::printf("Per output: share within one unit of the last displayed decimal, p99 and max error in those units.\n");
    for (int c = 0; c < 8; ++c) {
        std::mt19937_64 rng(seed + c);
        std::uniform_real_distribution<double> tDist(0.01, 373.94);
        long tried = 0, messages = 0;
        std::array<long, 8> within{};
        std::array<accuracy::Quantiles, 8> errors;
        for (int i = 0; i < count; ++i) {
            const double ts = tDist(rng);
            const double typed = numeric::readNumber(numeric::fixedText(saturationValues(ts + kKelvin)[c], decimals[c]));
            // The state the typed value names (h'' and v' on the branch the calculator takes: the
            // first in table order that reaches the value).
            double T;
            if (c == 0) {
                T = typed + kKelvin;
            } else if (c == 5 || c == 2) {
                const double turn = c == 5 ? temperatureOfPeak() : temperatureOfMinimum();
                const double first = saturationValues(iapws95::Tt)[c];
                const bool onFirst = c == 5 ? typed >= first : typed <= first;
                T = onFirst ? temperatureOf(c, typed, iapws95::Tt, turn) : temperatureOf(c, typed, turn, iapws95::Tc);
            } else {
                T = temperatureOf(c, typed, iapws95::Tt, iapws95::Tc);
            }
            const auto truth = saturationValues(T);
            panels::SaturationPanel panel;
            panels::OPT_Click(panel, c);
            panel.text[c] = numeric::fixedText(typed, decimals[c]);
            const panels::SaturationOutcome out = panels::SCAL_Click(db, panel);
            ++tried;
            if (!out.answered) {
                ++messages;
                continue;
            }
            for (int g = 0; g < 8; ++g) {
                const double units = std::fabs((*out.result)[g] - truth[g]) / std::pow(10.0, -decimals[g]);
                errors[g].add(units);
                if (units <= 1.0 + 1e-9) ++within[g];
            }
        }
        std::printf("known %-4s tried %5ld messages %4ld:", names[c], tried, messages);
        for (int g = 0; g < 8; ++g)
            std::printf("  %s %.1f%% (%.2g/%.2g)", names[g], 100.0 * within[g] / std::max(1L, tried - messages),
                        errors[g].at(0.99), errors[g].at(1.0));
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int states = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int band = argc > 2 ? std::atoi(argv[2]) : 4000;
    const int saturation = argc > 3 ? std::atoi(argv[3]) : 2000;
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::atoi(argv[4])) : 20261207u;
    g_showFailures = argc > 5 ? std::atoi(argv[5]) : 0;
    data::PropertyDatabase db;
    std::string error;
    if (!db.open(data::executableDirectory(), error)) {
        std::fprintf(stderr, "accuracy_report: %s\n", error.c_str());
        return 1;
    }
    runStates(db, states, band, seed);
    accuracy::runWetStates(db, states, band, seed, g_showFailures);
    accuracy::runCriticalBox(db, states, seed);
    runSaturation(db, saturation, seed);
    return 0;
}
