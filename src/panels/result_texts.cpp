#include "result_texts.h"

#include "box_texts.h"
#include "property_texts.h"

#include <algorithm>

namespace steam::panels {
namespace {

std::vector<std::string> asVector(const ResultCells& cells) { return {cells.begin(), cells.end()}; }

}  // namespace

const ResultCells& resultHeader() {
    static const ResultCells header = [] {
        ResultCells h;
        const char* first[] = {"种类",      "区域",          "t (°C)", "p (MPa)",  "v (m³/kg)",
                               "h (kJ/kg)", "s (kJ/(kg·K))", "x",      "u (kJ/kg)"};
        std::copy(std::begin(first), std::end(first), h.begin());
        const auto withUnit = [](const std::string& symbol, const char* unit) {
            return *unit ? symbol + " (" + unit + ")" : symbol;
        };
        for (int i = 0; i < kThermalCount; ++i)
            h[2 + kStateThermalAt + i] = withUnit(kThermalColumns[i].symbol, kThermalColumns[i].unit);
        const char* saturated[] = {"v' (m³/kg)",     "v'' (m³/kg)",     "h' (kJ/kg)", "h'' (kJ/kg)",
                                   "s' (kJ/(kg·K))", "s'' (kJ/(kg·K))", "u' (kJ/kg)", "u'' (kJ/kg)"};
        std::copy(std::begin(saturated), std::end(saturated), h.begin() + 2 + kSaturatedAt);
        for (int i = 0; i < kThermalCount; ++i) {
            const std::string symbol = kThermalColumns[i].symbol;
            h[2 + kSaturatedThermalAt + 2 * i] = withUnit(symbol + "'", kThermalColumns[i].unit);
            h[2 + kSaturatedThermalAt + 2 * i + 1] = withUnit(symbol + "''", kThermalColumns[i].unit);
        }
        h[2 + kSurfaceTensionAt] = "σ (mN/m)";
        return h;
    }();
    return header;
}

ResultCells resultCells(const ResultRow& row) {
    ResultCells cells;
    cells[0] = row.kind == calc::ResultKind::Saturation ? "饱和" : "状态";
    cells[1] = row.region;
    std::copy(row.values.begin(), row.values.end(), cells.begin() + 2);
    return cells;
}

ResultRow saturationRow(const std::array<std::string, 10>& texts) {
    ResultRow row{calc::ResultKind::Saturation, kSaturationRegionName, {}};
    row.values[0] = texts[0];
    row.values[1] = texts[1];
    std::copy(texts.begin() + 2, texts.end(), row.values.begin() + kSaturatedAt);
    return row;
}

ResultRow stateRow(const std::string& region, const std::array<std::string, 7>& texts) {
    ResultRow row{calc::ResultKind::State, region, {}};
    std::copy(texts.begin(), texts.end(), row.values.begin());
    return row;
}

ResultRow resultRow(const calc::ResultEntry& entry) {
    if (entry.kind == calc::ResultKind::Saturation) {
        ResultRow row = saturationRow(saturationBoxTexts(entry.saturation));
        const calc::SaturationThermal thermal = calc::thermalPropertiesOf(entry.saturation);
        const ThermalTexts liquid = thermalTexts(thermal.liquid), vapour = thermalTexts(thermal.vapour);
        for (int i = 0; i < kThermalCount; ++i) {
            row.values[kSaturatedThermalAt + 2 * i] = liquid[i];
            row.values[kSaturatedThermalAt + 2 * i + 1] = vapour[i];
        }
        row.values[kSurfaceTensionAt] = propertyText(thermal.sigma, kSurfaceTensionDecimals);
        return row;
    }
    const auto texts = stateBoxTexts(entry.state);
    ResultRow row = stateRow(phaseName(calc::phaseOf(entry.state)), texts ? *texts : StateTexts{});
    const ThermalTexts thermal = thermalTexts(calc::thermalPropertiesOf(entry.state));
    std::copy(thermal.begin(), thermal.end(), row.values.begin() + kStateThermalAt);
    return row;
}

std::string joinCells(const std::vector<std::string>& cells, char separator) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) line += separator;
        const std::string& cell = cells[i];
        if (cell.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) {
            line += cell;
            continue;
        }
        line += '"';
        for (char c : cell) line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line;
}

std::string toTsv(const std::vector<ResultRow>& rows, std::vector<std::size_t> chosen) {
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    std::string text = joinCells(asVector(resultHeader()), '\t') + "\n";
    for (std::size_t i : chosen)
        if (i < rows.size()) text += joinCells(asVector(resultCells(rows[i])), '\t') + "\n";
    return text;
}

std::string toCsv(const std::vector<ResultRow>& rows) {
    std::string text = std::string(kUtf8Bom) + joinCells(asVector(resultHeader()), ',') + "\r\n";
    for (const ResultRow& row : rows) text += joinCells(asVector(resultCells(row)), ',') + "\r\n";
    return text;
}

}  // namespace steam::panels
