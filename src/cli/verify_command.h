#pragma once
// `steamcalc verify`: checks every data file of the folder steamcalc reads (the first of the
// places holding all eight, data/data_verification.h) against the manifest beside them and
// with SQLite's own check. One line per file on `out`, "NAME: ok" or "NAME: " and what
// failed; each file that fails is named again on `err` with its path. Exit status 0 when
// every file holds, 1 when any fails, the folder has no manifest or no place holds the
// data, 2 for arguments (the command takes none).
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace steam::cli {

int runVerifyCommand(const std::vector<std::string>& args, const std::vector<std::filesystem::path>& places,
                     std::ostream& out, std::ostream& err);

}  // namespace steam::cli
