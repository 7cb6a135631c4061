#pragma once
// What a validator needs of the window it reports to: the label `Etiqueta`
// (caption and refresh), the file title of the dialog `Dialogo`, and whether
// the window is still open (after it has been closed during a yield the run
// touches none of its controls).
#include <string>

class VentanaProgreso {
public:
    virtual ~VentanaProgreso() = default;
    virtual void EtiquetaCaption(const std::string& texto) = 0;
    virtual void EtiquetaRefresh() = 0;
    virtual std::string DialogoFileTitle() const = 0;
    virtual bool Abierta() const = 0;
};
