#pragma once
// Runs the end-to-end driver (nuro_e2e) as its own process on a script
// given as text, and keeps its exit code and output.
#include <string>
#include <vector>

namespace e2e {

struct Conduccion {
    int codigo = -1;
    std::string salida;

    // The driver's lines that report message boxes ("box <icon>: <text>").
    std::vector<std::string> cajas() const;
    // Whether the output holds this exact line.
    bool tieneLinea(const std::string& linea) const;
};

struct Carpetas {
    std::string drive; // empty: the driver's own throwaway drive
    std::string tmp;
    std::string datos;
};

Conduccion conducir(const std::string& guion, const Carpetas& carpetas = {});

} // namespace e2e
