#pragma once
// A driver script read from its file: one step per line; blank lines and
// lines starting with "#" are skipped. An unknown verb is refused before
// anything runs.
#include "tests/e2e/driver/Paso.h"

#include <stdexcept>
#include <string>
#include <vector>

class Guion {
public:
    struct ErrorGuion : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    static std::vector<Paso> leer(const std::string& ruta);
    static std::vector<Paso> analizar(const std::string& texto);

private:
    static Paso analizarLinea(int numero, const std::string& linea);
    static bool verboConocido(const std::string& verbo);
    static bool pideArgumento(const std::string& verbo);
};
