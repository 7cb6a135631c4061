#pragma once
// A record set that holds every row of its query, read when it was opened:
// no statement or lock outlives the query, so an update on the same
// connection never meets a pending read.
#include "platform/database/Database.h"
#include "platform/database/SqliteHandle.h"

#include <cstddef>
#include <string>
#include <vector>

namespace db {

class SnapshotRecordSet : public RecordSet {
public:
    // Runs the statement to its end; positioned on the first row.
    SnapshotRecordSet(const SqliteHandle& handle, sqlite3_stmt* statement);

    bool eof() const override;
    void moveNext() override;
    Value field(std::string_view name) const override;
    void close() override;

private:
    void checkOpen() const;
    static Value columnValue(sqlite3_stmt* statement, int column);

    std::vector<std::string> columns_;
    std::vector<std::vector<Value>> rows_;
    std::size_t current_ = 0;
    bool closed_ = false;
};

} // namespace db
