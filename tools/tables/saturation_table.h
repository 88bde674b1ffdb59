#pragma once
// The saturation table: rows in ascending ts from the triple point (0.01 C) to the critical
// point (the last row). Rows flagged wf = 1 are spaced so that linear interpolation between
// neighbours, in any of the monotonic columns, reproduces every column within a fraction of
// its last displayed decimal. Rows flagged wf = 0 exist only for the diagram, which draws the
// saturation dome through 20 rows sampled by row number: they even out the row count so the
// samples spread along the dome and the last one lies within 1 K of the critical point.
#include <vector>

namespace tables {

struct SaturationRow {
    double ts, ps, v1, v11, h1, h11, s1, s11;
    int wf;
};

/// Saturation values at ts (degrees C) from IAPWS-95; the critical point at 373.946.
SaturationRow saturationAt(double ts, int wf);

struct SaturationTableStats {
    int lookupRows = 0;
    int drawingRows = 0;
    std::vector<double> sampledTemperatures;  ///< the 20 rows the diagram samples
};

/// Builds the whole table, using up to `threads` threads. Throws iapws95::SolveError when a
/// saturation state cannot be solved.
std::vector<SaturationRow> buildSaturationTable(int threads, SaturationTableStats* stats = nullptr);

/// Decimals shown for ts ps v' v'' h' h'' s' s''.
inline constexpr int kSaturationDecimals[8] = {2, 6, 8, 5, 2, 2, 4, 4};

}  // namespace tables
