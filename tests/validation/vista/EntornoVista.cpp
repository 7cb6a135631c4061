#include "tests/validation/vista/EntornoVista.h"

#include "platform/runtime/NumberedFiles.h"
#include "shell/Globales.h"

EntornoVista::EntornoVista(const std::string& sql) : drive(sql) {
    drive.openBaseDatos();
    ui::setDialogs(&dialogos);
}

EntornoVista::~EntornoVista() {
    ui::setDialogs(nullptr);
    BaseDatos.reset();
    rt::CloseAll();
}

std::string EntornoVista::Formularios() {
    return testenv::readFile(testenv::dataDir() + "/vista/estructuras.sql");
}

std::string EntornoVista::Archivo(const std::string& bytes, const std::string& nombre) {
    return drive.writeData(nombre, bytes);
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
    return drive.tmpFile("F" + formulario + "_00001_TEMP.txt");
}
