#include "validation/Anidamiento.h"

#include "platform/runtime/Numbers.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"

namespace {

enum Columna {
    kPadre = 0,
    kHijo = 1,
    kMinimo = 2,
    kMaximo = 3,
    kNombre = 5,
};

const std::string kSinNombre;

} // namespace

Anidamiento::Anidamiento(const TablaTexto& m) {
    const int filas = m.UltimaFila();
    filas_.reserve(static_cast<std::size_t>(filas));
    for (int f = 1; f <= filas; ++f) {
        const Fila fila{Tipo(m(kPadre, f)),
                        Tipo(m(kHijo, f)),
                        rt::Val(m(kMinimo, f)),
                        rt::Val(m(kMaximo, f)),
                        rt::lower(m(kMaximo, f)) == "unbounded",
                        0};
        filas_.push_back(fila);
        nombres_.push_back(m(kNombre, f));
        const int numero = static_cast<int>(filas_.size());
        primeraDelPar_.emplace(Clave(fila.padre, fila.hijo), numero);
        primeraDelHijo_.emplace(fila.hijo, numero);
    }
}

int Anidamiento::Tipo(std::string_view tipo) {
    const auto [it, nuevo] =
        numeros_.try_emplace(std::string(tipo), static_cast<int>(tipos_.size()));
    if (nuevo)
        tipos_.emplace_back(tipo);
    return it->second;
}

std::uint64_t Anidamiento::Clave(int padre, int hijo) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(padre)) << 32) |
           static_cast<std::uint32_t>(hijo);
}

Anidamiento::Hallazgo Anidamiento::Par(int padre, int hijo) const {
    const auto it = primeraDelPar_.find(Clave(padre, hijo));
    const int todas = static_cast<int>(filas_.size());
    const Hallazgo h =
        it == primeraDelPar_.end() ? Hallazgo{0, todas} : Hallazgo{it->second, it->second};
    TablaTexto::FilaVisitada(h.visitadas);
    return h;
}

bool Anidamiento::EsHijo(int hijo, int padre) const {
    return Par(padre, hijo).fila != 0;
}

bool Anidamiento::EsRaiz(int tipo) const {
    if (filas_.empty())
        rt::raise(rt::err::SubscriptOutOfRange);
    return tipo == filas_.front().padre;
}

void Anidamiento::ContarOcurrencia(int padre, int hijo) {
    const int fila = Par(padre, hijo).fila;
    if (fila != 0)
        ++filas_[fila - 1].cuenta;
}

// Counts are per top-level group: they are reset whatever the verdict.
bool Anidamiento::ValidarOcurrencias() {
    bool valido = true;
    for (std::size_t i = 0; i < filas_.size() && valido; ++i) {
        TablaTexto::FilaVisitada(static_cast<int>(i) + 1);
        const Fila& f = filas_[i];
        const auto cuenta = static_cast<double>(f.cuenta);
        valido = f.ilimitado ? cuenta >= f.minimo : f.minimo <= cuenta && cuenta <= f.maximo;
    }
    TablaTexto::FilaVisitada(static_cast<int>(filas_.size()));
    for (Fila& f : filas_)
        f.cuenta = 0;
    return valido;
}

const std::string& Anidamiento::NombreTag(int tipo) const {
    if (EsRaiz(tipo))
        return nombres_.front();
    const auto it = primeraDelHijo_.find(tipo);
    if (it == primeraDelHijo_.end()) {
        TablaTexto::FilaVisitada(static_cast<int>(filas_.size()));
        return kSinNombre;
    }
    TablaTexto::FilaVisitada(it->second);
    return nombres_[it->second - 1];
}
