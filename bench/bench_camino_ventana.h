#pragma once
// What the whole-road benchmark needs around the real flat window: the
// dialog seam with the real yield (boxes noted, not shown; the open dialog
// answered with the flat file), the window with the moments its status label
// changes noted, and the window's label as the progress window of a
// validator run alone.
#include "platform/ui/QtDialogs.h"
#include "processing/FrmProcesarPlanos.h"
#include "validation/VentanaProgreso.h"

#include <chrono>
#include <string>
#include <utility>
#include <vector>

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

// The same yield, run at most once every 2 ms: a model of the fix the
// window's per-line cost calls for, to show what it would give.
class DialogosCaminoEspaciados : public DialogosCamino {
public:
    using DialogosCamino::DialogosCamino;
    void yield() override;

private:
    RelojCamino::time_point ultimo_{};
};

class FrmPlanosCronometrado : public FrmProcesarPlanos {
public:
    void EtiquetaCaption(const std::string& texto) override;

    // Shows the window, waits for its opening and picks the form.
    void abrir(const std::string& formularioVersion);
    // Presses "Procesar"; returns when the run has ended.
    void procesar();

    RelojCamino::time_point ultimoProgreso;
    // Every caption but the validator's progress, with its moment.
    std::vector<std::pair<std::string, RelojCamino::time_point>> estados;
};

// The flat window's label for a validator run outside the window's own run.
class ProgresoEnVentana : public VentanaProgreso {
public:
    ProgresoEnVentana(FrmProcesarPlanos& ventana, std::string fileTitle)
        : ventana_(ventana), fileTitle_(std::move(fileTitle)) {}
    void EtiquetaCaption(const std::string& texto) override { ventana_.EtiquetaCaption(texto); }
    void EtiquetaRefresh() override { ventana_.EtiquetaRefresh(); }
    std::string DialogoFileTitle() const override { return fileTitle_; }
    bool Abierta() const override { return ventana_.Abierta(); }

private:
    FrmProcesarPlanos& ventana_;
    std::string fileTitle_;
};

// The window's label refreshed at most 25 times a second, the latest caption
// kept in between: the other half of the modelled fix.
class ProgresoCoalescido : public ProgresoEnVentana {
public:
    using ProgresoEnVentana::ProgresoEnVentana;
    void EtiquetaCaption(const std::string& texto) override { pendiente_ = texto; }
    void EtiquetaRefresh() override;

private:
    std::string pendiente_;
    RelojCamino::time_point ultimo_{};
};
