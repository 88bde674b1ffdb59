#pragma once
// The result list: every calculation of the run that ended with a result, newest last, with
// the texts its boxes showed (never re-formatted numbers). One layout serves both panels, the
// window's table, the clipboard, the CSV file and steamcalc's CSV output:
//   种类 区域 t p v h s x v' v'' h' h'' s' s''
// A saturation row puts ts and ps into the t and p columns and its six saturated values into
// the last six, leaving v h s x empty; a state row leaves the last six empty.
#include "saturation_calculator.h"
#include "state_calculator.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace steam::calc {

enum class ResultKind { Saturation, State };

inline constexpr int kResultValueCount = 12;   ///< t p v h s x v' v'' h' h'' s' s''
inline constexpr int kResultColumnCount = 14;  ///< kind, region and the twelve values

using ResultCells = std::array<std::string, kResultColumnCount>;

struct ResultRow {
    ResultKind kind = ResultKind::State;
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

/// The row a saturation calculation leaves in the list: the boxes as shown, when it ended
/// with values and no message.
std::optional<ResultRow> saturationResult(const SaturationOutcome& outcome);
/// The row a state calculation leaves in the list: the boxes as shown when it ended with a
/// state of water, steam or wet steam and no message. A state that does not exist ("none" in
/// every box) leaves nothing.
std::optional<ResultRow> stateResult(const StateOutcome& outcome);

/// The calculations of one run, newest last.
class ResultList {
public:
    void add(ResultRow row) { m_rows.push_back(std::move(row)); }
    void clear() { m_rows.clear(); }
    const std::vector<ResultRow>& rows() const { return m_rows; }
    std::size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }

private:
    std::vector<ResultRow> m_rows;
};

/// UTF-8 byte-order mark: spreadsheet programs then read the Chinese captions as UTF-8.
inline constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

/// One line of cells joined by `separator`, without its line end. A cell holding the
/// separator, a double quote, CR or LF is quoted, its quotes doubled (RFC 4180).
std::string joinCells(const std::vector<std::string>& cells, char separator);

/// Tab-separated text for the clipboard: the header, then the rows at `chosen` in list order
/// (each once; indices beyond the list are skipped), every line ending in LF.
std::string toTsv(const ResultList& list, std::vector<std::size_t> chosen);
/// The whole list as a CSV file: byte-order mark, header, rows, every line ending in CRLF.
std::string toCsv(const ResultList& list);

}  // namespace steam::calc
