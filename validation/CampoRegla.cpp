#include "validation/CampoRegla.h"

#include "platform/runtime/Numbers.h"
#include "platform/runtime/TextLines.h"

namespace {

enum Columna {
    kTipoRegistro = 0,
    kNombreCampo = 1,
    kDescripcion = 2,
    kTipo = 3,
    kLongitud = 4,
    kDecimales = 5,
    kObligatorio = 6,
    kMinimo = 7,
    kMaximo = 8,
    kAtributo = 9,
    kExpresion = 10,
};

CampoRegla::Clase ClaseDelTipo(const std::string& tipo) {
    if (tipo == "C")
        return CampoRegla::Clase::Texto;
    if (tipo == "N" || tipo == "D")
        return CampoRegla::Clase::NumeroOFecha;
    if (tipo == "X")
        return CampoRegla::Clase::Identidad;
    return CampoRegla::Clase::SinReglas;
}

} // namespace

CampoRegla::CampoRegla(const TablaTexto& m, int fila)
    : tipoRegistro(m(kTipoRegistro, fila)), nombre(m(kNombreCampo, fila)),
      elemento(rt::trim(nombre)), descripcion(m(kDescripcion, fila)), tipo(m(kTipo, fila)),
      tipoRecortado(rt::trim(tipo)), longitud(m(kLongitud, fila)), minimo(m(kMinimo, fila)),
      maximo(m(kMaximo, fila)), expresion(m(kExpresion, fila)), clase(ClaseDelTipo(tipo)),
      valorLongitud(rt::Val(longitud)), valorDecimales(rt::Val(m(kDecimales, fila))),
      valorMinimo(rt::Val(minimo)), valorMaximo(rt::Val(maximo)),
      obligatorio(m(kObligatorio, fila) == "S"), ilimitado(rt::lower(maximo) == "unbounded"),
      atributo(rt::upper(m(kAtributo, fila)) == "S"),
      cuit(tipo == "C" && rt::upper(nombre) == "CUIT"), seccion(tipo == "C" && !cuit),
      apertura("<" + elemento + (seccion ? "><![CDATA[" : ">")),
      cierre((seccion ? "]]></" : "</") + elemento + ">") {}
