#pragma once
// The two shared variables of the application and its fixed names.
#include "platform/database/Database.h"

#include <memory>
#include <string>

class CFuncGral;

// The one open connection to the reference database.
extern std::shared_ptr<db::Connection> BaseDatos;

// The one shared instance of CFuncGral, created at first use.
CFuncGral& FuncGral();
// Whether FuncGral() has been created (for tests).
bool FuncGralCreado();

namespace nuro {
inline const std::string kPassword = "kelp2093";
inline const std::string kConnect = ";PWD=kelp2093";
// Base of every generated document's namespace; the sample data uses it too.
inline const std::string kNamespaceBase = "http://nuro.example/esquemas/";
} // namespace nuro
