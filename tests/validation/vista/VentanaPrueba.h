#pragma once
// A progress window for the tests: keeps every caption it was given and can
// be closed as the cancel of the processing window would.
#include "validation/VentanaProgreso.h"

#include <string>
#include <vector>

class VentanaPrueba : public VentanaProgreso {
public:
    void EtiquetaCaption(const std::string& texto) override {
        if (!abierta)
            tocadaCerrada = true;
        captions.push_back(texto);
    }
    void EtiquetaRefresh() override {
        if (!abierta)
            tocadaCerrada = true;
        ++refrescos;
    }
    std::string DialogoFileTitle() const override { return titulo; }
    bool Abierta() const override { return abierta; }

    std::vector<std::string> captions;
    int refrescos = 0;
    bool abierta = true;
    bool tocadaCerrada = false;
    std::string titulo;
};
