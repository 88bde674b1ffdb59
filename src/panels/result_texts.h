#pragma once
// The result list as text: one layout serves the window's table, the clipboard, the CSV file
// and steamcalc's CSV output:
//   种类 区域 t p v h s x u cp cv w μ λ ν Pr
//   v' v'' h' h'' s' s'' u' u'' cp' cp'' cv' cv'' w' w'' μ' μ'' λ' λ'' ν' ν'' Pr' Pr'' σ
// A state row fills the first line's columns (区域 names its phase) and leaves the rest empty;
// a saturation row puts ts and ps into the t and p columns and its saturated values into the
// columns of the second line, leaving v h s x u and the state's properties empty. Every value
// is the text its box showed (box_texts.h), the other properties as property_texts.h writes
// them.
#include "calc/result_list.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace steam::panels {

/// Where the groups of values begin among the values.
inline constexpr int kStateThermalAt = 7;       ///< cp of a state
inline constexpr int kSaturatedAt = 14;         ///< v'
inline constexpr int kSaturatedEnergyAt = 20;   ///< u'
inline constexpr int kSaturatedThermalAt = 22;  ///< cp', cp'', cv', ... Pr', Pr''
inline constexpr int kSurfaceTensionAt = 36;    ///< σ
inline constexpr int kResultValueCount = 37;
inline constexpr int kResultColumnCount = kResultValueCount + 2;  ///< kind, region and the values

using ResultCells = std::array<std::string, kResultColumnCount>;

struct ResultRow {
    calc::ResultKind kind = calc::ResultKind::State;
    std::string region;
    std::array<std::string, kResultValueCount> values{};

    bool operator==(const ResultRow&) const = default;
};

/// The region column of a saturation row.
inline constexpr const char* kSaturationRegionName = "饱和区";

/// Column captions with their units: "种类", "区域", "t (°C)", ..., "s'' (kJ/(kg·K))".
const ResultCells& resultHeader();
/// The cells of a row: "饱和" or "状态", the region, then the values.
ResultCells resultCells(const ResultRow& row);

/// A saturation row from the box texts ts ps v' v'' h' h'' s' s'' u' u'' (the other properties
/// empty).
ResultRow saturationRow(const std::array<std::string, 10>& texts);
/// A state row from the box texts t p v h s x u (the other properties empty).
ResultRow stateRow(const std::string& region, const std::array<std::string, 7>& texts);
/// The row of an entry of the list, as its boxes showed it.
ResultRow resultRow(const calc::ResultEntry& entry);

/// UTF-8 byte-order mark: spreadsheet programs then read the Chinese captions as UTF-8.
inline constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

/// One line of cells joined by `separator`, without its line end. A cell holding the
/// separator, a double quote, CR or LF is quoted, its quotes doubled (RFC 4180).
std::string joinCells(const std::vector<std::string>& cells, char separator);

/// Tab-separated text for the clipboard: the header, then the rows at `chosen` in list order
/// (each once; indices beyond the list are skipped), every line ending in LF.
std::string toTsv(const std::vector<ResultRow>& rows, std::vector<std::size_t> chosen);
/// The whole list as a CSV file: byte-order mark, header, rows, every line ending in CRLF.
std::string toCsv(const std::vector<ResultRow>& rows);

}  // namespace steam::panels
