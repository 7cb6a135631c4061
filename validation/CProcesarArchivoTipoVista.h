#pragma once
// Validates a vista data file against the form version's field structure and
// converts it into the flat work file F<form>_<version>_TEMP.txt.
#include "validation/TablaTexto.h"
#include "validation/VentanaProgreso.h"

#include <optional>
#include <string>
#include <vector>

class CProcesarArchivoTipoVista {
public:
    void PasoAMatriz();
    void ConformarArchivo();
    // true, false, or no value for a file without lines.
    std::optional<bool> Validar();
    const std::string& Error() const { return vError; }
    void formulario(VentanaProgreso* ventana) { ventana_ = ventana; }
    void nombreArchivo(const std::string& ruta) { archivo_ = ruta; }
    void formularioNombre(const std::string& codigo) { codigo_ = codigo; }
    void version(const std::string& version) { version_ = version; }

private:
    // Private operations and further members are added by the class's implementation.
    std::string vError;
    VentanaProgreso* ventana_ = nullptr;
    std::string codigo_;
    std::string archivo_;
    std::string version_;
};
