#pragma once
// The main of every benchmark program: the console report as Google Benchmark prints it, and
// with --markdown=FILE also the medians as a Markdown table (real time, CPU time, the
// counters, the target a figure is held to), so the speed figures in docs/ are written by
// the programs that measure them, never by hand.
#include <string>
#include <vector>

namespace steam::bench {

/// A target for the benchmarks whose names begin with `prefix`: the text shown beside them.
struct Target {
    std::string prefix;
    std::string text;
};

/// Runs the registered benchmarks. `title` heads the Markdown section; the rest of the
/// arguments are Google Benchmark's. Returns the program's exit status.
int runBenchmarks(int argc, char** argv, const std::string& title, const std::vector<Target>& targets);

}  // namespace steam::bench
