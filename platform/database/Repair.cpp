#include "platform/database/Database.h"

#include "platform/database/DatabaseFile.h"
#include "platform/database/EngineError.h"
#include "platform/database/ReplacementFile.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"

namespace db {

namespace {

std::string sqlText(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

// Copies schema and rows into the attached, empty file "reparada". The
// engine's export reads whatever the damaged file still yields.
void exportInto(const SqliteHandle& source, const std::string& target, const std::string& key) {
    source.run("ATTACH DATABASE " + sqlText(target) + " AS reparada KEY " + sqlText(key));
    std::string version = source.scalar("PRAGMA main.user_version");
    source.run("SELECT sqlcipher_export('reparada')");
    source.run("PRAGMA reparada.user_version = " + std::to_string(std::stoll(version)));
    if (source.scalar("PRAGMA reparada.integrity_check") != "ok")
        rt::raise(rt::err::CannotOpenDatabase,
                  "No se pudo reconstruir la base de datos '" + source.file() + "'.");
    source.run("DETACH DATABASE reparada");
}

} // namespace

void repairDatabase(const std::string& path, const std::string& connect) {
    std::string file = rt::resolveCase(path);
    checkDatabaseFile(file, true);
    std::string key = keyFromConnect(connect);
    auto source = openKeyed(file, SQLITE_OPEN_READWRITE, key);
    verifyReadable(*source);
    checkWritable(*source);
    // Nobody may write the old file between the export and the replacement.
    lockExclusive(*source);
    // The check reads every page: a file the engine cannot read fails here.
    source->scalar("PRAGMA integrity_check");
    ReplacementFile target(file);
    exportInto(*source, target.path(), key);
    target.replaceOriginal();
}

} // namespace db
