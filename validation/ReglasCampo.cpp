#include "validation/ReglasCampo.h"

#include "platform/runtime/Numbers.h"
#include "platform/runtime/TextLines.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"

namespace ReglasCampo {
namespace {

// Columns of the field matrix.
enum Columna {
    kDescripcion = 2,
    kTipo = 3,
    kLongitud = 4,
    kDecimales = 5,
    kObligatorio = 6,
    kMinimo = 7,
    kMaximo = 8,
    kExpresion = 10,
};

struct Campo {
    const TablaTexto& m;
    int fila;
    const std::string& operator[](Columna c) const { return m(c, fila); }
};

std::string Formato(const Campo& c) {
    return "Formato " + c[kDescripcion] + " inválido";
}
std::string Obligatorio(const Campo& c) {
    return c[kDescripcion] + " campo obligatorio";
}

std::string Texto(const Campo& c, std::string_view v) {
    if (!FuncGral().ValidoValor(v, "C", c[kLongitud], "0", c[kExpresion]))
        return Formato(c);
    if (c[kObligatorio] == "S" && v.empty())
        return Obligatorio(c);
    return {};
}

// Bounds are inclusive and shown as stored; only mandatory numbers are tested.
std::string Rango(const Campo& c, std::string_view v) {
    const double valor = rt::Val(v);
    const double minimo = rt::Val(c[kMinimo]);
    if (rt::lower(c[kMaximo]) == "unbounded") {
        if (valor >= minimo)
            return {};
        return c[kDescripcion] + " el valor debe ser mayor o igual a " + c[kMinimo];
    }
    if (minimo <= valor && valor <= rt::Val(c[kMaximo]))
        return {};
    return c[kDescripcion] + " el valor debe estar comprendido entre : " + c[kMinimo] + " y " +
           c[kMaximo];
}

std::string NumeroOFecha(const Campo& c, std::string_view v) {
    const std::string tipo(rt::trim(c[kTipo]));
    if (!FuncGral().ValidoValor(v, tipo, c[kLongitud], c[kDecimales], c[kExpresion]))
        return Formato(c);
    if (c[kObligatorio] != "S")
        return {};
    if (rt::trim(v).empty())
        return Obligatorio(c);
    if (c[kTipo] != "N")
        return {};
    return Rango(c, v);
}

std::string Identidad(const Campo& c, std::string_view v) {
    if (static_cast<double>(rt::charLength(v)) > rt::Val(c[kLongitud]))
        return c[kDescripcion] + " mayor a " + c[kLongitud] + " caracteres";
    if (!IdentidadBienFormada(v))
        return c[kDescripcion] + " mal formado";
    return {};
}

bool EmpiezaCon(std::string_view v, std::string_view prefijo) {
    return v.size() > prefijo.size() && v.substr(0, prefijo.size()) == prefijo;
}

} // namespace

bool IdentidadBienFormada(std::string_view valor) {
    if (rt::IsNumeric(valor))
        return valor.find_first_of(".,") == std::string_view::npos && rt::charLength(valor) == 11;
    for (std::string_view prefijo : {"DNI", "PAS", "CI", "LE", "LC"})
        if (EmpiezaCon(valor, prefijo))
            return rt::IsNumeric(valor.substr(prefijo.size()));
    return false;
}

std::string Verificar(const TablaTexto& vEstructura, int fila, std::string_view valor) {
    const Campo campo{vEstructura, fila};
    const std::string& tipo = campo[kTipo];
    if (tipo == "C")
        return Texto(campo, valor);
    if (tipo == "N" || tipo == "D")
        return NumeroOFecha(campo, valor);
    if (tipo == "X")
        return Identidad(campo, valor);
    return {};
}

} // namespace ReglasCampo
