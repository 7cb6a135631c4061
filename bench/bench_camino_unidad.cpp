#include "bench/bench_camino_unidad.h"

#include "platform/database/Database.h"
#include "sample/Marcador.h"
#include "shell/Globales.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

const std::string kCuit = "20123456786";

std::string textoMuestra(const std::string& relativa) {
    std::ifstream in(std::string(NURO_SAMPLE_DIR) + "/" + relativa, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read sample/" + relativa);
    std::ostringstream ss;
    ss << in.rdbuf();
    return muestra::reemplazarMarcador(ss.str());
}

// One declaration: its head, 200 items, documents under its first four
// items (nine in all: the occurrences of a record type are counted over the
// whole declaration, at most ten), and its totals. Every field type, attributes, the regular
// expressions of the form and optional fields left empty now and then.
class Declaracion {
public:
    explicit Declaracion(long n) : n_(n) {}

    void escribir(std::ostream& out, long& lineas) const {
        out << "01|" << kCuit << "|" << (n_ % 2 ? "O" : "R") << "|" << 200001 + n_ % 1200 / 100
            << "|2024-04-" << 10 + n_ % 19 << "|" << 100 + n_ % 900 << "|\r\n";
        ++lineas;
        for (int item = 1; item <= kItems; ++item)
            escribirItem(out, item, lineas);
        out << "04|" << kItems << "|" << kItems * 1250 << ".50|Totales de la declaracion " << n_
            << (n_ % 3 ? "" : " con observaciones") << "|\r\n";
        ++lineas;
    }

private:
    static constexpr int kItems = 200;

    void escribirItem(std::ostream& out, int item, long& lineas) const {
        out << "02|" << item << "|" << 8400 + item % 100 << "." << 10 + item % 90 << "."
            << 10 + n_ % 90 << "|Mercaderia de prueba número " << item << " de la declaración "
            << n_ << "|" << item % 500 + 1 << ".25|" << (item % 7 ? "UN" : "") << "|"
            << item * 3 + 1 << "." << item % 100 / 10 << "0|\r\n";
        ++lineas;
        for (int d = 0; d < std::min(item, 3) && item <= 4; ++d) {
            static const char* const kTipos[] = {"FAC", "CER", "LIC"};
            out << "03|" << kTipos[d] << "|0001-" << 10000000 + item * 4 + d << "|"
                << (d == 1 ? "DNI" + std::to_string(20000000 + item) : "30500010912") << "|"
                << (d == 2 ? "" : "2024-03-2" + std::to_string(d)) << "|\r\n";
            ++lineas;
        }
    }

    long n_;
};

} // namespace

UnidadCamino::UnidadCamino(double megabytes)
    : raiz_((fs::temp_directory_path() / "nuro-bench-camino").string()) {
    fs::remove_all(raiz_);
    fs::create_directories(raiz_ + "/drive/DatosNuro/Esquemas");
    fs::create_directories(procesados());
    fs::create_directories(tmp());
    fs::create_directories(raiz_ + "/datos");
    setenv("NURO_DRIVE", (raiz_ + "/drive").c_str(), 1);
    setenv("tmp", tmp().c_str(), 1);
    crearBase();
    std::ofstream(esquema(), std::ios::binary) << textoMuestra("Esquemas/F0801_00100.xsd");
    escribirPlano(megabytes);
}

UnidadCamino::~UnidadCamino() {
    BaseDatos.reset();
    std::error_code ec;
    fs::remove_all(raiz_, ec);
}

std::string UnidadCamino::esquema() const {
    return raiz_ + "/drive/DatosNuro/Esquemas/F0801_00100.xsd";
}

void UnidadCamino::crearBase() const {
    const std::string ruta = raiz_ + "/drive/DatosNuro/BDNuro.mdb";
    auto conexion = db::createDatabase(ruta, nuro::kConnect);
    conexion->execute(textoMuestra("sql/schema.sql") + "\n" + textoMuestra("sql/data.sql") +
                      "\nupdate cuit set Cuit='" + kCuit + "';");
    conexion->close();
    BaseDatos = db::openDatabase(ruta, false, false, nuro::kConnect);
}

void UnidadCamino::escribirPlano(double megabytes) {
    plano_ = raiz_ + "/datos/plano.txt";
    std::ofstream out(plano_, std::ios::binary);
    const auto objetivo = static_cast<std::int64_t>(megabytes * 1e6);
    for (long n = 0; out.tellp() < objetivo; ++n)
        Declaracion(n).escribir(out, lineas_);
    out.close();
    bytes_ = static_cast<std::int64_t>(fs::file_size(plano_));
}

void UnidadCamino::limpiar() const {
    for (const std::string& carpeta : {tmp(), procesados()})
        for (const auto& e : fs::directory_iterator(carpeta))
            fs::remove(e.path());
}
