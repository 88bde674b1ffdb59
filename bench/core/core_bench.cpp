// The calculators through their typed interface: one saturation calculation, one state
// calculation per table match kind (Choose 1 to 4), two of them with every property shown
// beyond the boxes, each known pair over a fixed sample of random single-phase states, the
// pairs that can name a wet state without t or p over random wet states; then the same through
// the panels (number reading and box texts included), and the direct IAPWS-95 evaluation of a
// state from (t, p) and from (p, h). Each runs five times and reports mean, median and spread.
#include "calc/saturation_solver.h"
#include "calc/state_solver.h"
#include "calc/thermal_properties.h"
#include "data/property_database.h"
#include "numeric/number_text.h"
#include "panels/saturation_panel.h"
#include "panels/state_panel.h"

#include "iapws/iapws95.h"

#include "markdown_report.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace steam;
using calc::Property;

const data::PropertyDatabase& tables() {
    static data::PropertyDatabase db;
    static std::string error;
    static const bool ok = db.open(data::executableDirectory(), error);
    (void)ok;
    return db;
}

void SaturationSolve(benchmark::State& state) {
    if (!tables().isOpen()) return state.SkipWithError("the generated tables cannot be opened");
    for (auto _ : state) {
        calc::SaturationSolution out = calc::solveSaturation(tables(), calc::SatProperty::ts, 100);
        benchmark::DoNotOptimize(out);
    }
    if (!calc::solveSaturation(tables(), calc::SatProperty::ts, 100).solved)
        state.SkipWithError("ts 100 gave no result");
}
BENCHMARK(SaturationSolve)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void SaturationPanel(benchmark::State& state) {
    if (!tables().isOpen()) return state.SkipWithError("the generated tables cannot be opened");
    panels::SaturationPanel panel;
    panels::OPT_Click(panel, 0);
    panel.text[0] = "100";
    for (auto _ : state) {
        panels::SaturationOutcome out = panels::SCAL_Click(tables(), panel);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(SaturationPanel)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// t and p: WATER tabulates whole kelvins and the pressures 3.50 and 3.55 (3.52 is not).
void StateSolve(benchmark::State& state, double t, double p, int expectedChoose) {
    if (!tables().isOpen()) return state.SkipWithError("the generated tables cannot be opened");
    const calc::StateSolution check = calc::solveState(tables(), Property::t, t, Property::p, p);
    if (check.Choose != expectedChoose || !check.solved())
        return state.SkipWithError(
            ("t=" + std::to_string(t) + " p=" + std::to_string(p) + " gave Choose " + std::to_string(check.Choose))
                .c_str());
    for (auto _ : state) {
        calc::StateSolution out = calc::solveState(tables(), Property::t, t, Property::p, p);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK_CAPTURE(StateSolve, Choose1_t200_p3_5, 200, 3.5, 1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(StateSolve, Choose2_t200_p3_52, 200, 3.52, 2)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(StateSolve, Choose3_t200_5_p3_5, 200.5, 3.5, 3)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(StateSolve, Choose4_t200_5_p3_52, 200.5, 3.52, 4)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same state with every property shown beyond its boxes (cp, cv, w, mu, lambda, nu, Pr), as
// the panel, the result list and steamcalc show it: what they cost on top of StateSolve.
void StatePlusProperties(benchmark::State& state, double t, double p, int expectedChoose) {
    if (!tables().isOpen()) return state.SkipWithError("the generated tables cannot be opened");
    const calc::StateSolution check = calc::solveState(tables(), Property::t, t, Property::p, p);
    if (check.Choose != expectedChoose || !std::isfinite(calc::thermalPropertiesOf(check).pr))
        return state.SkipWithError(("t=" + std::to_string(t) + " p=" + std::to_string(p) + " gave Choose " +
                                    std::to_string(check.Choose) + " or no properties")
                                       .c_str());
    for (auto _ : state) {
        calc::StateSolution out = calc::solveState(tables(), Property::t, t, Property::p, p);
        calc::ThermalSet properties = calc::thermalPropertiesOf(out);
        benchmark::DoNotOptimize(out);
        benchmark::DoNotOptimize(properties);
    }
}
BENCHMARK_CAPTURE(StatePlusProperties, Choose1_t200_p3_5, 200, 3.5, 1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(StatePlusProperties, Choose4_t200_5_p3_52, 200.5, 3.52, 4)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One request of the state calculator: two properties and their values.
struct Known {
    Property a, b;
    double va, vb;
};

// Solves the requests in turn, so the time is the mean over the sample.
void SolveInTurn(benchmark::State& state, const std::vector<Known>& sample) {
    if (!tables().isOpen()) return state.SkipWithError("the generated tables cannot be opened");
    size_t next = 0;
    for (auto _ : state) {
        const Known& k = sample[next];
        calc::StateSolution out = calc::solveState(tables(), k.a, k.va, k.b, k.vb);
        benchmark::DoNotOptimize(out);
        next = (next + 1) % sample.size();
    }
}

// 256 random stable single-phase states (t 0.01-800 C, log p 0.001-100 MPa, more than 0.1 K
// off saturation), each as the pair's two values.
std::vector<Known> singlePhaseSample(int first, int second) {
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> tDist(0.01, 800.0), lpDist(-3.0, 2.0);
    std::vector<Known> sample;
    while (sample.size() < 256) {
        const double t = tDist(rng), p = std::pow(10.0, lpDist(rng)), T = t + 273.15;
        auto branch = iapws95::Branch::Liquid;
        if (T < iapws95::Tc && p < iapws95::pc) {
            const double tsat = iapws95::saturationP(std::max(p, iapws95::triplePointPressure())).T - 273.15;
            if (std::fabs(t - tsat) < 0.1) continue;
            if (t > tsat) branch = iapws95::Branch::Vapour;
        }
        const iapws95::State st = iapws95::stateTP(T, p, branch);
        const double values[] = {t, p, st.v, st.h, st.s, NAN, st.u};
        sample.push_back({Property(first), Property(second), values[first], values[second]});
    }
    return sample;
}

void PairSolve(benchmark::State& state, int first, int second) { SolveInTurn(state, singlePhaseSample(first, second)); }
BENCHMARK_CAPTURE(PairSolve, t_p, 0, 1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, t_v, 0, 2)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, t_h, 0, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, t_s, 0, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, p_v, 1, 2)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, p_h, 1, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, p_s, 1, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, v_h, 2, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, v_s, 2, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, h_s, 3, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, t_u, 0, 6)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, p_u, 1, 6)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, v_u, 2, 6)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, h_u, 3, 6)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairSolve, s_u, 4, 6)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// 256 random wet states (ts 0.01-373.9 C, dryness 0-1), each as the pair's two values.
std::vector<Known> wetSample(int first, int second) {
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> tDist(0.01, 373.9), xDist(0.0, 1.0);
    std::vector<Known> sample;
    while (sample.size() < 256) {
        const double x = xDist(rng);
        const iapws95::Saturation sat = iapws95::saturationT(tDist(rng) + 273.15);
        const auto mix = [x](double liquid, double vapour) { return liquid + x * (vapour - liquid); };
        const double values[] = {sat.T - 273.15,
                                 sat.p,
                                 mix(sat.liquid.v, sat.vapour.v),
                                 mix(sat.liquid.h, sat.vapour.h),
                                 mix(sat.liquid.s, sat.vapour.s),
                                 x};
        sample.push_back({Property(first), Property(second), values[first], values[second]});
    }
    return sample;
}

void WetPairSolve(benchmark::State& state, int first, int second) { SolveInTurn(state, wetSample(first, second)); }
BENCHMARK_CAPTURE(WetPairSolve, t_h, 0, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WetPairSolve, v_h, 2, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WetPairSolve, h_s, 3, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WetPairSolve, v_x, 2, 5)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WetPairSolve, h_x, 3, 5)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WetPairSolve, s_x, 4, 5)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same requests through the state panel: the values typed as their shortest text, read
// back by the boxes' rule, and the answer written as box texts.
void PanelInTurn(benchmark::State& state, int first, int second) {
    if (!tables().isOpen()) return state.SkipWithError("the generated tables cannot be opened");
    std::vector<panels::StatePanel> sample;
    for (const Known& k : singlePhaseSample(first, second)) {
        panels::StatePanel panel;
        panel.text = {"0", "0", "0", "0", "0", "0"};
        panel.ticked[first] = panel.ticked[second] = true;
        panel.text[first] = numeric::shortestText(k.va);
        panel.text[second] = numeric::shortestText(k.vb);
        panels::CHK_Click(panel);
        sample.push_back(panel);
    }
    size_t next = 0;
    for (auto _ : state) {
        panels::StateOutcome out = panels::SCAL2_Click(tables(), sample[next]);
        benchmark::DoNotOptimize(out);
        next = (next + 1) % sample.size();
    }
}
BENCHMARK_CAPTURE(PanelInTurn, t_p, 0, 1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PanelInTurn, h_s, 3, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void Iapws95FromTP(benchmark::State& state) {
    for (auto _ : state) {
        iapws95::State st = iapws95::stateTP(200 + 273.15, 3.5, iapws95::Branch::Liquid);
        benchmark::DoNotOptimize(st);
    }
}
BENCHMARK(Iapws95FromTP)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void Iapws95FromPH(benchmark::State& state) {
    const double h = iapws95::stateTP(200 + 273.15, 3.5, iapws95::Branch::Liquid).h;
    for (auto _ : state) {
        iapws95::State st = iapws95::statePH(3.5, h);
        benchmark::DoNotOptimize(st);
    }
}
BENCHMARK(Iapws95FromPH)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    return steam::bench::runBenchmarks(argc, argv, "The calculators (core_bench)",
                                       {{"SaturationSolve", "≤ 5 µs"},
                                        {"StateSolve", "≤ 10 µs"},
                                        {"StatePlusProperties", "≤ 10 µs more than StateSolve of the same state"},
                                        {"PairSolve/t_p", "≤ 10 µs"},
                                        {"PairSolve/t_", "≤ 25 µs"},
                                        {"PairSolve/p_", "≤ 25 µs"},
                                        {"PairSolve/v_", "≤ 60 µs"},
                                        {"PairSolve/h_", "≤ 60 µs"},
                                        {"PairSolve/s_", "≤ 60 µs"},
                                        {"WetPairSolve/t_", "≤ 25 µs"},
                                        {"WetPairSolve/", "≤ 60 µs"},
                                        {"PropertiesAt", "≤ 10 µs more than the state"}});
}
