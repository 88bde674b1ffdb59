#include "csv_output.h"

#include "calc/result_list.h"

#include <algorithm>
#include <vector>

namespace steam::cli {
namespace {

constexpr const char* kMessageColumn = "提示";

template <size_t N>
std::array<std::string, N> firstTexts(const std::vector<std::string>& texts) {
    std::array<std::string, N> out{};
    std::copy_n(texts.begin(), std::min(N, texts.size()), out.begin());
    return out;
}

std::string line(const calc::ResultCells& cells, const std::string& message) {
    std::vector<std::string> all(cells.begin(), cells.end());
    all.push_back(message);
    // Box texts and messages may carry what was typed: well-formed UTF-8 out, as the other forms.
    return wellFormed(calc::joinCells(all, ',')) + "\r\n";
}

}  // namespace

std::string csvHeader() { return std::string(calc::kUtf8Bom) + line(calc::resultHeader(), kMessageColumn); }

std::string toCsv(const Answer& answer) {
    // A result as the result list keeps it; otherwise the boxes as shown, without values when
    // the calculation ended with a message, and no region.
    calc::ResultRow row;
    if (answer.result) {
        row = *answer.result;
    } else {
        row = answer.saturation ? calc::saturationRow(firstTexts<8>(answer.texts))
                                : calc::stateRow("", firstTexts<6>(answer.texts));
        row.region.clear();
        if (!answer.messages.empty()) row.values.fill("");
    }
    std::string messages;
    for (const data::Message& m : answer.messages) messages += (messages.empty() ? "" : "；") + m.text;
    return line(calc::resultCells(row), messages);
}

std::string errorCsv(const std::string& error) { return line(calc::ResultCells{}, "error: " + error); }

std::string blankCsv() { return line(calc::ResultCells{}, ""); }

}  // namespace steam::cli
