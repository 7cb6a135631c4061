#pragma once
// Opening a database file over SQLCipher: the checks made before the engine
// sees the file, the key taken from the connect text, and the proof that the
// key opens the file (sqlite3_key never fails; a wrong key shows at the
// first read).
#include "platform/database/SqliteHandle.h"

#include <memory>
#include <string>

namespace db {

// 3024 when missing or not a regular file; 3051 when forWriting and the mode
// has no owner-write bit (the mode, never access(2): root may write anything);
// 3343 when empty (the engine would take it for a new database).
void checkDatabaseFile(const std::string& file, bool forWriting);

// The password of a connect text such as ";PWD=secret"; "" when none.
std::string keyFromConnect(const std::string& connect);

// Opens the file with the SQLite open flags, applies the key, registers Ucase.
std::unique_ptr<SqliteHandle> openKeyed(const std::string& file, int flags, const std::string& key);

// Reads the schema: a wrong key or a file that is no database gives 3343, a
// file locked by another process 3051.
void verifyReadable(const SqliteHandle& handle);

// 3051 when the engine opened the file read-only although writing was asked
// for: it does so without a word when the user may not write the file for a
// reason the mode of the file does not show (another owner, a read-only mount).
void checkWritable(const SqliteHandle& handle);

// Takes and keeps an exclusive lock on the file (3051 when another holds it).
void lockExclusive(const SqliteHandle& handle);

} // namespace db
