#pragma once
// What the fuzz targets share: a broken invariant stops the run with its
// message on stderr, and the checks on the record file.
#include <string>
#include <string_view>

namespace fuzz {

// Prints "INVARIANTE ROTO: " + message and traps.
[[noreturn]] void Romper(const std::string& mensaje);
inline void Exigir(bool cumple, const std::string& mensaje) {
    if (!cumple)
        Romper(mensaje);
}

// What a regular expression may raise: 5017 when it does not compile, 7 when
// a search goes beyond the engine's limits.
bool ErrorDeExpresion(int numero);

// Every line of a record file is "02" + 498 bytes + CR LF; returns the
// blocks joined.
std::string TextoDeRegistros(const std::string& archivo);
std::string Leer(const std::string& ruta); // "" when there is no such file
bool EnBlanco(std::string_view texto, char tambien = ' ');

} // namespace fuzz
