#include "platform/database/Database.h"

#include "platform/database/DatabaseFile.h"
#include "platform/database/EngineError.h"
#include "platform/database/SqlCipherConnection.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"

#include <sys/stat.h>

namespace db {

std::shared_ptr<Connection> openDatabase(const std::string& path, bool exclusive, bool readOnly,
                                         const std::string& connect) {
    std::string file = rt::resolveCase(path);
    checkDatabaseFile(file, !readOnly);
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    auto handle = openKeyed(file, flags, keyFromConnect(connect));
    verifyReadable(*handle);
    if (!readOnly)
        checkWritable(*handle);
    if (exclusive)
        lockExclusive(*handle);
    return std::make_shared<SqlCipherConnection>(std::move(handle));
}

std::shared_ptr<Connection> createDatabase(const std::string& path, const std::string& connect) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0)
        rt::raise(engine::DatabaseExists, "La base de datos ya existe: '" + path + "'.");
    auto handle =
        openKeyed(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, keyFromConnect(connect));
    return std::make_shared<SqlCipherConnection>(std::move(handle));
}

} // namespace db
