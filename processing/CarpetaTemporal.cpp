#include "processing/CarpetaTemporal.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "shell/CFuncGral.h"
#include "shell/Globales.h"

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

// The header file's name as the run will form it, from the stored CUIT and the
// file's date; empty when they cannot be read, and the run then stops before
// it writes a header file.
std::string Cabecera(const std::string& archivo, const std::string& formulario) {
    try {
        if (!BaseDatos)
            return {};
        const std::string cuit =
            BaseDatos->openRecordSet("select * from cuit")->field("Cuit").text();
        return FuncGral().GenerarNroMagico(cuit, rt::fileDateTime(archivo)) + "F" + formulario +
               ".dat";
    } catch (const rt::RuntimeError&) {
        return {};
    }
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

bool CarpetaTemporal::NombraArchivoDeTrabajo(const std::string& archivo,
                                             const std::string& formulario,
                                             const std::string& version) {
    const std::string titulo = rt::fileTitle(archivo);
    const std::string base = "F" + formulario + "_" + version;
    return titulo == base + ".xml" || titulo == base + "_TEMP.txt" ||
           titulo == Cabecera(archivo, formulario);
}

std::string CarpetaTemporal::MensajeNombreDeTrabajo(const std::string& archivo) {
    return "El archivo no puede procesarse con el nombre " + rt::fileTitle(archivo) +
           ", que es el de un archivo de trabajo del proceso. Cópielo con otro nombre y vuelva "
           "a intentarlo.";
}
