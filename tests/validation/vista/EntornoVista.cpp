#include "tests/validation/vista/EntornoVista.h"

#include "platform/database/Database.h"
#include "platform/runtime/NumberedFiles.h"
#include "shell/Globales.h"

namespace {

// Runs the statements of an SQL text one by one.
void Ejecutar(db::Connection& base, const std::string& sql) {
    std::string sentencia;
    for (char c : sql) {
        sentencia.push_back(c);
        if (c != ';')
            continue;
        base.execute(sentencia);
        sentencia.clear();
    }
}

std::string SinComentarios(const std::string& sql) {
    std::string limpio;
    std::size_t i = 0;
    while (i < sql.size()) {
        std::size_t fin = sql.find('\n', i);
        if (fin == std::string::npos)
            fin = sql.size();
        if (sql.compare(i, 2, "--") != 0)
            limpio.append(sql, i, fin - i).push_back('\n');
        i = fin + 1;
    }
    return limpio;
}

} // namespace

EntornoVista::EntornoVista() : tmp_("tmp", carpeta.path().c_str()) {
    BaseDatos = db::createDatabase(carpeta.file("BDNuro.mdb"), nuro::kConnect);
    Ejecutar(*BaseDatos,
             SinComentarios(testenv::readFile(testenv::dataDir() + "/vista/estructuras.sql")));
    ui::setDialogs(&dialogos);
}

EntornoVista::~EntornoVista() {
    ui::setDialogs(nullptr);
    BaseDatos.reset();
    rt::CloseAll();
}

std::string EntornoVista::Archivo(const std::string& bytes, const std::string& nombre) {
    const std::string ruta = carpeta.file(nombre);
    testenv::writeFile(ruta, bytes);
    return ruta;
}

std::unique_ptr<CProcesarArchivoTipoVista> EntornoVista::Vista(const std::string& ruta,
                                                               const std::string& formulario) {
    auto vista = std::make_unique<CProcesarArchivoTipoVista>();
    vista->formulario(&ventana);
    vista->nombreArchivo(ruta);
    vista->formularioNombre(formulario);
    vista->version("00001");
    return vista;
}

std::string EntornoVista::Temporal(const std::string& formulario) const {
    return carpeta.file("F" + formulario + "_00001_TEMP.txt");
}
