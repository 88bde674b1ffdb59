#pragma once
// The eight data files and what they hold: the saturation table SWATER, the (t, p) grids WATER
// and VAPOR, the h-s chart's curve tables DengT to DengX and the charts source (chart_tables.h).
// The generator writes them and the data layer reads them, so both take names, tables and
// column positions from here. Header only: nothing here is compiled into the generator that
// could make it run again.
//
// Rows are read by column position, as the tables lay them out:
//   SWATER         0 n, 1 ts (C), 2 ps (MPa), 3 v', 4 v'' (m^3/kg), 5 h', 6 h'' (kJ/kg),
//                  7 s', 8 s'' (kJ/(kg.K)), 9 wf (1: a lookup row; 0: drawn only)
//   WATER, VAPOR   0 n, 1 t (C), 2 p (MPa), 3 v (m^3/kg), 4 h (kJ/kg), 5 s (kJ/(kg.K))
//   DengT .. DengX 0 n, 1 the curve's key (t, p, v or x), 2 h, 3 s
#include <array>
#include <cstddef>
#include <string>

namespace steam::data {

enum class Source { Swater, Water, Vapor, DengT, DengP, DengV, DengX, Charts };
inline constexpr int kSourceCount = 8;

struct SourceInfo {
    Source source;
    const char* stem;   ///< with the leading backslash, as in the connection text
    const char* table;  ///< the one table the source holds (the charts source: its first)
};

inline constexpr std::array<SourceInfo, kSourceCount> kSources{{
    {Source::Swater, "\\swater", "SWATER"},
    {Source::Water, "\\water", "WATER"},
    {Source::Vapor, "\\vapor", "VAPOR"},
    {Source::DengT, "\\DengT", "DengT"},
    {Source::DengP, "\\DengP", "DengP"},
    {Source::DengV, "\\DengV", "DengV"},
    {Source::DengX, "\\DengX", "DengX"},
    {Source::Charts, "\\charts", "TS_H"},
}};

inline const SourceInfo& sourceInfo(Source source) { return kSources[static_cast<std::size_t>(source)]; }

/// File name of a source: its stem without the backslash, plus ".sqlite".
inline std::string dataFileName(Source source) { return std::string(sourceInfo(source).stem + 1) + ".sqlite"; }

/// Column positions of SWATER.
enum class SatColumn : int { ts = 1, ps, v1, v11, h1, h11, s1, s11 };
inline constexpr int kSatColumns = 8;
/// Column positions of WATER and VAPOR; u is the position rows are given after their stored
/// columns (see below), which a search along a line may look for but no query names.
enum class GridColumn : int { t = 1, p, v, h, s, u };
inline constexpr int kGridColumns = 5;

/// Specific internal energy u = h - p v (kJ/kg) is not stored: each row as read carries it as
/// one more position, made from its own h, p and v: u' and u'' after s'' in a row of SWATER,
/// u after s in a row of a grid. The searches treat it like a column.
inline constexpr int kSatLiquidEnergy = kSatColumns + 1;  ///< u'
inline constexpr int kSatVapourEnergy = kSatColumns + 2;  ///< u''
inline constexpr int kGridEnergy = kGridColumns + 1;      ///< u

/// A lookup row of SWATER by position (0 n, 1 ts ... 8 s''), then u' and u''.
using SatRow = std::array<double, kSatColumns + 3>;
/// A row of WATER or VAPOR by position (0 n, 1 t ... 5 s), then u.
using GridRow = std::array<double, kGridColumns + 2>;

/// u = h - p v in kJ/kg from h in kJ/kg, p in MPa and v in m^3/kg.
inline constexpr double internalEnergy(double h, double p, double v) { return h - 1000.0 * p * v; }

/// The row's u' and u'' (u) made from its own values.
inline void addInternalEnergy(SatRow& row) {
    row[kSatLiquidEnergy] = internalEnergy(row[5], row[2], row[3]);
    row[kSatVapourEnergy] = internalEnergy(row[6], row[2], row[4]);
}
inline void addInternalEnergy(GridRow& row) { row[kGridEnergy] = internalEnergy(row[4], row[2], row[3]); }

inline constexpr int position(SatColumn c) { return static_cast<int>(c); }
inline constexpr int position(GridColumn c) { return static_cast<int>(c); }

/// Column names, by position.
inline constexpr std::array<const char*, kSatColumns + 1> kSatColumnNames{"n",  "ts",  "ps", "v1", "v11",
                                                                          "h1", "h11", "s1", "s11"};
inline constexpr std::array<const char*, kGridColumns + 1> kGridColumnNames{"n", "t", "p", "v", "h", "s"};

}  // namespace steam::data
