#include "validation/CargaEstructuras.h"

#include "platform/runtime/Numbers.h"
#include "platform/runtime/TextLines.h"

namespace CargaEstructuras {
namespace {

std::string Filtro(const std::string& formulario, const std::string& version) {
    return "where CodFormulario='" + formulario + "' and Version = '" + version + "'";
}

void AgregarTipo(TablaTexto& vTipos, const std::string& tipo, rt::Int16 cantidad,
                 rt::Int16 primeraFila, bool conPrimeraFila) {
    vTipos.AgregarFila();
    const int fila = vTipos.UltimaFila();
    vTipos(0, fila) = tipo;
    vTipos(1, fila) = std::to_string(cantidad.value());
    if (conPrimeraFila)
        vTipos(2, fila) = std::to_string(primeraFila.value());
}

} // namespace

std::string ConsultaIndicador(const std::string& formulario, const std::string& version) {
    return "select IndSinPuntoDecimal from Formularios " + Filtro(formulario, version);
}

std::string ConsultaCampos(const std::string& formulario, const std::string& version) {
    return "select * from Estructuras " + Filtro(formulario, version) +
           " order by TipoRegistro,orden";
}

std::string LeerIndicador(const db::RecordSet& reg) {
    return rt::upper(reg.field("IndSinPuntoDecimal").textOr(""));
}

void AgregarCampo(const db::RecordSet& reg, TablaTexto& vEstructura) {
    vEstructura.AgregarFila();
    const int fila = vEstructura.UltimaFila();
    static const char* const kColumnas[] = {"TipoRegistro", "NombreCampo", "Descripcion",   "Tipo",
                                            "Longitud",     "Decimales",   "IndObligatorio"};
    for (int c = 0; c < 7; ++c)
        vEstructura(c, fila) = reg.field(kColumnas[c]).text();
    // Bounds only mean something for numbers.
    if (rt::upper(vEstructura(3, fila)) == "N") {
        vEstructura(7, fila) = reg.field("ValorMinimo").text();
        vEstructura(8, fila) = reg.field("ValorMaximo").text();
    }
    vEstructura(9, fila) = reg.field("IndicativoAtributo").text();
    vEstructura(10, fila) = reg.field("ExpresionRegular").textOr("");
}

void CargarCampos(db::RecordSet& reg, TablaTexto& vEstructura, TablaTexto& vTipos,
                  bool conPrimeraFila) {
    std::string actual = reg.field("TipoRegistro").text();
    rt::Int16 cantidad = 0;
    rt::Int16 primeraFila = 1;
    while (!reg.eof()) {
        std::string tipo = reg.field("TipoRegistro").text();
        if (tipo != actual) {
            AgregarTipo(vTipos, actual, cantidad, primeraFila, conPrimeraFila);
            actual = std::move(tipo);
            cantidad = 1;
            if (conPrimeraFila)
                primeraFila = vEstructura.UltimaFila() + 1;
        } else {
            ++cantidad;
        }
        AgregarCampo(reg, vEstructura);
        reg.moveNext();
    }
    AgregarTipo(vTipos, actual, cantidad, primeraFila, conPrimeraFila);
}

} // namespace CargaEstructuras
