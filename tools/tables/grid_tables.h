#pragma once
// The single-phase grids. Each table holds rows (t, p, v, h, s) on a grid: every tabulated
// pressure has a run of rows at the table's tabulated temperatures, and every tabulated
// temperature a run at the tabulated pressures, within the table's domain:
//   WATER: compressed water (below the critical pressure, up to the saturation temperature
//          and a little beyond it, on the metastable continuation of the liquid), every
//          temperature at and above the critical pressure, and liquid under tension;
//   VAPOR: superheated steam (from a little below the saturation temperature, on the
//          metastable continuation of the vapour) and every pressure at and above 373.95 C.
// The metastable rows let a state just off the saturation line be bracketed on its
// neighbouring grid lines; no table holds states of the other phase, so no pair of rows
// straddles the saturation line.
#include <vector>

namespace tables {

struct GridRow {
    double t, p, v, h, s;
};

enum class GridTable { Water, Vapor };

/// Tabulated pressures (MPa) and temperatures (degrees C) of a table, ascending.
std::vector<double> gridPressures();
/// Negative pressures at which WATER also holds liquid under tension, where the liquid
/// branch exists: a state of compressed water close to saturation, given by t and v, h or s,
/// needs rows on the neighbouring isotherms that only stretched liquid reaches.
std::vector<double> stretchedLiquidPressures();
std::vector<double> gridTemperatures(GridTable table);

struct GridStats {
    long rows = 0;
    long metastableRows = 0;
};

/// Builds a table with up to `threads` threads. Throws iapws95::SolveError when a stable
/// state cannot be solved (metastable rows that cannot be solved end their run instead).
std::vector<GridRow> buildGridTable(GridTable table, int threads, GridStats* stats = nullptr);

}  // namespace tables
