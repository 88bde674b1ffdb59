// `steamcalc --json -` answering 20,000 random (t, p) requests from one file, as a batch job
// does: the whole process, start-up and output included, on the real tables beside it. The
// requests are drawn with a fixed seed (t 0.01 to 800 C, p log-uniform 0.001 to 100 MPa).
#include "data/property_database.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

namespace {

constexpr int kRequests = 20000;

std::filesystem::path writeRequests() {
    const auto file = std::filesystem::temp_directory_path() / "steamcalc_batch_requests.txt";
    std::ofstream out(file, std::ios::trunc);
    std::mt19937_64 random(20240607);
    std::uniform_real_distribution<double> t(0.01, 800.0), logP(-3.0, 2.0);
    char line[96];
    for (int i = 0; i < kRequests; ++i) {
        std::snprintf(line, sizeof line, "state t=%.2f p=%.6f\n", t(random), std::pow(10.0, logP(random)));
        out << line;
    }
    return file;
}

void TwentyThousandStateRequestsThroughSteamcalc(benchmark::State& state) {
    static const std::filesystem::path requests = writeRequests();
    const std::string command = "'" + (steam::data::executableDirectory() / "steamcalc").string() + "' --json - < '" +
                                requests.string() + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("steamcalc failed (are the tables beside it?)");
            return;
        }
    }
}
BENCHMARK(TwentyThousandStateRequestsThroughSteamcalc)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::cout << "Target: median below 1 s for the 20,000 requests.\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
