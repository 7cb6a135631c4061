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

void FrmPlanosCronometrado::EtiquetaCaption(const std::string& texto) {
    FrmProcesarPlanos::EtiquetaCaption(texto);
    // One clock read per line: the progress captions start with "P".
    if (!texto.empty() && texto[0] == 'P')
        ultimoProgreso = RelojCamino::now();
    else
        estados.emplace_back(texto, RelojCamino::now());
}

void FrmPlanosCronometrado::abrir(const std::string& formularioVersion) {
    show();
    auto* lista = findChild<QComboBox*>("CboFormularios");
    for (int i = 0; i < 1000 && lista->count() == 0; ++i)
        QCoreApplication::processEvents();
    for (int i = 0; i < lista->count(); ++i) {
        if (lista->itemText(i).startsWith(QString::fromStdString(formularioVersion))) {
            lista->setCurrentIndex(i);
            return;
        }
    }
    throw std::runtime_error("the flat window does not list " + formularioVersion);
}

void FrmPlanosCronometrado::procesar() {
    estados.clear();
    findChild<QPushButton*>("CmdProcesar")->click();
}

void DialogosCaminoEspaciados::yield() {
    const auto ahora = RelojCamino::now();
    if (ahora - ultimo_ < std::chrono::milliseconds(2))
        return;
    ultimo_ = ahora;
    DialogosCamino::yield();
}

void ProgresoCoalescido::EtiquetaRefresh() {
    const auto ahora = RelojCamino::now();
    if (ahora - ultimo_ < std::chrono::milliseconds(40))
        return;
    ultimo_ = ahora;
    ProgresoEnVentana::EtiquetaCaption(pendiente_);
    ProgresoEnVentana::EtiquetaRefresh();
}
