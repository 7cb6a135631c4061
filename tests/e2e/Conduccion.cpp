#include "tests/e2e/Conduccion.h"

#include "tests/support/TestEnv.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace e2e {

namespace {

std::string entreComillas(const std::string& s) {
    std::string r = "'";
    for (char c : s)
        r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return r + "'";
}

std::string opcion(const char* nombre, const std::string& valor) {
    return valor.empty() ? "" : std::string(" ") + nombre + " " + entreComillas(valor);
}

std::vector<std::string> lineas(const std::string& texto) {
    std::vector<std::string> v;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);)
        v.push_back(l);
    return v;
}

} // namespace

std::vector<std::string> Conduccion::cajas() const {
    std::vector<std::string> v;
    for (const std::string& l : lineas(salida))
        if (l.rfind("box ", 0) == 0)
            v.push_back(l);
    return v;
}

bool Conduccion::tieneLinea(const std::string& linea) const {
    for (const std::string& l : lineas(salida))
        if (l == linea)
            return true;
    return false;
}

Conduccion conducir(const std::string& guion, const Carpetas& carpetas) {
    testenv::TempDir carpeta;
    const std::string archivo = carpeta.file("guion.txt");
    testenv::writeFile(archivo, guion);
    const std::string orden = entreComillas(NURO_E2E_DRIVER) + opcion("--drive", carpetas.drive) +
                              opcion("--tmp", carpetas.tmp) + opcion("--datos", carpetas.datos) +
                              " " + entreComillas(archivo) + " 2>/dev/null";
    FILE* proceso = popen(orden.c_str(), "r");
    if (!proceso)
        throw std::runtime_error("cannot start " + orden);
    Conduccion c;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), proceso)) > 0;)
        c.salida.append(buffer.data(), n);
    const int estado = pclose(proceso);
    c.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    return c;
}

} // namespace e2e
