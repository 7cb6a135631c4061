#include "platform/runtime/RuntimeError.h"

#include <map>

namespace rt {

namespace {
// The user's language is Spanish: one table for every description.
const std::map<int, std::string>& descriptions() {
    static const std::map<int, std::string> table = {
        {err::InvalidProcedureCall, "Llamada a procedimiento o argumento no válido"},
        {err::Overflow, "Desbordamiento"},
        {err::OutOfMemory, "Memoria insuficiente"},
        {err::SubscriptOutOfRange, "El subíndice está fuera del intervalo"},
        {err::TypeMismatch, "No coinciden los tipos"},
        {err::LibraryNotLoaded, "Error al cargar la biblioteca"},
        {err::BadFileNumber, "Nombre o número de archivo incorrecto"},
        {err::FileNotFound, "No se encontró el archivo"},
        {err::BadFileMode, "Modo de archivo incorrecto"},
        {err::FileAlreadyOpen, "El archivo ya está abierto"},
        {err::DeviceIoError, "Error de E/S en el dispositivo"},
        {err::DiskFull, "Disco lleno"},
        {err::InputPastEnd, "La entrada ha sobrepasado el final del archivo"},
        {err::PermissionDenied, "Permiso denegado"},
        {err::PathFileAccess, "Error de acceso a la ruta o el archivo"},
        {err::PathNotFound, "No se encontró la ruta de acceso"},
        {err::ObjectNotSet, "Variable de objeto no establecida"},
        {err::InvalidUseOfNull, "Uso no válido de Null"},
        {err::EntryPointNotFound, "No se encontró el punto de entrada de la biblioteca"},
        {err::CancelSelected, "Se seleccionó Cancelar"},
        {err::RegexSyntax, "Error de sintaxis en la expresión regular"},
        {err::NoCurrentRecord, "No hay registro activo."},
        {err::InvalidPassword, "Contraseña no válida."},
        {err::CannotOpenDatabase,
         "No se puede abrir la base de datos. Puede que no sea una base de datos reconocida o "
         "que el archivo esté dañado."},
        {err::DatabaseLockedOrReadOnly,
         "No se puede abrir el archivo de base de datos: está abierto en modo exclusivo o es "
         "de sólo lectura."},
        {err::SqlSyntax, "Error de sintaxis en la consulta."},
        {err::TableNotFound, "No se encuentra la tabla o consulta de entrada."},
        {err::ItemNotFound, "No se encontró el elemento en esta colección."},
        {err::UnrecognizedFormat, "Formato de base de datos no reconocido."},
    };
    return table;
}
} // namespace

std::string errorDescription(int number) {
    auto it = descriptions().find(number);
    return it != descriptions().end() ? it->second
                                      : "Error definido por la aplicación o por el objeto";
}

RuntimeError::RuntimeError(int number) : number_(number), description_(errorDescription(number)) {}

RuntimeError::RuntimeError(int number, std::string description)
    : number_(number), description_(std::move(description)) {}

void raise(int number) {
    throw RuntimeError(number);
}

void raise(int number, const std::string& description) {
    throw RuntimeError(number, description);
}

} // namespace rt
