// nuro_mkdrive <sample folder> <drive folder>: makes a ready drive from the
// sample data: DatosNuro/BDNuro.mdb (encrypted with the program's password),
// DatosNuro/Esquemas/*.xsd, an empty DatosNuro/Procesados and, for the demo,
// the sample data files in Ejemplos/. The database is replaced; files already
// in Procesados are kept.
#include "platform/database/Database.h"
#include "platform/runtime/RuntimeError.h"
#include "sample/Marcador.h"
#include "shell/Globales.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string leer(const fs::path& archivo) {
    std::ifstream entrada(archivo, std::ios::binary);
    if (!entrada)
        throw std::runtime_error("no se puede leer " + archivo.string());
    std::ostringstream texto;
    texto << entrada.rdbuf();
    return texto.str();
}

void escribir(const fs::path& archivo, const std::string& texto) {
    std::ofstream salida(archivo, std::ios::binary | std::ios::trunc);
    if (!salida || !(salida << texto))
        throw std::runtime_error("no se puede escribir " + archivo.string());
}

// Copies every file of a folder, placeholder replaced.
void copiarCarpeta(const fs::path& origen, const fs::path& destino) {
    fs::create_directories(destino);
    for (const auto& entrada : fs::directory_iterator(origen))
        if (entrada.is_regular_file())
            escribir(destino / entrada.path().filename(),
                     muestra::reemplazarMarcador(leer(entrada.path())));
}

void crearBase(const fs::path& muestraSql, const fs::path& base) {
    std::string sql = leer(muestraSql / "schema.sql") + "\n" + leer(muestraSql / "data.sql");
    fs::path nueva = base;
    nueva += ".nueva";
    fs::remove(nueva);
    {
        auto conexion = db::createDatabase(nueva.string(), nuro::kConnect);
        conexion->beginTrans();
        conexion->execute(muestra::reemplazarMarcador(sql));
        conexion->commitTrans();
    }
    fs::rename(nueva, base);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "uso: nuro_mkdrive <carpeta de muestra> <carpeta de la unidad>\n";
        return 2;
    }
    fs::path muestraDir = argv[1];
    fs::path datos = fs::path(argv[2]) / "DatosNuro";
    try {
        fs::create_directories(datos / "Procesados");
        crearBase(muestraDir / "sql", datos / "BDNuro.mdb");
        copiarCarpeta(muestraDir / "Esquemas", datos / "Esquemas");
        copiarCarpeta(muestraDir / "datos", fs::path(argv[2]) / "Ejemplos");
    } catch (const rt::RuntimeError& e) {
        std::cerr << "nuro_mkdrive: error " << e.number() << ": " << e.description() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "nuro_mkdrive: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
