#include "wet_states.h"

#include "conditioning.h"
#include "data/property_database.h"
#include "energy_line.h"
#include "numeric/number_text.h"
#include "report_table.h"

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace accuracy {
namespace {

using namespace steam;

// Every pair that can name a wet state.
const int kPairs[] = {calc::PairTV, calc::PairTH, calc::PairTS, calc::PairTX, calc::PairPV, calc::PairPH, calc::PairPS,
                      calc::PairPX, calc::PairVH, calc::PairVS, calc::PairVX, calc::PairHS, calc::PairHX, calc::PairSX,
                      calc::PairTU, calc::PairPU, calc::PairVU, calc::PairHU, calc::PairSU, calc::PairXU};
// The outputs judged: every box.
const std::vector<int> kJudged{kT, kP, kV, kH, kS, kX, kU};

// Of a pair with x, the other known value (v, h, s or u); -1 for a pair without x or with t or p.
int valuedWithDryness(int first, int second) {
    const int other = second == kX ? first : first == kX ? second : -1;
    return other >= kV ? other : -1;
}

constexpr double kTriple = 0.01;
const double kCritical = iapws95::Tc - kKelvin;

// The saturation line every 0.05 K, to find where a mixture of given dryness first takes a
// value (h'' and u'' have a highest point, a mixture's s may turn twice, v' has a lowest point).
class SaturationScan {
public:
    SaturationScan() {
        for (double ts = kTriple; ts < kCritical; ts += 0.05) m_line.push_back(wetPropertiesAt(ts, 0.0));
        m_line.push_back(wetPropertiesAt(kCritical, 0.0));
        for (double ts = kTriple; ts < kCritical; ts += 0.05) m_steam.push_back(wetPropertiesAt(ts, 1.0));
        m_steam.push_back(wetPropertiesAt(kCritical, 1.0));
    }

    // The coldest ts at which the mixture of dryness x has value z in column k (v, h, s or u).
    double firstPlace(int k, double z, double x) const {
        const auto mix = [&](size_t i) { return m_line[i][k] + x * (m_steam[i][k] - m_line[i][k]); };
        for (size_t i = 1; i < m_line.size(); ++i) {
            if ((mix(i - 1) - z < 0) == (mix(i) - z < 0) && mix(i) != z) continue;
            double a = m_line[i - 1][0], b = m_line[i][0];
            const double da = mix(i - 1) - z;
            for (int n = 0; n < 80; ++n) {
                const double m = 0.5 * (a + b);
                ((wetPropertiesAt(m, x)[k] - z < 0) == (da < 0) ? a : b) = m;
            }
            return 0.5 * (a + b);
        }
        return NAN;
    }

    // True when the mixture's column k turns within `target` of z: the pair barely tells the
    // states on either side of the turn apart, nor one beyond it.
    bool nearTurn(int k, double z, double x, double target) const {
        const auto mix = [&](size_t i) { return m_line[i][k] + x * (m_steam[i][k] - m_line[i][k]); };
        for (size_t i = 1; i + 1 < m_line.size(); ++i) {
            const bool turns = (mix(i) - mix(i - 1)) * (mix(i + 1) - mix(i)) <= 0.0;
            if (turns && std::fabs(mix(i) - z) <= target) return true;
        }
        return false;
    }

private:
    std::vector<WetProperties> m_line, m_steam;
};

struct WetTruth {
    double ts, x;
    WetProperties values;
    bool band;
};

// Whether every output of the answer lies within its allowance of `expected` (x of a single
// phase aside).
bool withinAllowance(const panels::StateOutcome& out, const WetProperties& expected, const WetProperties& allowed) {
    for (int k : kJudged)
        if (!std::isnan(expected[k]) && !(std::fabs(out.result[k] - expected[k]) <= allowed[k])) return false;
    return true;
}

int g_showFailures = 0;
int g_shown = 0;

void show(const char* what, int pair, const WetTruth& st, const panels::StateOutcome& out) {
    if (g_shown++ >= g_showFailures) return;
    std::printf("  %s %s ts=%.17g x=%.17g v=%.17g h=%.17g s=%.17g u=%.17g region %d%s:", what, pairName(pair).c_str(),
                st.ts, st.x, st.values[kV], st.values[kH], st.values[kS], st.values[kU], out.region,
                out.messages.empty() ? "" : " (message)");
    for (const std::string& text : out.panel.text) std::printf(" %s", text.c_str());
    std::printf("\n");
}

void measure(const data::PropertyDatabase& db, const SaturationScan& scan, const WetTruth& st, Buckets& buckets) {
    for (int pair : kPairs) {
        const auto [first, second] = boxesOf(pair);
        const panels::StateOutcome out = panels::SCAL2_Click(
            db, typedPanel(pair, numeric::shortestText(st.values[first]), numeric::shortestText(st.values[second])));
        Bucket& b = buckets[bucketKey(pair, st.band)];
        ++b.tried;
        // With x, a mixture's v, h, s or u may be had at two or three places of the line: the
        // calculator answers the coldest.
        double ts = st.ts;
        const int valued = valuedWithDryness(first, second);
        if (valued >= 0) {
            const double coldest = scan.firstPlace(valued, st.values[valued], st.x);
            if (std::isfinite(coldest) && std::fabs(coldest - st.ts) > 1e-6) {
                ++b.twice;
                ts = coldest;
            }
        }
        WetProperties expected = wetPropertiesAt(ts, st.x);
        // (h, u) names several states: the first in ascending p along the line of u is answered,
        // which may be steam at a lower p.
        EnergyLineScan line;
        if (pair == calc::PairHU) {
            const WetProperties target = wetTargets(st.values);
            line = scanEnergyLine(st.values[kU], st.values[kH] - st.values[kU], st.values[kP] * (1 - 1e-4),
                                  target[kH] + target[kU]);
            if (line.first) {
                ++b.twice;
                expected = line.first->values;
            }
        }
        if (!out.answered) {
            // As for single-phase states: in the band, a pair with t or p whose rule (the
            // saturated values rounded as shown) puts the state just outside the dome, where the
            // metastable region closes in, may be refused.
            const bool besideTheDome =
                first <= 1 && st.band && (out.region == calc::RegionWater || out.region == calc::RegionVapor);
            if (besideTheDome || line.turnsNear ||
                (valued >= 0 && scan.nearTurn(valued, st.values[valued], st.x, wetTargets(st.values)[valued]))) {
                ++b.excused;
            } else {
                ++b.refused;
                show("refused", pair, st, out);
            }
            continue;
        }
        WetProperties allowed =
            line.first ? allowedForEnergyPair(*line.first) : wetAllowedErrors(ts, st.x, first, second);
        if (pair == calc::PairHU && !withinAllowance(out, expected, allowed)) {
            // A state of the line of u whose h - u misses the typed value by no more than the
            // targets of h and u is one the pair names too.
            const WetProperties target = wetTargets(st.values);
            if (const auto near = energyLineStateAt(st.values[kU], out.result[kP], st.values[kH] - st.values[kU],
                                                    target[kH] + target[kU])) {
                const WetProperties nearAllowed = allowedForEnergyPair(*near);
                if (withinAllowance(out, near->values, nearAllowed)) {
                    ++b.near;
                    expected = near->values;
                    allowed = nearAllowed;
                }
            }
        }
        bool missed = false;
        for (int k : kJudged) {
            if (std::isnan(expected[k])) continue;  // x of a single phase
            const double e = std::fabs(out.result[k] - expected[k]);
            b.error[k].add(k == kP || k == kV ? e / expected[k] : e);
            b.ratio[k].add(e / allowed[k]);
            missed = missed || !(e <= allowed[k]);
        }
        if (missed) {
            ++b.missed;
            show("missed", pair, st, out);
        }
    }
}

}  // namespace

void runWetStates(const data::PropertyDatabase& db, int count, int bandCount, unsigned seed, int showFailures,
                  MarkdownTables& markdown) {
    g_showFailures = showFailures;
    const SaturationScan scan;
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> outside(kTriple, 360.0), inside(360.0, 373.9), dryness(0.0, 1.0);
    Buckets buckets;
    for (int i = 0; i < count + bandCount; ++i) {
        const bool band = i >= count;
        const double ts = band ? inside(rng) : outside(rng);
        const double x = dryness(rng);
        measure(db, scan, {ts, x, wetPropertiesAt(ts, x), band}, buckets);
    }
    std::printf(
        "\nWet states: %d with ts 0.01-360 C and %d with ts 360-373.9 C (inside the band), dryness uniform "
        "0-1; each pair that can name a wet state typed as text.\n",
        count, bandCount);
    std::printf(
        "twice: the pair names two or three wet states (a mixture's v, h, s or u turns along the saturation line); "
        "measured against the coldest; or (h,u) names a state at a lower p along the line of its u, measured "
        "against the first. refused: a message (excused: the mixture's value turns within its target of the "
        "typed one, or for (h,u) p v turns within the targets of h and u of its value, so that the pair barely "
        "tells whether the state exists; or, in the band, a pair with t or p whose rule puts the state just "
        "outside the dome). near: (h,u) answered with a state of the line of its u whose h - u misses the typed value "
        "by no more than the targets of h and u, judged against it. missed: some output (t p v h s x u) "
        "beyond its allowed error.\n");
    printBuckets(buckets, kJudged);

    markdown.heading("Wet states");
    markdown.paragraph(std::to_string(count) + " wet states with ts 0.01-360 C and " + std::to_string(bandCount) +
                       " with ts 360-373.9 C, dryness uniform 0-1, each pair that can name them typed as text. "
                       "twice: the pair names several states, judged against the first.");
    addBuckets(markdown, buckets, kJudged);
}

}  // namespace accuracy
