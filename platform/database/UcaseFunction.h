#pragma once
// The SQL function Ucase(text): the text with its ASCII and Latin-1 letters
// upper-cased (UTF-8 in, UTF-8 out); Null stays Null.
#include "platform/database/Sqlite.h"

#include <string>
#include <string_view>

namespace db {

std::string upperCaseLatin1(std::string_view utf8);
// Registers Ucase on the connection; the engine's result code.
int registerUcase(sqlite3* db);

} // namespace db
