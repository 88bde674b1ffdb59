// steamcalc table, run as a user runs it: a page lists one row per step with both ends of its
// range, each row as the calculators' own answer shows it, as plain lines, CSV (byte-order
// mark, CRLF) or a PDF of A4 pages; a value that makes no page is a malformed request (exit 2)
// named in one line.
#include "cli/answers.h"
#include "cli/requests.h"
#include "steamcalc_run.h"
#include "support/real_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace steam::cli {
namespace {

std::vector<std::string> cells(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');) out.push_back(cell);
    return out;
}

TEST(TableCommandTest, APageListsEveryStepWithBothEndsAsTheCalculatorsAnswer) {
    struct Case {
        std::vector<std::string> args;
        size_t rows;        // after the header
        const char* first;  // the first row's first value cell
        const char* last;
    };
    const Case cases[] = {
        {{"table", "sat-t", "--from", "0.01", "--to", "370", "--step", "10", "--csv"}, 38, "0.01", "370.00"},
        {{"table", "sat-p", "--from", "0.001", "--to", "22", "--per-decade", "1,2,5", "--csv"},
         15,
         "0.001000",
         "22.000000"},
        {{"table", "isobar", "--p", "1", "--from", "100", "--to", "800", "--step", "50", "--csv"},
         2 + 15,
         "179.88",
         "800.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const ProcessRun run = steamcalc(c.args);
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_EQ(run.out.size(), c.rows + 1);
        EXPECT_EQ(run.out[0].rfind("\xEF\xBB\xBF", 0), 0u) << "byte-order mark";
        for (const std::string& line : run.out) EXPECT_EQ(line.back(), '\r') << "CRLF";
        const bool isobar = c.args[1] == "isobar";
        EXPECT_EQ(cells(run.out[1])[isobar ? 1 : 0], c.first);
        EXPECT_EQ(cells(run.out.back())[isobar ? 1 : 0], c.last);
    }
    // The row of 100 C shows what `sat ts 100` shows.
    const ProcessRun page = steamcalc({"table", "sat-t", "--from", "90", "--to", "110", "--step", "10", "--csv"});
    ASSERT_EQ(page.out.size(), 4u);
    std::string error;
    const Answer a = answer(testsupport::realTables(), *parseRequest({"sat", "ts", "100"}, error));
    const std::vector<std::string> row = cells(page.out[2]);
    const std::vector<std::string> expected{a.texts[0], a.texts[1], a.texts[2], a.texts[3], a.texts[4], a.texts[5]};
    EXPECT_EQ(std::vector<std::string>(row.begin(), row.begin() + 6), expected);
}

TEST(TableCommandTest, MalformedPagesExitTwoNamingTheValue) {
    struct Case {
        std::vector<std::string> args;
        const char* named;
    };
    const Case cases[] = {
        {{"table"}, "sat-t"},
        {{"table", "sat-x"}, "sat-x"},
        {{"table", "sat-t", "--from", "abc"}, "abc"},
        {{"table", "sat-t", "--to", "400"}, "400"},
        {{"table", "sat-t", "--from", "300", "--to", "200"}, "200"},
        {{"table", "sat-t", "--step", "0"}, "--step 0"},
        {{"table", "sat-t", "--step", "0.00001"}, "0.00001"},
        {{"table", "sat-p", "--per-decade", "1,20"}, "20"},
        {{"table", "isobar", "--from", "100"}, "--p"},
        {{"table", "isobar", "--p", "500"}, "500"},
        {{"table", "sat-t", "--per-decade", "1,2,5"}, "--per-decade"},
        {{"table", "sat-t", "--pdf"}, "--pdf"},
        {{"table", "sat-t", "--bogus"}, "--bogus"},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE("steamcalc " + joined);
        const ProcessRun run = steamcalc(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    }
}

TEST(TableCommandTest, APdfHoldsAsManyA4PagesAsTheRowsNeed) {
#ifndef STEAMCALC_WRITES_PDF
    GTEST_SKIP() << "this steamcalc is built without the drawing libraries";
#endif
    testsupport::TemporaryDirectory dir;
    const auto pages = [&](const std::string& step) {
        const std::string file = (dir.path() / ("sat" + step + ".pdf")).string();
        const ProcessRun run = steamcalc({"table", "sat-t", "--step", step, "--pdf", file});
        EXPECT_EQ(run.status, 0) << run.err;
        std::ifstream in(file, std::ios::binary);
        const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
        size_t count = 0;
        for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
            if (pdf.compare(at, 12, "/Type /Pages") != 0) ++count;
        return count;
    };
    EXPECT_EQ(pages("50"), 1u);  // 10 rows
    EXPECT_GT(pages("1"), 4u);   // 375 rows
}

}  // namespace
}  // namespace steam::cli
