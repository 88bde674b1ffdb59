#pragma once
// A copy of the program's data folder for tests that damage it: the generated data files and
// their manifest as links to the built ones (a file is made a real copy before it is changed),
// and a copy of steamcalc beside them, which reads the data beside itself.
#include "fixture_database.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace steam::testsupport {

struct CommandRun {
    int status = -1;
    std::vector<std::string> out;  ///< standard output, by line
    std::string err;
};

/// Runs a shell command line whose standard error goes to `errFile` (the command names the
/// redirection): its exit status (-1 when it did not exit), standard output by line and the
/// error file whole.
CommandRun runCommand(const std::string& command, const std::filesystem::path& errFile);

class Installation {
public:
    Installation();
    const std::filesystem::path& folder() const { return m_dir.path(); }
    std::filesystem::path file(const std::string& name) const { return m_dir.path() / name; }
    /// Replaces a link by a real copy, so that it can be changed.
    std::filesystem::path ownCopy(const std::string& name) const;
    /// Runs the copied steamcalc with the arguments (already quoted as the shell needs);
    /// `redirect` may send its output elsewhere (e.g. "> /dev/full").
    CommandRun run(const std::string& args, const std::string& redirect = "") const;

private:
    TemporaryDirectory m_dir;
};

/// The names of the eight data files.
const std::vector<std::string>& dataFileNames();

/// Overwrites `pages` pages of 4096 bytes of the file, spread over it after its first page,
/// with bytes that make no b-tree page: the damage a failing disk leaves.
void damagePages(const std::filesystem::path& file, int pages, std::uint32_t seed);

}  // namespace steam::testsupport
