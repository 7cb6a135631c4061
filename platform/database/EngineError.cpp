#include "platform/database/EngineError.h"

#include "platform/database/Sqlite.h"
#include "platform/runtime/RuntimeError.h"

namespace db {

namespace {

std::string quoted(const std::string& file) {
    return "'" + file + "'";
}

[[noreturn]] void raiseDamaged(const std::string& file) {
    rt::raise(rt::err::CannotOpenDatabase,
              "No se puede abrir la base de datos " + quoted(file) + ". El archivo está dañado.");
}

// Errors that mean the same whether met at the open or at a statement.
void raiseFileLevel(int primary, const std::string& file) {
    switch (primary) {
    case SQLITE_NOTADB:
        raiseNotADatabase(file);
    case SQLITE_CORRUPT:
        raiseDamaged(file);
    case SQLITE_IOERR:
        rt::raise(engine::DiskOrNetwork, "Error de disco o de red.");
    case SQLITE_FULL:
        rt::raise(engine::DiskFull, "No hay espacio suficiente en el disco.");
    default:
        return;
    }
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

} // namespace

void raiseFileNotFound(const std::string& file) {
    rt::raise(engine::FileNotFound, "No se encontró el archivo " + quoted(file) + ".");
}

void raiseNotADatabase(const std::string& file) {
    rt::raise(rt::err::UnrecognizedFormat, "Formato de base de datos no reconocido o contraseña "
                                           "no válida: " +
                                               quoted(file) + ".");
}

void raiseLockedOrReadOnly(const std::string& file) {
    rt::raise(rt::err::DatabaseLockedOrReadOnly,
              "El motor de base de datos no puede abrir el archivo " + quoted(file) +
                  ". Está abierto en modo exclusivo por otro usuario o no tiene permiso para "
                  "escribir en él.");
}

void raiseObjectInvalid() {
    rt::raise(engine::ObjectInvalid, "El objeto no es válido o ya no está establecido.");
}

void raiseOpenError(int code, const std::string& file) {
    int primary = code & 0xff;
    raiseFileLevel(primary, file);
    switch (primary) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_AUTH:
        raiseLockedOrReadOnly(file);
    default:
        raiseDamaged(file);
    }
}

void raiseStatementError(int code, const std::string& message, const std::string& file) {
    int primary = code & 0xff;
    raiseFileLevel(primary, file);
    switch (primary) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        rt::raise(engine::Locked, "No se pudo actualizar; bloqueado actualmente.");
    case SQLITE_READONLY:
        rt::raise(engine::ReadOnly, "No se puede actualizar. La base de datos es de sólo lectura.");
    case SQLITE_CONSTRAINT:
        rt::raise(engine::Duplicate,
                  "Los cambios no se realizaron porque violan una restricción: " + message);
    case SQLITE_ERROR:
        if (contains(message, "no such table"))
            rt::raise(rt::err::TableNotFound,
                      "El motor de base de datos no encuentra la tabla: " + message);
        if (contains(message, "no such column"))
            rt::raise(engine::UnknownName, "Nombre desconocido en la instrucción: " + message);
        rt::raise(rt::err::SqlSyntax, "Error de sintaxis en la instrucción SQL: " + message);
    default:
        rt::raise(engine::EngineFailure, "Error del motor de base de datos: " + message);
    }
}

} // namespace db
