#include "tests/e2e/driver/DialogosGuion.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

void DialogosGuion::yield() {
    ++profundidad_;
    ScriptedDialogs::yield();
    if (faltanListado_ > 0 && --faltanListado_ == 0 && alListar)
        alListar(listado_);
    if (faltan_ > 0 && --faltan_ == 0)
        pulsarSalida();
    QCoreApplication::processEvents();
    --profundidad_;
}

void DialogosGuion::cancelarEnYield(int n) {
    armado_ = n;
    faltan_ = n;
}

void DialogosGuion::listarEnYield(int n) {
    listado_ = n;
    faltanListado_ = n;
}

// Posted, not called: the click reaches the window through its event loop,
// as a user's click does.
void DialogosGuion::pulsarSalida() {
    QWidget* ventana = QApplication::activeModalWidget();
    auto* boton = ventana ? ventana->findChild<QAbstractButton*>("CmdSalir") : nullptr;
    if (alCancelar)
        alCancelar(armado_, boton ? boton->text().toStdString() : std::string());
    if (boton)
        QMetaObject::invokeMethod(boton, &QAbstractButton::click, Qt::QueuedConnection);
}
