#pragma once
// A test on fixture tables: open() writes a FixtureDatabase into a temporary folder and opens
// it as the program's data, failing the test when that cannot be done.
#include "fixture_database.h"

#include <gtest/gtest.h>

#include <string>

namespace steam::testsupport {

class FixtureDatabaseTest : public testing::Test {
protected:
    void open(const FixtureDatabase& fixture) {
        std::string error;
        ASSERT_TRUE(fixture.writeAndOpen(dir.path(), db, error)) << error;
    }

    TemporaryDirectory dir;
    data::PropertyDatabase db;
};

}  // namespace steam::testsupport
