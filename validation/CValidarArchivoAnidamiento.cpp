// Which record type may hold which: the nesting matrix (parent, child,
// minimum, maximum, counter, element name) and the stack of open elements.
#include "validation/CValidarArchivo.h"

#include "platform/runtime/TextLines.h"

namespace {

enum Columna {
    kPadre = 0,
    kHijo = 1,
    kMinimo = 2,
    kMaximo = 3,
    kCuenta = 4,
    kNombre = 5,
};

constexpr int kRaiz = 1;

template <typename Condicion> int PrimeraFila(const TablaTexto& vPadreHijo, Condicion condicion) {
    const int filas = vPadreHijo.UltimaFila();
    for (int fila = 1; fila <= filas; ++fila) {
        TablaTexto::FilaVisitada(fila);
        if (condicion(fila))
            return fila;
    }
    return 0;
}

} // namespace

bool CValidarArchivo::EsHijo(const std::string& hijo, const std::string& padre,
                             const TablaTexto& vPadreHijo) {
    return PrimeraFila(vPadreHijo, [&](int f) {
               return vPadreHijo(kPadre, f) == padre && vPadreHijo(kHijo, f) == hijo;
           }) != 0;
}

void CValidarArchivo::Desapilar(Pila& pila) {
    pila.pop_back();
}

void CValidarArchivo::Apilar(const std::string& tipo, Pila& pila) {
    pila.push_back(tipo);
}

bool CValidarArchivo::EsRaiz(const std::string& tipo, const TablaTexto& vPadreHijo) {
    return rt::left(tipo, 2) == vPadreHijo(kPadre, kRaiz);
}

void CValidarArchivo::ContarOcurrencia(const std::string& padre, const std::string& hijo,
                                       TablaTexto& vPadreHijo) {
    const int fila = PrimeraFila(vPadreHijo, [&](int f) {
        return vPadreHijo(kPadre, f) == padre && vPadreHijo(kHijo, f) == hijo;
    });
    if (fila == 0)
        return;
    std::string& cuenta = vPadreHijo(kCuenta, fila);
    cuenta = std::to_string(static_cast<long long>(rt::Val(cuenta)) + 1);
}

// Counts are per top-level group: they are reset whatever the verdict.
bool CValidarArchivo::ValidarOcurrencias(TablaTexto& vPadreHijo) {
    const int fallida = PrimeraFila(vPadreHijo, [&](int f) {
        const double cuenta = rt::Val(vPadreHijo(kCuenta, f));
        const double minimo = rt::Val(vPadreHijo(kMinimo, f));
        if (rt::lower(vPadreHijo(kMaximo, f)) == "unbounded")
            return cuenta < minimo;
        return cuenta < minimo || cuenta > rt::Val(vPadreHijo(kMaximo, f));
    });
    const int filas = vPadreHijo.UltimaFila();
    for (int f = 1; f <= filas; ++f) {
        TablaTexto::FilaVisitada(f);
        vPadreHijo(kCuenta, f).assign(1, '0');
    }
    return fallida == 0;
}

std::string CValidarArchivo::NombreTag(const std::string& tipo, const TablaTexto& vPadreHijo) {
    if (EsRaiz(tipo, vPadreHijo))
        return vPadreHijo(kNombre, kRaiz);
    const int fila = PrimeraFila(vPadreHijo, [&](int f) { return vPadreHijo(kHijo, f) == tipo; });
    return fila == 0 ? std::string() : vPadreHijo(kNombre, fila);
}
