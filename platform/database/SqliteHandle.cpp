#include "platform/database/SqliteHandle.h"

#include "platform/database/EngineError.h"

namespace db {

SqliteHandle::SqliteHandle(sqlite3* db, std::string file) : db_(db), file_(std::move(file)) {}

SqliteHandle::~SqliteHandle() {
    close();
}

sqlite3* SqliteHandle::db() const {
    if (!db_)
        raiseObjectInvalid();
    return db_;
}

void SqliteHandle::close() noexcept {
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

void SqliteHandle::fail(int code) const {
    std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    raiseStatementError(code, message, file_);
}

Statement SqliteHandle::prepare(std::string_view& sql) const {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db(), sql.data(), static_cast<int>(sql.size()), &raw, &tail);
    Statement statement(raw);
    if (rc != SQLITE_OK)
        fail(rc);
    sql.remove_prefix(static_cast<std::size_t>(tail - sql.data()));
    return statement;
}

bool SqliteHandle::step(sqlite3_stmt* statement) const {
    int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(rc);
    return false;
}

void SqliteHandle::run(std::string_view sql) const {
    while (!sql.empty()) {
        std::size_t before = sql.size();
        Statement statement = prepare(sql);
        if (!statement) {
            if (sql.size() == before)
                return;
            continue; // blanks or a comment between statements
        }
        while (step(statement.get())) {
        }
    }
}

std::string SqliteHandle::scalar(std::string_view sql) const {
    Statement statement = prepare(sql);
    if (!statement || !step(statement.get()))
        return {};
    const unsigned char* text = sqlite3_column_text(statement.get(), 0);
    return text ? reinterpret_cast<const char*>(text) : "";
}

} // namespace db
