// Loading of the form version's structure into the three tables of a run.
#include "validation/CValidarArchivo.h"

#include "validation/CargaEstructuras.h"

void CValidarArchivo::CargarEstructura(const std::string& pFormulario, const std::string& pVersion,
                                       TablaTexto& vEstructura, TablaTexto& vTipos,
                                       TablaTexto& vPadreHijo) {
    reg = Conexion().openRecordSet(CargaEstructuras::ConsultaIndicador(pFormulario, pVersion));
    vIndSinPuntoDecimal = CargaEstructuras::LeerIndicador(*reg);
    reg = Conexion().openRecordSet(CargaEstructuras::ConsultaCampos(pFormulario, pVersion));
    CargaEstructuras::CargarCampos(*reg, vEstructura, vTipos, true);
    CargarAnidamiento(pFormulario, pVersion, vPadreHijo);
}

// Rows in the order the database returns them: the first is the root row.
void CValidarArchivo::CargarAnidamiento(const std::string& pFormulario, const std::string& pVersion,
                                        TablaTexto& vPadreHijo) {
    reg1 = Conexion().openRecordSet("Select TipoRegistroPadre,TipoRegistroHijo,OcurrenciaMinima,"
                                    "OcurrenciaMaxima,NombreTag from Estructura_Padre_hijo "
                                    "where CodFormulario='" +
                                    pFormulario + "' and Version ='" + pVersion + "'");
    while (!reg1->eof()) {
        vPadreHijo.AgregarFila();
        const int fila = vPadreHijo.UltimaFila();
        vPadreHijo(0, fila) = reg1->field("TipoRegistroPadre").text();
        vPadreHijo(1, fila) = reg1->field("TipoRegistroHijo").textOr("");
        vPadreHijo(2, fila) = reg1->field("OcurrenciaMinima").textOr("");
        vPadreHijo(3, fila) = reg1->field("OcurrenciaMaxima").textOr("");
        vPadreHijo(4, fila).assign(1, '0');
        vPadreHijo(5, fila) = reg1->field("NombreTag").textOr("");
        reg1->moveNext();
    }
}
