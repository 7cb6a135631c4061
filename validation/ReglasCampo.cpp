#include "validation/ReglasCampo.h"

#include "platform/runtime/Numbers.h"
#include "platform/runtime/TextLines.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"

namespace ReglasCampo {
namespace {

using Clase = CampoRegla::Clase;

std::string Formato(const CampoRegla& c) {
    return "Formato " + c.descripcion + " inválido";
}
std::string Obligatorio(const CampoRegla& c) {
    return c.descripcion + " campo obligatorio";
}

std::string Texto(const CampoRegla& c, std::string_view v) {
    if (!FuncGral().ValidoValorLeido(v, "C", c.valorLongitud, 0, c.expresion))
        return Formato(c);
    if (c.obligatorio && v.empty())
        return Obligatorio(c);
    return {};
}

// Bounds are inclusive and shown as stored; only mandatory numbers are tested.
std::string Rango(const CampoRegla& c, std::string_view v) {
    const double valor = rt::Val(v);
    if (c.ilimitado) {
        if (valor >= c.valorMinimo)
            return {};
        return c.descripcion + " el valor debe ser mayor o igual a " + c.minimo;
    }
    if (c.valorMinimo <= valor && valor <= c.valorMaximo)
        return {};
    return c.descripcion + " el valor debe estar comprendido entre : " + c.minimo + " y " +
           c.maximo;
}

std::string NumeroOFecha(const CampoRegla& c, std::string_view v) {
    if (!FuncGral().ValidoValorLeido(v, c.tipoRecortado, c.valorLongitud, c.valorDecimales,
                                     c.expresion))
        return Formato(c);
    if (!c.obligatorio)
        return {};
    if (rt::trim(v).empty())
        return Obligatorio(c);
    if (c.tipo != "N")
        return {};
    return Rango(c, v);
}

std::string Identidad(const CampoRegla& c, std::string_view v) {
    if (static_cast<double>(rt::charLength(v)) > c.valorLongitud)
        return c.descripcion + " mayor a " + c.longitud + " caracteres";
    if (!IdentidadBienFormada(v))
        return c.descripcion + " mal formado";
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

std::string Verificar(const CampoRegla& campo, std::string_view valor) {
    switch (campo.clase) {
    case Clase::Texto:
        return Texto(campo, valor);
    case Clase::NumeroOFecha:
        return NumeroOFecha(campo, valor);
    case Clase::Identidad:
        return Identidad(campo, valor);
    case Clase::SinReglas:
        break;
    }
    return {};
}

} // namespace ReglasCampo
