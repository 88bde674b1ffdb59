// Opening the data sources is all or nothing: a missing file is named as missing, a file that
// is there but empty, no database or without its table as damaged ("数据文件已损坏：" and its
// path), and nothing stays open; a connection text locates its own source by the stem.
#include "data/property_database.h"

#include "data/data_fault.h"

#include "support/fixture_database.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <string>

namespace steam::data {
namespace {

using testsupport::FixtureDatabase;
using testsupport::TemporaryDirectory;

void expectNothingOpen(const PropertyDatabase& db) {
    EXPECT_FALSE(db.isOpen());
    for (const SourceInfo& info : kSources) EXPECT_THROW(db.source(info.source), std::logic_error) << info.table;
}

TEST(PropertyDatabaseTest, MissingFileIsNamed) {
    for (const SourceInfo& info : kSources) {
        SCOPED_TRACE(info.table);
        TemporaryDirectory dir;
        PropertyDatabase db;
        std::string error;
        FixtureDatabase fixture;
        fixture.leaveOutFile(info.source);
        EXPECT_FALSE(fixture.writeAndOpen(dir.path(), db, error));
        EXPECT_NE(error.find(dataFileName(info.source)), std::string::npos) << error;
        expectNothingOpen(db);
    }
}

TEST(PropertyDatabaseTest, FileWithoutItsTableIsNamedDamaged) {
    for (const SourceInfo& info : kSources) {
        SCOPED_TRACE(info.table);
        TemporaryDirectory dir;
        PropertyDatabase db;
        std::string error;
        FixtureDatabase fixture;
        fixture.leaveOutTable(info.source);
        EXPECT_FALSE(fixture.writeAndOpen(dir.path(), db, error));
        EXPECT_EQ(error, "数据文件已损坏：" + (dir.path() / dataFileName(info.source)).string());
        expectNothingOpen(db);
    }
}

TEST(PropertyDatabaseTest, ChartsFileWithoutOneOfItsTablesIsNamedDamaged) {
    TemporaryDirectory dir;
    std::string error;
    ASSERT_TRUE(FixtureDatabase{}.write(dir.path(), error)) << error;
    sqlite3* file = nullptr;
    ASSERT_EQ(sqlite3_open((dir.path() / "charts.sqlite").c_str(), &file), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(file, "drop table PV_S", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(file);
    PropertyDatabase db;
    EXPECT_FALSE(db.open(dir.path(), error));
    EXPECT_EQ(error, damagedFileMessage(dir.path() / "charts.sqlite"));
    expectNothingOpen(db);
}

TEST(PropertyDatabaseTest, FileThatIsNoDatabaseIsNamedDamaged) {
    // SQLite opens an empty file as an empty database: it is damaged all the same.
    for (const char* content : {"these are not the tables you are looking for\n", ""}) {
        SCOPED_TRACE(content);
        TemporaryDirectory dir;
        std::string error;
        ASSERT_TRUE(FixtureDatabase{}.write(dir.path(), error)) << error;
        std::ofstream(dir.path() / "water.sqlite", std::ios::trunc) << content;
        PropertyDatabase db;
        EXPECT_FALSE(db.open(dir.path(), error));
        EXPECT_EQ(error, "数据文件已损坏：" + (dir.path() / "water.sqlite").string());
        expectNothingOpen(db);
        // Through the places looked in, too: the file is there, so it is not "not found".
        EXPECT_FALSE(db.openFirst({dir.path()}, error));
        EXPECT_EQ(error, damagedFileMessage(dir.path() / "water.sqlite"));
    }
}

TEST(PropertyDatabaseTest, FailedReopenClosesWhatWasOpen) {
    TemporaryDirectory good, bad;
    std::string error;
    PropertyDatabase db;
    ASSERT_TRUE(FixtureDatabase{}.writeAndOpen(good.path(), db, error)) << error;
    ASSERT_TRUE(db.isOpen());
    EXPECT_FALSE(db.open(bad.path(), error));
    EXPECT_NE(error.find("swater.sqlite"), std::string::npos) << error;
    expectNothingOpen(db);
}

TEST(PropertyDatabaseTest, ConnectionTextsNameTheirOwnSource) {
    TemporaryDirectory dir;
    std::string error;
    PropertyDatabase db;
    FixtureDatabase fixture;
    fixture.addGridRow(Source::Water, 1, 2, 3, 4, 5).addGridRow(Source::Vapor, 6, 7, 8, 9, 10);
    ASSERT_TRUE(fixture.writeAndOpen(dir.path(), db, error)) << error;
    ASSERT_TRUE(db.isOpen());
    for (const SourceInfo& info : kSources) {
        SCOPED_TRACE(info.table);
        const std::string text = db.connectionText(info.source);
        EXPECT_EQ(text, std::string(kConnectionPrefix) + dir.path().string() + info.stem);
        EXPECT_EQ(PropertyDatabase::sourceFor(text), info.source);
        EXPECT_EQ(db.source(info.source).file(), dir.path() / dataFileName(info.source));
    }
    // Each grid reads its own file.
    EXPECT_EQ((*db.water().rowAt(1, 2))[4], 4);
    EXPECT_EQ((*db.vapor().rowAt(6, 7))[4], 9);
    EXPECT_FALSE(PropertyDatabase::sourceFor("no backslash here"));
    EXPECT_FALSE(PropertyDatabase::sourceFor(std::string(kConnectionPrefix) + "\\steam"));
}

TEST(PropertyDatabaseTest, FoldersWhoseNamesHoldUriCharactersOpen) {
    // SQLite opens files through URIs, where these characters mean something of their own.
    for (const char* name : {"bin#1", "100%", "what?", "two words", "%41?immutable=0#x"}) {
        SCOPED_TRACE(name);
        TemporaryDirectory top;
        const auto dir = top.path() / name;
        std::filesystem::create_directory(dir);
        FixtureDatabase fixture;
        fixture.addGridRow(Source::Water, 1, 2, 3, 4, 5);
        PropertyDatabase db;
        std::string error;
        ASSERT_TRUE(fixture.writeAndOpen(dir, db, error)) << error;
        const auto row = db.water().rowAt(1, 2);
        ASSERT_TRUE(row);
        EXPECT_EQ((*row)[4], 4);
    }
}

TEST(PropertyDatabaseTest, TheFirstPlaceHoldingEveryFileIsOpenedAndAFailureNamesEveryPlace) {
    TemporaryDirectory empty, partial, full, alsoFull;
    std::string error;
    FixtureDatabase incomplete;
    incomplete.leaveOutFile(Source::DengV);
    ASSERT_TRUE(incomplete.write(partial.path(), error)) << error;
    ASSERT_TRUE(FixtureDatabase{}.write(full.path(), error)) << error;
    ASSERT_TRUE(FixtureDatabase{}.write(alsoFull.path(), error)) << error;

    PropertyDatabase db;
    ASSERT_TRUE(db.openFirst({empty.path(), partial.path(), full.path(), alsoFull.path()}, error)) << error;
    EXPECT_EQ(db.directory(), full.path());

    EXPECT_FALSE(db.openFirst({empty.path(), partial.path()}, error));
    expectNothingOpen(db);
    for (const std::string& named :
         {empty.path().string() + " (缺少 swater.sqlite)", partial.path().string() + " (缺少 DengV.sqlite)"})
        EXPECT_NE(error.find(named), std::string::npos) << error;
}

TEST(PropertyDatabaseTest, DataFileNamesAreTheStemsWithoutTheBackslash) {
    EXPECT_EQ(dataFileName(Source::Swater), "swater.sqlite");
    EXPECT_EQ(dataFileName(Source::Water), "water.sqlite");
    EXPECT_EQ(dataFileName(Source::Vapor), "vapor.sqlite");
    EXPECT_EQ(dataFileName(Source::DengT), "DengT.sqlite");
    EXPECT_EQ(dataFileName(Source::DengX), "DengX.sqlite");
    EXPECT_EQ(dataFileName(Source::Charts), "charts.sqlite");
}

}  // namespace
}  // namespace steam::data
