// Generates the eight data sources from IAPWS-95 into a folder:
//   make_tables OUTPUT_DIR
// Any solve that fails ends the run with a message and a non-zero exit; no source is
// replaced by a partial one.
#include "curve_tables.h"
#include "grid_tables.h"
#include "saturation_table.h"
#include "sqlite_writer.h"

#include "data/chart_tables.h"
#include "data/schema.h"
#include "iapws/iapws95.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <thread>

using namespace tables;
using steam::data::dataFileName;
using steam::data::Source;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void writeSaturation(const std::filesystem::path& dir, int threads) {
    SaturationTableStats stats;
    const auto rows = buildSaturationTable(threads, &stats);
    std::vector<std::vector<double>> out;
    for (const auto& r : rows) out.push_back({r.ts, r.ps, r.v1, r.v11, r.h1, r.h11, r.s1, r.s11, double(r.wf)});
    TableLayout layout{"SWATER",
                       {"ts", "ps", "v1", "v11", "h1", "h11", "s1", "s11", "wf"},
                       {"wf"},
                       {{"ts"}, {"ps"}, {"v1"}, {"v11"}, {"h1"}, {"h11"}, {"s1"}, {"s11"}},
                       {}};
    writeTable(dir / dataFileName(Source::Swater), layout, out);
    std::printf("SWATER: %zu rows (%d for lookups, %d for the diagram only); diagram samples at ts =", rows.size(),
                stats.lookupRows, stats.drawingRows);
    for (double t : stats.sampledTemperatures) std::printf(" %g", t);
    std::printf("\n");
}

void writeGrid(const std::filesystem::path& dir, GridTable table, int threads) {
    GridStats stats;
    const auto rows = buildGridTable(table, threads, &stats);
    std::vector<std::vector<double>> out;
    out.reserve(rows.size());
    for (const auto& r : rows) out.push_back({r.t, r.p, r.v, r.h, r.s});
    const bool water = table == GridTable::Water;
    TableLayout layout{water ? "WATER" : "VAPOR",
                       {"t", "p", "v", "h", "s"},
                       {},
                       // Stored along the isotherms, indexed along the isobars; the index holds
                       // every column, so a walk along either line reads one b-tree alone.
                       {{"p", "t", "v", "h", "s", "n"}},
                       {"t", "p"}};
    writeTable(dir / dataFileName(water ? Source::Water : Source::Vapor), layout, out);
    std::printf("%s: %ld rows (%ld metastable), %zu pressures, %zu temperatures\n", layout.table.c_str(), stats.rows,
                stats.metastableRows, gridPressures().size(), gridTemperatures(table).size());
}

void writeCurves(const std::filesystem::path& dir, int threads) {
    for (const auto& family : buildCurveTables(threads)) {
        std::vector<std::vector<double>> out;
        for (const auto& p : family.points) out.push_back({p.key, p.h, p.s});
        const Source source = family.table == "DengT"   ? Source::DengT
                              : family.table == "DengP" ? Source::DengP
                              : family.table == "DengV" ? Source::DengV
                                                        : Source::DengX;
        writeTable(dir / dataFileName(source), TableLayout{family.table, {family.keyColumn, "h", "s"}, {}, {}, {}},
                   out);
        size_t curves = 0;
        for (size_t i = 0; i < family.points.size(); ++i)
            curves += i == 0 || family.points[i].key != family.points[i - 1].key;
        std::printf("%s: %zu curves, %zu points\n", family.table.c_str(), curves, family.points.size());
    }
}

void writeCharts(const std::filesystem::path& dir, int threads) {
    std::vector<TableContent> tables;
    for (const auto& family : buildChartTables(threads)) {
        const steam::data::ChartTable* schema = nullptr;
        for (const auto& t : steam::data::kChartTables)
            if (family.table == t.table) schema = &t;
        TableContent content{TableLayout{family.table, {schema->key, schema->x, schema->y}, {}, {}, {}}, {}};
        size_t curves = 0;
        for (size_t i = 0; i < family.rows.size(); ++i) {
            content.rows.push_back({family.rows[i][0], family.rows[i][1], family.rows[i][2]});
            curves += i == 0 || family.rows[i][0] != family.rows[i - 1][0];
        }
        std::printf("%s: %zu curves, %zu points\n", family.table.c_str(), curves, family.rows.size());
        tables.push_back(std::move(content));
    }
    writeTables(dir / dataFileName(Source::Charts), tables);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_tables OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const int threads = std::max(1u, std::thread::hardware_concurrency());
    const auto start = std::chrono::steady_clock::now();
    try {
        std::filesystem::create_directories(dir);
        writeSaturation(dir, threads);
        writeGrid(dir, GridTable::Water, threads);
        writeGrid(dir, GridTable::Vapor, threads);
        writeCurves(dir, threads);
        writeCharts(dir, threads);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_tables: %s\n", e.what());
        return 1;
    }
    std::uintmax_t bytes = 0;
    for (const auto& info : steam::data::kSources) bytes += std::filesystem::file_size(dir / dataFileName(info.source));
    std::printf("eight data sources, %.1f MB in all, written in %.1f s\n", bytes / 1e6, secondsSince(start));
    return 0;
}
