#include "grid_tables.h"

#include "decimal_key.h"
#include "iapws/iapws95.h"

#include <algorithm>
#include <cmath>
#include <future>

namespace tables {
namespace {

constexpr double kKelvin = 273.15;
constexpr double kCriticalT = 373.946;          // C
constexpr double kFirstSupercritical = 373.95;  // the calculator's critical temperature
constexpr double kCriticalP = 22.064;

void addRange(std::vector<int64_t>& milli, int64_t from, int64_t to, int64_t step) {
    for (int64_t m = from; m <= to; m += step)
        if (milli.empty() || m > milli.back()) milli.push_back(m);
}

// Saturation temperature in C at p, or a value below the triple point for lower pressures.
double saturationTemperature(double p) {
    if (p < iapws95::triplePointPressure()) return -1.0;
    if (p >= kCriticalP) return kCriticalT;
    return iapws95::saturationP(p).T - kKelvin;
}

}  // namespace

namespace {

// Pressure keys m * 10^exponent (MPa) for from <= m < to.
struct KeyRun {
    int from, to, step, exponent;
};

constexpr KeyRun kCloserIsobars[] = {
    // Close below the critical pressure the saturation temperature changes fast and the
    // metastable runs are short (the spinodals close in), so the isobars lie closer there.
    {1800, 2100, 5, -2},
    {2100, 2206, 1, -2},
    // Just above the critical pressure, where the pseudo-critical peak is sharp: every kPa
    // (the finest step of five-digit keys) to 22.2 MPa, where the pseudo-critical line crosses
    // the isotherms within 0.35 K of the critical point (it climbs about 0.27 MPa per K), and
    // 5 kPa on to 22.4 MPa, where it crosses them to about 375 C.
    {22065, 22200, 1, -3},
    {22200, 22400, 5, -3},
    {22400, 23000, 10, -3},
    {23000, 24000, 20, -3},
    {2400, 3000, 5, -2},
    {26000, 26500, 25, -3},
    // Steam near saturation from 10 MPa on bends sharply along its isotherms, and so does
    // supercritical water along the pseudo-critical line up to about 70 MPa: closer isobars
    // keep linear interpolation between neighbours within the targets there.
    {1000, 1400, 10, -2},
    {1400, 1800, 5, -2},
    {3000, 3600, 10, -2},
    {3600, 4000, 20, -2},
    {4000, 5000, 25, -2},
    {500, 700, 5, -1},
};

}  // namespace

std::vector<double> gridPressures() {
    // Three-digit mantissas, at most 2.5 % apart, so that ideal-gas entropy (R ln p) stays
    // within 1e-4 kJ/(kg K) between neighbours; the critical pressure itself is a key.
    std::vector<double> p;
    for (int e = -6; e <= 0; ++e) {
        for (int m = 100; m < 1000; m += (m < 200 ? 2 : m < 500 ? 5 : 10)) {
            const double value = decimalKey(m, e);
            if (value >= 0.00058 - 1e-12 && value < 100.0) p.push_back(value);
        }
    }
    for (const KeyRun& run : kCloserIsobars)
        for (int m = run.from; m < run.to; m += run.step) p.push_back(decimalKey(m, run.exponent));
    // Beyond 100 MPa a few more isobars, so states near 100 MPa are bracketed on both sides.
    for (int m = 100; m <= 120; m += 2) p.push_back(m);
    p.push_back(101);
    p.push_back(kCriticalP);
    std::sort(p.begin(), p.end());
    p.erase(std::unique(p.begin(), p.end()), p.end());
    return p;
}

std::vector<double> stretchedLiquidPressures() {
    return {-100, -80, -60, -50, -40, -30, -20, -15, -10, -7, -5, -3, -2, -1, -0.5, -0.2, -0.1};
}

std::vector<double> gridTemperatures(GridTable table) {
    std::vector<int64_t> milli{10};
    if (table == GridTable::Water) {
        // Compressed water close to saturation above 15 MPa: half and quarter kelvins.
        addRange(milli, 1000, 340000, 1000);
        addRange(milli, 340500, 355000, 500);
        addRange(milli, 355250, 360000, 250);
        // Tenths of a kelvin through the near-critical band: compressed water close to
        // saturation and the pseudo-critical peak of cp above the critical pressure; twentieths
        // within a few kelvins of the critical point, where the peak is sharpest, and every
        // millikelvin (the finest step of the keys) in the first 0.35 K above it, where h of the
        // supercritical fluid falls by tens of kJ/kg within a kPa across the pseudo-critical line,
        // and hundredths on to 376 C as the fall widens. These isotherms hold only the isobars
        // from the critical pressure on.
        addRange(milli, 360100, 370000, 100);
        addRange(milli, 370050, 373900, 50);
        addRange(milli, 373950, 374300, 1);
        addRange(milli, 374310, 376000, 10);
        addRange(milli, 376050, 377000, 50);
        addRange(milli, 377100, 392000, 100);
    } else {
        // Steam near saturation at high pressure has a large, fast-changing cp: whole kelvins there.
        addRange(milli, 2000, 250000, 2000);
        addRange(milli, 251000, 330000, 1000);
        addRange(milli, 330500, 349000, 500);
        addRange(milli, 349250, 362000, 250);
        // Quarter, tenth and twentieth kelvins close to the critical point, where steam near
        // saturation has a large, fast-changing cp and its metastable continuation is short.
        addRange(milli, 362250, 366000, 250);
        addRange(milli, 366100, 371000, 100);
        addRange(milli, 371050, 373900, 50);
        addRange(milli, 373950, 373950, 1);
        addRange(milli, 374000, 375000, 50);
        addRange(milli, 375250, 378000, 250);
    }
    addRange(milli, 373950, 373950, 1);
    // Along the pseudo-critical line, where cp peaks sharply, the steps widen with its
    // temperature (it climbs to about 600 C at 70 MPa) as the peak flattens.
    addRange(milli, 374000, 386000, 500);
    addRange(milli, 386200, 404000, 200);
    addRange(milli, 404500, 430000, 500);
    addRange(milli, 431000, 480000, 1000);
    addRange(milli, 482000, 560000, 2000);
    addRange(milli, 562500, 620000, 2500);
    // On to 1000 C, where IAPWS-95's range ends (1273.15 K): a state at 1000 C itself lies on
    // the last isotherm, so nothing beyond it is needed to bracket it.
    addRange(milli, 625000, 1000000, 5000);
    std::vector<double> t;
    for (int64_t m : milli) t.push_back(milliKey(m));
    return t;
}

namespace {

enum class RowKind { Stable, Metastable, End };

// Where a temperature of an isobar stands: a stable state of the table's phase, a metastable
// one close enough to saturation (or liquid under tension), or past the end of the run.
RowKind kindOf(bool water, double p, double t, double tsat, double margin) {
    if (water) {
        if (p >= kCriticalP) return RowKind::Stable;
        if (p >= 0 && t <= tsat) return RowKind::Stable;
        const bool close = p < 0 || t <= tsat + margin;
        return close && t < kCriticalT ? RowKind::Metastable : RowKind::End;
    }
    if (p >= kCriticalP) return t >= kFirstSupercritical ? RowKind::Stable : RowKind::End;
    if (t >= tsat) return RowKind::Stable;
    return t >= tsat - margin ? RowKind::Metastable : RowKind::End;
}

// One isobar of a table: the stable rows and the metastable run beyond saturation. Liquid
// rows are walked upwards in temperature and vapour rows downwards, so each solve starts
// from its neighbour's density and the run ends where the branch ends.
std::vector<GridRow> isobar(GridTable table, double p, double margin, std::vector<double> temperatures,
                            long& metastable) {
    const bool water = table == GridTable::Water;
    const double tsat = saturationTemperature(p);
    const auto branch = water ? iapws95::Branch::Liquid : iapws95::Branch::Vapour;
    if (!water) std::reverse(temperatures.begin(), temperatures.end());
    std::vector<GridRow> rows;
    double rho = 0.0;
    for (double t : temperatures) {
        const RowKind kind = kindOf(water, p, t, tsat, margin);
        if (kind == RowKind::End) break;
        if (kind == RowKind::Stable) {
            rho = iapws95::densityTP(t + kKelvin, p, branch, rho);
        } else {
            try {
                rho = iapws95::densityTP(t + kKelvin, p, branch, rho);
            } catch (const iapws95::SolveError&) {
                break;  // past the spinodal: the metastable run ends here
            }
            if (water ? rho <= iapws95::rhoc : rho >= iapws95::rhoc) break;
            ++metastable;
        }
        const iapws95::State st = iapws95::stateTRho(t + kKelvin, rho);
        rows.push_back(GridRow{t, p, st.v, st.h, st.s});
    }
    if (!water) std::reverse(rows.begin(), rows.end());
    return rows;
}

}  // namespace

std::vector<GridRow> buildGridTable(GridTable table, int threads, GridStats* stats) {
    std::vector<double> pressures = gridPressures();
    if (table == GridTable::Water) {
        const auto stretched = stretchedLiquidPressures();
        pressures.insert(pressures.begin(), stretched.begin(), stretched.end());
    }
    const std::vector<double> temperatures = gridTemperatures(table);
    std::vector<double> tsat(pressures.size());
    for (size_t j = 0; j < pressures.size(); ++j) tsat[j] = saturationTemperature(pressures[j]);

    // The metastable run of an isobar reaches past the saturation temperatures of its
    // neighbouring isobars, and at least two grid steps, so that states between two grid
    // lines find rows on both.
    std::vector<double> margin(pressures.size());
    for (size_t j = 0; j < pressures.size(); ++j) {
        if (pressures[j] <= 0) continue;
        const double below = j > 0 && pressures[j - 1] > 0 ? tsat[j] - tsat[j - 1] : 0.0;
        const double above = j + 1 < pressures.size() ? tsat[j + 1] - tsat[j] : 0.0;
        margin[j] = std::max({5.0, 2.5 * below, 2.5 * above});
    }

    std::vector<std::vector<GridRow>> parts(pressures.size());
    std::vector<long> metastable(threads, 0);
    std::vector<std::future<void>> workers;
    for (int w = 0; w < threads; ++w)
        workers.push_back(std::async(std::launch::async, [&, w] {
            for (size_t j = w; j < pressures.size(); j += threads)
                parts[j] = isobar(table, pressures[j], margin[j], temperatures, metastable[w]);
        }));
    for (auto& f : workers) f.get();

    std::vector<GridRow> rows;
    for (auto& part : parts) rows.insert(rows.end(), part.begin(), part.end());
    if (stats) {
        stats->rows = static_cast<long>(rows.size());
        stats->metastableRows = 0;
        for (long m : metastable) stats->metastableRows += m;
    }
    return rows;
}

}  // namespace tables
