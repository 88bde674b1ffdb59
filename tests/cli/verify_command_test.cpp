// `steamcalc verify`, run as the built executable beside a copy of the generated data folder
// (unchanged files linked, damaged ones real copies): one line per file, "ok" or what failed;
// exit 0 only when every file holds, 1 naming each file that fails; a folder without a
// manifest is not passed. Every other command names a damaged data file as damaged.
#include "data/data_manifest.h"
#include "data/property_database.h"
#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

namespace steam::cli {
namespace {

namespace fs = std::filesystem;
using testsupport::TemporaryDirectory;

const std::vector<std::string> kNames{"swater.sqlite", "water.sqlite", "vapor.sqlite", "DengT.sqlite",
                                      "DengP.sqlite",  "DengV.sqlite", "DengX.sqlite", "charts.sqlite"};

struct CommandRun {
    int status = -1;
    std::vector<std::string> out;
    std::string err;
};

// A copy of steamcalc in a folder of its own, with the generated data files and manifest
// beside it as links; `damage` then changes the folder.
class Installation {
public:
    Installation() {
        const fs::path built = data::executableDirectory();
        fs::copy_file(built / "steamcalc", m_dir.path() / "steamcalc");
        for (const std::string& name : kNames) fs::create_symlink(built / name, file(name));
        fs::create_symlink(built / data::kManifestFileName, file(data::kManifestFileName));
    }
    fs::path file(const std::string& name) const { return m_dir.path() / name; }
    // Replaces a link by a real copy, so that it can be changed.
    fs::path ownCopy(const std::string& name) const {
        const fs::path target = fs::read_symlink(file(name));
        fs::remove(file(name));
        fs::copy_file(target, file(name));
        return file(name);
    }

    CommandRun run(const std::string& args) const {
        const fs::path errFile = m_dir.path() / "err.txt";
        const std::string command = "'" + file("steamcalc").string() + "' " + args + " 2> '" + errFile.string() + "'";
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

private:
    TemporaryDirectory m_dir;
};

void flipByteNearTheMiddle(const fs::path& file) {
    std::fstream f(file, std::ios::binary | std::ios::in | std::ios::out);
    const auto middle = static_cast<std::streamoff>(fs::file_size(file) / 2 + 13);
    f.seekg(middle);
    const char c = static_cast<char>(f.get());
    f.seekp(middle);
    f.put(static_cast<char>(c ^ 0x01));
}

TEST(VerifyCommandTest, EachFileGetsALineAndOnlyAnIntactFolderExitsZero) {
    struct Case {
        const char* what;
        std::function<void(const Installation&)> damage;
        const char* failing;  // the file that fails, or null
        const char* line;     // its line after "NAME: "
        const char* named;    // how the error output names it, before its path
    };
    const Case cases[] = {
        {"intact", [](const Installation&) {}, nullptr, nullptr, nullptr},
        {"one byte of water.sqlite flipped",
         [](const Installation& i) { flipByteNearTheMiddle(i.ownCopy("water.sqlite")); }, "water.sqlite",
         "SHA-256 与清单不符", "数据文件已损坏："},
        {"vapor.sqlite emptied",
         [](const Installation& i) {
             fs::remove(i.file("vapor.sqlite"));
             std::ofstream(i.file("vapor.sqlite"));
         },
         "vapor.sqlite", "大小与清单不符：清单 ", "数据文件已损坏："},
        {"DengX.sqlite removed", [](const Installation& i) { fs::remove(i.file("DengX.sqlite")); }, "DengX.sqlite",
         "文件不存在", "数据文件不存在: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installation installation;
        c.damage(installation);
        const CommandRun run = installation.run("verify");
        EXPECT_EQ(run.status, c.failing ? 1 : 0) << run.err;
        ASSERT_EQ(run.out.size(), kNames.size()) << run.err;
        for (size_t i = 0; i < kNames.size(); ++i) {
            const bool fails = c.failing && kNames[i] == c.failing;
            EXPECT_EQ(run.out[i].rfind(kNames[i] + ": " + (fails ? c.line : "ok"), 0), 0u) << run.out[i];
        }
        EXPECT_EQ(run.err,
                  c.failing ? "steamcalc: " + std::string(c.named) + installation.file(c.failing).string() + "\n" : "");
    }
}

TEST(VerifyCommandTest, AFolderThatCannotBeVerifiedExitsOneSayingWhy) {
    struct Case {
        const char* what;
        std::function<void(const Installation&)> change;
        const char* args;
        int status;
        const char* said;
    };
    const Case cases[] = {
        {"no manifest", [](const Installation& i) { fs::remove(i.file(data::kManifestFileName)); }, "verify", 1,
         "无法校验"},
        {"no data at all",
         [](const Installation& i) {
             for (const std::string& name : kNames) fs::remove(i.file(name));
             fs::remove(i.file(data::kManifestFileName));
         },
         "verify", 1, "找不到数据文件"},
        {"an argument", [](const Installation&) {}, "verify water.sqlite", 2, "water.sqlite"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installation installation;
        c.change(installation);
        const CommandRun run = installation.run(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    }
}

TEST(VerifyCommandTest, CalculationsNameAnEmptyOrGarbageDataFileAsDamaged) {
    for (const char* content : {"", "these are not the tables you are looking for\n"}) {
        SCOPED_TRACE(content);
        Installation installation;
        fs::remove(installation.file("water.sqlite"));
        std::ofstream(installation.file("water.sqlite")) << content;
        const CommandRun run = installation.run("sat ts 100");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "steamcalc: 数据文件已损坏：" + installation.file("water.sqlite").string() + "\n");
    }
}

}  // namespace
}  // namespace steam::cli
