#include "tests/e2e/driver/Guion.h"

#include <array>
#include <fstream>
#include <sstream>
#include <string_view>

namespace {

std::string recortar(const std::string& s) {
    const auto inicio = s.find_first_not_of(" \t\r");
    if (inicio == std::string::npos)
        return {};
    const auto fin = s.find_last_not_of(" \t\r");
    return s.substr(inicio, fin - inicio + 1);
}

constexpr std::array<std::string_view, 19> kVerbos = {
    "data",   "write",    "sql",           "link",         "fifo",
    "folder", "readonly", "menu",          "form",         "choose",
    "show",   "mode",     "type",          "press",        "cancel-at-yield",
    "close",  "inspect",  "choose-cancel", "list-at-yield"};

// Verbs that take nothing after them.
constexpr std::array<std::string_view, 3> kSinArgumento = {"choose-cancel", "close", "inspect"};

} // namespace

std::vector<Paso> Guion::leer(const std::string& ruta) {
    std::ifstream in(ruta, std::ios::binary);
    if (!in)
        throw ErrorGuion("cannot read the script " + ruta);
    std::ostringstream ss;
    ss << in.rdbuf();
    return analizar(ss.str());
}

std::vector<Paso> Guion::analizar(const std::string& texto) {
    std::vector<Paso> pasos;
    std::istringstream in(texto);
    std::string linea;
    for (int numero = 1; std::getline(in, linea); ++numero) {
        const std::string limpia = recortar(linea);
        if (limpia.empty() || limpia.front() == '#')
            continue;
        pasos.push_back(analizarLinea(numero, limpia));
    }
    return pasos;
}

Paso Guion::analizarLinea(int numero, const std::string& linea) {
    Paso p;
    p.linea = numero;
    p.texto = linea;
    const auto corte = linea.find_first_of(" \t");
    p.verbo = linea.substr(0, corte);
    p.argumento = corte == std::string::npos ? "" : recortar(linea.substr(corte));
    const std::string donde = "line " + std::to_string(numero) + ": ";
    if (!verboConocido(p.verbo))
        throw ErrorGuion(donde + "unknown command \"" + p.verbo + "\"");
    if (pideArgumento(p.verbo) && p.argumento.empty())
        throw ErrorGuion(donde + "\"" + p.verbo + "\" needs an argument");
    if (!pideArgumento(p.verbo) && !p.argumento.empty())
        throw ErrorGuion(donde + "\"" + p.verbo + "\" takes no argument");
    return p;
}

bool Guion::verboConocido(const std::string& verbo) {
    for (std::string_view v : kVerbos)
        if (verbo == v)
            return true;
    return false;
}

bool Guion::pideArgumento(const std::string& verbo) {
    for (std::string_view v : kSinArgumento)
        if (verbo == v)
            return false;
    return true;
}
