// steamcalc --explain, run as a user runs it: an explained answer ends with its steps (the
// tables read, their rows as numbers and the formulas), from which the shown values are redone
// by hand; --explain goes with --json or the plain form, and with every answer of a batch.
#include "json_reader.h"
#include "numeric/number_text.h"
#include "steamcalc_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace steam::cli {
namespace {

using test::Json;
using test::JsonReader;

Json jsonOf(const ProcessRun& run) {
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.size(), 1u);
    const auto json = JsonReader::parse(run.out.empty() ? "" : run.out[0]);
    EXPECT_TRUE(json.has_value());
    return json.value_or(Json{});
}

double number(const Json& row, const std::string& key) {
    const Json* value = row.find(key);
    EXPECT_TRUE(value && value->kind == Json::Number) << key;
    return value ? value->number : 0.0;
}

std::string text(const Json& object, const std::string& key) {
    const Json* value = object.find(key);
    return value && value->kind == Json::String ? value->string : "";
}

// A line between two rows, redone from the JSON: every column at the known value of `key`.
TEST(ExplainTest, TheStepsOfALineRedoneFromTheirRowsGiveTheShownValues) {
    struct Case {
        std::vector<std::string> request;
        const char* table;
        const char* key;  // the known column, in the last step's rows
        double known;
        std::vector<std::pair<const char*, int>> shown;  // answer key, decimals
    };
    const Case cases[] = {
        {{"sat", "ts", "100.02"}, "SWATER", "ts", 100.02, {{"ps", 6}, {"v11", 5}, {"h1", 2}, {"s11", 4}}},
        {{"state", "t=200", "p=3.52"}, "WATER", "p", 3.52, {{"v", 8}, {"h", 2}, {"s", 4}}},
        {{"state", "p=1", "t=250.5"}, "VAPOR", "t", 250.5, {{"v", 8}, {"h", 2}, {"s", 4}}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--json", "--explain"};
        args.insert(args.end(), c.request.begin(), c.request.end());
        SCOPED_TRACE(c.request[1] + " " + c.request[2]);
        const Json answer = jsonOf(steamcalc(args));
        const Json* steps = answer.find("steps");
        ASSERT_TRUE(steps && steps->kind == Json::Array && !steps->array.empty());
        const Json& step = steps->array.back();
        EXPECT_EQ(text(step, "table"), c.table);
        EXPECT_EQ(text(step, "kind"), "line");
        EXPECT_FALSE(text(step, "formula").empty());
        const Json* rows = step.find("rows");
        ASSERT_TRUE(rows && rows->array.size() == 2u);
        const Json& r1 = rows->array[0];
        const Json& r2 = rows->array[1];
        const double f = (c.known - number(r1, c.key)) / (number(r2, c.key) - number(r1, c.key));
        for (const auto& [key, decimals] : c.shown) {
            const double value = number(r1, key) + f * (number(r2, key) - number(r1, key));
            EXPECT_EQ(numeric::fixedText(value, decimals), text(answer, key)) << key;
        }
    }
}

TEST(ExplainTest, ExplainGoesWithJsonOrThePlainFormAndEveryAnswerOfABatch) {
    const ProcessRun plain = steamcalc({"--explain", "state", "h=2800", "s=7"});
    EXPECT_EQ(plain.status, 0);
    std::string all;
    for (const auto& line : plain.out) all += line + "\n";
    EXPECT_NE(all.find("第 1 步"), std::string::npos) << all;
    EXPECT_NE(all.find("蒸汽表 VAPOR"), std::string::npos) << all;

    const ProcessRun batch = steamcalc({"--explain", "--json", "-"}, "sat ts 100\nstate t=200 x=0.5\nstate t=-5 p=1\n");
    ASSERT_EQ(batch.out.size(), 3u);
    const std::vector<size_t> stepCounts{1, 2, 0};  // a line; the saturation row and the mixture; a message
    for (size_t i = 0; i < 3; ++i) {
        const auto json = JsonReader::parse(batch.out[i]);
        ASSERT_TRUE(json) << batch.out[i];
        ASSERT_TRUE(json->find("steps")) << batch.out[i];
        EXPECT_EQ(json->find("steps")->array.size(), stepCounts[i]) << batch.out[i];
    }

    const ProcessRun csv = steamcalc({"--csv", "--explain", "sat", "ts", "100"});
    EXPECT_EQ(csv.status, 2);
    EXPECT_NE(csv.err.find("--explain"), std::string::npos) << csv.err;
}

}  // namespace
}  // namespace steam::cli
