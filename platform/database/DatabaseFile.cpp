#include "platform/database/DatabaseFile.h"

#include "platform/database/EngineError.h"
#include "platform/database/UcaseFunction.h"

#include <sys/stat.h>

#include <cctype>

namespace db {

namespace {

// A short wait lets a brief lock of another process pass before 3051.
constexpr int kBusyTimeoutMs = 250;

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) !=
            std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

void checkOpenResult(int rc, const std::string& file) {
    if (rc != SQLITE_OK)
        raiseOpenError(rc, file);
}

} // namespace

void checkDatabaseFile(const std::string& file, bool forWriting) {
    struct stat st {};
    if (stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        raiseFileNotFound(file);
    if (forWriting && (st.st_mode & S_IWUSR) == 0)
        raiseLockedOrReadOnly(file);
    if (st.st_size == 0)
        raiseNotADatabase(file);
}

std::string keyFromConnect(const std::string& connect) {
    std::string_view rest = connect;
    while (!rest.empty()) {
        std::size_t end = rest.find(';');
        std::string_view part = rest.substr(0, end);
        if (startsWithNoCase(part, "PWD="))
            return std::string(part.substr(4));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return {};
}

std::unique_ptr<SqliteHandle> openKeyed(const std::string& file, int flags,
                                        const std::string& key) {
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
    auto handle = std::make_unique<SqliteHandle>(raw, file);
    checkOpenResult(rc, file);
    if (!key.empty())
        checkOpenResult(sqlite3_key(raw, key.data(), static_cast<int>(key.size())), file);
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    checkOpenResult(registerUcase(raw), file);
    return handle;
}

void verifyReadable(const SqliteHandle& handle) {
    sqlite3_stmt* raw = nullptr;
    int rc =
        sqlite3_prepare_v2(handle.db(), "SELECT count(*) FROM sqlite_master", -1, &raw, nullptr);
    Statement statement(raw);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(raw);
    if (rc != SQLITE_ROW)
        raiseOpenError(rc, handle.file());
}

void checkWritable(const SqliteHandle& handle) {
    if (sqlite3_db_readonly(handle.db(), "main") == 1)
        raiseLockedOrReadOnly(handle.file());
}

void lockExclusive(const SqliteHandle& handle) {
    int rc = sqlite3_exec(handle.db(), "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;",
                          nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_exec(handle.db(), "ROLLBACK", nullptr, nullptr, nullptr);
        raiseOpenError(rc, handle.file());
    }
}

} // namespace db
