#include "shell/FrmReparar.h"

#include "platform/database/Database.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtTamanoFijo.h"
#include "shell/ArregloSoloLectura.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"
#include "shell/ManejadorErrores.h"
#include "shell/Rutas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <chrono>

#include "shell/imagenes/ImagenNuro.xpm"

namespace {
// A file still refused after this many read-only fixes, each awaited, will
// not be repaired by another one.
constexpr int kReintentos = 3;
constexpr auto kEsperaArreglo = std::chrono::milliseconds(2000);
} // namespace

FrmReparar::FrmReparar(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmReparar");
    setWindowTitle("Reparar Base de Datos");

    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Picture1->setPixmap(QPixmap(imagenNuro));
    Label1 = new QLabel("¿ QUIERE REPARAR LA BASE DE DATOS ?", this);
    Label1->setObjectName("Label1");
    QFont negrita = Label1->font();
    negrita.setBold(true);
    Label1->setFont(negrita);
    CmdSi = new QPushButton("Si", this);
    CmdSi->setObjectName("CmdSi");
    CmdSi->setAutoDefault(false);
    CmdNo = new QPushButton("No", this);
    CmdNo->setObjectName("CmdNo");
    CmdNo->setAutoDefault(false);

    auto* botones = new QHBoxLayout;
    botones->setSpacing(ui::kSeparacion);
    botones->addStretch();
    botones->addWidget(CmdSi);
    botones->addWidget(CmdNo);
    auto* grilla = new QGridLayout(this);
    grilla->setContentsMargins(ui::kSeparacion, ui::kSeparacion, ui::kSeparacion, ui::kSeparacion);
    grilla->setHorizontalSpacing(ui::kSeparacion);
    grilla->addWidget(Picture1, 0, 0, 2, 1, Qt::AlignTop);
    grilla->addWidget(Label1, 0, 1, Qt::AlignVCenter);
    grilla->addLayout(botones, 1, 1);
    ui::fijarTamano(*this);

    connect(CmdSi, &QPushButton::clicked, this,
            [this] { ManejadorErrores::ejecutar([this] { reparar(); }); });
    connect(CmdNo, &QPushButton::clicked, this,
            [this] { ManejadorErrores::ejecutar([this] { close(); }); });
}

void FrmReparar::reparar() {
    for (int reintento = 0;; ++reintento) {
        if (!rt::fileExists(rutas::baseDatos())) {
            ui::MsgBox("No existe la Base de Datos en el directorio " + rutas::baseDatos());
            return;
        }
        cerrarConexion();
        try {
            db::repairDatabase(rutas::baseDatos(), nuro::kConnect);
        } catch (const rt::RuntimeError& e) {
            if (e.number() == rt::err::DatabaseLockedOrReadOnly && reintento < kReintentos &&
                arreglarSoloLectura())
                continue;
            ui::MsgBox("¡¡¡ No Se pudo Reparar la Base de Datos.");
            return;
        }
        reabrirBase();
        ui::MsgBox("Base de Datos Reparada.");
        close();
        return;
    }
}

// A fix that cannot even be written (Temp.bat refused) leaves the file as it
// was: the repair has failed, as when the fixes are spent.
bool FrmReparar::arreglarSoloLectura() {
    try {
        ArregloSoloLectura::aplicar();
    } catch (const rt::RuntimeError&) {
        return false;
    }
    ArregloSoloLectura::esperar(kEsperaArreglo);
    return true;
}

void FrmReparar::cerrarConexion() {
    try {
        if (BaseDatos)
            BaseDatos->close();
    } catch (...) {
    }
}

void FrmReparar::reabrirBase() {
    CFuncGral funciones;
    funciones.AbriBase();
}
