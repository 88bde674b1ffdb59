#pragma once
// The result list as text: one layout serves the window's table, the clipboard, the CSV file
// and steamcalc's CSV output:
//   种类 区域 t p v h s x v' v'' h' h'' s' s''
// A saturation row puts ts and ps into the t and p columns and its six saturated values into
// the last six, leaving v h s x empty; a state row leaves the last six empty. Every value is
// the text its box showed (box_texts.h).
#include "calc/result_list.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace steam::panels {

inline constexpr int kResultValueCount = 12;   ///< t p v h s x v' v'' h' h'' s' s''
inline constexpr int kResultColumnCount = 14;  ///< kind, region and the twelve values

using ResultCells = std::array<std::string, kResultColumnCount>;

struct ResultRow {
    calc::ResultKind kind = calc::ResultKind::State;
    std::string region;
    std::array<std::string, kResultValueCount> values{};

    bool operator==(const ResultRow&) const = default;
};

/// Region names as the list and steamcalc show them.
inline constexpr const char* kSaturationRegionName = "饱和区";
/// Name of a region the state calculator decides (water, vapour or wet); "" for the others.
const char* regionName(int region);

/// Column captions with their units: "种类", "区域", "t (°C)", ..., "s'' (kJ/(kg·K))".
const ResultCells& resultHeader();
/// The fourteen cells of a row: "饱和" or "状态", the region, then the values.
ResultCells resultCells(const ResultRow& row);

/// A saturation row from the eight box texts ts ps v' v'' h' h'' s' s''.
ResultRow saturationRow(const std::array<std::string, 8>& texts);
/// A state row from the six box texts t p v h s x.
ResultRow stateRow(const std::string& region, const std::array<std::string, 6>& texts);
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
