#include "real_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace steam::testsupport {

const data::PropertyDatabase& realTables() {
    static data::PropertyDatabase db;
    static std::string error;
    static const bool ok = db.open(data::executableDirectory(), error);
    if (!ok) ADD_FAILURE() << "cannot open the generated tables: " << error;
    return db;
}

}  // namespace steam::testsupport
