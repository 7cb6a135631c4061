#include "bench/bench_camino_ventana.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

#include <stdexcept>

void DialogosCamino::messageBox(const std::string& text, ui::Icon) {
    cajas.emplace_back(text, RelojCamino::now());
}

ui::OpenFileAnswer DialogosCamino::showOpen(const ui::OpenFileRequest&) {
    return {false, archivo_};
}

void Cronometro::anotar(const std::string& texto) {
    // One clock read per line: the progress captions start with "P".
    if (!texto.empty() && texto[0] == 'P')
        ultimoProgreso = RelojCamino::now();
    else
        estados.emplace_back(texto, RelojCamino::now());
}

void abrirVentana(QWidget& ventana, const std::string& formularioVersion) {
    ventana.show();
    auto* lista = ventana.findChild<QComboBox*>("CboFormularios");
    for (int i = 0; i < 1000 && lista->count() == 0; ++i)
        QCoreApplication::processEvents();
    for (int i = 0; i < lista->count(); ++i) {
        if (lista->itemText(i).startsWith(QString::fromStdString(formularioVersion))) {
            lista->setCurrentIndex(i);
            return;
        }
    }
    throw std::runtime_error("the window does not list " + formularioVersion);
}

void pulsarProcesar(QWidget& ventana) {
    ventana.findChild<QPushButton*>("CmdProcesar")->click();
}
