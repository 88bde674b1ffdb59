#include "installation.h"

#include "data/data_manifest.h"
#include "data/property_database.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace steam::testsupport {

namespace fs = std::filesystem;

const std::vector<std::string>& dataFileNames() {
    static const std::vector<std::string> names{"swater.sqlite", "water.sqlite", "vapor.sqlite", "DengT.sqlite",
                                                "DengP.sqlite",  "DengV.sqlite", "DengX.sqlite", "charts.sqlite"};
    return names;
}

Installation::Installation() {
    const fs::path built = data::executableDirectory();
    fs::copy_file(built / "steamcalc", file("steamcalc"));
    for (const std::string& name : dataFileNames()) fs::create_symlink(built / name, file(name));
    fs::create_symlink(built / data::kManifestFileName, file(data::kManifestFileName));
}

fs::path Installation::ownCopy(const std::string& name) const {
    const fs::path target = fs::read_symlink(file(name));
    fs::remove(file(name));
    fs::copy_file(target, file(name));
    return file(name);
}

CommandRun runCommand(const std::string& command, const fs::path& errFile) {
    CommandRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
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

CommandRun Installation::run(const std::string& args, const std::string& redirect) const {
    const fs::path errFile = m_dir.path() / "err.txt";
    return runCommand("'" + file("steamcalc").string() + "' " + args + " 2> '" + errFile.string() + "' " + redirect,
                      errFile);
}

void damagePages(const fs::path& file, int pages, std::uint32_t seed) {
    constexpr std::uintmax_t kPage = 4096;
    const std::uintmax_t count = fs::file_size(file) / kPage;
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::uintmax_t> page(1, count - 1);
    std::fstream bytes(file, std::ios::in | std::ios::out | std::ios::binary);
    for (int k = 0; k < pages; ++k) {
        bytes.seekp(static_cast<std::streamoff>(page(random) * kPage));
        for (std::uintmax_t b = 0; b < kPage; ++b) bytes.put(static_cast<char>(0xA5 ^ (b * 131)));
    }
}

}  // namespace steam::testsupport
