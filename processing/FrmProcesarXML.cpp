#include "processing/FrmProcesarXML.h"

#include "platform/runtime/TextLines.h"
#include "platform/ui/Dialogs.h"
#include "processing/ArmarArchivoFinal.h"
#include "processing/CValidarXml.h"
#include "processing/EntradaFormulario.h"
#include "shell/Globales.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <new>

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
}

void FrmProcesarXML::CmdProcesar_Click() {
    vNroMagico.clear();
    rt::changeFolder(rt::driveWithSeparator());
    MostrarDialogo();
    try {
        Procesar();
    } catch (const rt::RuntimeError& e) {
        ManejarError(e);
    } catch (const std::bad_alloc&) {
        ManejarError(rt::RuntimeError(rt::err::OutOfMemory));
    }
}

void FrmProcesarXML::Procesar() {
    if (!ArchivoAceptable()) {
        reg.reset();
        reg1.reset();
        return;
    }
    Empezar();
    CValidarXml oXml;
    if (!oXml.ValidarXML(Dialogo.FileName, corrida_.formulario, corrida_.version)) {
        ui::MsgBox(oXml.Error());
        FinCorrida();
        return;
    }
    EtiquetaCaption("Generando Archivo ....");
    EtiquetaRefresh();
    empaquetador_.Empaquetar(Dialogo.FileName, corrida_.fileTitle);
    Armar();
    FinCorrida();
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
    corrida_ = ValoresActuales();
    enCorrida_ = true;
    BorrarTemporales();
    CmdProcesar->setEnabled(false);
    vFechaArchivo = rt::fileDateTime(Dialogo.FileName);
}

void FrmProcesarXML::Armar() {
    const std::string& f = corrida_.formulario;
    const std::string& v = corrida_.version;
    if (!BaseDatos)
        rt::raise(rt::err::ObjectNotSet);
    reg1 = BaseDatos->openRecordSet("Select * from Cuit");
    DatosArchivoFinal datos;
    datos.registros = empaquetador_.v_TotalLineasXml();
    datos.cuit = reg1->field("Cuit").text();
    datos.fechaArchivo = vFechaArchivo;
    datos.codformulario = f;
    datos.version = v;
    datos.sqlFormulario =
        "select *  from Formularios where CodFormulario='" + f + "' and Version='" + v + "'";
    datos.fileTitle = corrida_.fileTitle;
    ArmarArchivoFinal(*this, reg, datos, vNroMagico);
}

// A window closed during the join keeps its controls as they are; the work
// files go all the same.
void FrmProcesarXML::FinCorrida() {
    if (Abierta())
        EtiquetaCaption("");
    BorrarTemporales();
    enCorrida_ = false;
    if (Abierta()) {
        CmdSalir->setText("Salir");
        CmdProcesar->setEnabled(true);
    }
    reg.reset();
    reg1.reset();
}

// Files the failed step left open are closed, so the next run finds its
// numbers free.
void FrmProcesarXML::ManejarError(const rt::RuntimeError& error) {
    CerrarArchivos(1, 6);
    if (!Abierta()) {
        FinCorrida();
        return;
    }
    const std::string numero = std::to_string(error.number());
    EtiquetaCaption("");
    ui::MsgBox("Error Número : " + numero + " ->" + error.description());
    ui::MsgBox(numero + " " + error.description());
    FinCorrida();
}

void FrmProcesarXML::BorrarTemporales() {
    const Corrida c = enCorrida_ ? corrida_ : ValoresActuales();
    if (!c.fileTitle.empty())
        rt::deleteFileQuiet(rt::tempPath(c.fileTitle));
    rt::deleteFileQuiet(rt::tempPath("F" + c.formulario + ".dat"));
    rt::deleteFileQuiet(rt::tempPath(vNroMagico + "F" + c.formulario + ".dat"));
}

FrmProcesarXML::Corrida FrmProcesarXML::ValoresActuales() const {
    const std::string entrada = EntradaElegida();
    return {EntradaFormulario::Formulario(entrada), EntradaFormulario::Version(entrada),
            Dialogo.FileTitle};
}
