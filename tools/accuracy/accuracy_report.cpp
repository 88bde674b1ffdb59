// Measures the calculators end to end against IAPWS-95.
//   accuracy_report [STATES] [SATURATION_INPUTS] [SEED]
// Draws random stable single-phase states (fixed seed), evaluates them with IAPWS-95, feeds
// every known pair through the state calculation and prints, per pair and region, how many
// were tried, how many ended with a message, and the median, p99 and maximum error of each
// output as displayed. Then draws saturation states, types each known property as it would
// be displayed (its fixed decimals) and checks all eight outputs of the saturation
// calculation against IAPWS-95 at the typed value, in units of the last displayed decimal.
// The data sources are read from the folder of this executable.
#include "calc/saturation_calculator.h"
#include "calc/state_calculator.h"
#include "data/property_database.h"
#include "data/query_text.h"
#include "iapws95.h"
#include "numeric/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace steam;
constexpr double kKelvin = 273.15;
constexpr double kTc = 373.946;

struct Truth {
    double t, p, v, h, s;
};

// Statistics of one output.
struct Errors {
    std::vector<double> values;
    void add(double e) { values.push_back(std::fabs(e)); }
    double quantile(double q) {
        if (values.empty()) return 0.0;
        std::sort(values.begin(), values.end());
        return values[std::min(values.size() - 1, static_cast<size_t>(q * (values.size() - 1) + 0.5))];
    }
};

struct Bucket {
    long tried = 0;
    long messages = 0;
    long wetByRule = 0;
    std::array<Errors, 5> errors;  // t (K), p (relative), v (relative), h (kJ/kg), s (kJ/(kg K))
};

const char* kPairNames[] = {"", "(t,p)", "(t,v)", "(t,h)", "(t,s)", "", "(p,v)", "(p,h)", "(p,s)"};

std::string regionOf(const Truth& st, bool& inBand) {
    inBand = st.t >= 360 && st.t <= 390 && st.p >= 18 && st.p <= 26;
    if (st.t > kTc) return st.p > iapws95::pc ? "supercritical" : "gas above tc";
    const double ps = iapws95::saturationT(st.t + kKelvin).p;
    return st.p > ps ? "compressed water" : "superheated steam";
}

std::string text(double x) { return data::numberText(x); }

// What the region rule says for a pair, applied to exact saturation values: true when the
// second value lies between its saturated-water and saturated-steam values at the known t
// or p, so that the pair also names a wet state and the calculator rightly answers with it.
bool ruleSaysWet(int pair, const Truth& st) {
    const bool byT = pair <= 4;
    const double key = byT ? st.t : st.p;
    if (pair == 1 || (byT && key > 373.95) || (!byT && key > iapws95::pc)) return false;
    if (!byT && key < iapws95::triplePointPressure()) return false;
    const iapws95::Saturation sat =
        byT ? iapws95::saturationT(std::clamp(key + kKelvin, iapws95::Tt, iapws95::Tc)) : iapws95::saturationP(key);
    const int which = pair <= 4 ? pair : pair - 4;  // 2 v, 3 h, 4 s
    const double z = which == 2 ? st.v : which == 3 ? st.h : st.s;
    const double lo = which == 2 ? sat.liquid.v : which == 3 ? sat.liquid.h : sat.liquid.s;
    const double hi = which == 2 ? sat.vapour.v : which == 3 ? sat.vapour.h : sat.vapour.s;
    return z >= lo && z <= hi;
}

// Cold water is densest near 4 C, so along an isobar v passes through a minimum: a (p, v)
// pair of compressed water below about 8 C names two states, one on each side. The
// calculator gives the colder; such pairs are counted apart.
bool pvNamesTwoStates(int pair, const Truth& st) {
    if (pair != 6 || st.t > 20.0 || st.p > iapws95::pc) return false;
    const double ps = iapws95::saturationT(std::clamp(st.t + kKelvin, iapws95::Tt, iapws95::Tc)).p;
    if (st.p <= ps) return false;
    auto v = [&](double t) { return iapws95::stateTP(t + kKelvin, st.p, iapws95::Branch::Liquid).v; };
    double lo = 0.01, hi = 15.0;  // golden section for the temperature of the smallest v
    const double g = 0.5 * (std::sqrt(5.0) - 1.0);
    for (int i = 0; i < 60; ++i) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        if (v(a) < v(b))
            hi = b;
        else
            lo = a;
    }
    const double densest = 0.5 * (lo + hi);
    return st.t < densest || st.v <= v(0.01);
}

int g_showFailures = 0;
int g_shown = 0;

void runStates(const data::PropertyDatabase& db, int count, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> tDist(0.01, 800.0), lpDist(-3.0, 2.0);
    std::map<std::string, Bucket> buckets;
    int drawn = 0;
    while (drawn < count) {
        Truth st{tDist(rng), std::pow(10.0, lpDist(rng)), 0, 0, 0};
        const double T = st.t + kKelvin;
        iapws95::Branch branch = iapws95::Branch::Liquid;
        if (st.t < kTc && st.p < iapws95::pc) {
            const double tsat = iapws95::saturationP(std::max(st.p, iapws95::triplePointPressure())).T - kKelvin;
            if (st.p >= iapws95::triplePointPressure() && std::fabs(st.t - tsat) < 0.05) continue;  // too close to saturation
            if (st.p < iapws95::triplePointPressure() || st.t > tsat) branch = iapws95::Branch::Vapour;
        } else if (st.t < kTc) {
            branch = iapws95::Branch::Liquid;
        }
        const iapws95::State s = iapws95::stateTP(T, st.p, branch);
        st.v = s.v;
        st.h = s.h;
        st.s = s.s;
        ++drawn;
        bool band = false;
        const std::string region = regionOf(st, band);
        const double known[6] = {st.t, st.p, st.v, st.h, st.s, 0};
        for (int pair : {1, 2, 3, 4, 6, 7, 8}) {
            calc::StatePanel panel;
            const int first = pair <= 4 ? 0 : 1;
            const int second = pair == 1 ? 1 : (pair <= 4 ? pair : pair - 4);
            panel.ticked[first] = panel.ticked[second] = true;
            panel.text[first] = text(known[first]);
            panel.text[second] = text(known[second]);
            const calc::StateOutcome out = calc::SCAL2_Click(db, panel);
            std::vector<Bucket*> into{&buckets[std::string(kPairNames[pair]) + "  " + (band ? "critical band" : region)]};
            if (!band) into.push_back(&buckets[std::string(kPairNames[pair]) + "  all outside the critical band"]);
            const bool wet = ruleSaysWet(pair, st) || pvNamesTwoStates(pair, st);
            const bool failed = !out.messages.empty() || (out.region != calc::RegionWater && out.region != calc::RegionVapor) ||
                                out.panel.text[5] != "(none)";
            for (Bucket* b : into) {
                ++b->tried;
                if (wet) {
                    ++b->wetByRule;
                    continue;
                }
                if (failed) {
                    ++b->messages;
                    continue;
                }
                const auto& r = out.result;
                b->errors[0].add(r[0] - st.t);
                b->errors[1].add((r[1] - st.p) / st.p);
                b->errors[2].add((r[2] - st.v) / st.v);
                b->errors[3].add(r[3] - st.h);
                b->errors[4].add(r[4] - st.s);
            }
            if (failed && !wet && g_shown++ < g_showFailures)
                std::printf("  failed %s t=%.17g p=%.17g v=%.17g h=%.17g s=%.17g region %d Choose %d%s\n", kPairNames[pair], st.t,
                            st.p, st.v, st.h, st.s, out.region, out.Choose, out.messages.empty() ? "" : " (message)");
        }
    }
    std::printf("State calculation: %d random stable states (t 0.01-800 C, log p 0.001-100 MPa, more than 0.05 K off "
                "saturation), each known pair fed as typed text.\n",
                count);
    std::printf("A pair whose second value lies between its saturated-water and -steam values also names a wet "
                "state; the calculator answers with that one. A (p,v) pair of water below about 8 C names two states "
                "(v has a minimum near 4 C); the calculator gives the colder. Both are counted apart (\"other\"). "
                "Failed: a message, or no single-phase result where the region rule asks for one.\n");
    std::printf("Errors of the displayed values: t in K, p and v relative, h in kJ/kg, s in kJ/(kg K); "
                "median / p99 / max.\n");
    std::printf("%-44s %6s %5s %6s | %-26s | %-26s | %-26s | %-26s | %-26s\n", "pair and region", "tried", "other",
                "failed", "t (K)", "p (relative)", "v (relative)", "h (kJ/kg)", "s (kJ/(kg K))");
    for (auto& [name, b] : buckets) {
        std::printf("%-44s %6ld %5ld %6ld", name.c_str(), b.tried, b.wetByRule, b.messages);
        for (int k = 0; k < 5; ++k)
            std::printf(" | %8.2g %8.2g %8.2g", b.errors[k].quantile(0.5), b.errors[k].quantile(0.99),
                        b.errors[k].quantile(1.0));
        std::printf("\n");
    }
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
        std::array<Errors, 8> errors;
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
            calc::SaturationPanel panel;
            calc::OPT_Click(panel, c);
            panel.text[c] = numeric::fixedText(typed, decimals[c]);
            const calc::SaturationOutcome out = calc::SCAL_Click(db, panel);
            ++tried;
            if (!out.result) {
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
                        errors[g].quantile(0.99), errors[g].quantile(1.0));
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int states = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int saturation = argc > 2 ? std::atoi(argv[2]) : 2000;
    const unsigned seed = argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 20261207u;
    g_showFailures = argc > 4 ? std::atoi(argv[4]) : 0;
    data::PropertyDatabase db;
    std::string error;
    if (!db.open(data::executableDirectory(), error)) {
        std::fprintf(stderr, "accuracy_report: %s\n", error.c_str());
        return 1;
    }
    runStates(db, states, seed);
    runSaturation(db, saturation, seed);
    return 0;
}
