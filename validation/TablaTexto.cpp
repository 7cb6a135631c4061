#include "validation/TablaTexto.h"

#include "platform/runtime/RuntimeError.h"

TablaTexto::TablaTexto(int columnas) : columnas_(columnas), celdas_(columnas) {}

void TablaTexto::AgregarFila() {
    celdas_.resize(celdas_.size() + columnas_);
}

void TablaTexto::FilaVisitada(int fila) {
    if (fila > 32767)
        rt::raise(rt::err::Overflow);
}

std::size_t TablaTexto::indice(int columna, int fila) const {
    if (columna < 0 || columna >= columnas_ || fila < 0 || fila > UltimaFila())
        rt::raise(rt::err::SubscriptOutOfRange);
    return static_cast<std::size_t>(fila) * columnas_ + columna;
}

const std::string& TablaTexto::operator()(int columna, int fila) const {
    return celdas_[indice(columna, fila)];
}

std::string& TablaTexto::operator()(int columna, int fila) {
    return celdas_[indice(columna, fila)];
}
