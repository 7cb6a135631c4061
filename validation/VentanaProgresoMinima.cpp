#include "validation/VentanaProgresoMinima.h"

#include <utility>

VentanaProgresoMinima::VentanaProgresoMinima(std::string fileTitle)
    : fileTitle_(std::move(fileTitle)) {}

void VentanaProgresoMinima::EtiquetaCaption(const std::string& texto) {
    caption_ = texto;
    ++captions_;
}
