#include "markdown_report.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace steam::bench {
namespace {

struct Row {
    std::string name;
    double real = 0, cpu = 0;
    std::string unit;
    std::map<std::string, double> counters;
};

const char* unitName(benchmark::TimeUnit unit) {
    switch (unit) {
        case benchmark::kNanosecond: return "ns";
        case benchmark::kMicrosecond: return "µs";
        case benchmark::kMillisecond: return "ms";
        default: return "s";
    }
}

std::string figure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, value >= 100 ? "%.0f" : value >= 10 ? "%.1f" : "%.2f", value);
    return text;
}

// The console report, keeping the median of each benchmark (or its one run when it has no
// repetitions) for the table.
class MedianCollector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!median && run.run_type == Run::RT_Aggregate) continue;
            if (!median && run.repetitions > 1) continue;
            const std::string name =
                run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            Row row{name, run.GetAdjustedRealTime(), run.GetAdjustedCPUTime(), unitName(run.time_unit), {}};
            for (const auto& [key, counter] : run.counters) row.counters[key] = counter.value;
            rows.push_back(std::move(row));
        }
    }
    std::vector<Row> rows;
};

std::string targetOf(const std::string& name, const std::vector<Target>& targets) {
    std::string found;
    std::size_t longest = 0;
    for (const Target& t : targets)
        if (name.rfind(t.prefix, 0) == 0 && t.prefix.size() >= longest) {
            found = t.text;
            longest = t.prefix.size();
        }
    return found;
}

bool writeMarkdown(const std::string& file, const std::string& title, const std::vector<Row>& rows,
                   const std::vector<Target>& targets) {
    std::ostringstream out;
    char date[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y-%m-%d", std::gmtime(&now));
    out << "## " << title << "\n\nMeasured " << date << " on " << std::thread::hardware_concurrency()
        << " cores (Release build; medians of the repetitions).\n\n";
    out << "| benchmark | real time | CPU time | counters | target |\n| --- | ---: | ---: | --- | --- |\n";
    for (const Row& row : rows) {
        std::string counters;
        for (const auto& [key, value] : row.counters)
            counters += (counters.empty() ? "" : ", ") + key + " " + figure(value);
        out << "| `" << row.name << "` | " << figure(row.real) << ' ' << row.unit << " | " << figure(row.cpu) << ' '
            << row.unit << " | " << counters << " | " << targetOf(row.name, targets) << " |\n";
    }
    std::ofstream file_out(file, std::ios::trunc);
    file_out << out.str();
    return static_cast<bool>(file_out.flush());
}

}  // namespace

int runBenchmarks(int argc, char** argv, const std::string& title, const std::vector<Target>& targets) {
    std::string markdown;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--markdown=", 11) == 0)
            markdown = argv[i] + 11;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    MedianCollector reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (!markdown.empty() && !writeMarkdown(markdown, title, reporter.rows, targets)) {
        std::fprintf(stderr, "cannot write %s\n", markdown.c_str());
        return 1;
    }
    return 0;
}

}  // namespace steam::bench
