#include "tests/e2e/driver/Opciones.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace {

// The application changes its current folder: every path is fixed at the start.
std::string absoluta(const std::string& ruta) {
    return ruta.empty() ? ruta : std::filesystem::absolute(ruta).lexically_normal().string();
}

} // namespace

std::optional<Opciones> Opciones::leer(int argc, char** argv) {
    Opciones o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const bool conValor = i + 1 < argc;
        if (a == "--drive" && conValor)
            o.unidad = argv[++i];
        else if (a == "--tmp" && conValor)
            o.tmp = argv[++i];
        else if (a == "--datos" && conValor)
            o.datos = argv[++i];
        else if (a == "--expect" && conValor)
            o.esperada = argv[++i];
        else if (a == "--timeout" && conValor)
            o.plazo = std::chrono::seconds(std::atoi(argv[++i]));
        else if (!a.starts_with("--") && o.guion.empty())
            o.guion = argv[i];
        else
            return std::nullopt;
    }
    if (o.guion.empty() || o.plazo.count() <= 0)
        return std::nullopt;
    for (std::string* ruta : {&o.guion, &o.unidad, &o.tmp, &o.datos, &o.esperada})
        *ruta = absoluta(*ruta);
    return o;
}

const char* Opciones::uso() {
    return "usage: nuro_e2e [--drive DIR] [--tmp DIR] [--datos DIR] [--expect FILE] "
           "[--timeout SECONDS] SCRIPT\n"
           "Runs the application offscreen following SCRIPT (see tests/README.md).\n";
}
