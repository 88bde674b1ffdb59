// `steamcalc --json -` answering a batch of 20,000 requests from one file, as a batch job
// does: the whole process, start-up and output included, on the real tables beside it. Two
// batches, drawn with fixed seeds from random single-phase states (t 0.01 to 800 C, p
// log-uniform 0.001 to 100 MPa, more than 0.1 K off saturation, values from IAPWS-95): (t, p)
// requests only, and (t, p), (p, h), (p, s), (t, h) and (h, s) in equal parts. Each reports the
// wall time and, as the counter cpu_s, the CPU time the steamcalc process used.
#include "data/property_database.h"
#include "iapws/iapws95.h"

#include "markdown_report.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

namespace {

constexpr int kRequests = 20000;

// A stable state: t C, p MPa and its v, h, s.
struct State {
    double t, p, h, s;
};

State randomState(std::mt19937_64& random) {
    std::uniform_real_distribution<double> tDist(0.01, 800.0), logP(-3.0, 2.0);
    for (;;) {
        const double t = tDist(random), p = std::pow(10.0, logP(random)), T = t + 273.15;
        auto branch = iapws95::Branch::Liquid;
        if (T < iapws95::Tc && p < iapws95::pc) {
            const double ts = iapws95::saturationP(std::max(p, iapws95::triplePointPressure())).T - 273.15;
            if (std::fabs(t - ts) < 0.1) continue;
            if (t > ts) branch = iapws95::Branch::Vapour;
        }
        const iapws95::State st = iapws95::stateTP(T, p, branch);
        return {t, p, st.h, st.s};
    }
}

std::filesystem::path writeRequests(bool mixed) {
    const auto file =
        std::filesystem::temp_directory_path() / (mixed ? "steamcalc_batch_mixed.txt" : "steamcalc_batch_tp.txt");
    std::ofstream out(file, std::ios::trunc);
    std::mt19937_64 random(mixed ? 20261208 : 20240607);
    char line[160];
    for (int i = 0; i < kRequests; ++i) {
        const State st = randomState(random);
        switch (mixed ? i % 5 : 0) {
            case 0: std::snprintf(line, sizeof line, "state t=%.17g p=%.17g\n", st.t, st.p); break;
            case 1: std::snprintf(line, sizeof line, "state p=%.17g h=%.17g\n", st.p, st.h); break;
            case 2: std::snprintf(line, sizeof line, "state p=%.17g s=%.17g\n", st.p, st.s); break;
            case 3: std::snprintf(line, sizeof line, "state t=%.17g h=%.17g\n", st.t, st.h); break;
            default: std::snprintf(line, sizeof line, "state h=%.17g s=%.17g\n", st.h, st.s); break;
        }
        out << line;
    }
    return file;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

void Batch(benchmark::State& state, bool mixed) {
    const std::filesystem::path requests = writeRequests(mixed);
    const std::string command = "'" + (steam::data::executableDirectory() / "steamcalc").string() + "' --json - < '" +
                                requests.string() + "' > /dev/null";
    double cpu = 0;
    for (auto _ : state) {
        const double before = childCpuSeconds();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("steamcalc failed (are the tables beside it?)");
            return;
        }
        cpu += childCpuSeconds() - before;
    }
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(Batch, twenty_thousand_t_p, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(Batch, twenty_thousand_mixed, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    return steam::bench::runBenchmarks(argc, argv, "steamcalc on a batch of 20,000 requests (batch_bench)",
                                       {{"Batch/twenty_thousand_mixed", "cpu_s ≤ 0.45 s"}});
}
