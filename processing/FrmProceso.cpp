#include "processing/FrmProceso.h"

#include <chrono>

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtTamanoFijo.h"
#include "processing/ArchivoEspecial.h"
#include "processing/ArmarArchivoFinal.h"
#include "processing/CValidarXml.h"
#include "processing/CarpetaTemporal.h"
#include "processing/EntradaFormulario.h"
#include "shell/ManejadorErrores.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

#include <new>

#include "shell/imagenes/ImagenNuro.xpm"

FrmProceso::FrmProceso(AperturaVentanaProceso::Clase clase, const char* nombre, const char* titulo,
                       QWidget* parent)
    : QDialog(parent), clase_(clase) {
    CrearControles(nombre, titulo);
    connect(CmdProcesar, &QPushButton::clicked, this,
            [this] { Ejecutar(&FrmProceso::CmdProcesar_Click); });
    connect(CmdSalir, &QPushButton::clicked, this,
            [this] { Ejecutar(&FrmProceso::CmdSalir_Click); });
}

FrmProceso::~FrmProceso() = default;

void FrmProceso::CrearControles(const char* nombre, const char* titulo) {
    setObjectName(nombre);
    setWindowTitle(QString::fromUtf8(titulo));

    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Picture1->setPixmap(QPixmap(imagenNuro));
    CboFormularios = new QComboBox(this);
    CboFormularios->setObjectName("CboFormularios");
    CboFormularios->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CboFormularios->setMinimumContentsLength(48);
    Etiqueta = new QLabel(this);
    Etiqueta->setObjectName("Etiqueta");
    // The window's size is fixed while the label is empty.
    Etiqueta->setMinimumHeight(Etiqueta->fontMetrics().height());
    CmdProcesar = new QPushButton("Procesar", this);
    CmdProcesar->setObjectName("CmdProcesar");
    CmdProcesar->setAutoDefault(false);
    CmdSalir = new QPushButton("Salir", this);
    CmdSalir->setObjectName("CmdSalir");
    CmdSalir->setAutoDefault(false);

    grilla_ = new QGridLayout(this);
    grilla_->setContentsMargins(ui::kSeparacion, ui::kSeparacion, ui::kSeparacion, ui::kSeparacion);
    grilla_->setHorizontalSpacing(ui::kSeparacion);
    grilla_->addWidget(Picture1, 0, 0, 4, 1, Qt::AlignTop);
    grilla_->addWidget(CboFormularios, 0, 1, 1, 2);
    grilla_->addWidget(Etiqueta, 1, 1, 1, 2);
    grilla_->addWidget(CmdProcesar, 2, 1);
    grilla_->addWidget(CmdSalir, 2, 2);
}

// Handlers enter the system's code through the error wrapper.
void FrmProceso::Ejecutar(void (FrmProceso::*manejador)()) {
    const bool anidado = ejecutando_;
    ejecutando_ = true;
    ManejadorErrores::ejecutar([this, manejador] { (this->*manejador)(); });
    ejecutando_ = anidado;
}

int FrmProceso::exec() {
    if (ejecutando_)
        return QDialog::Rejected;
    return QDialog::exec();
}

void FrmProceso::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    abierta_ = true;
    Restablecer();
    // Queued: closing from inside the showing would leave a modal loop running.
    QMetaObject::invokeMethod(this, &FrmProceso::Form_Activate, Qt::QueuedConnection);
}

// A window closed during a run was left as the run had it.
void FrmProceso::Restablecer() {
    CboFormularios->clear();
    CboFormularios->setEnabled(true);
    CmdProcesar->setEnabled(true);
    CmdSalir->setText("Salir");
    Etiqueta->clear();
    caption_.clear();
    progreso_.clear();
}

void FrmProceso::Form_Activate() {
    if (!abierta_)
        return;
    ManejadorErrores::ejecutar([this] {
        ui::DoEvents();
        if (abierta_)
            Abrir();
    });
}

// Any run-time error of the opening closes the window without a message.
void FrmProceso::Abrir() {
    AperturaVentanaProceso apertura(clase_);
    try {
        if (!apertura.Abrir(reg)) {
            done(QDialog::Rejected);
            return;
        }
        for (const std::string& entrada : apertura.Entradas())
            CboFormularios->addItem(QString::fromStdString(entrada));
        CboFormularios->setCurrentIndex(0);
        Dialogo.Filter = apertura.Filtro();
    } catch (const rt::RuntimeError&) {
        reg.reset();
        done(QDialog::Rejected);
    }
}

void FrmProceso::done(int resultado) {
    abierta_ = false;
    CboFormularios->clear();
    QDialog::done(resultado);
}

void FrmProceso::reject() {
    if (abierta_ && EnEjecucion())
        Ejecutar(&FrmProceso::CmdSalir_Click);
    else
        QDialog::reject();
}

void FrmProceso::closeEvent(QCloseEvent* event) {
    if (abierta_ && EnEjecucion()) {
        event->ignore();
        Ejecutar(&FrmProceso::CmdSalir_Click);
        return;
    }
    QDialog::closeEvent(event);
}

void FrmProceso::CmdProcesar_Click() {
    vNroMagico.clear();
    vArchivoEncriptado.clear();
    rt::changeFolder(rt::driveWithSeparator());
    MostrarDialogo();
    try {
        if (!ArchivoAceptable()) {
            LiberarRegistros();
            return;
        }
        Procesar();
    } catch (const rt::RuntimeError& e) {
        ManejarError(e);
    } catch (const std::bad_alloc&) {
        ManejarError(rt::RuntimeError(rt::err::OutOfMemory));
    }
}

void FrmProceso::CmdSalir_Click() {
    if (EnEjecucion())
        ui::MsgBox("Proceso Cancelado.");
    CerrarArchivos(1, 3);
    BorrarTemporales();
    done(QDialog::Rejected);
}

void FrmProceso::BorrarTemporales() {
    const Corrida c = Valores();
    if (!c.fileTitle.empty())
        rt::deleteFileQuiet(rt::tempPath(c.fileTitle));
    rt::deleteFileQuiet(rt::tempPath("F" + c.formulario + ".dat"));
    rt::deleteFileQuiet(rt::tempPath(vNroMagico + "F" + c.formulario + ".dat"));
    // Named only by the run that made it: deleted once, never a file met later.
    if (!vArchivoEncriptado.empty())
        rt::deleteFileQuiet(vArchivoEncriptado);
    vArchivoEncriptado.clear();
    BorrarTemporalesPropios(c);
}

void FrmProceso::FijarCorrida() {
    corrida_ = Valores();
    enCorrida_ = true;
}

FrmProceso::Corrida FrmProceso::Valores() const {
    if (enCorrida_)
        return corrida_;
    const std::string entrada = EntradaElegida();
    return {EntradaFormulario::Formulario(entrada), EntradaFormulario::Version(entrada),
            Dialogo.FileTitle};
}

bool FrmProceso::ValidarEsquema(const std::string& pPaThXml, CValidarXml& oXml) {
    if (oXml.ValidarXML(pPaThXml, corrida_.formulario, corrida_.version))
        return true;
    ui::MsgBox(oXml.Error());
    return false;
}

void FrmProceso::Armar(long long registros, const std::string& cuit,
                       const std::string& sqlFormulario) {
    const DatosArchivoFinal datos{.registros = registros,
                                  .cuit = cuit,
                                  .fechaArchivo = vFechaArchivo,
                                  .codformulario = corrida_.formulario,
                                  .version = corrida_.version,
                                  .sqlFormulario = sqlFormulario,
                                  .fileTitle = corrida_.fileTitle};
    ArmarArchivoFinal(*this, reg, datos, vNroMagico, vArchivoEncriptado);
}

void FrmProceso::FinCorrida() {
    if (Abierta()) {
        EtiquetaCaption("");
        EtiquetaDibujar();
    }
    BorrarTemporales();
    Reponer();
}

void FrmProceso::ManejarError(const rt::RuntimeError& error) {
    CerrarArchivos(1, 6);
    if (!Abierta()) {
        FinCorrida();
        return;
    }
    const std::string numero = std::to_string(error.number());
    const bool limpiaAntes = LimpiaAntesDeAvisar();
    EtiquetaCaption("");
    EtiquetaDibujar();
    if (limpiaAntes)
        BorrarTemporales();
    ui::MsgBox("Error Número : " + numero + " ->" + error.description());
    ui::MsgBox(numero + " " + error.description());
    if (!limpiaAntes)
        BorrarTemporales();
    Reponer();
}

// Back to idle: exit button "Salir", list and button enabled, record sets
// released.
void FrmProceso::Reponer() {
    enCorrida_ = false;
    if (Abierta()) {
        CmdSalir->setText("Salir");
        CmdProcesar->setEnabled(true);
        CboFormularios->setEnabled(true);
    }
    LiberarRegistros();
}

void FrmProceso::MostrarDialogo() {
    tituloAnterior_ = Dialogo.FileTitle;
    Dialogo.CancelError = true;
    try {
        Dialogo.FileName.clear();
        Dialogo.InitDir = rt::driveWithSeparator();
        Dialogo.ShowOpen();
    } catch (const rt::RuntimeError&) {
    }
}

void FrmProceso::DescartarEleccion() {
    Dialogo.FileName.clear();
    Dialogo.FileTitle = tituloAnterior_;
}

bool FrmProceso::ArchivoAceptable() {
    if (Dialogo.FileName.empty()) {
        ui::MsgBox("Proceso Cancelado", ui::Icon::Information);
        return false;
    }
    if (!rt::normalFileExists(Dialogo.FileName)) {
        const std::string aviso = ArchivoEspecial::Es(Dialogo.FileName)
                                      ? ArchivoEspecial::MensajeRechazo(Dialogo.FileName)
                                      : "Archivo Inexistente.";
        DescartarEleccion();
        ui::MsgBox(aviso, ui::Icon::Information);
        return false;
    }
    if (!NombreAceptable()) {
        DescartarEleccion();
        return false;
    }
    if (CarpetaTemporal::Contiene(Dialogo.FileName)) {
        DescartarEleccion();
        ui::MsgBox(CarpetaTemporal::MensajeRechazo(), ui::Icon::Information);
        return false;
    }
    return true;
}

std::string FrmProceso::EntradaElegida() const {
    return CboFormularios->currentText().toStdString();
}

bool FrmProceso::EnEjecucion() const {
    return !CmdProcesar->isEnabled();
}

void FrmProceso::CerrarArchivos(int desde, int hasta) noexcept {
    for (int n = desde; n <= hasta; ++n) {
        try {
            rt::Close(n);
        } catch (...) {
        }
    }
}

namespace {
bool esProgreso(const std::string& texto) {
    return texto.rfind("Procesando ", 0) == 0;
}
} // namespace

// Per-line progress is drawn at most 25 times a second: putting it on the
// label and drawing it on every line would cost many times the validation
// itself. The packing empties the caption after each line's records, which
// would leave nothing to see: an empty caption keeps the latest progress on
// show until another status comes. Any other status goes on the label and is
// drawn at once.
void FrmProceso::EtiquetaCaption(const std::string& texto) {
    caption_ = texto;
    if (esProgreso(texto)) {
        progreso_ = texto;
        return;
    }
    if (texto.empty() && !progreso_.empty())
        return;
    progreso_.clear();
    Etiqueta->setText(QString::fromStdString(texto));
}

void FrmProceso::EtiquetaRefresh() {
    if (progreso_.empty()) {
        Dibujar(caption_);
        return;
    }
    if (std::chrono::steady_clock::now() - ultimoDibujo_ >= std::chrono::milliseconds(40))
        Dibujar(progreso_);
}

void FrmProceso::EtiquetaDibujar() {
    progreso_.clear();
    Dibujar(caption_);
}

// The whole window is drawn, not only the label: a run that does not yield
// leaves the rest of it as the file dialog left it.
void FrmProceso::Dibujar(const std::string& texto) {
    Etiqueta->setText(QString::fromStdString(texto));
    repaint();
    ultimoDibujo_ = std::chrono::steady_clock::now();
}
