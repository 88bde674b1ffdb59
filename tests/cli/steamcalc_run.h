// Runs the steamcalc executable beside the test executable through a pipe: the arguments,
// standard input fed from a file, standard output as lines, standard error whole.
#pragma once

#include "data/property_database.h"
#include "support/fixture_database.h"
#include "support/installation.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace steam::cli {

struct ProcessRun {
    int status = -1;
    std::vector<std::string> out;  // stdout lines
    std::string err;
};

inline std::string quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs steamcalc with the arguments, feeding `input` on standard input.
inline ProcessRun steamcalc(const std::vector<std::string>& args, const std::string& input = "") {
    static testsupport::TemporaryDirectory dir;
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

}  // namespace steam::cli
