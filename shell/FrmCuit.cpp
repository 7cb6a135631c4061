#include "shell/FrmCuit.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtTamanoFijo.h"
#include "shell/Globales.h"
#include "shell/ManejadorErrores.h"
#include "shell/Rutas.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

#include "shell/imagenes/ImagenNuro.xpm"

FrmCuit::FrmCuit(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmCuit");
    setWindowTitle("CUIT");

    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Picture1->setPixmap(QPixmap(imagenNuro));
    TxTCuit = new QLineEdit(this);
    TxTCuit->setObjectName("TxTCuit");
    TxTCuit->setMinimumWidth(160);
    CmdGrabar = new QPushButton("Grabar", this);
    CmdGrabar->setObjectName("CmdGrabar");
    CmdGrabar->setAutoDefault(false);
    // Return in the text box saves.
    CmdGrabar->setDefault(true);

    auto* grilla = new QGridLayout(this);
    grilla->setContentsMargins(ui::kSeparacion, ui::kSeparacion, ui::kSeparacion, ui::kSeparacion);
    grilla->setHorizontalSpacing(ui::kSeparacion);
    grilla->addWidget(Picture1, 0, 0, 2, 1, Qt::AlignTop);
    grilla->addWidget(TxTCuit, 0, 1);
    grilla->addWidget(CmdGrabar, 1, 1, Qt::AlignRight);
    ui::fijarTamano(*this);

    connect(CmdGrabar, &QPushButton::clicked, this,
            [this] { ManejadorErrores::ejecutar([this] { grabar(); }); });
}

void FrmCuit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Queued: closing from inside the showing would leave a modal loop running.
    QMetaObject::invokeMethod(this, &FrmCuit::alActivarse, Qt::QueuedConnection);
}

void FrmCuit::alActivarse() {
    if (isVisible())
        ManejadorErrores::ejecutar([this] { abrir(); });
}

void FrmCuit::abrir() {
    if (!rt::fileExists(rutas::baseDatos())) {
        ui::MsgBox("No existe la Base de Datos en el directorio " + rutas::carpetaDatos());
        close();
        return;
    }
    try {
        leerCuit();
    } catch (const rt::RuntimeError&) {
        close();
    }
}

void FrmCuit::leerCuit() {
    if (!BaseDatos)
        rt::raise(rt::err::ObjectNotSet);
    reg = BaseDatos->openRecordSet("select * from cuit");
    TxTCuit->setText(QString::fromStdString(reg->field("Cuit").textOr("")));
    TxTCuit->setFocus();
}

bool FrmCuit::esCuit(const std::string& texto) {
    if (texto.size() != 11)
        return false;
    for (char c : texto)
        if (c < '0' || c > '9')
            return false;
    return true;
}

void FrmCuit::grabar() {
    const std::string cuit(rt::trim(TxTCuit->text().toStdString()));
    if (!esCuit(cuit)) {
        ui::MsgBox("El CUIT debe tener 11 caracteres numéricos si puntos");
        return;
    }
    if (!BaseDatos)
        rt::raise(rt::err::ObjectNotSet);
    BaseDatos->beginTrans();
    BaseDatos->execute("update cuit set Cuit=" + cuit);
    BaseDatos->commitTrans();
    close();
}

void FrmCuit::done(int resultado) {
    reg.reset();
    QDialog::done(resultado);
}
