#pragma once
// What the submission sequence needs of the processing window that runs it:
// the status label `Etiqueta` (caption and refresh) and whether the window is
// still open (it may be closed while the join yields; the sequence then
// touches none of its controls).
#include <string>

class VentanaArchivoFinal {
public:
    virtual ~VentanaArchivoFinal() = default;
    virtual void EtiquetaCaption(const std::string& texto) = 0;
    virtual void EtiquetaRefresh() = 0;
    virtual bool Abierta() const = 0;
};
