// The manifest reads back what it wrote, takes nothing that departs from its format, and the
// one written for a folder lists each data file with its own size and SHA-256.
#include "data/data_manifest.h"

#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace steam::data {
namespace {

using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;

const std::string kHash(64, 'a');

TEST(DataManifestTest, TextReadsBackAsWritten) {
    const Manifest written{{{"swater.sqlite", 5832704, kHash}, {"water.sqlite", 0, std::string(64, '0')}}};
    std::string error;
    const auto read = parseManifest(manifestText(written), error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->entries.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(read->entries[i].name, written.entries[i].name);
        EXPECT_EQ(read->entries[i].size, written.entries[i].size);
        EXPECT_EQ(read->entries[i].sha256, written.entries[i].sha256);
    }
    EXPECT_EQ(read->find("water.sqlite"), &read->entries[1]);
    EXPECT_EQ(read->find("vapor.sqlite"), nullptr);
    // Upper-case digits are the same digest.
    const auto upper = parseManifest(std::string(kManifestHeader) + "\nx 1 " + std::string(64, 'F') + "\n", error);
    ASSERT_TRUE(upper) << error;
    EXPECT_EQ(upper->entries[0].sha256, std::string(64, 'f'));
}

TEST(DataManifestTest, TextThatDepartsFromTheFormatIsRefused) {
    const std::string head = std::string(kManifestHeader) + "\n";
    const std::string line = "water.sqlite 12 " + kHash + "\n";
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"another header", "steamtables data manifest 2\n" + line},
        {"no header", line},
        {"last line unended", head + line.substr(0, line.size() - 1)},
        {"two fields", head + "water.sqlite " + kHash + "\n"},
        {"four fields", head + "water.sqlite 12 " + kHash + " x\n"},
        {"two blanks", head + "water.sqlite  12 " + kHash + "\n"},
        {"negative size", head + "water.sqlite -12 " + kHash + "\n"},
        {"size with a unit", head + "water.sqlite 12B " + kHash + "\n"},
        {"size past 64 bits", head + "water.sqlite 99999999999999999999 " + kHash + "\n"},
        {"short hash", head + "water.sqlite 12 " + kHash.substr(1) + "\n"},
        {"long hash", head + "water.sqlite 12 " + kHash + "a\n"},
        {"not hex", head + "water.sqlite 12 " + std::string(63, 'a') + "g\n"},
        {"name with a folder", head + "bin/water.sqlite 12 " + kHash + "\n"},
        {"blank line", head + "\n" + line},
        {"carriage return", head + "water.sqlite 12 " + kHash + "\r\n"},
        {"file listed twice", head + line + line},
    };
    for (const auto& [what, text] : cases) {
        std::string error;
        EXPECT_FALSE(parseManifest(text, error)) << what;
        EXPECT_FALSE(error.empty()) << what;
    }
}

TEST(DataManifestTest, FolderManifestListsEveryFileWithItsSizeAndDigest) {
    TemporaryDirectory dir;
    std::string error;
    ASSERT_TRUE(FixtureDatabase{}.write(dir.path(), error)) << error;
    ASSERT_TRUE(writeManifest(dir.path(), error)) << error;
    Manifest manifest;
    ASSERT_EQ(readManifest(dir.path(), manifest, error), ManifestRead::Read) << error;
    ASSERT_EQ(manifest.entries.size(), kSources.size());
    for (size_t i = 0; i < kSources.size(); ++i) {
        const auto file = dir.path() / dataFileName(kSources[i].source);
        SCOPED_TRACE(file.string());
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        EXPECT_EQ(manifest.entries[i].name, dataFileName(kSources[i].source));
        EXPECT_EQ(manifest.entries[i].size, bytes.str().size());
        EXPECT_EQ(manifest.entries[i].sha256, toHex(sha256(bytes.str())));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / (std::string(kManifestFileName) + ".partial")));
    // A folder missing a data file gets no manifest.
    std::filesystem::remove(dir.path() / "DengV.sqlite");
    EXPECT_FALSE(writeManifest(dir.path(), error));
    EXPECT_NE(error.find("DengV.sqlite"), std::string::npos) << error;
}

}  // namespace
}  // namespace steam::data
