#include "tests/e2e/driver/Cierre.h"

#include "tests/support/TestEnv.h"

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> lineas(const std::string& texto) {
    std::vector<std::string> v;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);)
        v.push_back(l);
    return v;
}

void mostrarDiferencia(const std::string& esperada, const std::string& real,
                       const std::string& archivo) {
    const auto e = lineas(esperada);
    const auto r = lineas(real);
    std::size_t i = 0;
    while (i < e.size() && i < r.size() && e[i] == r[i])
        ++i;
    std::cerr << "output differs from " << archivo << " at line " << i + 1 << "\n"
              << "  expected: " << (i < e.size() ? e[i] : "(end)") << "\n"
              << "  actual:   " << (i < r.size() ? r[i] : "(end)") << "\n"
              << "(NURO_UPDATE_GOLDEN=1 rewrites the golden file)\n";
}

} // namespace

int Cierre::cerrar(const std::string& ultimaLinea, int codigo) {
    if (cerrado_.exchange(true))
        return codigo_;
    informe_.linea(ultimaLinea);
    informe_.listado("Procesados", unidad_.procesados());
    informe_.listado("tmp", unidad_.tmp());
    informe_.silenciar();
    codigo_ = comparar(codigo);
    return codigo_;
}

void Cierre::abortar(const std::string& ultimaLinea, int codigo) {
    const int final = cerrar(ultimaLinea, codigo);
    unidad_.limpiar();
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(final);
}

int Cierre::comparar(int codigo) const {
    if (esperada_.empty())
        return codigo;
    const std::string real = informe_.texto();
    const char* actualizar = std::getenv("NURO_UPDATE_GOLDEN");
    if (actualizar && *actualizar) {
        try {
            testenv::writeFile(esperada_, real);
        } catch (const std::exception& e) {
            std::cerr << e.what() << "\n";
            return codigo == Bien ? Distinta : codigo;
        }
        return codigo;
    }
    std::string esperada;
    try {
        esperada = testenv::readFile(esperada_);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return codigo == Bien ? Distinta : codigo;
    }
    if (esperada == real)
        return codigo;
    mostrarDiferencia(esperada, real, esperada_);
    return codigo == Bien ? Distinta : codigo;
}
