// A request line parses into exactly the panel input it names or into one line naming what
// is wrong; an answer carries exactly the box texts the panel calculation shows; the JSON form
// has the documented keys in order and escapes every string; the text form lists names,
// texts, units, region and messages.
#include "cli/requests.h"
#include "cli/answers.h"
#include "cli/utf8_text.h"
#include "panels/saturation_panel.h"
#include "panels/state_panel.h"

#include "json_reader.h"

#include "data/property_database.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace steam::cli {
namespace {

using test::Json;
using test::JsonReader;

using testsupport::realTables;

TEST(ParseRequestTest, MalformedRequestsGiveOneLineNamingTheProblem) {
    struct Case {
        std::vector<std::string> words;
        std::string named;  // a piece the error must mention
    };
    const Case cases[] = {
        {{}, "empty"},
        {{"sat"}, "sat"},
        {{"sat", "ts"}, "sat"},
        {{"sat", "ts", "100", "extra"}, "sat"},
        {{"sat", "tx", "100"}, "tx"},
        {{"sat", "TS", "100"}, "TS"},
        {{"state", "t=200"}, "state"},
        {{"state", "t=200", "p=3.5", "v=1"}, "state"},
        {{"state", "t200", "p=3.5"}, "t200"},
        {{"state", "t=200", "q=3.5"}, "q=3.5"},
        {{"state", "t=200", "t=300"}, "\"t\""},
        {{"state", "=200", "p=3.5"}, "=200"},
        {{"calc", "t=200", "p=3.5"}, "calc"},
        // A value is one whole number: everything else is named.
        {{"state", "t=1,5", "p=30"}, "\"1,5\""},
        {{"state", "t=200", "p=3.5.7"}, "\"3.5.7\""},
        {{"state", "t=100", "x=abc"}, "\"abc\""},
        {{"state", "t=100", "x="}, "x="},
        {{"state", "t=100", "x=nan"}, "\"nan\""},
        {{"state", "t=100", "x=0x1p-1"}, "\"0x1p-1\""},
        {{"state", "h=", "x=a=b"}, "h="},
        {{"sat", "ts", "100abc"}, "\"100abc\""},
        {{"sat", "ps", "1e"}, "\"1e\""},
        {{"sat", "ts", "12.5abc"}, "\"12.5abc\""},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& w : c.words) joined += w + " ";
        SCOPED_TRACE(testing::Message() << "request \"" << joined << "\"");
        std::string error;
        EXPECT_FALSE(parseRequest(c.words, error).has_value());
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
}

TEST(ParseRequestTest, RequestsNameTheirPropertiesAndValues) {
    const char* columns[] = {"ts", "ps", "v1", "v11", "h1", "h11", "s1", "s11"};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(columns[i]);
        std::string error;
        const auto request = parseRequest({"sat", columns[i], "12.5"}, error);
        ASSERT_TRUE(request.has_value()) << error;
        const auto* sat = std::get_if<SaturationRequest>(&*request);
        ASSERT_NE(sat, nullptr);
        EXPECT_EQ(static_cast<int>(sat->known), i);
        EXPECT_EQ(sat->value, 12.5);
    }
    // In the panel's box order, whatever the order typed; full-width forms as plain ones.
    struct Case {
        std::vector<std::string> words;
        calc::Property first, second;
        double firstValue, secondValue;
    };
    const Case cases[] = {
        {{"state", "p=3.5", "t=200"}, calc::Property::t, calc::Property::p, 200, 3.5},
        {{"state", "t=２００", "p=３．５"}, calc::Property::t, calc::Property::p, 200, 3.5},
        {{"state", "x=-.5", "h=1e3"}, calc::Property::h, calc::Property::x, 1000, -0.5},
        {{"state", "s=１００。５", "v=+2"}, calc::Property::v, calc::Property::s, 2, 100.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words[1] + " " + c.words[2]);
        std::string error;
        const auto request = parseRequest(c.words, error);
        ASSERT_TRUE(request.has_value()) << error;
        const auto& state = std::get<StateRequest>(*request);
        EXPECT_EQ(state.first, c.first);
        EXPECT_EQ(state.second, c.second);
        EXPECT_EQ(state.firstValue, c.firstValue);
        EXPECT_EQ(state.secondValue, c.secondValue);
    }
}

TEST(SplitWordsTest, SplitsAtAnyRunOfBlanks) {
    EXPECT_EQ(splitWords("  state\tt=200   p=3.5 "), (std::vector<std::string>{"state", "t=200", "p=3.5"}));
    EXPECT_TRUE(splitWords("   ").empty());
}

TEST(AnswerTest, AnswerShowsExactlyWhatThePanelsShow) {
    // Saturation: the same texts as SCAL_Click on a panel with that option and text.
    panels::SaturationPanel satPanel;
    panels::OPT_Click(satPanel, 4);
    satPanel.text[4] = "419.1";
    const panels::SaturationOutcome sat = panels::SCAL_Click(realTables(), satPanel);
    const Answer satAnswer = answer(realTables(), SaturationRequest{calc::SatProperty::h1, 419.1});
    EXPECT_TRUE(satAnswer.saturation);
    EXPECT_EQ(satAnswer.names,
              (std::vector<std::string>{"ts", "ps", "v1", "v11", "h1", "h11", "s1", "s11", "u1", "u11"}));
    EXPECT_EQ(satAnswer.texts, std::vector<std::string>(sat.panel.text.begin(), sat.panel.text.end()));
    EXPECT_EQ(satAnswer.units[0], "oC");

    // State: the same texts as SCAL2_Click with those two boxes ticked and "0" elsewhere.
    panels::StatePanel statePanel;
    statePanel.text = {"0", "1", "0", "0", "6.7", "0", "0"};
    statePanel.ticked[1] = statePanel.ticked[4] = true;
    panels::CHK_Click(statePanel);
    const panels::StateOutcome state = panels::SCAL2_Click(realTables(), statePanel);
    const StateRequest request{calc::Property::p, calc::Property::s, 1, 6.7};
    const Answer stateAnswer = answer(realTables(), request);
    EXPECT_FALSE(stateAnswer.saturation);
    EXPECT_EQ(stateAnswer.names, (std::vector<std::string>{"t", "p", "v", "h", "s", "x", "u"}));
    EXPECT_EQ(stateAnswer.texts, std::vector<std::string>(state.panel.text.begin(), state.panel.text.end()));
    EXPECT_EQ(stateAnswer.region, "vapor");
    EXPECT_EQ(stateAnswer.messages, state.messages);
}

TEST(AnswerTest, RegionKeysNameEveryOutcome) {
    struct Case {
        std::vector<std::string> words;
        const char* region;
    };
    const Case cases[] = {
        {{"state", "t=200", "p=3.5"}, "water"},
        {{"state", "t=200", "p=1"}, "vapor"},
        {{"state", "t=100", "h=1000"}, "wet"},
        {{"state", "t=400", "p=22.064"}, "water"},
        {{"state", "t=100", "p=0.101418"}, "needs_dryness"},
        {{"state", "t=100", "x=0.5"}, "wet"},
        {{"state", "p=1", "x=0"}, "wet"},
        {{"state", "t=400", "x=0.5"}, "none"},
        {{"state", "s=7", "h=3000"}, "vapor"},
        {{"state", "v=0.001", "h=100"}, "water"},
        {{"state", "h=2000", "x=0.5"}, "wet"},
        {{"state", "s=5", "v=10"}, "wet"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words[1] + " " + c.words[2]);
        std::string error;
        const auto request = parseRequest(c.words, error);
        ASSERT_TRUE(request.has_value()) << error;
        EXPECT_EQ(answer(realTables(), *request).region, c.region);
    }
}

TEST(ToJsonTest, SaturationAnswerHasItsKeysInOrderAndStringsOnly) {
    const Answer a = answer(realTables(), SaturationRequest{calc::SatProperty(0), 100});
    const auto json = JsonReader::parse(toJson(a));
    ASSERT_TRUE(json.has_value()) << toJson(a);
    EXPECT_EQ(json->keys(),
              (std::vector<std::string>{"ts",  "ps",  "v1",   "v11",  "h1",   "h11",  "s1",    "s11",   "u1",
                                        "u11", "cp1", "cp11", "cv1",  "cv11", "w1",   "w11",   "mu1",   "mu11",
                                        "k1",  "k11", "nu1",  "nu11", "pr1",  "pr11", "sigma", "notes", "messages"}));
    for (int i = 0; i < 10; ++i) {
        const Json& v = json->object[i].second;
        EXPECT_EQ(v.kind, Json::String) << json->object[i].first;
        EXPECT_EQ(v.string, a.texts[i]);
    }
    EXPECT_EQ(json->find("ts")->string, "100.00");
    EXPECT_EQ(json->find("messages")->kind, Json::Array);
    EXPECT_TRUE(json->find("messages")->array.empty());
}

TEST(ToJsonTest, StateAnswerHasRegionAndMessagesWithTitleAndText) {
    std::string error;
    const Answer a = answer(realTables(), *parseRequest({"state", "t=100", "p=0.101418"}, error));
    const auto json = JsonReader::parse(toJson(a));
    ASSERT_TRUE(json.has_value()) << toJson(a);
    EXPECT_EQ(json->keys(),
              (std::vector<std::string>{"t", "p", "v", "h", "s", "x", "u", "region", "phase", "messages"}));
    EXPECT_EQ(json->find("region")->string, "needs_dryness");
    const Json& messages = *json->find("messages");
    ASSERT_EQ(messages.array.size(), 1u);
    EXPECT_EQ(messages.array[0].keys(), (std::vector<std::string>{"title", "text"}));
    EXPECT_EQ(messages.array[0].find("title")->string, "注意");
    EXPECT_EQ(messages.array[0].find("text")->string, "湿蒸汽，请输入干度");
}

// A calculation that ends with a message shows no values: every box key is null, and the
// plain form lists no boxes.
TEST(ToJsonTest, AnswerEndingWithAMessageHasNullBoxes) {
    std::string error;
    const Answer answers[] = {answer(realTables(), SaturationRequest{calc::SatProperty(1), 22.07}),
                              answer(realTables(), *parseRequest({"state", "t=100", "p=0.101418"}, error)),
                              answer(realTables(), *parseRequest({"state", "t=733", "h=9000"}, error))};
    for (const Answer& a : answers) {
        SCOPED_TRACE(toJson(a));
        EXPECT_FALSE(a.answered);
        const auto json = JsonReader::parse(toJson(a));
        ASSERT_TRUE(json.has_value());
        for (const std::string& name : a.names) EXPECT_EQ(json->find(name)->kind, Json::Null) << name;
        EXPECT_EQ(json->find("messages")->array.size(), 1u);
        const std::string text = toText(a);
        for (const std::string& name : a.names) EXPECT_EQ(text.find(name + " "), std::string::npos) << text;
        EXPECT_NE(text.find("["), std::string::npos) << text;
    }
}

TEST(ToJsonTest, EveryStringIsEscaped) {
    const std::string awkward[] = {"quote \" here",
                                   "back\\slash",
                                   "line\nbreak",
                                   "tab\there",
                                   std::string("bell\x07", 5),
                                   std::string("nul\0x", 5),
                                   "ctrl\x1f",
                                   "中文 \xe2\x80\x94 dash",
                                   "\r"};
    for (const std::string& text : awkward) {
        SCOPED_TRACE(testing::Message() << "text of " << text.size() << " bytes");
        Answer a;
        a.saturation = false;
        a.names = {"t", "p", "v", "h", "s", "x"};
        a.texts = {text, "0", "0", "0", "0", text};
        a.units = {"", "", "", "", "", ""};
        a.region = text;
        a.messages = {{calc::MessageCode::DataFault, text}};
        const std::string out = toJson(a);
        EXPECT_EQ(out.find('\n'), std::string::npos);
        const auto json = JsonReader::parse(out);
        ASSERT_TRUE(json.has_value()) << out;
        EXPECT_EQ(json->find("t")->string, text);
        EXPECT_EQ(json->find("region")->string, text);
        EXPECT_EQ(json->find("messages")->array[0].find("text")->string, "数据文件已损坏：" + text);

        const auto error = JsonReader::parse(errorJson(text));
        ASSERT_TRUE(error.has_value()) << errorJson(text);
        EXPECT_EQ(error->keys(), (std::vector<std::string>{"error"}));
        EXPECT_EQ(error->find("error")->string, text);
    }
}

// Typed text reaches the JSON unchanged when a box keeps it; bytes that are no UTF-8 would make
// the whole line unreadable to a JSON parser, so they are replaced, and nothing else is.
TEST(ToJsonTest, BytesThatAreNotUtf8BecomeTheReplacementCharacter) {
    const struct {
        std::string typed, expected;
    } cases[] = {{"1\xff", "1\\ufffd"},
                 {"\xe4\xb8", "\\ufffd\\ufffd"},    // a Chinese character cut short
                 {"\xe4\xb8\xad", "\xe4\xb8\xad"},  // the whole character stays
                 {"a\x80"
                  "b",
                  "a\\ufffdb"},
                 {"\xc0\xaf"
                  "100",
                  "\\ufffd\\ufffd100"},                                 // an overlong '/'
                 {"\xe0\x80\xaf", "\\ufffd\\ufffd\\ufffd"},             // the same in three bytes
                 {"\xed\xa0\x80", "\\ufffd\\ufffd\\ufffd"},             // a surrogate
                 {"\xf4\x90\x80\x80", "\\ufffd\\ufffd\\ufffd\\ufffd"},  // beyond U+10FFFF
                 {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},              // four bytes, well formed
                 {"\xef\xbf\xbf", "\xef\xbf\xbf"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "typed " << c.typed.size() << " bytes");
        const std::string out = errorJson(c.typed);
        EXPECT_EQ(out, "{\"error\":\"" + c.expected + "\"}");
        // The plain form replaces the same bytes by U+FFFD itself.
        std::string plain = c.expected;
        for (size_t at; (at = plain.find("\\ufffd")) != std::string::npos;) plain.replace(at, 6, "\xef\xbf\xbd");
        EXPECT_EQ(wellFormed(c.typed), plain);
    }
}

TEST(ToTextTest, ListsBoxesWithUnitsThenRegionThenMessages) {
    std::string error;
    const Answer a = answer(realTables(), *parseRequest({"state", "t=200", "p=3.5"}, error));
    const std::string text = toText(a);
    EXPECT_NE(text.find("t   = 200.00 oC\n"), std::string::npos) << text;
    EXPECT_NE(text.find("p   = 3.500000 MPa\n"), std::string::npos) << text;
    EXPECT_NE(text.find("x   = (none)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("region: "), std::string::npos) << text;
    EXPECT_LT(text.find("x   ="), text.find("region: "));

    const Answer refused = answer(realTables(), SaturationRequest{calc::SatProperty(0), 400});
    const std::string lines = toText(refused);
    EXPECT_EQ(lines, "[提醒] 超出可选范围，请重新输入\n");
}

}  // namespace
}  // namespace steam::cli
