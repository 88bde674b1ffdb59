// One saturation calculation, one state calculation per table match kind (Choose 1 to 4), and
// the direct IAPWS-95 evaluation of the same state from (t, p) and from (p, h). Each runs five
// times and reports mean, median and spread; the targets are a median under 100 us for a
// state calculation and under 30 us for a saturation calculation.
#include "calc/panels.h"
#include "calc/saturation_calculator.h"
#include "calc/state_calculator.h"
#include "data/property_database.h"

#include "iapws95.h"

#include <benchmark/benchmark.h>

#include <string>

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
