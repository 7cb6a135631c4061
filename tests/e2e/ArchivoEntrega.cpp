#include "tests/e2e/ArchivoEntrega.h"

namespace e2e {

ArchivoEntrega::ArchivoEntrega(const std::string& claro) {
    std::size_t inicio = 0;
    while (inicio < claro.size()) {
        const auto fin = claro.find("\r\n", inicio);
        if (fin == std::string::npos) {
            conCrLf_ = false;
            lineas_.push_back(claro.substr(inicio));
            break;
        }
        lineas_.push_back(claro.substr(inicio, fin - inicio));
        inicio = fin + 2;
    }
}

std::vector<std::string> ArchivoEntrega::registros02() const {
    if (lineas_.size() < 2)
        return {};
    return {lineas_.begin() + 2, lineas_.end()};
}

std::string ArchivoEntrega::documento() const {
    std::string texto;
    for (const std::string& r : registros02())
        texto += r.substr(2);
    return sinBlancosFinales(texto);
}

std::string sinBlancosFinales(std::string texto) {
    const auto fin = texto.find_last_not_of(" \t\r\n");
    texto.erase(fin == std::string::npos ? 0 : fin + 1);
    return texto;
}

namespace {

bool soloBlancos(const std::string& linea) {
    return linea.find_first_not_of(' ') == std::string::npos;
}

std::string sinControl(std::string linea) {
    for (char& c : linea)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
    return linea;
}

} // namespace

std::string textoEmpaquetado(const std::string& archivo) {
    std::string texto;
    std::string linea;
    for (std::size_t i = 0; i <= archivo.size(); ++i) {
        const bool fin = i == archivo.size() || archivo[i] == '\r';
        if (!fin) {
            linea += archivo[i];
            continue;
        }
        if (!soloBlancos(linea))
            texto += sinControl(linea);
        linea.clear();
        if (i + 1 < archivo.size() && archivo[i + 1] == '\n')
            ++i;
    }
    return texto;
}

} // namespace e2e
