#include "processing/LecturaDeVuelta.h"

#include "processing/EmpaquetadorXml.h"
#include "processing/RecursosLectura.h"
#include "processing/VentanaArchivoFinal.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/xml/DigestoTexto.h"
#include "platform/xml/Document.h"
#include "platform/xml/PrimeraDiferencia.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

// The parser may stop before the end of the text; the rest is read and
// dropped so that the packing never waits on a full pipe.
void Vaciar(int fd) {
    char buf[65536];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) != 0;)
        if (n < 0 && errno != EINTR)
            return;
}

constexpr std::size_t kRegistro = 502; // "02", 498 bytes of text, CR LF
constexpr std::size_t kTexto = 498;

// The records' text: each without "02" and CR LF, the blanks that fill up
// the last one dropped.
std::string TextoDeRegistros(const std::string& registros) {
    std::ifstream archivo(registros, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(archivo), {}};
    std::string texto;
    for (std::size_t i = 0; i + kRegistro <= bytes.size(); i += kRegistro)
        texto.append(bytes, i + 2, kTexto);
    texto.erase(texto.find_last_not_of(' ') + 1);
    return texto;
}

} // namespace

std::string LecturaDeVuelta::Diferencia(const std::string& original, const std::string& registros,
                                        bool valido, const xml::TiposMixtos* mixtos) {
    const std::string texto = TextoDeRegistros(registros);
    using Modo = xml::Huella::Modo;
    long linea = xml::PrimeraDiferencia::buscar(original, texto, Modo::normalizada, mixtos);
    // Read the same but no longer valid: white space inside a value changed,
    // or at its ends (a value of white space only first).
    for (Modo modo : {Modo::estrictaDentro, Modo::estricta})
        if (linea == 0 && !valido)
            linea = xml::PrimeraDiferencia::buscar(original, texto, modo, mixtos);
    return "El documento no puede enviarse tal como está: al armar el archivo se quitan los "
           "saltos de línea, y eso cambiaría lo que dice la línea " +
           std::to_string(std::max(linea, 1L)) +
           " (hay un salto de línea dentro de un dato o de un texto, o junto a una sección "
           "CDATA, un comentario o una instrucción). Escriba esa parte en una sola línea y "
           "vuelva a procesarlo.";
}

LecturaDeVuelta::LecturaDeVuelta(const xml::SchemaCache& esquemas, const std::string& original) {
    RecursosLectura& recursos = RecursosLectura::Actuales();
    int extremos[2];
    if (!recursos.Tuberia(extremos))
        throw SinRecursos("pipe");
    lectura_.reset(extremos[0]);
    escritura_.reset(extremos[1]);
    // The reader first: a packing without a reader would wait on a full pipe.
    auto leer = std::make_shared<std::packaged_task<Resultado()>>(
        [fd = lectura_.get(), &esquemas] { return Leer(fd, esquemas); });
    resultado_ = leer->get_future();
    auto empaquetar = std::make_shared<std::packaged_task<xml::Huella::Digesto(std::stop_token)>>(
        [this, original](std::stop_token detener) {
            return Empaquetar(original, escritura_, std::move(detener));
        });
    texto_ = empaquetar->get_future();
    try {
        lector_ = recursos.Hilo([leer](std::stop_token) { (*leer)(); });
        empaquetador_ =
            recursos.Hilo([empaquetar](std::stop_token detener) { (*empaquetar)(detener); });
    } catch (const std::system_error& e) {
        throw SinRecursos(e.what());
    }
}

LecturaDeVuelta::Resultado LecturaDeVuelta::Leer(int fd, const xml::SchemaCache& esquemas) {
    struct AlSalir {
        int fd;
        ~AlSalir() { Vaciar(fd); }
    } vaciar{fd};
    xml::Huella huella;
    xml::Document documento;
    documento.schemas(&esquemas);
    documento.huella(&huella);
    documento.repintar(false);
    Resultado r;
    r.valido = documento.loadStream(fd, "");
    r.digesto = huella.digesto();
    return r;
}

xml::Huella::Digesto LecturaDeVuelta::Empaquetar(const std::string& original,
                                                 xml::FileDescriptor& fd, std::stop_token detener) {
    // The end of the text for the parser, however the packing ends.
    struct AlSalir {
        xml::FileDescriptor& fd;
        ~AlSalir() { fd.reset(); }
    } cerrar{fd};
    class SinVentana : public VentanaArchivoFinal {
        void EtiquetaCaption(const std::string&) override {}
        void EtiquetaRefresh() override {}
        bool Abierta() const override { return false; }
    } sinVentana;
    xml::DigestoTexto digesto;
    EmpaquetadorXml(sinVentana)
        .Copiar(
            original,
            [&](std::string_view texto) {
                digesto.agregar(texto);
                while (!texto.empty()) {
                    const ssize_t n = ::write(fd.get(), texto.data(), texto.size());
                    if (n < 0 && errno == EINTR)
                        continue;
                    if (n < 0)
                        rt::raise(rt::err::DeviceIoError);
                    texto.remove_prefix(static_cast<std::size_t>(n));
                }
            },
            std::move(detener));
    return digesto.fin();
}

void LecturaDeVuelta::Esperar() {
    while (resultado_.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        ui::Repintar();
}

bool LecturaDeVuelta::Igual(const xml::Huella::Digesto& original,
                            const xml::Huella::Digesto& escrito) {
    Esperar();
    const xml::Huella::Digesto texto = texto_.get();
    const Resultado r = resultado_.get();
    valido_ = r.valido;
    return r.valido && r.digesto == original && texto == escrito;
}
