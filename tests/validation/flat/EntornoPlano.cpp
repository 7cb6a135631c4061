#include "tests/validation/flat/EntornoPlano.h"

#include "platform/database/Database.h"
#include "platform/runtime/NumberedFiles.h"
#include "shell/Globales.h"
#include "tests/support/TestDrive.h"

#include <filesystem>
#include <memory>

namespace {

// One database for the whole test program: the tests only read it.
std::shared_ptr<db::Connection> BaseDePrueba() {
    static testenv::TestDrive drive(
        testenv::readFile(testenv::dataDir() + "/flat/estructuras.sql"));
    static std::shared_ptr<db::Connection> base = drive.open();
    return base;
}

std::string LeerSiExiste(const std::string& ruta) {
    return std::filesystem::exists(ruta) ? testenv::readFile(ruta) : std::string();
}

const char* CrearCarpeta(const std::string& ruta) {
    std::filesystem::create_directory(ruta);
    return ruta.c_str();
}

} // namespace

EntornoPlano::EntornoPlano()
    : base_(BaseDePrueba()), temporal_(carpeta.file("tmp")), tmp_("tmp", CrearCarpeta(temporal_)) {
    std::filesystem::create_directory(carpeta.file("datos"));
    BaseDatos = base_;
    ui::setDialogs(&dialogos);
    validador.formulario(&ventana);
}

EntornoPlano::~EntornoPlano() {
    ui::setDialogs(nullptr);
    BaseDatos.reset();
    rt::CloseAll();
}

std::string EntornoPlano::Archivo(const std::string& bytes) {
    const std::string ruta = carpeta.file("datos/") + kTitulo;
    testenv::writeFile(ruta, bytes);
    return ruta;
}

bool EntornoPlano::Validar(const std::string& bytes, const std::string& formulario,
                           const std::string& tipo) {
    return ValidarRuta(Archivo(bytes), formulario, tipo);
}

bool EntornoPlano::ValidarRuta(std::string ruta, const std::string& formulario,
                               const std::string& tipo) {
    return validador.Validar(ruta, formulario, "00001", tipo);
}

std::string EntornoPlano::Xml(const std::string& formulario) const {
    return LeerSiExiste(RutaXml(formulario));
}

std::string EntornoPlano::RutaXml(const std::string& formulario) const {
    return temporal_ + "/F" + formulario + "_00001.xml";
}

std::string EntornoPlano::Bloques() const {
    return LeerSiExiste(temporal_ + "/" + kTitulo);
}

std::string TextoDeBloques(const std::string& bloques) {
    constexpr std::size_t kLinea = 502;
    std::string texto;
    for (std::size_t i = 0; i + kLinea <= bloques.size(); i += kLinea)
        texto.append(bloques, i + 2, 498);
    return texto;
}
