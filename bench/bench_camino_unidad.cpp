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

const char* nombreCamino(Camino camino) {
    return camino == Camino::Plano ? "flat" : camino == Camino::Vista ? "vista" : "XML";
}

UnidadCamino::UnidadCamino(Camino camino, double megabytes, bool crear)
    : camino_(camino), dueno_(crear),
      raiz_((fs::temp_directory_path() / "nuro-bench-camino").string()) {
    static const char* const kEntradas[] = {"plano.txt", "vista.txt", "declaracion.xml"};
    entrada_ = raiz_ + "/datos/" + kEntradas[static_cast<int>(camino)];
    setenv("NURO_DRIVE", (raiz_ + "/drive").c_str(), 1);
    setenv("tmp", tmp().c_str(), 1);
    if (!crear) {
        abrirBase();
        return;
    }
    fs::remove_all(raiz_);
    fs::create_directories(raiz_ + "/drive/DatosNuro/Esquemas");
    fs::create_directories(procesados());
    fs::create_directories(tmp());
    fs::create_directories(raiz_ + "/datos");
    crearBase();
    std::ofstream(esquema(), std::ios::binary)
        << textoMuestra("Esquemas/F" + formulario().replace(4, 1, "_") + ".xsd");
    if (camino == Camino::Plano)
        escribirPlano(megabytes);
    else if (camino == Camino::Vista)
        escribirVista(megabytes);
    else
        escribirXml();
}

UnidadCamino::~UnidadCamino() {
    BaseDatos.reset();
    std::error_code ec;
    if (dueno_)
        fs::remove_all(raiz_, ec);
}

std::string UnidadCamino::formulario() const {
    static const char* const kFormularios[] = {"0801/00100", "0803/00100", "0804/00100"};
    return kFormularios[static_cast<int>(camino_)];
}

std::string UnidadCamino::esquema() const {
    return raiz_ + "/drive/DatosNuro/Esquemas/F" + formulario().replace(4, 1, "_") + ".xsd";
}

std::string UnidadCamino::documento() const {
    return camino_ == Camino::Xml ? entrada_ : raiz_ + "/documento.xml";
}

std::int64_t UnidadCamino::bytes() const {
    return static_cast<std::int64_t>(fs::file_size(entrada_));
}

void UnidadCamino::crearBase() const {
    const std::string ruta = raiz_ + "/drive/DatosNuro/BDNuro.mdb";
    auto conexion = db::createDatabase(ruta, nuro::kConnect);
    conexion->execute(textoMuestra("sql/schema.sql") + "\n" + textoMuestra("sql/data.sql") +
                      "\nupdate cuit set Cuit='" + kCuit + "';");
    conexion->close();
}

void UnidadCamino::abrirBase() const {
    BaseDatos =
        db::openDatabase(raiz_ + "/drive/DatosNuro/BDNuro.mdb", false, false, nuro::kConnect);
}

void UnidadCamino::escribirPlano(double megabytes) const {
    std::ofstream out(entrada_, std::ios::binary);
    const auto objetivo = static_cast<std::int64_t>(megabytes * 1e6);
    long lineas = 0;
    for (long n = 0; out.tellp() < objetivo; ++n)
        Declaracion(n).escribir(out, lineas);
}

// Form 0803/00100: one settlement every 50 lines, one service a line.
void UnidadCamino::escribirVista(double megabytes) const {
    std::ofstream out(entrada_, std::ios::binary);
    const auto objetivo = static_cast<std::int64_t>(megabytes * 1e6);
    for (long i = 0; out.tellp() < objetivo; ++i) {
        const long liquidacion = i / 50;
        out << kCuit << "|" << 200001 + liquidacion % 1200 / 100 * 100 + liquidacion % 12
            << "|2024-0" << 1 + liquidacion % 9 << "-1" << liquidacion % 10 << "|S" << 10 + i % 90
            << "|Servicio portuario numero " << i << "|" << 100 + i % 9000 << "." << 10 + i % 90
            << "|" << (i % 3 ? "30500010912" : "DNI12345678") << "|\r\n";
    }
}

// Form 0804/00100 with as many goods as 32,767 records of 498 characters hold
// (the XML road packs the lines without their ends).
void UnidadCamino::escribirXml() const {
    std::ofstream out(entrada_, std::ios::binary);
    const std::string inicio =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<Exportacion xmlns=\"urn:nuro:exportacion:F0804_00100\" "
        "fecha=\"2024-04-15\">\r\n  <Exportador cuit=\"" +
        kCuit +
        "\">\r\n    <RazonSocial>Exportadora del Sur "
        "S.A.</RazonSocial>\r\n  </Exportador>\r\n  <Destino>BR</Destino>\r\n";
    const std::string fin = "</Exportacion>\r\n";
    const std::int64_t capacidad = 32767LL * 498;
    std::int64_t empaquetado = static_cast<std::int64_t>(inicio.size() + fin.size()) - 16;
    out << inicio;
    for (long n = 0;; ++n) {
        const std::string m = "  <Mercaderia posicion=\"0201." + std::to_string(10 + n % 90) +
                              ".00\">\r\n    <Descripcion>Mercaderia de exportacion numero " +
                              std::to_string(n) + "</Descripcion>\r\n    <Kilos>" +
                              std::to_string(100 + n % 90000) + ".00</Kilos>\r\n    <ValorFob>" +
                              std::to_string(1000 + n % 900000) +
                              ".50</ValorFob>\r\n  </Mercaderia>\r\n";
        const auto largo = static_cast<std::int64_t>(m.size()) - 10; // five line ends
        if (empaquetado + largo > capacidad)
            break;
        empaquetado += largo;
        out << m;
    }
    out << fin;
}

void UnidadCamino::limpiar() const {
    for (const std::string& carpeta : {tmp(), procesados()})
        for (const auto& e : fs::directory_iterator(carpeta))
            fs::remove(e.path());
}
