#include "fuzz/Invariantes.h"

#include "platform/runtime/RuntimeError.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fuzz {

void Romper(const std::string& mensaje) {
    std::fprintf(stderr, "INVARIANTE ROTO: %s\n", mensaje.c_str());
    std::fflush(stderr);
    __builtin_trap();
}

bool ErrorDeExpresion(int numero) {
    return numero == rt::err::RegexSyntax || numero == rt::err::OutOfMemory;
}

std::string TextoDeRegistros(const std::string& archivo) {
    constexpr std::size_t kLinea = 502;
    Exigir(archivo.size() % kLinea == 0,
           "el archivo de registros mide " + std::to_string(archivo.size()) + " bytes");
    std::string texto;
    for (std::size_t i = 0; i < archivo.size(); i += kLinea) {
        const std::string_view linea = std::string_view(archivo).substr(i, kLinea);
        Exigir(linea.substr(0, 2) == "02" && linea.substr(500) == "\r\n" &&
                   linea.substr(2, 498).find_first_of("\r\n") == std::string_view::npos,
               "registro " + std::to_string(i / kLinea + 1) + " no es 02 + 498 bytes + CR LF");
        texto.append(linea.substr(2, 498));
    }
    return texto;
}

std::string Leer(const std::string& ruta) {
    std::ifstream archivo(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
}

bool EnBlanco(std::string_view texto, char tambien) {
    for (char c : texto)
        if (c != ' ' && c != tambien)
            return false;
    return true;
}

} // namespace fuzz
