#include "csv_output.h"

#include "panels/message_texts.h"
#include "panels/result_texts.h"
#include "utf8_text.h"

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

std::string line(const panels::ResultCells& cells, const std::string& message) {
    std::vector<std::string> all(cells.begin(), cells.end());
    all.push_back(message);
    // Box texts and messages may carry what was typed: well-formed UTF-8 out, as the other forms.
    return wellFormed(panels::joinCells(all, ',')) + "\r\n";
}

}  // namespace

std::string csvHeader() { return std::string(panels::kUtf8Bom) + line(panels::resultHeader(), kMessageColumn); }

std::string toCsv(const Answer& answer) {
    // A result as the result list keeps it; otherwise the boxes as shown, without values when
    // the calculation ended with a message, and no region.
    panels::ResultRow row;
    if (answer.result) {
        row = panels::resultRow(*answer.result);
    } else {
        row = answer.saturation ? panels::saturationRow(firstTexts<10>(answer.texts))
                                : panels::stateRow("", firstTexts<7>(answer.texts));
        row.region.clear();
        if (!answer.messages.empty()) row.values.fill("");
    }
    std::string messages;
    for (const calc::Message& m : answer.messages)
        messages += (messages.empty() ? "" : "；") + panels::messageText(m).text;
    return line(panels::resultCells(row), messages);
}

std::string errorCsv(const std::string& error) { return line(panels::ResultCells{}, "error: " + error); }

std::string blankCsv() { return line(panels::ResultCells{}, ""); }

}  // namespace steam::cli
