#pragma once
// The classic engine's error numbers for the results of SQLCipher, with
// Spanish descriptions. Numbers the rest of the system names live in rt::err.
#include <string>

namespace db {

namespace engine {
constexpr int Duplicate = 3022;
constexpr int FileNotFound = 3024;
constexpr int DiskFull = 3026;
constexpr int ReadOnly = 3027;
constexpr int NoTransaction = 3034;
constexpr int DiskOrNetwork = 3043;
constexpr int UnknownName = 3061;
constexpr int EngineFailure = 3146;
constexpr int DatabaseExists = 3204;
constexpr int Locked = 3218;
constexpr int InvalidOperation = 3219;
constexpr int ObjectInvalid = 3420;
} // namespace engine

// Raises the error for an SQLite result code met while opening or checking a
// database file: a lock or a refused write is 3051.
[[noreturn]] void raiseOpenError(int code, const std::string& file);
// Raises the error for an SQLite result code met while running a statement;
// message is the engine's own text.
[[noreturn]] void raiseStatementError(int code, const std::string& message,
                                      const std::string& file);
[[noreturn]] void raiseFileNotFound(const std::string& file);
[[noreturn]] void raiseNotADatabase(const std::string& file);
[[noreturn]] void raiseLockedOrReadOnly(const std::string& file);
[[noreturn]] void raiseObjectInvalid();

} // namespace db
