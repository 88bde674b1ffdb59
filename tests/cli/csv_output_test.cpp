// steamcalc's CSV row of a request has the result list's columns and a message
// column: a result as the list keeps it, no values after a message, "none" as shown for a
// state that does not exist; the header comes after a byte-order mark; every line ends in CRLF.
#include "cli/csv_output.h"

#include "calc/result_list.h"
#include "data/property_database.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace steam::cli {
namespace {

using testsupport::realTables;

// The fields of one CSV line without quoted fields.
std::vector<std::string> fields(std::string line) {
    EXPECT_TRUE(line.size() >= 2 && line.substr(line.size() - 2) == "\r\n") << line;
    line.resize(line.size() - 2);
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == ',')
            out.emplace_back();
        else
            out.back().push_back(c);
    }
    return out;
}

TEST(CsvOutputTest, HeaderIsTheResultListsColumnsAndAMessageColumnAfterAByteOrderMark) {
    const std::string header = csvHeader();
    ASSERT_EQ(header.rfind("\xEF\xBB\xBF", 0), 0u);
    std::vector<std::string> expected(panels::resultHeader().begin(), panels::resultHeader().end());
    expected.push_back("提示");
    EXPECT_EQ(fields(header.substr(3)), expected);
}

TEST(CsvOutputTest, EachRequestGivesOneRowOfItsResultOrItsMessages) {
    struct Case {
        std::vector<std::string> words;
        const char* kind;
        const char* region;
        const char* values;  // which value columns are filled: 's' saturation, 't' state, '-' none
        const char* message;
    };
    const Case cases[] = {
        {{"sat", "ts", "100"}, "饱和", "饱和区", "s", ""},
        {{"state", "t=200", "p=3.5"}, "状态", "压缩水", "t", ""},
        {{"state", "t=100", "x=0.5"}, "状态", "湿蒸汽", "t", ""},
        {{"state", "t=400", "x=0.5"}, "状态", "", "t", ""},  // "none" in every box, as shown
        {{"sat", "ts", "400"}, "饱和", "", "-", "超出可选范围，请重新输入"},
        {{"state", "t=100", "p=0.101418"}, "状态", "", "-", "湿蒸汽，请输入干度"},
        {{"state", "v=0.1", "h=2800"}, "状态", "过热蒸汽", "t", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words[0] + " " + c.words[1] + " " + c.words[2]);
        std::string error;
        const auto request = parseRequest(c.words, error);
        ASSERT_TRUE(request.has_value()) << error;
        const Answer a = answer(realTables(), *request);
        const std::vector<std::string> row = fields(toCsv(a));
        ASSERT_EQ(row.size(), panels::kResultColumnCount + 1u);
        EXPECT_EQ(row[0], c.kind);
        EXPECT_EQ(row[1], c.region);
        EXPECT_EQ(row.back(), c.message);
        // Where the boxes go: ts ps into t p and the saturated values from v' on; t p v h s x u
        // into their own columns.
        const std::string kind = c.values;
        std::vector<std::pair<int, std::string>> boxes;  // (value column, box text)
        if (kind == "s") {
            for (int i = 0; i < 10; ++i) boxes.emplace_back(i < 2 ? i : panels::kSaturatedAt + i - 2, a.texts[i]);
        } else if (kind == "t") {
            for (int k = 0; k < 7; ++k) boxes.emplace_back(k, a.texts[k]);
        }
        const std::vector<std::string> shown(row.begin() + 2, row.end() - 1);
        for (const auto& [column, text] : boxes) EXPECT_EQ(shown[column], text) << "column " << column;
        // After a message no value is written at all.
        if (kind == "-") {
            EXPECT_EQ(shown, std::vector<std::string>(panels::kResultValueCount));
        }
    }
}

TEST(CsvOutputTest, AMalformedRequestGivesARowWithOnlyItsError) {
    const std::vector<std::string> row = fields(errorCsv("unknown request"));
    ASSERT_EQ(row.size(), panels::kResultColumnCount + 1u);
    for (int i = 0; i < panels::kResultColumnCount; ++i) EXPECT_EQ(row[i], "") << "column " << i;
    EXPECT_EQ(row.back(), "error: unknown request");
}

}  // namespace
}  // namespace steam::cli
