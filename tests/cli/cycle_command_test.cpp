// `steamcalc cycle rankine ...`: a malformed request names the value that makes it so (not a
// number, an unknown or repeated name, a value the builder cannot use); the JSON answer holds
// the states as the state panel shows them and the figures as numbers, y only with a heater, and
// a cycle whose states the tables do not hold answers with its message and no figures.
#include "cli/cycle_command.h"
#include "cli/requests.h"

#include "json_reader.h"

#include "panels/cycle_texts.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

namespace steam::cli {
namespace {

using test::Json;
using test::JsonReader;
using testsupport::realTables;

TEST(CycleRequestTest, AMalformedRequestNamesTheValue) {
    const std::pair<const char*, const char*> cases[] = {
        {"rankine p_high=8 t_high=4x0 p_low=0.008", "\"4x0\" is not a number (t_high=4x0)"},
        {"rankine p_high=8 t_high=480 p_low=", "\"\" is not a number (p_low=)"},
        {"rankine p_high=8 p_low=0.008 eta_turbine=1.2", "eta_turbine=1.2 must be above 0 and at most 1"},
        {"rankine p_high=8 p_low=0.008 eta_pump=0", "eta_pump=0 must be above 0 and at most 1"},
        {"rankine p_high=8 t_high=480", "p_low is missing"},
        {"rankine p_low=0.008", "p_high is missing"},
        {"rankine p_high=-1 p_low=0.008", "p_high=-1 must be above 0"},
        {"rankine p_high=8 p_low=10", "p_low=10 must be below p_high"},
        {"rankine p_high=8 p_low=0.008 p_reheat=0.7", "p_reheat=0.7 needs t_reheat"},
        {"rankine p_high=8 p_low=0.008 t_reheat=440", "t_reheat=440 needs p_reheat"},
        {"rankine p_high=8 p_low=0.008 p_fwh=9", "p_fwh=9 must lie between p_low and p_high"},
        {"rankine p_high=8 p_low=0.008 p_high=9", "\"p_high\" is given twice"},
        {"rankine p_hi=8 p_low=0.008", "\"p_hi=8\" is not NAME=VALUE"},
        {"rankine p_high 8", "\"p_high\" is not NAME=VALUE"},
        {"brayton p_high=8", "cycle takes a kind"},
        {"", "cycle takes a kind"},
    };
    for (const auto& [line, named] : cases) {
        SCOPED_TRACE(line);
        std::string error;
        EXPECT_FALSE(parseCycleRequest(splitWords(line), error));
        EXPECT_NE(error.find(named), std::string::npos) << error;
    }
    std::string error;
    const auto inputs = parseCycleRequest(splitWords("rankine p_low=０.００８ p_high=８ eta_pump=0.8"), error);
    ASSERT_TRUE(inputs) << error;  // full-width digits as the boxes read them, any order
    EXPECT_EQ(inputs->pHigh, 8.0);
    EXPECT_EQ(inputs->pLow, 0.008);
    EXPECT_EQ(inputs->etaPump, 0.8);
    EXPECT_EQ(inputs->etaTurbine, 1.0);
    EXPECT_FALSE(inputs->tHigh);
}

Json answerJson(const std::string& line) {
    std::string error;
    const auto inputs = parseCycleRequest(splitWords(line), error);
    EXPECT_TRUE(inputs) << error;
    const std::optional<Json> json = JsonReader::parse(cycleJson(cycleAnswer(realTables(), *inputs)));
    EXPECT_TRUE(json);
    return json.value_or(Json{});
}

TEST(CycleJsonTest, StatesAreThePanelsTextsAndTheFiguresNumbers) {
    for (const char* line :
         {"rankine p_high=8 t_high=480 p_low=0.008 eta_turbine=0.85 p_fwh=0.7", "rankine p_high=8 p_low=0.008"}) {
        SCOPED_TRACE(line);
        const Json json = answerJson(line);
        std::string error;
        const cycle::RankineResult built =
            cycle::buildRankine(realTables(), *parseCycleRequest(splitWords(line), error));
        const Json* states = json.find("states");
        ASSERT_TRUE(states && states->kind == Json::Array);
        ASSERT_EQ(states->array.size(), built.cycle.states.size());
        for (size_t i = 0; i < states->array.size(); ++i) {
            const Json& state = states->array[i];
            EXPECT_EQ(state.keys(), (std::vector<std::string>{"t", "p", "v", "u", "h", "s", "x"}));
            const panels::StateTexts texts = panels::cycleStateTexts(built.cycle.states[i]);
            EXPECT_EQ(state.find("u")->string, texts[6]);
            EXPECT_EQ(state.find("x")->string, texts[5]);
            EXPECT_EQ(state.find("h")->string, texts[3]);
        }
        for (const char* key :
             {"heat_in", "heat_out", "net_work", "efficiency", "back_work_ratio", "carnot_efficiency"})
            EXPECT_EQ(json.find(key) ? json.find(key)->kind : Json::Null, Json::Number) << key;
        EXPECT_NEAR(json.find("heat_in")->number - json.find("heat_out")->number, json.find("net_work")->number, 0.011);
        EXPECT_GT(json.find("carnot_efficiency")->number, json.find("efficiency")->number);
        EXPECT_EQ(json.find("y") != nullptr, built.cycle.extraction.has_value());
        EXPECT_TRUE(json.find("messages")->array.empty());
    }
}

TEST(CycleJsonTest, ACycleWhoseStatesDoNotExistAnswersWithItsMessageOnly) {
    const Json json = answerJson("rankine p_high=30 p_low=0.008");
    EXPECT_EQ(json.find("states")->kind, Json::Null);
    EXPECT_EQ(json.find("efficiency")->kind, Json::Null);
    ASSERT_EQ(json.find("messages")->array.size(), 1u);
    EXPECT_NE(json.find("messages")->array[0].find("text")->string.find("锅炉出口"), std::string::npos);
}

}  // namespace
}  // namespace steam::cli
