#include "table_page_texts.h"

#include "box_texts.h"
#include "numeric/number_text.h"
#include "property_texts.h"
#include "result_texts.h"

#include <algorithm>
#include <set>

namespace steam::panels {
namespace {

using calc::TableKind;

constexpr const char* kNoValue = "—";

// The saturation row's cells in the page's order: the known column first.
std::vector<std::string> saturationCells(const calc::SaturationSolution& s, bool byPressure) {
    if (!s.solved) return std::vector<std::string>(11, kNoValue);
    const SaturationTexts t = saturationBoxTexts(s);
    // r of the values as shown, so that the printed row adds up.
    const std::string r = numeric::fixedText(numeric::readNumber(t[5]) - numeric::readNumber(t[4]),
                                             calc::decimalsOf(calc::SatProperty::h1));
    return {byPressure ? t[1] : t[0], byPressure ? t[0] : t[1], t[2], t[3], t[4], t[5], r, t[6], t[7], t[8], t[9]};
}

// Along the isobar: 相态 t v u h s.
std::vector<std::string> stateCells(const calc::StateSolution& s) {
    const auto texts = stateBoxTexts(s);
    if (!texts || !s.solved()) return {"", kNoValue, kNoValue, kNoValue, kNoValue, kNoValue};
    const StateTexts& t = *texts;
    return {phaseName(calc::phaseOf(s)), t[0], t[2], t[6], t[3], t[4]};
}

// Unicode-aware width for lining up plain text: CJK characters and the dash take two columns.
size_t width(const std::string& text) {
    size_t w = 0;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        w += length == 3 && byte >= 0xE3 ? 2 : 1;
        i += length;
    }
    return w;
}

}  // namespace

std::vector<std::string> TablePageTexts::captions() const {
    std::vector<std::string> out;
    for (size_t i = 0; i < symbols.size(); ++i)
        out.push_back(units[i].empty() ? symbols[i] : symbols[i] + " (" + units[i] + ")");
    return out;
}

TablePageTexts tablePageTexts(const calc::TablePage& page) {
    TablePageTexts texts;
    if (page.kind == TableKind::Isobar) {
        const std::string p = numeric::generalText(page.pressure);
        texts.title = "未饱和水与过热蒸汽表（p = " + p + " MPa）";
        texts.symbols = {"相态", "t", "v", "u", "h", "s"};
        texts.units = {"", "°C", "m³/kg", "kJ/kg", "kJ/kg", "kJ/(kg·K)"};
        if (page.head) {
            const SaturationTexts t = saturationBoxTexts(*page.head);
            texts.subtitle = "饱和温度 ts = " + t[0] + " °C";
            texts.rows.push_back({"饱和水", t[0], t[2], t[8], t[4], t[6]});
            texts.rows.push_back({"饱和蒸汽", t[0], t[3], t[9], t[5], t[7]});
            texts.headRows = 2;
        } else {
            texts.subtitle = page.pressure >= calc::kCriticalPressure ? "临界压力以上，没有饱和状态" : "";
        }
        for (const calc::StateSolution& s : page.states) texts.rows.push_back(stateCells(s));
        return texts;
    }
    const bool byPressure = page.kind == TableKind::SaturationByPressure;
    texts.title = byPressure ? "饱和水与饱和蒸汽表（按压力）" : "饱和水与饱和蒸汽表（按温度）";
    texts.symbols = {
        byPressure ? "ps" : "ts", byPressure ? "ts" : "ps", "v'", "v''", "h'", "h''", "r", "s'", "s''", "u'", "u''"};
    texts.units = {byPressure ? "MPa" : "°C",
                   byPressure ? "°C" : "MPa",
                   "m³/kg",
                   "m³/kg",
                   "kJ/kg",
                   "kJ/kg",
                   "kJ/kg",
                   "kJ/(kg·K)",
                   "kJ/(kg·K)",
                   "kJ/kg",
                   "kJ/kg"};
    for (const calc::SaturationSolution& s : page.saturation) texts.rows.push_back(saturationCells(s, byPressure));
    return texts;
}

std::string tablePageTsv(const TablePageTexts& texts, std::vector<std::size_t> chosen) {
    std::string text = joinCells(texts.captions(), '\t') + "\n";
    if (chosen.empty())
        for (size_t i = 0; i < texts.rows.size(); ++i) chosen.push_back(i);
    const std::set<std::size_t> rows(chosen.begin(), chosen.end());
    for (std::size_t i : rows)
        if (i < texts.rows.size()) text += joinCells(texts.rows[i], '\t') + "\n";
    return text;
}

std::string tablePageCsv(const TablePageTexts& texts) {
    std::string text = std::string(kUtf8Bom) + joinCells(texts.captions(), ',') + "\r\n";
    for (const auto& row : texts.rows) text += joinCells(row, ',') + "\r\n";
    return text;
}

std::string tablePagePlain(const TablePageTexts& texts) {
    const std::vector<std::string> captions = texts.captions();
    std::vector<size_t> widths(captions.size());
    for (size_t c = 0; c < captions.size(); ++c) {
        widths[c] = width(captions[c]);
        for (const auto& row : texts.rows) widths[c] = std::max(widths[c], width(row[c]));
    }
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string out;
        for (size_t c = 0; c < cells.size(); ++c) {
            const std::string pad(widths[c] - width(cells[c]), ' ');
            // Names to the left, numbers to the right, as printed tables set them.
            const bool name = c == 0 && texts.symbols[0] == "相态";
            out += (c ? "  " : "") + (name ? cells[c] + pad : pad + cells[c]);
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        return out + "\n";
    };
    std::string out = texts.title + "\n";
    if (!texts.subtitle.empty()) out += texts.subtitle + "\n";
    out += line(captions);
    for (const auto& row : texts.rows) out += line(row);
    return out;
}

}  // namespace steam::panels
