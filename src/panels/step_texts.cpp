#include "step_texts.h"

#include "calc/property_columns.h"
#include "numeric/number_text.h"
#include "numeric/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace steam::panels {
namespace {

using calc::CalculationStep;
using Kind = CalculationStep::Kind;
using From = CalculationStep::From;
using Search = CalculationStep::Search;

struct Column {
    const char* key;
    const char* symbol;
    const char* unit;
    int decimals;
};

// By position; u' u'' and u are shown as h.
constexpr int kU = calc::kInternalEnergyDecimals;
const Column kSatColumns[] = {{"", "", "", 0},
                              {"ts", "ts", "°C", calc::PropertyDecimals[1]},
                              {"ps", "ps", "MPa", calc::PropertyDecimals[2]},
                              {"v1", "v'", "m³/kg", calc::PropertyDecimals[3]},
                              {"v11", "v''", "m³/kg", calc::PropertyDecimals[4]},
                              {"h1", "h'", "kJ/kg", calc::PropertyDecimals[5]},
                              {"h11", "h''", "kJ/kg", calc::PropertyDecimals[6]},
                              {"s1", "s'", "kJ/(kg·K)", calc::PropertyDecimals[7]},
                              {"s11", "s''", "kJ/(kg·K)", calc::PropertyDecimals[8]},
                              {"u1", "u'", "kJ/kg", kU},
                              {"u11", "u''", "kJ/kg", kU}};
const Column kGridColumns[] = {{"", "", "", 0},
                               {"t", "t", "°C", calc::PropertyDecimals[9]},
                               {"p", "p", "MPa", calc::PropertyDecimals[10]},
                               {"v", "v", "m³/kg", calc::PropertyDecimals[11]},
                               {"h", "h", "kJ/kg", calc::PropertyDecimals[12]},
                               {"s", "s", "kJ/(kg·K)", calc::PropertyDecimals[13]},
                               {"u", "u", "kJ/kg", kU}};
// A mixture's results, by state property t p v h s x u, and where each mixes from in SWATER.
const Column kStateColumns[] = {kGridColumns[1], kGridColumns[2], kGridColumns[3],
                                kGridColumns[4], kGridColumns[5], {"x", "x", "", calc::PropertyDecimals[14]},
                                kGridColumns[6]};
constexpr int kMixedFrom[] = {1, 2, 3, 5, 7, 0, data::kSatLiquidEnergy};

bool saturation(const CalculationStep& step) { return step.table == calc::StepTable::Saturation; }
// One past the last position written: u'' (u).
int columnCount(const CalculationStep& step) {
    return saturation(step) ? data::kSatColumns + 3 : data::kGridColumns + 2;
}
const Column& columnOf(const CalculationStep& step, int k) {
    return saturation(step) ? kSatColumns[k] : kGridColumns[k];
}
bool derivedEnergy(const CalculationStep& step, int k) {
    return saturation(step) ? k >= data::kSatLiquidEnergy : k == data::kGridEnergy;
}

// A number as the steps write it: four decimals more than its box, no trailing zeros.
std::string num(double value, int decimals) { return numeric::generalText(numeric::sswr(value, decimals + 4)); }
std::string num(const Column& c, double value) { return num(value, c.decimals); }
// Fractions and dryness: eight significant digits.
std::string ratio(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.8g", value);
    return text;
}
std::string shown(const Column& c, double value, bool general) {
    return general ? numeric::generalText(numeric::sswr(value, c.decimals)) : numeric::fixedText(value, c.decimals);
}
std::string result(const Column& c, double value, bool general) {
    return num(c, value) + " → " + shown(c, value, general);
}

// A mixture's saturated value as its row lists it and its formulas use it: v'' with as many
// decimals as the v it mixes into, so that a sum redone from the row reads the same digits.
int mixedDecimals(int k) {
    int decimals = kSatColumns[k].decimals;
    for (int j : {2, 3, 4, 6})
        if (k == kMixedFrom[j] || k == kMixedFrom[j] + 1) decimals = std::max(decimals, kStateColumns[j].decimals);
    return decimals;
}
std::string saturatedText(const CalculationStep& step, int k) { return num(step.saturated[k], mixedDecimals(k)); }

const char* tableName(calc::StepTable table) {
    switch (table) {
        case calc::StepTable::Saturation: return "SWATER";
        case calc::StepTable::Water: return "WATER";
        default: return "VAPOR";
    }
}

const char* tableCaption(calc::StepTable table) {
    switch (table) {
        case calc::StepTable::Saturation: return "饱和表 SWATER";
        case calc::StepTable::Water: return "水表 WATER（压缩水及超临界区）";
        default: return "蒸汽表 VAPOR（过热蒸汽及超临界区）";
    }
}

std::string searchNote(const CalculationStep& step) {
    switch (step.search) {
        case Search::None: return "";
        case Search::AlongLine: {
            // The rows of a line at a known t share their t (two rows), or their first pair
            // lies on two isotherms (four rows).
            const bool isotherm = step.kind == Kind::FourRows ? step.rows[0][1] != step.rows[1][1]
                                                              : step.rows.front()[1] == step.rows.back()[1];
            return std::string("；沿已知") + (isotherm ? " t 的等温线" : " p 的等压线") + "搜索，读了 " +
                   std::to_string(step.searchSteps) + " 段表行";
        }
        case Search::OverIsobars:
            return "；在表中的等压线间搜索，读了 " + std::to_string(step.searchSteps) + " 条等压线";
        case Search::AlongSaturation: return "；沿饱和线搜索，看了 " + std::to_string(step.searchSteps) + " 处";
    }
    return "";
}

// u' and u'' (u) from the values found, as the calculators make them.
void energyLines(const CalculationStep& step, const std::vector<double>& r, std::vector<std::string>& out) {
    const auto line = [&](int u, int h, int p, int v) {
        const Column &U = columnOf(step, u), &H = columnOf(step, h), &P = columnOf(step, p), &V = columnOf(step, v);
        out.push_back(std::string(U.symbol) + " = " + H.symbol + " − 1000·" + P.symbol + "·" + V.symbol + " = " +
                      num(H, r[h]) + " − 1000 × " + num(P, r[p]) + " × " + num(V, r[v]) + " = " +
                      result(U, r[u], false));
    };
    if (saturation(step)) {
        line(data::kSatLiquidEnergy, 5, 2, 3);
        line(data::kSatVapourEnergy, 6, 2, 4);
    } else {
        line(data::kGridEnergy, 4, 2, 3);
    }
}

bool isKey(const CalculationStep& step, int k) {
    return k == step.keys[0] || (step.kind != Kind::Line && k == step.keys[1]);
}

void rowFormula(const CalculationStep& step, std::vector<std::string>& out) {
    std::string where;
    for (int k : step.keys)
        if (k > 0 && !derivedEnergy(step, k))
            where += (where.empty() ? "" : "，") + std::string(columnOf(step, k).symbol) + " = " +
                     num(columnOf(step, k), step.rows[0][k]);
    out.push_back("表中这一行恰好" + (where.empty() ? std::string("是所求状态") : "在 " + where + " 处") +
                  "，各值照录：");
    for (int k = 1; k < columnCount(step); ++k)
        if (!isKey(step, k) && !derivedEnergy(step, k))
            out.push_back(std::string(columnOf(step, k).symbol) + " = " +
                          result(columnOf(step, k), step.results[k], false));
    energyLines(step, step.results, out);
}

void lineFormula(const CalculationStep& step, std::vector<std::string>& out) {
    const auto& r1 = step.rows[0];
    const auto& r2 = step.rows[1];
    const double f = step.fraction[0];
    if (step.from == From::Energy) {
        out.push_back("沿两行之间的直线，u = h − 1000·p·v 取 u = " + num(kGridColumns[6], step.known[1]) +
                      " 处（解二次方程）：f = " + ratio(f));
    } else {
        const Column& K = columnOf(step, step.keys[0]);
        const int k = step.keys[0];
        const std::string s = K.symbol;
        out.push_back("f = (" + s + " − " + s + "₁)/(" + s + "₂ − " + s + "₁) = (" + num(K, step.known[0]) + " − " +
                      num(K, r1[k]) + ")/(" + num(K, r2[k]) + " − " + num(K, r1[k]) + ") = " + ratio(f));
    }
    for (int k = 1; k < columnCount(step); ++k) {
        if ((step.from == From::Keys && k == step.keys[0]) || derivedEnergy(step, k)) continue;
        const Column& c = columnOf(step, k);
        const std::string s = c.symbol;
        if (r1[k] == r2[k]) {
            out.push_back(s + " = " + s + "₁ = " + s + "₂ = " + result(c, step.results[k], false));
            continue;
        }
        out.push_back(s + " = " + s + "₁ + f·(" + s + "₂ − " + s + "₁) = " + num(c, r1[k]) + " + " + ratio(f) + " × (" +
                      num(c, r2[k]) + " − " + num(c, r1[k]) + ") = " + result(c, step.results[k], false));
    }
    energyLines(step, step.results, out);
}

void fourRowFormula(const CalculationStep& step, std::vector<std::string>& out) {
    const auto& A = step.rows[0];
    const auto& B = step.rows[1];
    const auto& C = step.rows[2];
    const auto& D = step.rows[3];
    const double g = step.fraction[0], f = step.fraction[1];
    const Column& K1 = columnOf(step, step.keys[0]);
    const Column& K2 = columnOf(step, step.keys[1]);
    const std::string s1 = K1.symbol, s2 = K2.symbol;
    const int k1 = step.keys[0], k2 = step.keys[1];
    const bool cell = step.from == From::TwoValues;
    const std::string g1 = cell ? "f" : "g", g2 = cell ? "τ" : "f";
    if (cell) {
        out.push_back("格子：A、B 在 t = " + num(kGridColumns[1], A[1]) +
                      "，C、D 在 t = " + num(kGridColumns[1], C[1]) + "；A、C 在 p = " + num(kGridColumns[2], A[2]) +
                      "，B、D 在 p = " + num(kGridColumns[2], B[2]) + "。");
        out.push_back("双线性面上 " + s1 + " = " + num(K1, step.known[0]) + " 与 " + s2 + " = " +
                      num(K2, step.known[1]) + " 同时成立处（联立解得）：沿 p 的 f = " + ratio(g) +
                      "，沿 t 的 τ = " + ratio(f));
        out.push_back("第一步，A—B 与 C—D 各沿 p 取 f：");
    } else {
        out.push_back("第一步，A—B 与 C—D 各按 " + s1 + " 插到 " + s1 + " = " + num(K1, step.known[0]) + "：g = (" +
                      s1 + " − " + s1 + "_A)/(" + s1 + "_B − " + s1 + "_A) = (" + num(K1, step.known[0]) + " − " +
                      num(K1, A[k1]) + ")/(" + num(K1, B[k1]) + " − " + num(K1, A[k1]) + ") = " + ratio(g));
    }
    std::vector<double> ab(A.size()), cd(A.size());
    for (int k = 1; k < columnCount(step); ++k) {
        ab[k] = A[k] + g * (B[k] - A[k]);
        cd[k] = C[k] + g * (D[k] - C[k]);
        if ((!cell && k == k1) || derivedEnergy(step, k)) continue;
        const Column& c = columnOf(step, k);
        const std::string s = c.symbol;
        const auto blendLine = [&](const std::string& a, const std::string& b, double va, double vb, double v) {
            const std::string head = "  " + s + "_" + a + b + " = ";
            if (va == vb) return head + s + "_" + a + " = " + s + "_" + b + " = " + num(c, v);
            return head + s + "_" + a + " + " + g1 + "·(" + s + "_" + b + " − " + s + "_" + a + ") = " + num(c, va) +
                   " + " + ratio(g) + " × (" + num(c, vb) + " − " + num(c, va) + ") = " + num(c, v);
        };
        out.push_back(blendLine("A", "B", A[k], B[k], ab[k]));
        out.push_back(blendLine("C", "D", C[k], D[k], cd[k]));
    }
    if (cell) {
        out.push_back("第二步，两点之间沿 t 取 τ：");
    } else if (step.from == From::Energy) {
        out.push_back("第二步，沿 AB—CD 直线，u = h − 1000·p·v 取 u = " + num(kGridColumns[6], step.known[1]) +
                      " 处（解二次方程）：f = " + ratio(f));
    } else {
        out.push_back("第二步，两点之间按 " + s2 + " 插到 " + s2 + " = " + num(K2, step.known[1]) + "：f = (" + s2 +
                      " − " + s2 + "_AB)/(" + s2 + "_CD − " + s2 + "_AB) = (" + num(K2, step.known[1]) + " − " +
                      num(K2, ab[k2]) + ")/(" + num(K2, cd[k2]) + " − " + num(K2, ab[k2]) + ") = " + ratio(f));
    }
    for (int k = 1; k < columnCount(step); ++k) {
        // The known values themselves need no second step (a cell's are found there too).
        if ((!cell && (k == k1 || (step.from == From::Keys && k == k2))) || derivedEnergy(step, k)) continue;
        const Column& c = columnOf(step, k);
        const std::string s = c.symbol;
        out.push_back("  " + s + " = " + s + "_AB + " + g2 + "·(" + s + "_CD − " + s + "_AB) = " + num(c, ab[k]) +
                      " + " + ratio(f) + " × (" + num(c, cd[k]) + " − " + num(c, ab[k]) +
                      ") = " + result(c, step.results[k], false));
    }
    energyLines(step, step.results, out);
}

void mixtureFormula(const CalculationStep& step, std::vector<std::string>& out) {
    const auto& sat = step.saturated;
    const auto& r = step.results;
    const std::string x = ratio(step.x);
    if (step.keys[0] > 0) {
        const int liquid = step.keys[0];
        const Column& c = kSatColumns[liquid];
        const std::string y = std::string(c.symbol).substr(0, 1);
        out.push_back("x = (" + y + " − " + y + "')/(" + y + "'' − " + y + "') = (" + num(c, step.known[0]) + " − " +
                      saturatedText(step, liquid) + ")/(" + saturatedText(step, liquid + 1) + " − " +
                      saturatedText(step, liquid) + ") = " + x + " → " + shown(kStateColumns[5], step.x, true));
    } else {
        out.push_back("x = " + x + (step.x == 0.0 ? "（饱和水）" : step.x == 1.0 ? "（饱和蒸汽）" : "（已知）"));
    }
    // With t or p known, the other is the saturated value as the saturation panel shows it.
    for (int k : {0, 1}) {
        const bool rounded = r[k] != sat[k + 1];
        out.push_back(std::string(k == 0 ? "t = ts" : "p = ps") + (rounded ? "（取饱和区显示的位数）" : "") + " = " +
                      result(kStateColumns[k], r[k], true));
    }
    for (int k : {2, 3, 4, 6}) {
        const Column& c = kStateColumns[k];
        const std::string s = c.symbol;
        const int liquid = kMixedFrom[k];
        out.push_back(s + " = (1 − x)·" + s + "' + x·" + s + "'' = (1 − " + x + ") × " + saturatedText(step, liquid) +
                      " + " + x + " × " + saturatedText(step, liquid + 1) + " = " + result(c, r[k], true));
    }
}

std::string heading(const CalculationStep& step) {
    const std::string table = tableCaption(step.table);
    std::string text;
    switch (step.kind) {
        case Kind::Row: text = table + "：一行恰好在已知值处"; break;
        case Kind::Line:
            text = table +
                   (step.from == From::Energy
                        ? "：u 在两行之间"
                        : "：已知值在两行之间，按 " + std::string(columnOf(step, step.keys[0]).symbol) + " 线性插值");
            break;
        case Kind::FourRows:
            text = table + (step.from == From::TwoValues
                                ? "：格子的四角 A B C D，双线性插值"
                                : "：四行 A B C D，先按 " + std::string(columnOf(step, step.keys[0]).symbol) +
                                      "、再按 " + columnOf(step, step.keys[1]).symbol + " 插值（双线性）");
            break;
        case Kind::Mixture: text = "湿蒸汽：饱和水与饱和蒸汽按干度 x 混合（饱和值取插值所得，不取显示的位数）"; break;
    }
    return text + searchNote(step);
}

}  // namespace

std::vector<StepText> stepTexts(const calc::CalculationSteps& steps) {
    std::vector<StepText> texts;
    for (const CalculationStep& step : steps.steps) {
        StepText t;
        t.table = tableName(step.table);
        t.heading = heading(step);
        t.searchSteps = step.searchSteps;
        const bool mixture = step.kind == Kind::Mixture;
        const std::vector<std::vector<double>> rows =
            mixture ? std::vector<std::vector<double>>{step.saturated} : step.rows;
        static const char* const kLetters[] = {"A", "B", "C", "D"};
        for (size_t i = 0; i < rows.size(); ++i)
            t.rowNames.push_back(mixture ? "饱和" : step.kind == Kind::FourRows ? kLetters[i] : std::to_string(i + 1));
        for (int k = 1; k < columnCount(step); ++k) {
            const Column& c = columnOf(step, k);
            t.keys.push_back(c.key);
            t.captions.push_back(std::string(c.symbol) + " (" + c.unit + ")");
        }
        for (const auto& row : rows) {
            std::vector<double> numbers(row.begin() + 1, row.begin() + columnCount(step));
            std::vector<std::string> cells;
            for (int k = 1; k < columnCount(step); ++k)
                cells.push_back(mixture ? num(row[k], mixedDecimals(k)) : num(columnOf(step, k), row[k]));
            t.rows.push_back(std::move(numbers));
            t.cells.push_back(std::move(cells));
        }
        switch (step.kind) {
            case Kind::Row:
                t.kind = "row";
                rowFormula(step, t.formula);
                break;
            case Kind::Line:
                t.kind = "line";
                lineFormula(step, t.formula);
                break;
            case Kind::FourRows:
                t.kind = "four_rows";
                fourRowFormula(step, t.formula);
                break;
            case Kind::Mixture:
                t.kind = "mixture";
                mixtureFormula(step, t.formula);
                break;
        }
        texts.push_back(std::move(t));
    }
    return texts;
}

std::string formulaText(const StepText& step) {
    std::string text;
    for (const std::string& line : step.formula) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace steam::panels
