#pragma once
// What the whole-road benchmark needs around the real processing windows: the
// dialog seam with the real yield (boxes noted, not shown; the open dialog
// answered with the input file), and the two windows with the moments their
// status label changes noted.
#include "platform/ui/QtDialogs.h"
#include "processing/FrmProcesarPlanos.h"
#include "processing/FrmProcesarXML.h"

#include <chrono>
#include <string>
#include <utility>
#include <vector>

class QWidget;

using RelojCamino = std::chrono::steady_clock;

class DialogosCamino : public ui::QtDialogs {
public:
    explicit DialogosCamino(std::string archivo) : archivo_(std::move(archivo)) {}
    void messageBox(const std::string& text, ui::Icon icon) override;
    ui::OpenFileAnswer showOpen(const ui::OpenFileRequest& request) override;

    std::vector<std::pair<std::string, RelojCamino::time_point>> cajas;

private:
    std::string archivo_;
};

// The captions of a run with their moments; of the validator's per-line
// progress only the moment of the last.
struct Cronometro {
    void anotar(const std::string& texto);

    RelojCamino::time_point ultimoProgreso{};
    std::vector<std::pair<std::string, RelojCamino::time_point>> estados;
};

class FrmPlanosCronometrado : public FrmProcesarPlanos {
public:
    void EtiquetaCaption(const std::string& texto) override {
        FrmProcesarPlanos::EtiquetaCaption(texto);
        reloj.anotar(texto);
    }
    Cronometro reloj;
};

class FrmXmlCronometrado : public FrmProcesarXML {
public:
    void EtiquetaCaption(const std::string& texto) override {
        FrmProcesarXML::EtiquetaCaption(texto);
        reloj.anotar(texto);
    }
    Cronometro reloj;
};

// Shows the window, waits for its opening and picks the form.
void abrirVentana(QWidget& ventana, const std::string& formularioVersion);
// Presses "Procesar"; returns when the run has ended.
void pulsarProcesar(QWidget& ventana);
