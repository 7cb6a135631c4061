#include "processing/FrmProcesarPlanos.h"

#include "platform/ui/Dialogs.h"
#include "processing/ArmarArchivoFinal.h"
#include "processing/CValidarXml.h"
#include "processing/EntradaFormulario.h"
#include "validation/CValidarArchivo.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <new>

FrmProcesarPlanos::FrmProcesarPlanos(QWidget* parent)
    : FrmProceso(AperturaVentanaProceso::Clase::Planos, "FrmProcesarPlanos",
                 "Procesamiento de Archivos Planos", parent) {}

void FrmProcesarPlanos::CmdProcesar_Click() {
    vSalir = false;
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

void FrmProcesarPlanos::Procesar() {
    if (!ArchivoAceptable())
        return;
    vFechaArchivo = rt::fileDateTime(Dialogo.FileName);
    Empezar();
    double lineas = 0;
    std::string cuit;
    if (!Validar(lineas, cuit)) {
        FinCorrida();
        return;
    }
    CValidarXml oXml;
    const std::string& f = corrida_.formulario;
    const std::string& v = corrida_.version;
    if (!oXml.ValidarXML(rt::tempPath("F" + f + "_" + v + ".xml"), f, v)) {
        ui::MsgBox(oXml.Error());
        FinCorrida();
        return;
    }
    EtiquetaCaption("Generando Archivo ....");
    EtiquetaRefresh();
    Armar(lineas, cuit);
    FinCorrida();
}

void FrmProcesarPlanos::Empezar() {
    corrida_ = ValoresActuales();
    CboFormularios->setEnabled(false);
    rt::changeFolder(rt::driveWithSeparator());
    CmdProcesar->setEnabled(false);
    enCorrida_ = true;
    BorrarTemporales();
}

// False ends the run; after a cancel, or once the window has been closed,
// without a box.
bool FrmProcesarPlanos::Validar(double& lineas, std::string& cuit) {
    CValidarArchivo oValidar;
    oValidar.formulario(this);
    CmdSalir->setText("Cancelar");
    // A copy: the vista road replaces the path it is given.
    std::string ruta = Dialogo.FileName;
    const bool valido =
        oValidar.Validar(ruta, corrida_.formulario, corrida_.version, corrida_.tipoArchivo);
    if (!valido) {
        if (!vSalir && Abierta())
            ui::MsgBox(oValidar.Error(), ui::Icon::Critical);
        return false;
    }
    if (!Abierta())
        return false;
    lineas = oValidar.Lineas();
    cuit = oValidar.Cuit();
    return true;
}

void FrmProcesarPlanos::Armar(double lineas, const std::string& cuit) {
    const std::string& f = corrida_.formulario;
    const std::string& v = corrida_.version;
    DatosArchivoFinal datos;
    datos.registros = static_cast<long long>(lineas);
    datos.cuit = cuit;
    datos.fechaArchivo = vFechaArchivo;
    datos.codformulario = f;
    datos.version = v;
    datos.sqlFormulario =
        "select *  from Formularios where CodFormulario='" + f + "' and Version= '" + v + "'";
    datos.fileTitle = corrida_.fileTitle;
    ArmarArchivoFinal(*this, reg, datos, vNroMagico);
}

// A window closed during the run keeps its controls as they are; the work
// files go all the same.
void FrmProcesarPlanos::FinCorrida() {
    if (Abierta())
        EtiquetaCaption("");
    BorrarTemporales();
    enCorrida_ = false;
    if (Abierta()) {
        CmdSalir->setText("Salir");
        CmdProcesar->setEnabled(true);
        CboFormularios->setEnabled(true);
    }
    reg.reset();
}

// Files the failed step left open are closed, so the next run finds its
// numbers free.
void FrmProcesarPlanos::ManejarError(const rt::RuntimeError& error) {
    CerrarArchivos(1, 6);
    const std::string numero = std::to_string(error.number());
    if (!Abierta()) {
        FinCorrida();
        return;
    }
    EtiquetaCaption("");
    BorrarTemporales();
    enCorrida_ = false;
    ui::MsgBox("Error Número : " + numero + " ->" + error.description());
    ui::MsgBox(numero + " " + error.description());
    CmdSalir->setText("Salir");
    CmdProcesar->setEnabled(true);
    CboFormularios->setEnabled(true);
    reg.reset();
}

void FrmProcesarPlanos::CmdSalir_Click() {
    vSalir = true;
    FrmProceso::CmdSalir_Click();
}

void FrmProcesarPlanos::BorrarTemporales() {
    const Corrida c = enCorrida_ ? corrida_ : ValoresActuales();
    const std::string& f = c.formulario;
    if (!c.fileTitle.empty())
        rt::deleteFileQuiet(rt::tempPath(c.fileTitle));
    rt::deleteFileQuiet(rt::tempPath("F" + f + ".dat"));
    rt::deleteFileQuiet(rt::tempPath(vNroMagico + "F" + f + ".dat"));
    rt::deleteFileQuiet(rt::tempPath("F" + f + "_" + c.version + ".xml"));
    rt::deleteFileQuiet(rt::tempPath("F" + f + "_" + c.version + "_TEMP.txt"));
}

FrmProcesarPlanos::Corrida FrmProcesarPlanos::ValoresActuales() const {
    const std::string entrada = EntradaElegida();
    return {EntradaFormulario::Formulario(entrada), EntradaFormulario::Version(entrada),
            EntradaFormulario::TipoArchivo(entrada), Dialogo.FileTitle};
}
