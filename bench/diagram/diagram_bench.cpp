// One full drawWindow into the QImage surface, at the window's first size and maximised,
// with every layer on, all nine registers shown and both current results: the redraw that
// panning repeats on every mouse move and that a switch of chart does once, for each chart in
// its default window and in the zooms a teacher uses. And ReadCurveData, the start-up's share
// of the diagram (every chart's lines). Reads the real tables beside the executable.
#include "render/qimage_surface.h"

#include "calc/register_store.h"
#include "data/property_database.h"
#include "diagram/diagram.h"
#include "diagram/diagram_startup.h"

#include <QGuiApplication>

#include "markdown_report.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <iostream>
#include <iterator>
#include <memory>

namespace {

using namespace steam;

struct Loaded {
    data::PropertyDatabase db;
    diagram::Diagram diagram;
    calc::RegisterStore registers;
    std::string error;
    bool ok = false;
};

std::unique_ptr<Loaded> loadScene() {
    auto scene = std::make_unique<Loaded>();
    render::QImageSurface first;
    if (!scene->db.openFirst(data::dataPlaces(), scene->error) ||
        !diagram::startDiagram(scene->diagram, first, scene->registers, scene->db, scene->error))
        return scene;
    // Saturation states at 100 to 300 C and single-phase states across the chart.
    const std::vector<std::vector<std::string>> saturation{
        {"100", "0.101418", "0.00104346", "1.67186", "419.17", "2675.57", "1.3072", "7.3541", "419.06", "2506.02"},
        {"150", "0.476160", "0.00109050", "0.39248", "632.25", "2745.92", "1.8420", "6.8379", "631.66", "2559.05"},
        {"200", "1.554900", "0.00115651", "0.12721", "852.26", "2792.01", "2.3305", "6.4302", "850.47", "2594.20"},
        {"250", "3.976200", "0.00125174", "0.05008", "1085.8", "2800.90", "2.7935", "6.0721", "1080.79", "2601.79"},
        {"300", "8.587900", "0.00140422", "0.02167", "1344.8", "2749.57", "3.2552", "5.7059", "1332.95", "2563.62"},
    };
    for (int r = 0; r < 5; ++r) {
        scene->registers.store(r, saturation[r]);
        scene->registers.setShown(r, true);
    }
    const std::vector<std::vector<std::string>> states{
        {"200", "3.5", "0.0011526", "853.8", "2.3285", "(none)", "849.02"},
        {"400", "1", "0.30661", "3264.5", "7.4670", "(none)", "2957.87"},
        {"500", "10", "0.032811", "3375.1", "6.5995", "(none)", "3047.02"},
        {"600", "30", "0.0086838", "3444.0", "6.2339", "(none)", "3103.40"},
    };
    for (int r = 5; r < 9; ++r) {
        scene->registers.store(r, states[r - 5]);
        scene->registers.setShown(r, true);
    }
    scene->registers.setCurrentSatPoint({120, 0.198665, 0.0010603, 0.89186, 503.81, 2706.0, 1.5279, 7.1292});
    scene->registers.setCurrentStatePoint({300, 2, 0.12551, 3024.2, 6.7684, 0});
    scene->ok = true;
    return scene;
}

struct Window {
    diagram::Chart chart;
    const char* name;
    double xmin, xmax, ymin, ymax;  // in the axes' units
};
constexpr Window kWindows[] = {
    {diagram::Chart::HS, "h-s default", 0, 9.99, 0, 5000},
    {diagram::Chart::HS, "h-s s5-8/h2000-3000", 5, 8, 2000, 3000},
    {diagram::Chart::HS, "h-s s6-8/h2600-3800", 6, 8, 2600, 3800},
    {diagram::Chart::HS, "h-s s3.5-5.5/h1800-2800", 3.5, 5.5, 1800, 2800},
    {diagram::Chart::HS, "h-s s0-2/h0-600", 0, 2, 0, 600},
    {diagram::Chart::TS, "T-s default", 0, 10, 0, 800},
    {diagram::Chart::TS, "T-s s5-8/t100-400", 5, 8, 100, 400},
    {diagram::Chart::PV, "p-v default", 0.0005, 500, 0.0005, 100},
    {diagram::Chart::PV, "p-v v0.001-1/p0.1-30", 0.001, 1, 0.1, 30},
    {diagram::Chart::PT, "p-t default", 0, 600, 0.0005, 100},
    {diagram::Chart::PT, "p-t t100-400/p0.1-30", 100, 400, 0.1, 30},
};

// Redraws the window of the benchmark's range argument into `pic`, every layer and marker on.
void redrawInto(benchmark::State& state, render::QImageSurface& pic) {
    static std::unique_ptr<Loaded> scene = loadScene();
    if (!scene->ok) {
        state.SkipWithError(("no real tables beside the executable: " + scene->error).c_str());
        return;
    }
    const Window& w = kWindows[state.range(0)];
    state.SetLabel(w.name);
    diagram::Diagram& d = scene->diagram;
    d.setChart(w.chart);
    d.CHKpic.fill(true);
    const diagram::ChartDescription& c = d.description();
    const double xmin = c.x.toChart(w.xmin), xmax = c.x.toChart(w.xmax);
    const double ymin = c.y.toChart(w.ymin), ymax = c.y.toChart(w.ymax);
    d.scale.DefineScale(xmin, xmax, ymin, ymax);
    for (auto _ : state) {
        d.drawWindow(pic, scene->registers, xmin, xmax, ymin, ymax);
        benchmark::DoNotOptimize(pic.image().constBits());
    }
}

// Every window, nine repetitions, the largest beside the median.
void overEveryWindow(benchmark::internal::Benchmark* b) {
    b->DenseRange(0, std::size(kWindows) - 1)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });
}

void FullRedraw(benchmark::State& state) {
    render::QImageSurface pic;
    redrawInto(state, pic);
}
BENCHMARK(FullRedraw)->Apply(overEveryWindow);

// The same redraw in the chart box of the window maximised on a 1920 x 1080 screen: 1544 x 932
// pixels, text and lines scaled by 932 / 465. Lines two pixels wide go through QPainter
// rather than straight into the image.
void FullRedrawMaximised(benchmark::State& state) {
    render::QImageSurface pic(1544, 932, 932.0 / 465.0);
    redrawInto(state, pic);
}
BENCHMARK(FullRedrawMaximised)->Apply(overEveryWindow);

// Opening the eight sources and reading the curves, as the window's load step does.
void OpenAndReadCurveData(benchmark::State& state) {
    for (auto _ : state) {
        data::PropertyDatabase db;
        diagram::CurveStore store;
        std::string error;
        if (!db.open(data::executableDirectory(), error) || !store.ReadCurveData(db, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(store.SaturationDome.data());
    }
}
BENCHMARK(OpenAndReadCurveData)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// ReadCurveData alone, on sources already open.
void ReadCurveData(benchmark::State& state) {
    data::PropertyDatabase db;
    std::string error;
    if (!db.open(data::executableDirectory(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        diagram::CurveStore store;
        if (!store.ReadCurveData(db, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(store.SaturationDome.data());
    }
}
BENCHMARK(ReadCurveData)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return steam::bench::runBenchmarks(argc, argv, "The charts (diagram_bench)",
                                       {{"FullRedraw", "≤ 2 ms"}, {"FullRedrawMaximised", "≤ 16 ms"}});
}
