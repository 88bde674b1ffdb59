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
/// Column positions of WATER and VAPOR.
enum class GridColumn : int { t = 1, p, v, h, s };
inline constexpr int kGridColumns = 5;

/// A lookup row of SWATER by position (0 n, 1 ts ... 8 s'').
using SatRow = std::array<double, kSatColumns + 1>;
/// A row of WATER or VAPOR by position (0 n, 1 t ... 5 s).
using GridRow = std::array<double, kGridColumns + 1>;

inline constexpr int position(SatColumn c) { return static_cast<int>(c); }
inline constexpr int position(GridColumn c) { return static_cast<int>(c); }

/// Column names, by position.
inline constexpr std::array<const char*, kSatColumns + 1> kSatColumnNames{"n",  "ts", "ps",  "v1", "v11",
                                                                         "h1", "h11", "s1", "s11"};
inline constexpr std::array<const char*, kGridColumns + 1> kGridColumnNames{"n", "t", "p", "v", "h", "s"};

}  // namespace steam::data
