#include "chart.h"

namespace steam::diagram {

namespace {

using Q = Quantity;

// SWATER columns: 1 ts, 2 ps, 3 v', 4 v'', 5 h', 6 h'', 7 s', 8 s''.
// Register values: saturation slots as those columns, state slots 1 t, 2 p, 3 v, 4 h, 5 s.

constexpr double kCriticalT = 373.946;  // C, the saturation table's last row
constexpr double kCriticalP = 22.064;   // MPa
constexpr double kCriticalV = 0.0031056;
constexpr double kCriticalH = 2084.3;
constexpr double kTripleT = 0.01;
constexpr double kTripleP = 0.000611657;

constexpr ChartLabel kHsLabels[] = {
    {"饱和蒸汽", 7.5, 2750}, {"饱和水", 0.5, 500},    {"湿蒸汽(两相区)", 5.0, 1800},
    {"水", 2.5, 1700},       {"过热蒸汽", 7.5, 3700}, {"超临界区", 2.5, 3500},
};
constexpr ChartLabel kTsLabels[] = {
    {"饱和蒸汽", 7.4, 150}, {"饱和水", 0.25, 215},  {"湿蒸汽(两相区)", 3.0, 150},
    {"水", 1.2, 330},       {"过热蒸汽", 7.3, 480}, {"超临界区", 2.2, 640},
};
constexpr ChartLabel kPvLabels[] = {
    {"饱和蒸汽", 0.8, 0.5}, {"饱和水", 0.0013, 0.3}, {"湿蒸汽(两相区)", 0.003, 0.01},
    {"水", 0.00052, 5},     {"过热蒸汽", 0.4, 1.5},  {"超临界区", 0.003, 60},
};
constexpr ChartLabel kPtLabels[] = {
    {"水", 60, 10},       {"过热蒸汽", 380, 0.02}, {"超临界区", 420, 70},
    {"饱和线", 160, 1.5}, {"临界点", 255, 35},     {"三相点", 15, 0.0011},
};

constexpr MarkedPoint kHsSaturation[] = {{7, 5, " ( s', h')"}, {8, 6, "(s'', h'')"}};
constexpr MarkedPoint kTsSaturation[] = {{7, 1, " ( s', ts)"}, {8, 1, "(s'', ts)"}};
constexpr MarkedPoint kPvSaturation[] = {{3, 2, " ( v', ps)"}, {4, 2, "(v'', ps)"}};
constexpr MarkedPoint kPtSaturation[] = {{1, 2, "(ts, ps)"}};

const std::array<ChartDescription, kChartCount> kDescriptions{{
    {Chart::HS,
     "hs",
     "s—h图",
     "水的h-s图",
     {Q::s, false, "s (kJ/kg.K)", 0.0, 9.99},
     {Q::h, false, "h (kJ/kg)", 0.0, 5000.0},
     {Q::t, Q::p, Q::v, Q::x},
     {"DengT", "DengP", "DengV", "DengX"},
     {7, 5, 8, 6},
     {kCriticalEntropy, kCriticalH},
     std::nullopt,
     kHsLabels,
     kHsSaturation,
     {5, 4, "( s , h )"}},
    {Chart::TS,
     "ts",
     "t—s图",
     "水的T-s图",
     {Q::s, false, "s (kJ/kg.K)", 0.0, 10.0},
     {Q::t, false, "t (°C)", 0.0, 800.0},
     {Q::h, Q::p, Q::v, Q::x},
     {"TS_H", "TS_P", "TS_V", "TS_X"},
     {7, 1, 8, 1},
     {kCriticalEntropy, kCriticalT},
     std::nullopt,
     kTsLabels,
     kTsSaturation,
     {5, 1, "( s , t )"}},
    {Chart::PV,
     "pv",
     "p—v图",
     "水的p-v图",
     {Q::v, true, "v (m^3/kg)", 0.0005, 500.0},
     {Q::p, true, "p (MPa)", 0.0005, 100.0},
     {Q::t, Q::s, std::nullopt, Q::x},
     {"PV_T", "PV_S", nullptr, "PV_X"},
     {3, 2, 4, 2},
     {kCriticalV, kCriticalP},
     std::nullopt,
     kPvLabels,
     kPvSaturation,
     {3, 2, "( v , p )"}},
    {Chart::PT,
     "pt",
     "p—t图",
     "水的p-t图",
     {Q::t, false, "t (°C)", 0.0, 600.0},
     {Q::p, true, "p (MPa)", 0.0005, 100.0},
     {std::nullopt, std::nullopt, Q::v, std::nullopt},
     {nullptr, nullptr, "PT_V", nullptr},
     {1, 2, 1, 2},
     {kCriticalT, kCriticalP},
     std::array<double, 2>{kTripleT, kTripleP},
     kPtLabels,
     kPtSaturation,
     {1, 2, "( t , p )"}},
}};

// Curve colours of the h-s families as they always were; the two families of other charts
// in colours of their own.
constexpr std::array<FamilyStyle, kQuantityCount> kFamilies{{
    {Q::t, "t", "等温线", {200, 0, 0}, {128, 0, 0}},
    {Q::p, "p", "等压线", {0, 0, 200}, {0, 0, 128}},
    {Q::v, "v", "等比容线", {0, 170, 0}, {0, 64, 64}},
    {Q::h, "h", "等焓线", {160, 0, 160}, {96, 0, 96}},
    {Q::s, "s", "等熵线", {200, 110, 0}, {128, 72, 0}},
    {Q::x, "x", "等干度线", {0, 0, 0}, {0, 0, 0}},
}};

}  // namespace

const ChartDescription& chartDescription(Chart chart) { return kDescriptions[static_cast<size_t>(chart)]; }

const FamilyStyle& familyStyle(Quantity key) {
    for (const FamilyStyle& style : kFamilies)
        if (style.key == key) return style;
    return kFamilies.back();
}

Rgb CurveColour(Quantity key) { return familyStyle(key).colour; }

std::optional<Chart> chartNamed(std::string_view name) {
    for (const ChartDescription& d : kDescriptions)
        if (name == d.name) return d.chart;
    return std::nullopt;
}

double unitsPerPixelAtTenfoldZoom(const ChartAxis& axis, double pixels) {
    const double span = axis.toChart(axis.defaultMax) - axis.toChart(axis.defaultMin);
    return span * 1.16 / (10.0 * pixels);
}

}  // namespace steam::diagram
