#pragma once
// The tables generated beside the test executable (target `tables`), opened once for the
// whole test run.
#include "data/property_database.h"

namespace steam::testsupport {

/// The generated tables; a test that uses them fails when they cannot be opened.
const data::PropertyDatabase& realTables();

}  // namespace steam::testsupport
