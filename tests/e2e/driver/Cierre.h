#pragma once
// The end of a driver run, whichever way it comes (script done, application
// closed or ended, failed step, timeout): the last line, the files left in
// Procesados and in the temporary folder, and the comparison with the golden
// file. Done once; later output is dropped.
#include "tests/e2e/driver/Informe.h"
#include "tests/e2e/driver/Unidad.h"

#include <atomic>
#include <string>

class Cierre {
public:
    // Exit codes of the driver.
    enum Codigo { Bien = 0, Distinta = 1, Fallo = 2, Vencido = 3 };

    Cierre(Informe& informe, Unidad& unidad, std::string esperada)
        : informe_(informe), unidad_(unidad), esperada_(std::move(esperada)) {}

    // The exit code: codigo, or Distinta when the output is not the golden one.
    int cerrar(const std::string& ultimaLinea, int codigo);
    // cerrar, then the driver's folders removed and the process ended at
    // once, as the application itself ends after an uncaught error.
    [[noreturn]] void abortar(const std::string& ultimaLinea, int codigo);

private:
    int comparar(int codigo) const;

    Informe& informe_;
    Unidad& unidad_;
    std::string esperada_;
    std::atomic<bool> cerrado_{false};
    int codigo_ = Bien;
};
