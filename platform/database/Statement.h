#pragma once
// A prepared statement that is finalized when it goes out of scope.
#include "platform/database/Sqlite.h"

#include <memory>

namespace db {

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};

using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

} // namespace db
