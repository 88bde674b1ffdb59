// One saturation calculation, one state calculation per table match kind (Choose 1 to 4), each
// known pair over a fixed sample of random single-phase states, the pairs that can name a wet
// state without t or p over random wet states, and the direct IAPWS-95 evaluation of the same
// state from (t, p) and from (p, h). Each runs five times and reports mean, median and spread;
// the targets are a median under 100 us for a state calculation with t or p, under 200 us for
// one without, and under 30 us for a saturation calculation.
#include "calc/panels.h"
#include "calc/saturation_calculator.h"
#include "calc/state_calculator.h"
#include "data/property_database.h"
#include "data/query_text.h"

#include "iapws/iapws95.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace steam;

const data::PropertyDatabase& tables() {
    static data::PropertyDatabase db;
    static std::string error;
    static const bool ok = db.open(data::executableDirectory(), error);
    (void)ok;
    return db;
}

void SaturationCalculation(benchmark::State& state) {
    if (!tables().isOpen()) return state.SkipWithError("the generated tables cannot be opened");
    calc::SaturationPanel panel;
    calc::OPT_Click(panel, 0);
    panel.text[0] = "100";
    for (auto _ : state) {
        calc::SaturationOutcome out = calc::SCAL_Click(tables(), panel);
        benchmark::DoNotOptimize(out);
    }
    if (!calc::SCAL_Click(tables(), panel).result) state.SkipWithError("ts 100 gave no result");
}
BENCHMARK(SaturationCalculation)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// t and p typed: WATER tabulates whole kelvins and the pressures 3.50 and 3.55 (3.52 is not).
void StateCalculation(benchmark::State& state, const char* t, const char* p, int expectedChoose) {
    if (!tables().isOpen()) return state.SkipWithError("the generated tables cannot be opened");
    calc::StatePanel panel;
    panel.text = {t, p, "0", "0", "0", "0"};
    panel.ticked[0] = panel.ticked[1] = true;
    calc::CHK_Click(panel);
    const calc::StateOutcome check = calc::SCAL2_Click(tables(), panel);
    if (check.Choose != expectedChoose || !check.messages.empty())
        return state.SkipWithError(("t=" + std::string(t) + " p=" + p + " gave Choose " + std::to_string(check.Choose)).c_str());
    for (auto _ : state) {
        calc::StateOutcome out = calc::SCAL2_Click(tables(), panel);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK_CAPTURE(StateCalculation, Choose1_t200_p3_5, "200", "3.5", 1)
    ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(StateCalculation, Choose2_t200_p3_52, "200", "3.52", 2)
    ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(StateCalculation, Choose3_t200_5_p3_5, "200.5", "3.5", 3)
    ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(StateCalculation, Choose4_t200_5_p3_52, "200.5", "3.52", 4)
    ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A panel with boxes `first` and `second` ticked and typed from values (t p v h s x), the
// others "0".
calc::StatePanel typedPanel(int first, int second, const double* values) {
    calc::StatePanel panel;
    panel.text = {"0", "0", "0", "0", "0", "0"};
    panel.ticked[first] = panel.ticked[second] = true;
    panel.text[first] = data::numberText(values[first]);
    panel.text[second] = data::numberText(values[second]);
    calc::CHK_Click(panel);
    return panel;
}

// Calculates the panels in turn, so the time is the mean over the sample.
void CalculateInTurn(benchmark::State& state, const std::vector<calc::StatePanel>& panels) {
    if (!tables().isOpen()) return state.SkipWithError("the generated tables cannot be opened");
    size_t next = 0;
    for (auto _ : state) {
        calc::StateOutcome out = calc::SCAL2_Click(tables(), panels[next]);
        benchmark::DoNotOptimize(out);
        next = (next + 1) % panels.size();
    }
}

// 256 random stable single-phase states (t 0.01-800 C, log p 0.001-100 MPa, more than 0.1 K
// off saturation), each as a panel with the pair's two boxes typed.
std::vector<calc::StatePanel> pairPanels(int first, int second) {
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> tDist(0.01, 800.0), lpDist(-3.0, 2.0);
    std::vector<calc::StatePanel> panels;
    while (panels.size() < 256) {
        const double t = tDist(rng), p = std::pow(10.0, lpDist(rng)), T = t + 273.15;
        auto branch = iapws95::Branch::Liquid;
        if (T < iapws95::Tc && p < iapws95::pc) {
            const double tsat = iapws95::saturationP(std::max(p, iapws95::triplePointPressure())).T - 273.15;
            if (std::fabs(t - tsat) < 0.1) continue;
            if (t > tsat) branch = iapws95::Branch::Vapour;
        }
        const iapws95::State st = iapws95::stateTP(T, p, branch);
        const double values[] = {t, p, st.v, st.h, st.s};
        panels.push_back(typedPanel(first, second, values));
    }
    return panels;
}

void PairCalculation(benchmark::State& state, int first, int second) { CalculateInTurn(state, pairPanels(first, second)); }
BENCHMARK_CAPTURE(PairCalculation, t_p, 0, 1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairCalculation, t_v, 0, 2)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairCalculation, t_h, 0, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairCalculation, t_s, 0, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairCalculation, p_v, 1, 2)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairCalculation, p_h, 1, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairCalculation, p_s, 1, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairCalculation, v_h, 2, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairCalculation, v_s, 2, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PairCalculation, h_s, 3, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// 256 random wet states (ts 0.01-373.9 C, dryness 0-1), each as a panel with the pair's two
// boxes typed.
std::vector<calc::StatePanel> wetPanels(int first, int second) {
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> tDist(0.01, 373.9), xDist(0.0, 1.0);
    std::vector<calc::StatePanel> panels;
    while (panels.size() < 256) {
        const double x = xDist(rng);
        const iapws95::Saturation sat = iapws95::saturationT(tDist(rng) + 273.15);
        const auto mix = [x](double liquid, double vapour) { return liquid + x * (vapour - liquid); };
        const double values[] = {sat.T - 273.15, sat.p, mix(sat.liquid.v, sat.vapour.v), mix(sat.liquid.h, sat.vapour.h),
                                 mix(sat.liquid.s, sat.vapour.s), x};
        panels.push_back(typedPanel(first, second, values));
    }
    return panels;
}

void WetPairCalculation(benchmark::State& state, int first, int second) { CalculateInTurn(state, wetPanels(first, second)); }
BENCHMARK_CAPTURE(WetPairCalculation, v_h, 2, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WetPairCalculation, h_s, 3, 4)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WetPairCalculation, v_x, 2, 5)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WetPairCalculation, h_x, 3, 5)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(WetPairCalculation, s_x, 4, 5)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

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

BENCHMARK_MAIN();
