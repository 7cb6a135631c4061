#include "processing/CarpetaTemporal.h"

#include "platform/runtime/FileSystem.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path Canonica(const std::string& ruta) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(ruta, ec);
    return ec ? fs::path(ruta).lexically_normal() : p;
}

// A link elsewhere that names a file of the temporary folder counts too.
bool MismoArchivo(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

} // namespace

bool CarpetaTemporal::Contiene(const std::string& archivo) {
    const std::string ruta = rt::resolveCase(archivo);
    if (Canonica(ruta).parent_path() == Canonica(rt::resolveCase(rt::tempFolder())))
        return true;
    return MismoArchivo(ruta, rt::tempPath(rt::fileTitle(ruta)));
}

std::string CarpetaTemporal::MensajeRechazo() {
    return "El archivo no puede procesarse desde la carpeta temporal " + rt::tempFolder() +
           ". Cópielo a otra carpeta y vuelva a intentarlo.";
}
