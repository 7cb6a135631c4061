#pragma once
// A progress window without widgets: it keeps the label's caption and the
// dialog's file title, counts refreshes and can be closed. Serves the
// validators where no real window is at hand (tests, benchmarks).
#include "validation/VentanaProgreso.h"

#include <string>

class VentanaProgresoMinima : public VentanaProgreso {
public:
    explicit VentanaProgresoMinima(std::string fileTitle = {});

    void EtiquetaCaption(const std::string& texto) override;
    void EtiquetaRefresh() override { ++refrescos_; }
    std::string DialogoFileTitle() const override { return fileTitle_; }
    bool Abierta() const override { return abierta_; }

    void Cerrar() { abierta_ = false; }
    const std::string& Caption() const { return caption_; }
    int Captions() const { return captions_; }
    int Refrescos() const { return refrescos_; }

private:
    std::string fileTitle_;
    std::string caption_;
    int captions_ = 0;
    int refrescos_ = 0;
    bool abierta_ = true;
};
