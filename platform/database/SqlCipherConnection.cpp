#include "platform/database/SqlCipherConnection.h"

#include "platform/database/EngineError.h"
#include "platform/database/SnapshotRecordSet.h"
#include "platform/runtime/RuntimeError.h"

#include <string_view>

namespace db {

SqlCipherConnection::SqlCipherConnection(std::unique_ptr<SqliteHandle> handle)
    : handle_(std::move(handle)) {}

bool SqlCipherConnection::isOpen() const {
    return handle_->isOpen();
}

std::unique_ptr<RecordSet> SqlCipherConnection::openRecordSet(const std::string& sql) {
    std::string_view text = sql;
    Statement statement = handle_->prepare(text);
    // An empty text or an action query gives no record set.
    if (!statement || sqlite3_column_count(statement.get()) == 0)
        rt::raise(engine::InvalidOperation, "Operación no válida.");
    return std::make_unique<SnapshotRecordSet>(*handle_, statement.get());
}

void SqlCipherConnection::execute(const std::string& sql) {
    handle_->run(sql);
}

void SqlCipherConnection::beginTrans() {
    handle_->run("BEGIN");
}

void SqlCipherConnection::endTransaction(const char* sql) {
    if (sqlite3_get_autocommit(handle_->db()))
        rt::raise(engine::NoTransaction,
                  "Ha intentado confirmar o deshacer una transacción sin haberla comenzado.");
    handle_->run(sql);
}

void SqlCipherConnection::commitTrans() {
    endTransaction("COMMIT");
}

void SqlCipherConnection::rollback() {
    endTransaction("ROLLBACK");
}

void SqlCipherConnection::close() {
    handle_->close();
}

} // namespace db
