#pragma once
// One open SQLCipher connection and the file it was opened on; closes the
// connection when it goes out of scope. Engine failures become run-time errors.
#include "platform/database/Sqlite.h"
#include "platform/database/Statement.h"

#include <string>
#include <string_view>

namespace db {

class SqliteHandle {
public:
    SqliteHandle(sqlite3* db, std::string file);
    ~SqliteHandle();
    SqliteHandle(const SqliteHandle&) = delete;
    SqliteHandle& operator=(const SqliteHandle&) = delete;

    bool isOpen() const { return db_ != nullptr; }
    sqlite3* db() const; // 3420 when closed
    const std::string& file() const { return file_; }
    void close() noexcept;

    // Prepares the first statement of sql and moves sql past it; an empty
    // Statement when only blanks or comments are left.
    Statement prepare(std::string_view& sql) const;
    // Steps a statement; raises on an engine failure. True while it gives rows.
    bool step(sqlite3_stmt* statement) const;
    // Runs every statement of sql, rows discarded.
    void run(std::string_view sql) const;
    // Runs one query and returns the first column of its first row ("" when none).
    std::string scalar(std::string_view sql) const;
    [[noreturn]] void fail(int code) const;

private:
    sqlite3* db_;
    std::string file_;
};

} // namespace db
