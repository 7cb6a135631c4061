#include "processing/FrmProcesarXML.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/TextLines.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtTamanoFijo.h"
#include "platform/xml/DigestoTexto.h"
#include "processing/CValidarXml.h"
#include "processing/ControlEmpaquetado.h"
#include "processing/LecturaDeVuelta.h"
#include "shell/Globales.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

FrmProcesarXML::FrmProcesarXML(QWidget* parent)
    : FrmProceso(AperturaVentanaProceso::Clase::Xml, "FrmProcesarXML",
                 "Procesamiento de Archivos XML", parent),
      empaquetador_(*this) {
    Label1 = new QLabel("Elija el formulario y presione Procesar.", this);
    Label1->setObjectName("Label1");
    Lbl_LineasTratadas = new QLabel(this);
    Lbl_LineasTratadas->setObjectName("Lbl_LineasTratadas");
    grilla_->addWidget(Label1, 3, 1);
    grilla_->addWidget(Lbl_LineasTratadas, 3, 2);
    ui::fijarTamano(*this);
}

void FrmProcesarXML::Procesar() {
    Empezar();
    CValidarXml oXml(true);
    ControlEmpaquetado control;
    if (ValidarEsquema(Dialogo.FileName, oXml) && Empaquetable(Dialogo.FileName, control, oXml)) {
        EtiquetaCaption("Generando Archivo ....");
        EtiquetaRefresh();
        if (EmpaquetadoIgual(oXml, control))
            ArmarConCuit();
    }
    FinCorrida();
}

// A document that no packing could keep is refused before anything is packed.
bool FrmProcesarXML::Empaquetable(const std::string& pNombreArchivo, ControlEmpaquetado& control,
                                  CValidarXml& oXml) {
    if (control.Revisar(pNombreArchivo))
        return true;
    oXml.DetenerReleida();
    ui::MsgBox(control.Error(), ui::Icon::Information);
    return false;
}

// The packing was read back during the schema check; the records written must
// hold that same text. Only the document that was validated goes out. A
// refused document's records are gone before the box.
bool FrmProcesarXML::EmpaquetadoIgual(const CValidarXml& oXml, const ControlEmpaquetado& control) {
    const std::string registros = rt::tempPath(Valores().fileTitle);
    xml::DigestoTexto escrito;
    empaquetador_.Empaquetar(Dialogo.FileName, Valores().fileTitle,
                             [&escrito](std::string_view texto) { escrito.agregar(texto); });
    LecturaDeVuelta& releida = *oXml.Releida();
    const bool igual = releida.Igual(oXml.Huella(), escrito.fin());
    const bool valido = releida.Valido();
    if (igual)
        return true;
    const std::string texto =
        !control.Aviso().empty()
            ? control.Aviso()
            : LecturaDeVuelta::Diferencia(Dialogo.FileName, registros, valido, oXml.Mixtos());
    rt::deleteFileQuiet(registros);
    ui::MsgBox(texto, ui::Icon::Information);
    return false;
}

// Any name that ends in the three letters, in any case, passes.
bool FrmProcesarXML::NombreAceptable() {
    const std::string& nombre = Dialogo.FileName;
    const std::size_t largo = rt::charLength(nombre);
    if (largo >= 3 && rt::upper(rt::mid(nombre, largo - 2, 3)) == "XML")
        return true;
    ui::MsgBox("Formato de Archivo Incorrecto.", ui::Icon::Information);
    return false;
}

void FrmProcesarXML::Empezar() {
    rt::changeFolder(rt::driveWithSeparator());
    FijarCorrida();
    BorrarTemporales();
    CmdProcesar->setEnabled(false);
    vFechaArchivo = rt::fileDateTime(Dialogo.FileName);
}

// This window reads the CUIT itself, just before the control number is formed.
void FrmProcesarXML::ArmarConCuit() {
    if (!BaseDatos)
        rt::raise(rt::err::ObjectNotSet);
    reg1 = BaseDatos->openRecordSet("Select * from Cuit");
    const std::string cuit = reg1->field("Cuit").text();
    const Corrida c = Valores();
    Armar(empaquetador_.v_TotalLineasXml(), cuit,
          "select *  from Formularios where CodFormulario='" + c.formulario + "' and Version='" +
              c.version + "'");
}

void FrmProcesarXML::LiberarRegistros() {
    FrmProceso::LiberarRegistros();
    reg1.reset();
}
