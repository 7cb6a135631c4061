#pragma once
// A connection to a reference database over SQLCipher.
#include "platform/database/Database.h"
#include "platform/database/SqliteHandle.h"

#include <memory>

namespace db {

class SqlCipherConnection : public Connection {
public:
    explicit SqlCipherConnection(std::unique_ptr<SqliteHandle> handle);

    bool isOpen() const override;
    std::unique_ptr<RecordSet> openRecordSet(const std::string& sql) override;
    void execute(const std::string& sql) override;
    void beginTrans() override;
    void commitTrans() override;
    void rollback() override;
    void close() override;

private:
    void endTransaction(const char* sql);

    std::unique_ptr<SqliteHandle> handle_;
};

} // namespace db
