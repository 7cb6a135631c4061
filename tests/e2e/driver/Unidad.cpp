#include "tests/e2e/driver/Unidad.h"

#include "platform/database/Database.h"
#include "sample/Marcador.h"
#include "shell/Globales.h"
#include "tests/e2e/driver/Informe.h"

#include <sys/stat.h>

#include <fcntl.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string carpetaPropia(const std::optional<testenv::TempDir>& propias, const char* nombre) {
    const std::string ruta = propias->file(nombre);
    fs::create_directories(ruta);
    return ruta;
}

} // namespace

Unidad::Unidad(const std::string& raiz, const std::string& tmp, const std::string& datos) {
    if (raiz.empty()) {
        desechable_ = std::make_unique<testenv::TestDrive>(testenv::sampleDataSql());
        desechable_->copySampleSchemas();
        raiz_ = desechable_->root();
        // The drive's own folders for work and data files, beside drive/.
        tmp_ = tmp.empty() ? desechable_->tmp() : tmp;
        datos_ = datos.empty() ? fs::path(raiz_).parent_path().string() + "/datos" : datos;
    } else {
        raiz_ = raiz;
        if (tmp.empty() || datos.empty())
            propias_.emplace();
        tmp_ = tmp.empty() ? carpetaPropia(propias_, "tmp") : tmp;
        datos_ = datos.empty() ? carpetaPropia(propias_, "datos") : datos;
    }
    envDrive_.emplace("NURO_DRIVE", raiz_.c_str());
    envTmp_.emplace("tmp", tmp_.c_str());
}

Unidad::~Unidad() = default;

std::string Unidad::ruta(const std::string& nombre) const {
    for (const auto& [marca, carpeta] : {std::pair<std::string, std::string>{"<drive>", raiz_},
                                         {"<tmp>", tmp_},
                                         {"<datos>", datos_}}) {
        if (nombre.rfind(marca, 0) == 0)
            return carpeta + nombre.substr(marca.size());
    }
    if (!nombre.empty() && nombre.front() == '/')
        return nombre;
    return datos_ + "/" + nombre;
}

void Unidad::copiarMuestra(const std::string& muestra, const std::string& destino,
                           const std::string& fecha) const {
    escribir(destino, testenv::sampleText("datos/" + muestra), fecha);
}

void Unidad::escribir(const std::string& destino, const std::string& bytes,
                      const std::string& fecha) const {
    const std::string camino = ruta(destino);
    testenv::writeFile(camino, bytes);
    fijarFecha(camino, fecha);
}

void Unidad::ejecutarSql(const std::string& sql) const {
    auto conexion = db::openDatabase(raiz_ + "/DatosNuro/BDNuro.mdb", false, false, nuro::kConnect);
    conexion->execute(muestra::reemplazarMarcador(sql));
    conexion->close();
}

void Unidad::enlazar(const std::string& destino, const std::string& nombre) const {
    fs::create_symlink(ruta(destino), ruta(nombre));
}

void Unidad::crearFifo(const std::string& nombre) const {
    if (::mkfifo(ruta(nombre).c_str(), 0666) != 0)
        throw std::runtime_error("cannot make the FIFO " + nombre);
}

void Unidad::soloLectura(const std::string& nombre) const {
    fs::permissions(ruta(nombre),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

std::string Unidad::describir(const std::string& nombre) const {
    const fs::path camino = ruta(nombre);
    const fs::file_status estado = fs::symlink_status(camino);
    switch (estado.type()) {
    case fs::file_type::not_found:
        return "missing";
    case fs::file_type::symlink:
        return "link to " + fs::read_symlink(camino).string();
    case fs::file_type::fifo:
        return "fifo";
    case fs::file_type::directory:
        return "folder";
    default:
        return "\"" + Informe::escapar(testenv::readFile(camino.string())) + "\"";
    }
}

std::string Unidad::modo(const std::string& ruta) {
    struct stat st {};
    if (::lstat(ruta.c_str(), &st) != 0)
        return "missing";
    char texto[8];
    std::snprintf(texto, sizeof texto, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    return texto;
}

void Unidad::limpiar() noexcept {
    std::error_code ec;
    if (desechable_)
        fs::remove_all(fs::path(raiz_).parent_path(), ec);
    if (propias_)
        fs::remove_all(propias_->path(), ec);
}

void Unidad::fijarFecha(const std::string& ruta, const std::string& fecha) {
    std::tm t{};
    if (std::sscanf(fecha.c_str(), "%d-%d-%d %d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday,
                    &t.tm_hour, &t.tm_min, &t.tm_sec) != 6)
        throw std::runtime_error("a date reads YYYY-MM-DD HH:MM:SS: " + fecha);
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    t.tm_isdst = -1;
    const timespec momento{std::mktime(&t), 0};
    const timespec tiempos[2] = {momento, momento};
    if (utimensat(AT_FDCWD, ruta.c_str(), tiempos, 0) != 0)
        throw std::runtime_error("cannot set the time of " + ruta);
}
