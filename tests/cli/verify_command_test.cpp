// `steamcalc verify`, run as the built executable beside a copy of the generated data folder
// (unchanged files linked, damaged ones real copies): one line per file, "ok" or what failed;
// exit 0 only when every file holds, 1 naming each file that fails; a folder without a
// manifest is not passed. Every other command names a damaged data file as damaged.
#include "data/data_manifest.h"
#include "data/property_database.h"
#include "support/installation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace steam::cli {
namespace {

namespace fs = std::filesystem;

using testsupport::CommandRun;
using testsupport::Installation;

const std::vector<std::string>& kNames = testsupport::dataFileNames();

void flipByteNearTheMiddle(const fs::path& file) {
    std::fstream f(file, std::ios::binary | std::ios::in | std::ios::out);
    const auto middle = static_cast<std::streamoff>(fs::file_size(file) / 2 + 13);
    f.seekg(middle);
    const char c = static_cast<char>(f.get());
    f.seekp(middle);
    f.put(static_cast<char>(c ^ 0x01));
}

TEST(VerifyCommandTest, EachFileGetsALineAndOnlyAnIntactFolderExitsZero) {
    struct Failure {
        std::string line;   // its line after "NAME: "
        std::string named;  // how the error output names it, before its path
    };
    const auto vaporSize = fs::file_size(data::executableDirectory() / "vapor.sqlite");
    // One damaged folder holds three damages (each file is checked on its own), so the whole
    // 170 MB is read twice in all, not once per damage.
    const std::map<std::string, Failure> damaged{
        {"water.sqlite", {"SHA-256 与清单不符", "数据文件已损坏："}},
        {"vapor.sqlite",
         {"大小与清单不符：清单 " + std::to_string(vaporSize) + " 字节，实际 0 字节", "数据文件已损坏："}},
        {"DengX.sqlite", {"文件不存在", "数据文件不存在: "}},
    };
    for (const bool damage : {false, true}) {
        SCOPED_TRACE(damage ? "damaged" : "intact");
        Installation installation;
        if (damage) {
            flipByteNearTheMiddle(installation.ownCopy("water.sqlite"));
            fs::remove(installation.file("vapor.sqlite"));
            std::ofstream(installation.file("vapor.sqlite"));
            fs::remove(installation.file("DengX.sqlite"));
        }
        const CommandRun run = installation.run("verify");
        EXPECT_EQ(run.status, damage ? 1 : 0) << run.err;
        ASSERT_EQ(run.out.size(), kNames.size()) << run.err;
        std::string err;
        for (size_t i = 0; i < kNames.size(); ++i) {
            const auto failure = damaged.find(kNames[i]);
            const bool fails = damage && failure != damaged.end();
            EXPECT_EQ(run.out[i], kNames[i] + ": " + (fails ? failure->second.line : "ok"));
            if (fails) err += "steamcalc: " + failure->second.named + installation.file(kNames[i]).string() + "\n";
        }
        EXPECT_EQ(run.err, err);
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
