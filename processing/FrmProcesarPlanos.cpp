#include "processing/FrmProcesarPlanos.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/QtTamanoFijo.h"
#include "processing/CValidarXml.h"
#include "processing/CarpetaTemporal.h"
#include "processing/EntradaFormulario.h"
#include "validation/CValidarArchivo.h"

#include <QComboBox>
#include <QPushButton>

FrmProcesarPlanos::FrmProcesarPlanos(QWidget* parent)
    : FrmProceso(AperturaVentanaProceso::Clase::Planos, "FrmProcesarPlanos",
                 "Procesamiento de Archivos Planos", parent) {
    ui::fijarTamano(*this);
}

void FrmProcesarPlanos::CmdProcesar_Click() {
    vSalir = false;
    FrmProceso::CmdProcesar_Click();
}

void FrmProcesarPlanos::Procesar() {
    vFechaArchivo = rt::fileDateTime(Dialogo.FileName);
    Empezar();
    const Corrida c = Valores();
    double lineas = 0;
    std::string cuit;
    CValidarXml oXml;
    if (Validar(lineas, cuit) &&
        ValidarEsquema(rt::tempPath("F" + c.formulario + "_" + c.version + ".xml"), oXml)) {
        EtiquetaCaption("Generando Archivo ....");
        EtiquetaRefresh();
        Armar(static_cast<long long>(lineas), cuit,
              "select *  from Formularios where CodFormulario='" + c.formulario +
                  "' and Version= '" + c.version + "'");
    }
    FinCorrida();
}

void FrmProcesarPlanos::Empezar() {
    tipoArchivo_ = EntradaFormulario::TipoArchivo(EntradaElegida());
    FijarCorrida();
    CboFormularios->setEnabled(false);
    rt::changeFolder(rt::driveWithSeparator());
    CmdProcesar->setEnabled(false);
    BorrarTemporales();
}

// The record file takes the chosen file's title: a title that names another
// work file of the run would make the two one file.
bool FrmProcesarPlanos::NombreAceptable() {
    const Corrida c = Valores();
    if (!CarpetaTemporal::NombraArchivoDeTrabajo(Dialogo.FileName, c.formulario, c.version))
        return true;
    ui::MsgBox(CarpetaTemporal::MensajeNombreDeTrabajo(Dialogo.FileName), ui::Icon::Information);
    return false;
}

// False ends the run; after a cancel, or once the window has been closed,
// without a box.
bool FrmProcesarPlanos::Validar(double& lineas, std::string& cuit) {
    CValidarArchivo oValidar;
    oValidar.formulario(this);
    CmdSalir->setText("Cancelar");
    // A copy: the vista road replaces the path it is given.
    std::string ruta = Dialogo.FileName;
    const Corrida c = Valores();
    const bool valido = oValidar.Validar(ruta, c.formulario, c.version, tipoArchivo_);
    if (!valido) {
        if (!vSalir && Abierta())
            ui::MsgBox(oValidar.Error(), ui::Icon::Critical);
        return false;
    }
    if (!Abierta())
        return false;
    // The last line's progress stays on show during the schema validation.
    EtiquetaDibujar();
    lineas = oValidar.Lineas();
    cuit = oValidar.Cuit();
    return true;
}

void FrmProcesarPlanos::CmdSalir_Click() {
    vSalir = true;
    FrmProceso::CmdSalir_Click();
}

void FrmProcesarPlanos::BorrarTemporalesPropios(const Corrida& c) {
    rt::deleteFileQuiet(rt::tempPath("F" + c.formulario + "_" + c.version + ".xml"));
    rt::deleteFileQuiet(rt::tempPath("F" + c.formulario + "_" + c.version + "_TEMP.txt"));
}
