#include "shell/frmNuro.h"

#include "platform/database/Database.h"
#include "platform/runtime/FileSystem.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtTamanoFijo.h"
#include "processing/FrmProcesarPlanos.h"
#include "processing/FrmProcesarXML.h"
#include "shell/CFuncGral.h"
#include "shell/FrmCuit.h"
#include "shell/FrmReparar.h"
#include "shell/Globales.h"
#include "shell/ManejadorErrores.h"
#include "shell/Rutas.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QVBoxLayout>

#include "shell/imagenes/ImagenNuro.xpm"

namespace {

// The room around the frame, which is centred at every activation.
constexpr QSize kFondo(640, 390);
constexpr int kMargen = 24;

QFrame* linea(QWidget* padre, const char* nombre) {
    auto* l = new QFrame(padre);
    l->setObjectName(nombre);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

QLabel* etiqueta(QWidget* padre, const char* nombre, const QString& texto, int puntos,
                 bool negrita) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    QFont f = l->font();
    f.setPointSize(puntos);
    f.setBold(negrita);
    l->setFont(f);
    return l;
}

} // namespace

frmNuro::frmNuro(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmNuro");
    setWindowTitle("NURO");
    crearMenu();
    crearMarco();
    ui::fijarTamano(*this);
    registrarVentana<FrmProcesarPlanos>("ProcesarDocumento");
    registrarVentana<FrmProcesarXML>("ProcesarDocumentoXML");
    registrarVentana<FrmCuit>("CargarCuit");
    registrarVentana<FrmReparar>("RepararBD");
}

frmNuro::~frmNuro() = default;

void frmNuro::crearMenu() {
    agregarComando("ProcesarDocumento", "Procesar Documento Plano");
    agregarComando("ProcesarDocumentoXML", "Procesar Documento XML");
    agregarComando("CargarCuit", "Cargar Cuit");
    agregarComando("RepararBD", "Reparar Base de Datos");
    agregarComando("Salida", "Salida");
}

void frmNuro::agregarComando(const char* nombre, const char* texto) {
    QAction* a = menuBar()->addAction(QString::fromUtf8(texto));
    a->setObjectName(nombre);
    const std::string menu = nombre;
    connect(a, &QAction::triggered, this, [this, menu] {
        if (menu == "Salida")
            ManejadorErrores::ejecutar([this] { close(); });
        else
            ManejadorErrores::ejecutar([this, menu] { mostrarVentana(menu); });
    });
}

void frmNuro::crearMarco() {
    auto* fondo = new QWidget(this);
    setCentralWidget(fondo);
    Frame1 = new QFrame(fondo);
    Frame1->setObjectName("Frame1");
    Frame1->setFrameShape(QFrame::StyledPanel);

    auto* Image1 = new QLabel(Frame1);
    Image1->setObjectName("Image1");
    Image1->setPixmap(QPixmap(imagenNuro));

    auto* textos = new QVBoxLayout;
    textos->addWidget(etiqueta(Frame1, "Label1", "NURO", 26, true));
    textos->addWidget(linea(Frame1, "Line1"));
    textos->addWidget(
        etiqueta(Frame1, "Label3", "Generación de Archivos de Declaraciones Aduaneras", 11, false));
    textos->addWidget(linea(Frame1, "Line2"));
    textos->addWidget(etiqueta(Frame1, "Label2", "Version 1.1", 9, false));
    textos->addWidget(linea(Frame1, "Line3"));

    auto* fila = new QHBoxLayout(Frame1);
    fila->setContentsMargins(18, 18, 18, 18);
    fila->setSpacing(18);
    fila->addWidget(Image1, 0, Qt::AlignTop);
    fila->addLayout(textos);
    Frame1->adjustSize();
    fondo->setMinimumSize(
        Frame1->size().grownBy({kMargen, kMargen, kMargen, kMargen}).expandedTo(kFondo));
}

void frmNuro::registrarVentana(const std::string& menu, Fabrica fabrica) {
    fabricas_[menu] = std::move(fabrica);
}

QDialog* frmNuro::ventana(const std::string& menu) const {
    auto it = ventanas_.find(menu);
    return it == ventanas_.end() ? nullptr : it->second.get();
}

void frmNuro::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (mostrado_)
        return;
    mostrado_ = true;
    // Queued, so the window is on screen before any message of the sequence.
    QMetaObject::invokeMethod(this, &frmNuro::activar, Qt::QueuedConnection);
}

void frmNuro::activar() {
    if (!isVisible())
        return;
    ManejadorErrores::ejecutar([this] { secuenciaActivacion(); });
}

void frmNuro::secuenciaActivacion() {
    ++activaciones_;
    if (!abrirBase())
        return;
    centrarMarco();
    rt::deleteFileQuiet(rt::driveWithSeparator() + "DatosNuro/Temp.bat");
    if (!carpetasPresentes())
        return;
    emit activado();
}

bool frmNuro::abrirBase() {
    if (!rt::fileExists(rutas::baseDatos())) {
        terminar("No existe la base de datos BDNuro.mdb en el directorio : " +
                 rt::driveWithSeparator() + "DatosNuro/BDNuro.mdb");
        return false;
    }
    if (db::isAccessFile(rutas::baseDatos())) {
        terminar("La Base de Datos BDNuro.mdb está en formato Access, que este sistema no lee.");
        return false;
    }
    {
        CFuncGral funciones;
        funciones.AbriBase();
    }
    // No handling of its own: a database that cannot be opened ends the application.
    BaseDatos = db::openDatabase(rutas::baseDatosApertura(), false, false, nuro::kConnect);
    return true;
}

void frmNuro::centrarMarco() {
    const QWidget* fondo = centralWidget();
    Frame1->move(fondo->width() / 2 - Frame1->width() / 2,
                 fondo->height() / 2 - Frame1->height() / 2);
}

bool frmNuro::carpetasPresentes() {
    if (!rt::folderExists(rutas::carpetaDatos())) {
        terminar("No existe la carpeta : " + rt::driveWithSeparator() + "DatosNuro");
        return false;
    }
    if (!rt::folderExists(rutas::carpetaDatos() + "/Procesados")) {
        terminar("No existe la carpeta : " + rt::driveWithSeparator() + "DatosNuro/Procesados");
        return false;
    }
    return true;
}

void frmNuro::terminar(const std::string& mensaje) {
    ui::MsgBox(mensaje);
    close();
}

void frmNuro::mostrarVentana(const std::string& menu) {
    auto fabrica = fabricas_.find(menu);
    if (fabrica == fabricas_.end())
        return;
    std::unique_ptr<QDialog>& v = ventanas_[menu];
    if (!v)
        v = fabrica->second();
    v->exec();
    activar();
}

void frmNuro::closeEvent(QCloseEvent* event) {
    try {
        if (BaseDatos)
            BaseDatos->close();
    } catch (...) {
    }
    BaseDatos.reset();
    event->accept();
}
