#include "validation/LectorCampos.h"

#include "platform/runtime/TextLines.h"

#include <cstdint>
#include <cstring>

namespace {

// Positions past the end of a line this short stay within 16 bits: the
// last value read leaves the position at most two past the line's end.
constexpr std::size_t kLargoSinDesborde = 32765;

bool HayControles(std::string_view texto) {
    std::size_t i = 0;
    // Eight bytes at a time: a byte below 32 sets its top bit here.
    for (std::uint64_t w; i + 8 <= texto.size(); i += 8) {
        std::memcpy(&w, texto.data() + i, 8);
        if ((w - 0x2020202020202020ULL) & ~w & 0x8080808080808080ULL)
            return true;
    }
    for (; i < texto.size(); ++i)
        if (static_cast<unsigned char>(texto[i]) < 32)
            return true;
    return false;
}

} // namespace

void LectorCampos::Preparar(std::string_view linea, std::size_t caracteres) {
    valores_ = linea;
    if (HayControles(linea)) {
        copia_.assign(linea);
        for (char& c : copia_)
            if (static_cast<unsigned char>(c) < 32)
                c = ' ';
        valores_ = copia_;
    }
    contar_ = caracteres > kLargoSinDesborde;
    posicion_ = 1;
    byte_ = 0;
}

void LectorCampos::Posicionar(int posicion) {
    posicion_ = posicion;
    byte_ = rt::byteOffset(valores_, static_cast<std::size_t>(posicion - 1));
}

std::string_view LectorCampos::ObtenerCampo() {
    const std::size_t largo = valores_.size();
    const std::size_t inicio = byte_;
    const void* barra =
        inicio < largo ? std::memchr(valores_.data() + inicio, '|', largo - inicio) : nullptr;
    const std::size_t fin =
        barra ? static_cast<std::size_t>(static_cast<const char*>(barra) - valores_.data()) : largo;
    const std::string_view valor = valores_.substr(inicio, fin - inicio);
    if (contar_)
        // Past the value and its "|" (or past the end).
        posicion_ += static_cast<long long>(rt::charLength(valor)) + 1;
    byte_ = fin < largo ? fin + 1 : largo;
    return valor;
}
