// Round trips on a fixed sample of stable states away from the saturation line (2 K) and the
// critical region (340-400 C with 14-30 MPa): IAPWS-95 state -> a pair that determines it ->
// the calculated state agrees with IAPWS-95 within the allowed error of each output (its
// target, widened by how little the pair determines the state; see conditioning.h), and the
// shown state fed back as (p, h) gives the same state again.
#include "panels/state_panel.h"

#include "calc_test_support.h"
#include "conditioning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace steam::calc {
namespace {

using namespace test;

struct Sample {
    double t, p;
    bool liquid;
    iapws95::State state;
};

// A fixed pseudo-random sample: t uniform in 1..790 C, p log-uniform in 0.002..95 MPa.
std::vector<Sample> sample(int count) {
    std::vector<Sample> out;
    uint64_t seed = 20240611;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(seed >> 11) / 9007199254740992.0;
    };
    while (static_cast<int>(out.size()) < count) {
        const double t = 1 + 789 * next();
        const double p = 0.002 * std::pow(95 / 0.002, next());
        if (t > 340 && t < 400 && p > 14 && p < 30) continue;  // near the critical point
        const double T = t + kKelvin;
        bool liquid = p >= iapws95::pc;
        if (T < iapws95::Tc && p < iapws95::pc) {
            const double tsat = iapws95::saturationP(std::max(p, iapws95::triplePointPressure())).T - kKelvin;
            if (std::fabs(t - tsat) < 2.0) continue;  // off the saturation line
            liquid = t < tsat;
        } else if (T >= iapws95::Tc) {
            liquid = false;
        }
        if (p < iapws95::pc && T >= iapws95::Tc) liquid = false;
        out.push_back({t, p, liquid, stableState(t, p)});
    }
    return out;
}

struct Tolerance {
    double t, pRelative, vRelative, h, s;
};
constexpr Tolerance kTargets{0.05 + 0.005, 2e-4, 2e-4, 0.05 + 0.005, 1e-4 + 0.5e-4};

void expectState(const StateOutcome& out, const Sample& c, int first, int second) {
    ASSERT_TRUE(out.messages.empty()) << panels::messageText(out.messages.front()).text;
    // Water at low pressure given by two of v, h and s is barely told from saturated water at
    // its temperature, which may be the answer; the values judge it.
    if (!(first >= V && c.liquid && out.region == RegionWet)) {
        ASSERT_TRUE(out.region == RegionWater || out.region == RegionVapor) << "region " << out.region;
        EXPECT_EQ(out.panel.text[X], "(none)");
    }
    const auto reference = stateReference(c.state);
    const auto branch = c.liquid ? iapws95::Branch::Liquid : iapws95::Branch::Vapour;
    const accuracy::Properties allowed = first <= P ? accuracy::allowedErrors(c.t, c.p, branch, first, second)
                                                    : accuracy::allowedErrorsWithoutTP(c.t, c.p, branch, first, second);
    for (int k = 0; k < 5; ++k)
        EXPECT_LE(std::fabs(numeric::readNumber(out.panel.text[k]) - reference[k]), allowed[k])
            << "tpvhs"[k] << " \"" << out.panel.text[k] << "\", IAPWS-95 " << reference[k];
}

TEST(RoundTripTest, PairsThatDetermineTheStateGiveItBack) {
    const std::vector<Sample> states = sample(48);
    int vapour = 0, liquid = 0;
    for (const Sample& c : states) {
        const auto reference = stateReference(c.state);
        // Every pair but the dryness pairs; for water not (t, h) and (t, s), which above h'
        // and s' also name a wet state, nor (p, v), which names two states near 4 C.
        std::vector<std::pair<int, int>> pairs{{T, P}, {T, V}, {P, H}, {P, S}, {V, H}, {V, S}, {H, S}};
        if (!c.liquid) pairs.insert(pairs.end(), {{T, H}, {T, S}, {P, V}});
        (c.liquid ? liquid : vapour)++;
        for (const auto& [first, second] : pairs) {
            SCOPED_TRACE(testing::Message() << (c.liquid ? "liquid" : "steam") << " t " << c.t << ", p " << c.p << ": "
                                            << "tpvhs"[first] << " and "
                                            << "tpvhs"[second]);
            expectState(calculate({{first, typed(reference[first])}, {second, typed(reference[second])}}), c, first,
                        second);
        }
    }
    EXPECT_GE(liquid, 5);
    EXPECT_GE(vapour, 5);
}

TEST(RoundTripTest, ShownStateFedBackAsPressureAndEnthalpyGivesItAgain) {
    for (const Sample& c : sample(16)) {
        SCOPED_TRACE(testing::Message() << "t " << c.t << ", p " << c.p);
        const StateOutcome first = calculate({{T, typed(c.t)}, {P, typed(c.p)}});
        ASSERT_TRUE(first.messages.empty());
        const StateOutcome back = calculate({{P, first.panel.text[P]}, {H, first.panel.text[H]}});
        ASSERT_TRUE(back.messages.empty());
        EXPECT_EQ(back.region, first.region);
        EXPECT_NEAR(back.result[T], first.result[T], 2 * kTargets.t);
        EXPECT_NEAR(back.result[S], first.result[S], 2 * kTargets.s);
        EXPECT_NEAR(back.result[V], first.result[V], 2 * kTargets.vRelative * first.result[V] + 1e-8);
    }
}

}  // namespace
}  // namespace steam::calc
