#include "processing/AperturaVentanaProceso.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "processing/EntradaFormulario.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"

bool AperturaVentanaProceso::Abrir(std::unique_ptr<db::RecordSet>& reg) {
    entradas_.clear();
    if (!BaseDatosPresente())
        return false;
    if (!CuitCargado(reg))
        return false;
    LeerFormularios(reg);
    reg.reset();
    if (entradas_.empty()) {
        ui::MsgBox("No existen Tipos de Formularios para Seleccionar.");
        return false;
    }
    return true;
}

std::string AperturaVentanaProceso::Consulta() const {
    if (clase_ == Clase::Planos)
        return std::string("select * from Formularios ") + "where Ucase(TipoArchivoEntrada)='P' " +
               "or Ucase(TipoArchivoEntrada)='M'" + "or Ucase(TipoArchivoEntrada)='V'";
    return "select * from Formularios where Ucase(TipoArchivoEntrada)='X' or "
           "Ucase(TipoArchivoEntrada)='M'";
}

std::string AperturaVentanaProceso::Filtro() const {
    return clase_ == Clase::Planos ? "Archivos de Datos (*.dat,*.txt)|*.dat;*.txt"
                                   : "Archivos XML (*.xml)|*.xml";
}

bool AperturaVentanaProceso::BaseDatosPresente() const {
    if (rt::fileExists(rutas::baseDatos()))
        return true;
    ui::MsgBox("No existe la Base de Datos en el directorio " + rutas::carpetaDatos());
    return false;
}

// Only a Null CUIT is refused; an empty table fails when the field is read.
bool AperturaVentanaProceso::CuitCargado(std::unique_ptr<db::RecordSet>& reg) const {
    reg = Conexion().openRecordSet("Select * from Cuit");
    if (!reg->field("Cuit").isNull())
        return true;
    ui::MsgBox("Debe Cargar el Cuit para poder procesar Documentos.");
    reg.reset();
    return false;
}

void AperturaVentanaProceso::LeerFormularios(std::unique_ptr<db::RecordSet>& reg) {
    reg = Conexion().openRecordSet(Consulta());
    while (!reg->eof()) {
        entradas_.push_back(EntradaFormulario::Armar(*reg, clase_ == Clase::Planos));
        reg->moveNext();
    }
}

db::Connection& AperturaVentanaProceso::Conexion() {
    if (!BaseDatos)
        rt::raise(rt::err::ObjectNotSet);
    return *BaseDatos;
}
