// Runs the steamcalc executable beside the test executable through a pipe: the arguments,
// standard input fed from a file, standard output as lines, standard error whole.
#pragma once

#include "data/property_database.h"
#include "support/fixture_database.h"
#include "support/installation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace steam::cli {

using ProcessRun = testsupport::CommandRun;

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
    const ProcessRun run = testsupport::runCommand(command, errFile);
    if (run.status == -1) ADD_FAILURE() << "did not run to its end: " << command;
    return run;
}

}  // namespace steam::cli
