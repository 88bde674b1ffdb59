// propertiesAt at a few states (liquid, steam, supercritical, next to the critical point): what
// showing cp, cv, w, mu, lambda, nu and Pr adds to a state calculation, which knows t and v.
// Each runs five times and reports mean, median and spread; the target is a median of at most
// 10 us.
#include "iapws/iapws95.h"
#include "iapws/thermal_properties.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// The state at (t in °C, p in MPa) on the given branch, given to propertiesAt as (T, rho).
void PropertiesAt(benchmark::State& state, double t, double p, iapws95::Branch branch) {
    const double T = t + 273.15;
    const double rho = iapws95::densityTP(T, p, branch);
    if (!std::isfinite(iapws::propertiesAt(T, rho).lambda))
        return state.SkipWithError("the state lies outside propertiesAt's range");
    for (auto _ : state) {
        iapws::ThermalProperties properties = iapws::propertiesAt(T, rho);
        benchmark::DoNotOptimize(properties);
    }
}
BENCHMARK_CAPTURE(PropertiesAt, water_t25_p0_1, 25.0, 0.1, iapws95::Branch::Liquid)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PropertiesAt, steam_t200_p1, 200.0, 1.0, iapws95::Branch::Vapour)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(PropertiesAt, supercritical_t500_p25, 500.0, 25.0, iapws95::Branch::Vapour)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
// 0.2 K above the critical temperature at the critical pressure: both enhancements at work.
BENCHMARK_CAPTURE(PropertiesAt, near_critical_t374_146_p22_064, 374.146, 22.064, iapws95::Branch::Vapour)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
