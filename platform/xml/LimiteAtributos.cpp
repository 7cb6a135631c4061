#include "platform/xml/LimiteAtributos.h"

#include "platform/xml/ErrorCollector.h"

#include <cerrno>
#include <unistd.h>

namespace xml {

int LimiteAtributos::leer(void* context, char* buffer, int len) {
    return static_cast<LimiteAtributos*>(context)->leer(buffer, len);
}

int LimiteAtributos::leer(char* buffer, int len) {
    if (excedido_) {
        errors_.raise("El elemento de la línea " + std::to_string(lineaMarca_) +
                          " tiene demasiados atributos (más de " + std::to_string(kMaximo) + ")",
                      path_, lineaMarca_);
        return -1;
    }
    ssize_t n;
    do
        n = ::read(fd_, buffer, static_cast<std::size_t>(len));
    while (n < 0 && errno == EINTR);
    for (ssize_t i = 0; i < n; ++i)
        if (!mirar(buffer[i])) {
            excedido_ = true;
            return static_cast<int>(i); // the parser stops short of the tag's end
        }
    return static_cast<int>(n);
}

void LimiteAtributos::contarLinea(char c) {
    if (c == '\n' && !trasCr_)
        ++linea_;
    else if (c == '\r')
        ++linea_;
    trasCr_ = c == '\r';
}

bool LimiteAtributos::enMarca(char c) {
    if (c == '"' || c == '\'') {
        comilla_ = c;
        estado_ = Estado::Comilla;
    } else if (c == '>') {
        estado_ = Estado::Texto;
    } else if (c == '=') {
        return ++atributos_ <= kMaximo;
    }
    return true;
}

bool LimiteAtributos::mirar(char c) {
    contarLinea(c);
    const bool cierraDos = previo_ == antePrevio_;
    const char previo = previo_;
    antePrevio_ = previo_;
    previo_ = c;
    switch (estado_) {
    case Estado::Texto:
        if (c == '<') {
            estado_ = Estado::Abre;
            atributos_ = 0;
            lineaMarca_ = linea_;
        }
        break;
    case Estado::Abre:
        if (c == '?' || c == '!') {
            estado_ = c == '?' ? Estado::PI : Estado::Bang;
            break;
        }
        estado_ = Estado::Marca;
        return enMarca(c);
    case Estado::Bang:
        estado_ = c == '-' ? Estado::BangGuion : c == '[' ? Estado::CData : Estado::Marca;
        break;
    case Estado::BangGuion:
        estado_ = c == '-' ? Estado::Comentario : Estado::Marca;
        previo_ = antePrevio_ = 0; // "<!--" does not close itself
        break;
    case Estado::Comentario: // ends at "-->"
        if (c == '>' && previo == '-' && cierraDos)
            estado_ = Estado::Texto;
        break;
    case Estado::CData: // ends at "]]>"
        if (c == '>' && previo == ']' && cierraDos)
            estado_ = Estado::Texto;
        break;
    case Estado::PI:
        if (c == '>' && previo == '?')
            estado_ = Estado::Texto;
        break;
    case Estado::Marca:
        return enMarca(c);
    case Estado::Comilla:
        if (c == comilla_)
            estado_ = Estado::Marca;
        break;
    }
    return true;
}

} // namespace xml
