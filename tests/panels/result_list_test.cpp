// The result list keeps exactly the calculations that ended with a result, with the texts the
// boxes showed, in one column layout for both panels; its clipboard text is tab-separated with
// the header and its file text is CSV with a byte-order mark, CRLF lines and RFC 4180 quoting.
#include "panels/result_texts.h"

#include "panels/property_texts.h"

#include "calc/calc_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace steam::panels {
namespace {

using namespace calc::test;
using calc::ResultKind;

// The rows the list keeps after a panel's calculation, as the window adds them.
std::optional<ResultRow> saturationResult(const SaturationOutcome& out) {
    const auto entry = out.solution ? calc::saturationEntry(*out.solution) : std::nullopt;
    return entry ? std::optional(resultRow(*entry)) : std::nullopt;
}
std::optional<ResultRow> stateResult(const StateOutcome& out) {
    const auto entry = out.solution ? calc::stateEntry(*out.solution) : std::nullopt;
    return entry ? std::optional(resultRow(*entry)) : std::nullopt;
}

TEST(ResultListTest, SaturationCalculationsWithValuesAreKeptAsShown) {
    struct Case {
        int option;  // -1: no option chosen yet
        const char* typed;
        bool kept;
    };
    const Case cases[] = {{0, "100", true}, {1, "1", true}, {5, "2700", true}, {0, "400", false}, {-1, "", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option << " typed \"" << c.typed << "\"");
        const SaturationPanel panel = c.option < 0 ? SaturationPanel{} : saturationPanel(c.option, c.typed);
        const SaturationOutcome out = SCAL_Click(realTables(), panel);
        const std::optional<ResultRow> row = saturationResult(out);
        ASSERT_EQ(row.has_value(), c.kept);
        if (!row) continue;
        EXPECT_EQ(row->kind, ResultKind::Saturation);
        EXPECT_EQ(row->region, "饱和区");
        const auto& t = out.panel.text;
        const auto& v = row->values;
        EXPECT_EQ((std::array{v[0], v[1]}), (std::array{t[0], t[1]}));
        for (int k = 2; k < kStateThermalAt + kThermalCount; ++k) EXPECT_EQ(v[k], "") << "column " << k;
        for (int k = 2; k < 10; ++k) EXPECT_EQ(v[kSaturatedAt + k - 2], t[k]) << "box " << k;
        // Both phases' other properties and the surface tension are written out.
        for (int k = kSaturatedThermalAt; k < kResultValueCount; ++k) EXPECT_NE(v[k], "") << "column " << k;
    }
}

TEST(ResultListTest, StateCalculationsAreKeptWithTheirRegionOnlyWhenTheyEndedWithAState) {
    struct Case {
        std::vector<std::pair<int, std::string>> known;
        const char* region;  // nullptr: nothing kept
    };
    const Case cases[] = {
        {{{T, "200"}, {P, "3.5"}}, "压缩水"},
        {{{T, "200"}, {P, "0.1"}}, "过热蒸汽"},
        {{{T, "400"}, {P, "30"}}, "超临界区"},
        {{{T, "100"}, {V, "1"}}, "湿蒸汽"},
        {{{T, "100"}, {X, "0.5"}}, "湿蒸汽"},
        {{{P, "1"}, {X, "1"}}, "饱和蒸汽"},
        {{{T, "100"}, {X, "0"}}, "饱和水"},
        {{{T, "400"}, {X, "0.5"}}, nullptr},       // every box "none"
        {{{T, "-5"}, {X, "0.5"}}, nullptr},        // below the saturation table: the range message
        {{{T, "200"}}, nullptr},                   // one box ticked: a message
        {{{T, "100"}, {P, "0.101418"}}, nullptr},  // on the saturation line: a message
        {{{T, "200"}, {H, "1e6"}}, nullptr},       // beyond the vapour table: the range message
    };
    for (const Case& c : cases) {
        std::string known;
        for (const auto& [box, text] : c.known) known += std::to_string(box) + "=" + text + " ";
        SCOPED_TRACE(testing::Message() << "known " << known);
        const StatePanel before = statePanel(c.known);
        const StateOutcome out = SCAL2_Click(realTables(), before);
        const std::optional<ResultRow> row = stateResult(out);
        ASSERT_EQ(row.has_value(), c.region != nullptr);
        if (!row) continue;
        EXPECT_EQ(row->kind, ResultKind::State);
        EXPECT_EQ(row->region, c.region);
        const auto& t = out.panel.text;
        const auto& v = row->values;
        for (int k = 0; k < kStateThermalAt; ++k) EXPECT_EQ(v[k], t[k]) << "box " << k;
        for (int k = kStateThermalAt; k < kStateThermalAt + kThermalCount; ++k) EXPECT_NE(v[k], "") << "column " << k;
        for (int k = kSaturatedAt; k < kResultValueCount; ++k) EXPECT_EQ(v[k], "") << "column " << k;
    }
}

TEST(ResultListTest, RowsStayInTheOrderOfTheirCalculationsUntilCleared) {
    calc::ResultList list;
    const auto first = calc::stateEntry(calc::solveState(realTables(), calc::Property::t, 100, calc::Property::x, 0.5));
    const auto second = calc::saturationEntry(calc::solveSaturation(realTables(), calc::SatProperty::ts, 100));
    ASSERT_TRUE(first && second);
    list.add(*first);
    list.add(*second);
    list.add(*first);
    ASSERT_EQ(list.size(), 3u);
    std::vector<ResultRow> rows;
    for (const calc::ResultEntry& entry : list.entries()) rows.push_back(resultRow(entry));
    EXPECT_EQ(rows[0], resultRow(*first));
    EXPECT_EQ(rows[1], resultRow(*second));
    EXPECT_EQ(rows[2], rows[0]);
    EXPECT_EQ(rows[0].region, "湿蒸汽");
    EXPECT_EQ(rows[1].kind, ResultKind::Saturation);
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(toCsv({}),
              std::string(kUtf8Bom) + joinCells({resultHeader().begin(), resultHeader().end()}, ',') + "\r\n");
}

TEST(ResultListTest, CellsNeedingItAreQuotedWithTheirQuotesDoubled) {
    struct Case {
        std::string cell;
        char separator;
        std::string written;
    };
    const Case cases[] = {
        {"100.00", ',', "100.00"},
        {"(none)", ',', "(none)"},
        {"a,b", ',', "\"a,b\""},
        {"a,b", '\t', "a,b"},
        {"a\tb", '\t', "\"a\tb\""},
        {"say \"x\"", ',', "\"say \"\"x\"\"\""},
        {"two\nlines", ',', "\"two\nlines\""},
        {"cr\r", '\t', "\"cr\r\""},
        {"", ',', ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell \"" << c.cell << "\" separator " << int(c.separator));
        EXPECT_EQ(joinCells({c.cell, "z"}, c.separator), c.written + c.separator + "z");
    }
}

// The captions a spreadsheet shows, in the order the values are kept.
const std::string kHeaderCells[] = {"种类",
                                    "区域",
                                    "t (°C)",
                                    "p (MPa)",
                                    "v (m³/kg)",
                                    "h (kJ/kg)",
                                    "s (kJ/(kg·K))",
                                    "x",
                                    "u (kJ/kg)",
                                    "cp (kJ/(kg·K))",
                                    "cv (kJ/(kg·K))",
                                    "w (m/s)",
                                    "μ (µPa·s)",
                                    "λ (mW/(m·K))",
                                    "ν (mm²/s)",
                                    "Pr",
                                    "v' (m³/kg)",
                                    "v'' (m³/kg)",
                                    "h' (kJ/kg)",
                                    "h'' (kJ/kg)",
                                    "s' (kJ/(kg·K))",
                                    "s'' (kJ/(kg·K))",
                                    "u' (kJ/kg)",
                                    "u'' (kJ/kg)",
                                    "cp' (kJ/(kg·K))",
                                    "cp'' (kJ/(kg·K))",
                                    "cv' (kJ/(kg·K))",
                                    "cv'' (kJ/(kg·K))",
                                    "w' (m/s)",
                                    "w'' (m/s)",
                                    "μ' (µPa·s)",
                                    "μ'' (µPa·s)",
                                    "λ' (mW/(m·K))",
                                    "λ'' (mW/(m·K))",
                                    "ν' (mm²/s)",
                                    "ν'' (mm²/s)",
                                    "Pr'",
                                    "Pr''",
                                    "σ (mN/m)"};

std::string line(const std::vector<std::string>& cells, char separator, const char* end) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) text += (i ? std::string(1, separator) : "") + cells[i];
    return text + end;
}

const std::array<std::string, 10> kSaturatedTexts{"100.00",  "0.101418", "0.00104344", "1.67186", "419.10",
                                                  "2675.57", "1.3070",   "7.3541",     "419.00",  "2506.00"};

// A saturation row's cells: kind, region, ts, ps, eleven empty cells, then its saturated values.
std::vector<std::string> saturationCells() {
    std::vector<std::string> cells{"饱和", "饱和区", kSaturatedTexts[0], kSaturatedTexts[1]};
    cells.resize(2 + kSaturatedAt);
    cells.insert(cells.end(), kSaturatedTexts.begin() + 2, kSaturatedTexts.end());
    cells.resize(kResultColumnCount);
    return cells;
}

TEST(ResultListTest, ClipboardTextIsTheHeaderAndTheChosenRowsInListOrder) {
    std::vector<ResultRow> list;
    list.push_back(stateRow("压缩水", {"200.00", "3.500000", "0.00115", "853.8", "2.3305", "(none)", "849.8"}));
    list.push_back(saturationRow(kSaturatedTexts));
    list.push_back(stateRow("湿蒸汽", {"100", "0.101418", "0.836", "1547.34", "4.3306", "0.5", "1462.6"}));

    std::vector<std::string> wet{"状态", "湿蒸汽", "100", "0.101418", "0.836", "1547.34", "4.3306", "0.5", "1462.6"};
    wet.resize(kResultColumnCount);
    const std::vector<std::string> header(std::begin(kHeaderCells), std::end(kHeaderCells));
    // Chosen in any order, and twice: each once, in list order; beyond the list: skipped.
    EXPECT_EQ(toTsv(list, {2, 1, 2, 7}),
              line(header, '\t', "\n") + line(saturationCells(), '\t', "\n") + line(wet, '\t', "\n"));
    EXPECT_EQ(toTsv(list, {}), line(header, '\t', "\n"));
}

TEST(ResultListTest, FileTextIsCsvWithByteOrderMarkAndCrlfLines) {
    std::vector<ResultRow> list;
    list.push_back(saturationRow(kSaturatedTexts));
    list.push_back(stateRow("湿蒸汽", {"100", "0,5", "0.836", "1547.34", "4.3306", "0.5", "1462.6"}));
    std::vector<std::string> wet{"状态", "湿蒸汽", "100", "\"0,5\"", "0.836", "1547.34", "4.3306", "0.5", "1462.6"};
    wet.resize(kResultColumnCount);
    const std::vector<std::string> header(std::begin(kHeaderCells), std::end(kHeaderCells));
    EXPECT_EQ(toCsv(list), std::string("\xEF\xBB\xBF") + line(header, ',', "\r\n") +
                               line(saturationCells(), ',', "\r\n") + line(wet, ',', "\r\n"));
}

}  // namespace
}  // namespace steam::panels
