#include "tests/e2e/driver/Informe.h"

#include "tests/e2e/driver/Unidad.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

void Informe::fijarCarpetas(std::vector<std::pair<std::string, std::string>> carpetas) {
    std::sort(carpetas.begin(), carpetas.end(),
              [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    std::lock_guard<std::mutex> bloqueo(mutex_);
    carpetas_ = std::move(carpetas);
}

void Informe::linea(const std::string& texto) {
    std::lock_guard<std::mutex> bloqueo(mutex_);
    if (silenciado_)
        return;
    const std::string salida = normalizar(texto) + "\n";
    texto_ += salida;
    std::cout << salida << std::flush;
}

void Informe::caja(const ui::ScriptedDialogs::Box& caja) {
    linea(std::string("box ") + nombreIcono(caja.icon) + ": " + escapar(caja.text));
}

void Informe::listado(const std::string& etiqueta, const std::string& carpeta, Modo modo) {
    std::vector<std::string> nombres;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(carpeta, ec))
        nombres.push_back(e.path().filename().string() + (e.is_directory() ? "/" : "") +
                          (modo == ConModo ? " " + Unidad::modo(e.path().string()) : ""));
    if (ec) {
        linea(etiqueta + ": (missing)");
        return;
    }
    std::sort(nombres.begin(), nombres.end());
    if (nombres.empty())
        linea(etiqueta + ": -");
    for (const std::string& n : nombres)
        linea(etiqueta + ": " + n);
}

void Informe::silenciar() {
    std::lock_guard<std::mutex> bloqueo(mutex_);
    silenciado_ = true;
}

std::string Informe::texto() const {
    std::lock_guard<std::mutex> bloqueo(mutex_);
    return texto_;
}

std::string Informe::escapar(const std::string& texto) {
    std::string s;
    s.reserve(texto.size());
    for (char c : texto) {
        if (c == '\n')
            s += "\\n";
        else if (c == '\r')
            s += "\\r";
        else if (c == '\\')
            s += "\\\\";
        else
            s += c;
    }
    return s;
}

const char* Informe::nombreIcono(ui::Icon icono) {
    switch (icono) {
    case ui::Icon::Information:
        return "information";
    case ui::Icon::Critical:
        return "critical";
    case ui::Icon::None:
        break;
    }
    return "none";
}

std::string Informe::normalizar(std::string texto) const {
    for (const auto& [carpeta, marca] : carpetas_) {
        if (carpeta.empty())
            continue;
        for (auto pos = texto.find(carpeta); pos != std::string::npos;
             pos = texto.find(carpeta, pos + marca.size()))
            texto.replace(pos, carpeta.size(), marca);
    }
    return texto;
}
