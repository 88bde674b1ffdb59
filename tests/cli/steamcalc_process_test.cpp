// The steamcalc executable, run through a pipe beside the generated tables: one request on the
// command line or one per line from standard input; every good line answered with exactly the
// library's answer (JSON or CSV), a bad line answered with an error object or row while the
// rest go on; exit status 0 when every request ran (messages included), 2 when any request was
// malformed.
#include "cli/csv_output.h"
#include "cli/requests.h"

#include "json_reader.h"

#include "data/property_database.h"
#include "support/real_tables.h"
#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace steam::cli {
namespace {

using test::Json;
using test::JsonReader;
using testsupport::TemporaryDirectory;

struct ProcessRun {
    int status = -1;
    std::vector<std::string> out;  // stdout lines
    std::string err;
};

std::string quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs steamcalc with the arguments, feeding `input` on standard input.
ProcessRun steamcalc(const std::vector<std::string>& args, const std::string& input = "") {
    static TemporaryDirectory dir;
    const auto inFile = dir.path() / "in.txt";
    const auto errFile = dir.path() / "err.txt";
    std::ofstream(inFile, std::ios::trunc) << input;
    std::string command = quoted((data::executableDirectory() / "steamcalc").string());
    for (const auto& a : args) command += " " + quoted(a);
    command += " < " + quoted(inFile.string()) + " 2> " + quoted(errFile.string());
    ProcessRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return run;
    }
    std::string all;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) all.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(all);
    for (std::string line; std::getline(lines, line);) run.out.push_back(line);
    std::ifstream err(errFile);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return run;
}

using testsupport::realTables;

// The JSON the library gives for a request line.
std::string expectedJson(const std::string& line) {
    std::string error;
    const auto request = parseRequest(splitWords(line), error);
    EXPECT_TRUE(request.has_value()) << line << ": " << error;
    return request ? toJson(answer(realTables(), *request)) : "";
}

TEST(SteamcalcTest, LinesFromStandardInputAreAnsweredInOrderAndABadLineDoesNotStopTheRest) {
    const std::vector<std::string> lines = {"sat ts 100",       "state t=200 p=3.5", "state t=200",
                                            "sat ts 400",       "bogus words here",  "state t=400 x=0.5",
                                            "state p=1 h=2000"};
    std::string input;
    for (const auto& l : lines) input += l + "\n";
    input += "\n   \n";  // blank lines are skipped
    const ProcessRun run = steamcalc({"--json", "-"}, input);
    EXPECT_EQ(run.status, 2);
    ASSERT_EQ(run.out.size(), lines.size()) << run.err;
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
    ASSERT_EQ(run.out.size(), 8u);
    EXPECT_EQ(run.out[0], "ts  = 100.00 oC");
    EXPECT_EQ(run.out[1].rfind("ps  = 0.10", 0), 0u) << run.out[1];
}

TEST(SteamcalcTest, CsvHasTheHeaderOnceThenOneRowPerRequestWithTheExitStatusOfTheOtherForms) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::vector<std::string> rows;  // the request of each row, "!" for a malformed one
        int status;
    };
    const Case cases[] = {
        {{"--csv", "state", "t=200", "p=3.5"}, "", {"state t=200 p=3.5"}, 0},
        {{"--csv", "sat", "ts", "400"}, "", {"sat ts 400"}, 0},
        {{"--csv", "-"}, "sat ts 100\nstate t=100 x=0.5\n\nsat ts 400\n", {"sat ts 100", "state t=100 x=0.5", "sat ts 400"}, 0},
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
                EXPECT_EQ(line.rfind(",,,,,,,,,,,,,,\"error: ", 0), 0u) << line;
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

}  // namespace
}  // namespace steam::cli
