#include "platform/xml/LimiteAtributos.h"

#include "platform/runtime/LineCounter.h"
#include "platform/xml/ErrorCollector.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace xml {

int LimiteAtributos::leer(void* context, char* buffer, int len) {
    return static_cast<LimiteAtributos*>(context)->leer(buffer, len);
}

int LimiteAtributos::leer(char* buffer, int len) {
    if (excedido_) {
        const auto linea = static_cast<long>(
            rt::LineCounter::lineAt(fd_, static_cast<std::uint64_t>(inicioMarca_)));
        errors_.raise("El elemento de la línea " + std::to_string(linea) +
                          " tiene demasiados atributos (más de " + std::to_string(kMaximo) + ")",
                      path_, linea);
        return -1;
    }
    const ssize_t n = lector_.leer(buffer, static_cast<std::size_t>(len));
    if (n <= 0)
        return static_cast<int>(n);
    buffer_ = buffer;
    const char* fin = buffer + n;
    const char* alto = mirar(buffer, fin);
    leido_ += n;
    cola_[0] = n >= 2 ? fin[-2] : cola_[1];
    cola_[1] = fin[-1];
    // Past the limit the parser gets no more of the tag, and then an error.
    return static_cast<int>(alto - buffer);
}

// The byte k places before p, from the previous buffer where p is near the start.
char LimiteAtributos::previo(const char* p, int k) const {
    const std::ptrdiff_t i = (p - buffer_) - k;
    return i >= 0 ? buffer_[i] : cola_[2 + i];
}

const char* LimiteAtributos::hastaCierre(const char* p, const char* fin, char antes, int cuantos) {
    while (p < fin) {
        const char* q = static_cast<const char*>(std::memchr(p, '>', fin - p));
        if (!q)
            return fin;
        p = q + 1;
        if (previo(q, 1) == antes && (cuantos == 1 || previo(q, 2) == antes)) {
            estado_ = Estado::Texto;
            return p;
        }
    }
    return fin;
}

const char* LimiteAtributos::enMarca(const char* p, const char* fin) {
    for (; p < fin; ++p) {
        const char c = *p;
        if (c == '>') {
            estado_ = Estado::Texto;
            return p + 1;
        }
        if (c == '"' || c == '\'') {
            comilla_ = c;
            estado_ = Estado::Comilla;
            return p + 1;
        }
        if (c == '=' && ++atributos_ > kMaximo) {
            excedido_ = true;
            return p;
        }
    }
    return fin;
}

const char* LimiteAtributos::mirar(const char* p, const char* fin) {
    while (p < fin) {
        switch (estado_) {
        case Estado::Texto: {
            const char* q = static_cast<const char*>(std::memchr(p, '<', fin - p));
            if (!q)
                return fin;
            estado_ = Estado::Abre;
            atributos_ = 0;
            inicioMarca_ = leido_ + (q - buffer_);
            p = q + 1;
            break;
        }
        case Estado::Abre:
            estado_ = *p == '?' ? Estado::PI : *p == '!' ? Estado::Bang : Estado::Marca;
            p += estado_ == Estado::Marca ? 0 : 1;
            break;
        case Estado::Bang:
            estado_ = *p == '-' ? Estado::BangGuion : *p == '[' ? Estado::CData : Estado::Marca;
            p += estado_ == Estado::Marca ? 0 : 1;
            break;
        case Estado::BangGuion:
            estado_ = *p == '-' ? Estado::Comentario : Estado::Marca;
            p += estado_ == Estado::Marca ? 0 : 1;
            break;
        case Estado::Comentario:
            p = hastaCierre(p, fin, '-', 2);
            break;
        case Estado::CData:
            p = hastaCierre(p, fin, ']', 2);
            break;
        case Estado::PI:
            p = hastaCierre(p, fin, '?', 1);
            break;
        case Estado::Marca:
            p = enMarca(p, fin);
            if (excedido_)
                return p;
            break;
        case Estado::Comilla: {
            const char* q = static_cast<const char*>(std::memchr(p, comilla_, fin - p));
            if (!q)
                return fin;
            estado_ = Estado::Marca;
            p = q + 1;
            break;
        }
        }
    }
    return fin;
}

} // namespace xml
