// The steamcalc executable, run through a pipe beside the generated tables: one request on the
// command line or one per line from standard input; every line answered by one line (one row
// in CSV), a good one with exactly the library's answer, a bad one with an error object or row
// while the rest go on, a blank one with an empty object or row; the output well-formed UTF-8
// whatever was typed; exit status 0 when every request ran (messages included), 2 when any
// request was malformed.
#include "cli/csv_output.h"
#include "cli/requests.h"

#include "json_reader.h"
#include "steamcalc_run.h"

#include "data/property_database.h"
#include "support/fixture_database.h"
#include "support/installation.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace steam::cli {
namespace {

using test::Json;
using test::JsonReader;
using testsupport::realTables;

// The JSON the library gives for a request line.
std::string expectedJson(const std::string& line) {
    std::string error;
    const auto request = parseRequest(splitWords(line), error);
    EXPECT_TRUE(request.has_value()) << line << ": " << error;
    return request ? toJson(answer(realTables(), *request)) : "";
}

TEST(SteamcalcTest, LinesFromStandardInputAreAnsweredInOrderAndABadLineDoesNotStopTheRest) {
    const std::vector<std::string> lines = {"sat ts 100",       "state t=200 p=3.5", "state t=200",     "sat ts 400",
                                            "bogus words here", "state t=400 x=0.5", "state p=1 h=2000"};
    std::string input;
    for (const auto& l : lines) input += l + "\n";
    input += "\n   \n";  // blank lines get an empty object each
    const ProcessRun run = steamcalc({"--json", "-"}, input);
    EXPECT_EQ(run.status, 2);
    ASSERT_EQ(run.out.size(), lines.size() + 2) << run.err;
    EXPECT_EQ(run.out[lines.size()], "{}");
    EXPECT_EQ(run.out[lines.size() + 1], "{}");
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const auto json = JsonReader::parse(run.out[i]);
        ASSERT_TRUE(json.has_value()) << run.out[i];
        const bool malformed = i == 2 || i == 4;
        if (malformed) {
            EXPECT_EQ(json->keys(), (std::vector<std::string>{"error"}));
            EXPECT_FALSE(json->find("error")->string.empty());
        } else {
            EXPECT_EQ(run.out[i], expectedJson(lines[i]));
        }
    }
    EXPECT_EQ(JsonReader::parse(run.out[1])->find("t")->string, "200.00");
    EXPECT_EQ(JsonReader::parse(run.out[3])->find("messages")->array.size(), 1u);
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool wellFormedUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = text[i];
        const int length = c < 0x80                 ? 1
                           : c >= 0xC2 && c <= 0xDF ? 2
                           : c >= 0xE0 && c <= 0xEF ? 3
                           : c >= 0xF0 && c <= 0xF4 ? 4
                                                    : 0;
        if (length == 0 || i + length > text.size()) return false;
        unsigned code = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const unsigned char d = text[i + k];
            if ((d & 0xC0) != 0x80) return false;
            code = (code << 6) | (d & 0x3F);
        }
        const unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
        i += length;
    }
    return true;
}

TEST(SteamcalcTest, OutputIsWellFormedUtf8WhateverIsTyped) {
    const std::string input =
        "sat ts \xc0\xaf"
        "100\nstate t=\xed\xa0\x80 p=1\nsat \xf4\x90\x80\x80 1\nstate t=200 p=\xff\n";
    for (const bool json : {true, false}) {
        SCOPED_TRACE(json ? "--json" : "plain");
        const ProcessRun run = json ? steamcalc({"--json", "-"}, input) : steamcalc({"-"}, input);
        std::string all;
        for (const auto& line : run.out) {
            all += line + "\n";
            if (json) {
                EXPECT_TRUE(JsonReader::parse(line).has_value()) << line;
            }
        }
        EXPECT_TRUE(wellFormedUtf8(all)) << all;
        if (json) {
            EXPECT_EQ(run.out.size(), 4u);
        }
    }
    const ProcessRun single = steamcalc({"sat", "t\xc0\xafs", "100"});
    EXPECT_EQ(single.status, 2);
    EXPECT_TRUE(wellFormedUtf8(single.err)) << single.err;
}

TEST(SteamcalcTest, StandardInputWithOnlyGoodLinesExitsZero) {
    const ProcessRun run = steamcalc({"--json", "-"}, "sat ts 100\nstate t=400 p=22.064\nsat h11 9999\n");
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.out.size(), 3u);
    for (const auto& line : run.out) EXPECT_TRUE(JsonReader::parse(line).has_value()) << line;
}

TEST(SteamcalcTest, SingleRequestPrintsOneObjectAndExitsZero) {
    const ProcessRun run = steamcalc({"--json", "state", "t=200", "p=3.5"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.out.size(), 1u);
    EXPECT_EQ(run.out[0], expectedJson("state t=200 p=3.5"));
    const auto json = JsonReader::parse(run.out[0]);
    ASSERT_TRUE(json.has_value());
    EXPECT_EQ(json->find("p")->string, "3.500000");
    EXPECT_EQ(json->find("x")->string, "(none)");
    EXPECT_EQ(json->find("region")->string, "water");
}

TEST(SteamcalcTest, RequestThatEndsInAMessageStillExitsZero) {
    const ProcessRun run = steamcalc({"sat", "ts", "400"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::string all;
    for (const auto& l : run.out) all += l + "\n";
    EXPECT_NE(all.find("超出可选范围，请重新输入"), std::string::npos) << all;
}

TEST(SteamcalcTest, PlainOutputShowsBoxTextsWithUnits) {
    const ProcessRun run = steamcalc({"sat", "ts", "100"});
    EXPECT_EQ(run.status, 0) << run.err;
    // The ten boxes, seven properties of each phase and the surface tension.
    ASSERT_EQ(run.out.size(), 10u + 14u + 1u);
    EXPECT_EQ(run.out[0], "ts  = 100.00 oC");
    EXPECT_EQ(run.out[1].rfind("ps  = 0.10", 0), 0u) << run.out[1];
    EXPECT_EQ(run.out[9].rfind("u11 = 25", 0), 0u) << run.out[9];
    EXPECT_EQ(run.out[10].rfind("cp1 = 4.2", 0), 0u) << run.out[10];
    EXPECT_EQ(run.out[24].rfind("sigma = 58.9", 0), 0u) << run.out[24];
    // A message and no boxes when the calculation ends with it; a blank line for a blank line.
    const ProcessRun refused = steamcalc({"-"}, "sat ps 22.07\n\nsat ts 100\n");
    ASSERT_GE(refused.out.size(), 3u);
    EXPECT_EQ(refused.out[0], "[提醒] 超出可选范围，请重新输入");
    EXPECT_EQ(refused.out[1], "");  // the answer's closing blank line
    EXPECT_EQ(refused.out[2], "");  // the blank request line's answer
    EXPECT_EQ(refused.out[3], "ts  = 100.00 oC");
}

TEST(SteamcalcTest, CsvHasTheHeaderOnceThenOneRowPerRequestWithTheExitStatusOfTheOtherForms) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::vector<std::string> rows;  // the request of each row, "!" for a malformed one, "" for a blank
        int status;
    };
    const Case cases[] = {
        {{"--csv", "state", "t=200", "p=3.5"}, "", {"state t=200 p=3.5"}, 0},
        {{"--csv", "sat", "ts", "400"}, "", {"sat ts 400"}, 0},
        {{"--csv", "-"},
         "sat ts 100\nstate t=100 x=0.5\n\nsat ts 400\n",
         {"sat ts 100", "state t=100 x=0.5", "", "sat ts 400"},
         0},
        {{"--csv", "-"}, "state t=200\nstate t=200 p=1\n", {"!", "state t=200 p=1"}, 2},
        {{"--csv", "-"}, "", {}, 0},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE("steamcalc " + joined + "with input \"" + c.input + "\"");
        const ProcessRun run = steamcalc(c.args, c.input);
        EXPECT_EQ(run.status, c.status) << run.err;
        ASSERT_EQ(run.out.size(), c.rows.size() + 1);
        EXPECT_EQ(run.out[0] + "\n", csvHeader());
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const std::string line = run.out[i + 1] + "\n";
            if (c.rows[i] == "!") {
                EXPECT_EQ(line.rfind(std::string(panels::kResultColumnCount, ',') + "\"error: ", 0), 0u) << line;
                continue;
            }
            if (c.rows[i].empty()) {
                EXPECT_EQ(line, blankCsv());
                continue;
            }
            std::string error;
            const auto request = parseRequest(splitWords(c.rows[i]), error);
            ASSERT_TRUE(request.has_value()) << error;
            EXPECT_EQ(line, toCsv(answer(realTables(), *request)));
        }
    }
}

TEST(SteamcalcTest, MalformedArgumentsExitTwoWithOneLineNamingTheProblem) {
    struct Case {
        std::vector<std::string> args;
        const char* named;
    };
    const Case cases[] = {
        {{"state", "t=200"}, "state"},
        {{"--json", "sat", "tx", "100"}, "tx"},
        {{"state", "t=200", "w=1"}, "w=1"},
        {{"bogus"}, "bogus"},
        {{}, "usage"},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE("steamcalc " + joined);
        const ProcessRun run = steamcalc(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        const std::string first = run.err.substr(0, run.err.find('\n'));
        EXPECT_NE(first.find(c.named), std::string::npos) << run.err;
    }
}

// A cycle request: malformed, exit 2 naming the value; ending with a message, exit 0 as any
// calculation does; answered in the plain, JSON and CSV forms.
TEST(SteamcalcTest, CycleRequestsExitLikeTheOtherRequests) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* shown;  // in the first line of the error output for 2, else in the output
    };
    const Case cases[] = {
        {{"cycle", "rankine", "p_high=8", "p_low=0.008", "eta_turbine=2"}, 2, "eta_turbine=2"},
        {{"--json", "cycle", "rankine", "p_high=8", "p_low=abc"}, 2, "p_low=abc"},
        {{"--json", "cycle", "rankine", "p_high=30", "p_low=0.008"}, 0, "\"messages\":[{\"title\":\"提醒\""},
        {{"cycle", "rankine", "p_high=30", "p_low=0.008"}, 0, "[提醒]"},
        {{"cycle", "rankine", "p_high=8", "t_high=480", "p_low=0.008"}, 0, "热效率 (%) 39.72"},
        {{"--csv", "cycle", "rankine", "p_high=8", "t_high=480", "p_low=0.008"}, 0, "\xEF\xBB\xBF状态,说明,t (°C)"},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE("steamcalc " + joined);
        const ProcessRun run = steamcalc(c.args);
        EXPECT_EQ(run.status, c.status);
        std::string out;
        for (const std::string& line : run.out) out += line + "\n";
        const std::string shownIn = c.status == 2 ? run.err.substr(0, run.err.find('\n')) : out;
        EXPECT_NE(shownIn.find(c.shown), std::string::npos) << out << run.err;
        if (c.status == 2) {
            EXPECT_TRUE(run.out.empty());
        }
    }
}

// Output that cannot be written (a full disk) is a failure: exit 1 with one line on the error
// output, for one answer, a long batch and the data check alike.
TEST(SteamcalcTest, OutputThatCannotBeWrittenExitsOneWithOneLine) {
    testsupport::Installation installation;
    std::ofstream(installation.file("batch.txt")) << [] {
        std::string lines;
        for (int i = 0; i < 20000; ++i) lines += "state t=200 p=3.5\n";
        return lines;
    }();
    const std::string batch = "--json - < '" + installation.file("batch.txt").string() + "'";
    for (const std::string& args : {std::string("sat ts 100"), batch, std::string("verify")}) {
        SCOPED_TRACE(args);
        const testsupport::CommandRun run = installation.run(args, "> /dev/full");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find("output"), std::string::npos) << run.err;
    }
}

// A calculation that meets damaged pages names the file on its own line, the other lines are
// answered, and the run exits 1 at the end.
TEST(SteamcalcTest, DamagedDataIsNamedOnItsLineAndTheRunExitsOne) {
    testsupport::Installation installation;
    const auto vapour = installation.ownCopy("vapor.sqlite");
    testsupport::damagePages(vapour, 40, 11);
    std::string lines;
    // Steam from the damaged file, compressed water from a sound one.
    for (int i = 0; i < 200; ++i)
        lines +=
            i % 2 ? "state t=" + std::to_string(200 + 3 * i) + " p=" + std::to_string(0.002 + 0.009 * (i % 11)) + "\n"
                  : "state t=" + std::to_string(20 + i / 4) + " p=5\n";
    std::ofstream(installation.file("batch.txt")) << lines;
    const testsupport::CommandRun run =
        installation.run("--json - < '" + installation.file("batch.txt").string() + "'");
    ASSERT_EQ(run.out.size(), 200u);
    int named = 0;
    for (const std::string& line : run.out) {
        const auto json = JsonReader::parse(line);
        ASSERT_TRUE(json.has_value()) << line;
        if (line.find("数据文件已损坏：" + vapour.string()) != std::string::npos) {
            ++named;
            EXPECT_EQ(json->find("t")->kind, Json::Null) << line;
        } else {
            EXPECT_EQ(json->find("t")->kind, Json::String) << line;
        }
    }
    EXPECT_GT(named, 0);
    EXPECT_LT(named, 200);
    EXPECT_EQ(run.status, 1);
}

}  // namespace
}  // namespace steam::cli
