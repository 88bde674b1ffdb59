// Each damage to a data folder is caught by the first check that can see it, on that file
// alone: the full check for a missing, unlisted, resized, altered or structurally broken
// file, the start-up check for a missing, resized or tableless one. A folder without a
// manifest is never passed as verified. Progress runs to its total and can stop the check.
#include "data/data_verification.h"

#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <optional>

namespace steam::data {
namespace {

using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;
namespace fs = std::filesystem;

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void flipByteAt(const fs::path& file, std::uint64_t offset) {
    std::fstream f(file, std::ios::binary | std::ios::in | std::ios::out);
    f.seekg(static_cast<std::streamoff>(offset));
    const char c = static_cast<char>(f.get());
    f.seekp(static_cast<std::streamoff>(offset));
    f.put(static_cast<char>(c ^ 0x20));
}

void execute(const fs::path& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

// A fixture folder with some rows in water.sqlite, and its manifest.
void writeFolder(const fs::path& dir, int waterRows = 200) {
    FixtureDatabase fixture;
    for (int i = 0; i < waterRows; ++i) fixture.addGridRow(Source::Water, i, 0.1 * i, 0.001, 4.2 * i, 0.01 * i);
    std::string error;
    ASSERT_TRUE(fixture.write(dir, error)) << error;
    ASSERT_TRUE(writeManifest(dir, error)) << error;
}

void rewriteManifest(const fs::path& dir) {
    std::string error;
    ASSERT_TRUE(writeManifest(dir, error)) << error;
}

struct Damage {
    const char* what;
    Source file;
    std::function<void(const fs::path& dir, const fs::path& file)> apply;
    std::optional<FileCheck> full;     // the check the full verification names
    std::optional<FileCheck> startup;  // the check the start-up check names
};

std::uint64_t size(const fs::path& file) { return fs::file_size(file); }

std::vector<Damage> damages() {
    return {
        {"none", Source::Swater, [](auto&, auto&) {}, std::nullopt, std::nullopt},
        {"removed", Source::DengX, [](auto&, auto& f) { fs::remove(f); }, FileCheck::Present, FileCheck::Present},
        {"emptied", Source::Vapor, [](auto&, auto& f) { writeBytes(f, ""); }, FileCheck::Size, FileCheck::Size},
        {"cut short", Source::Water, [](auto&, auto& f) { fs::resize_file(f, size(f) - 1024); }, FileCheck::Size,
         FileCheck::Size},
        {"one byte flipped in the middle", Source::Water, [](auto&, auto& f) { flipByteAt(f, size(f) / 2); },
         FileCheck::Sha256, std::nullopt},
        {"garbage of the same size", Source::Swater, [](auto&, auto& f) { writeBytes(f, std::string(size(f), 'x')); },
         FileCheck::Sha256, FileCheck::Tables},
        {"left out of the manifest", Source::DengP,
         [](auto& dir, auto&) {
             Manifest m;
             std::string error;
             readManifest(dir, m, error);
             std::erase_if(m.entries, [](const ManifestEntry& e) { return e.name == "DengP.sqlite"; });
             writeBytes(dir / kManifestFileName, manifestText(m));
         },
         FileCheck::Listed, FileCheck::Listed},
        // Damage the manifest agrees with (written after it): only SQLite's own check sees it.
        {"page broken, manifest rewritten", Source::Water,
         [](auto& dir, auto& f) {
             // Page 2 holds the table's b-tree; its page type byte becomes one no page has.
             std::fstream io(f, std::ios::binary | std::ios::in | std::ios::out);
             io.seekp(4096);
             io.put('\x55');
             io.close();
             rewriteManifest(dir);
         },
         FileCheck::QuickCheck, std::nullopt},
        {"garbage, manifest rewritten", Source::DengT,
         [](auto& dir, auto& f) {
             writeBytes(f, "these are not the tables you are looking for\n");
             rewriteManifest(dir);
         },
         FileCheck::QuickCheck, FileCheck::Tables},
        {"table dropped, manifest rewritten", Source::Charts,
         [](auto& dir, auto& f) {
             execute(f, "drop table PV_S");
             rewriteManifest(dir);
         },
         std::nullopt, FileCheck::Tables},
    };
}

void expectOnlyThisFileFails(const FolderResult& result, Source file, std::optional<FileCheck> check) {
    ASSERT_EQ(result.files.size(), kSources.size());
    for (const FileResult& f : result.files) {
        SCOPED_TRACE(f.file.filename().string() + " " + f.detail);
        EXPECT_EQ(f.failed, f.source == file ? check : std::nullopt);
        EXPECT_EQ(failureText(f).empty(), f.holds());
    }
    EXPECT_EQ(result.holds(), !check.has_value());
}

TEST(DataVerificationTest, EachDamageIsCaughtByTheFirstCheckThatSeesItOnThatFileAlone) {
    for (const Damage& damage : damages()) {
        SCOPED_TRACE(damage.what);
        TemporaryDirectory dir;
        writeFolder(dir.path());
        const fs::path file = dir.path() / dataFileName(damage.file);
        damage.apply(dir.path(), file);

        const FolderResult full = verifyDataFolder(dir.path());
        EXPECT_EQ(full.manifest, ManifestRead::Read);
        expectOnlyThisFileFails(full, damage.file, damage.full);
        expectOnlyThisFileFails(checkDataFolderAtStartup(dir.path()), damage.file, damage.startup);
    }
}

TEST(DataVerificationTest, AFolderWithoutAManifestIsNeverVerified) {
    const std::pair<const char*, std::string> manifests[] = {{"none", ""}, {"not a manifest", "swater.sqlite 1\n"}};
    for (const auto& [what, text] : manifests) {
        SCOPED_TRACE(what);
        TemporaryDirectory dir;
        writeFolder(dir.path());
        fs::remove(dir.path() / kManifestFileName);
        if (!text.empty()) writeBytes(dir.path() / kManifestFileName, text);

        const FolderResult full = verifyDataFolder(dir.path());
        EXPECT_EQ(full.manifest, text.empty() ? ManifestRead::Missing : ManifestRead::Malformed);
        EXPECT_FALSE(full.holds());
        EXPECT_TRUE(full.files.empty());
        EXPECT_NE(manifestProblemText(full).find("无法校验"), std::string::npos);

        // At start-up the sizes go unchecked, the rest still is.
        const FolderResult startup = checkDataFolderAtStartup(dir.path());
        EXPECT_FALSE(startup.holds());
        EXPECT_EQ(startup.firstFailure(), nullptr);
        writeBytes(dir.path() / "vapor.sqlite", "");
        expectOnlyThisFileFails(checkDataFolderAtStartup(dir.path()), Source::Vapor, FileCheck::Tables);
    }
}

TEST(DataVerificationTest, ProgressRunsThroughBothReadingsOfEveryFileToTheTotalAndCanStop) {
    // water.sqlite (the second file) larger than the chunk read at a time.
    TemporaryDirectory dir;
    writeFolder(dir.path(), 60000);
    std::uint64_t sizes = 0;
    for (const SourceInfo& info : kSources) sizes += fs::file_size(dir.path() / dataFileName(info.source));
    const std::uint64_t waterStart = 2 * fs::file_size(dir.path() / "swater.sqlite");
    const std::uint64_t waterSize = fs::file_size(dir.path() / "water.sqlite");
    ASSERT_GT(waterSize, 1u << 21);

    std::vector<std::uint64_t> reported;
    const FolderResult result = verifyDataFolder(dir.path(), [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, 2 * sizes);
        EXPECT_GE(done, reported.empty() ? 0 : reported.back());
        reported.push_back(done);
        return true;
    });
    EXPECT_TRUE(result.holds());
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), 2 * sizes);
    // Within the hashing of water.sqlite, its end, and the end of SQLite's check of it.
    const auto reportedBetween = [&](std::uint64_t from, std::uint64_t to) {
        return std::count_if(reported.begin(), reported.end(), [&](auto done) { return done > from && done < to; });
    };
    EXPECT_GE(reportedBetween(waterStart, waterStart + waterSize), 2);
    for (const std::uint64_t end : {waterStart + waterSize, waterStart + 2 * waterSize})
        EXPECT_NE(std::find(reported.begin(), reported.end(), end), reported.end()) << end;

    // Stopped while water.sqlite is hashed: asked no further, nothing passed.
    int askedAfterStop = 0;
    bool stopAsked = false;
    const FolderResult stopped = verifyDataFolder(dir.path(), [&](std::uint64_t done, std::uint64_t) {
        askedAfterStop += stopAsked;
        stopAsked = stopAsked || done > waterStart;
        return !stopAsked;
    });
    EXPECT_TRUE(stopped.stopped);
    EXPECT_FALSE(stopped.holds());
    EXPECT_EQ(askedAfterStop, 0);
    EXPECT_EQ(stopped.files.size(), 2u);
}

TEST(DataVerificationTest, TheFolderReadIsTheFirstHoldingEveryFileElseTheFirstHoldingAny) {
    TemporaryDirectory empty, partial, full, manifestOnly;
    writeFolder(partial.path());
    fs::remove(partial.path() / "DengV.sqlite");
    writeFolder(full.path());
    writeBytes(manifestOnly.path() / kManifestFileName, "");
    EXPECT_EQ(dataFolderOf({empty.path(), partial.path(), full.path()}), full.path());
    EXPECT_EQ(dataFolderOf({empty.path(), partial.path()}), partial.path());
    EXPECT_EQ(dataFolderOf({empty.path(), manifestOnly.path()}), manifestOnly.path());
    EXPECT_EQ(dataFolderOf({empty.path()}), std::nullopt);
}

}  // namespace
}  // namespace steam::data
