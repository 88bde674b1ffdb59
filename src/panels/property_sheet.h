#pragma once
// The property sheet ("性质详情"): every property a textbook table lists, one column per
// state. The current saturation result gives two columns (饱和水, 饱和蒸汽), the current state
// one, and each register shown on the charts one (a state) or two (a saturation result) more.
// Values carry the decimals of their boxes, x four; "—" stands where a property is not
// defined (a wet mixture's cp ... Pr, a single phase's x, σ away from saturation), "∞" where
// it diverges. Texts are made here once for the window and its clipboard text.
#include "calc/register_store.h"
#include "calc/saturation_solver.h"
#include "calc/state_solver.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace steam::panels {

/// t p v u h s x cp cv w μ λ ν Pr σ, in that order.
inline constexpr int kSheetRowCount = 15;

struct SheetRow {
    const char* caption;  ///< 温度, 压力, ...
    const char* symbol;   ///< t, p, ...
    const char* unit;     ///< °C, MPa, ... ("" for x and Pr)
};
extern const std::array<SheetRow, kSheetRowCount> kSheetRows;

/// Decimals of the dryness in the sheet (the panel keeps its two).
inline constexpr int kSheetDrynessDecimals = 4;

struct SheetColumn {
    std::string heading;  ///< "当前 饱和水", "当前 状态", "M6", "M1 饱和蒸汽", ...
    std::array<std::string, kSheetRowCount> cells;

    bool operator==(const SheetColumn&) const = default;
};

/// What the sheet shows: the current results (none when the last calculation ended with a
/// message or the panel was reset) and the registers shown on the charts.
struct SheetSources {
    std::optional<calc::SaturationSolution> saturation;
    std::optional<calc::StateSolution> state;
    const calc::RegisterStore* registers = nullptr;
};

std::vector<SheetColumn> propertySheet(const SheetSources& sources);

/// The sheet as tab-separated text: a header line (caption, unit, then the headings), then
/// one line per property; every line ends in LF.
std::string sheetTsv(const std::vector<SheetColumn>& columns);

}  // namespace steam::panels
