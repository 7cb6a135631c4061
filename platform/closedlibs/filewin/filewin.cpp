// Stand-in of the office's encryption library. The file is encrypted for the
// office's public key in one pass with constant memory and written next to
// the input as <input>.b64. Only the holder of the office's secret key can
// open it; the sender cannot read it back.
//
// <input>.b64 is one base64 text (standard alphabet, "=" padding at the very
// end only, no line breaks) of these bytes:
//   1. 80 bytes: crypto_box_seal of a fresh random 32-byte key for the office's
//      public key;
//   2. 24 bytes: the crypto_secretstream_xchacha20poly1305 header for that key;
//   3. the file in pieces of 1 MiB (1,048,576 bytes), the last one shorter, each
//      pushed through that stream (17 bytes more each); the last piece, empty
//      when the file is empty or a whole number of pieces long, carries the
//      tag FINAL and every other the tag MESSAGE. Every piece but the last is
//      a full one, so a reader cuts the stream at 1,048,593 bytes.
#include "platform/closedlibs/filewin/filewin.h"
#include "platform/closedlibs/filewin/Base64Salida.h"
#include "platform/closedlibs/filewin/EscritorEnHilo.h"
#include "platform/runtime/Descriptor.h"

#include <sodium.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Public key of the receiving office.
constexpr unsigned char kClaveOficina[crypto_box_PUBLICKEYBYTES] = {
    0xb7, 0xda, 0x8c, 0xa2, 0x56, 0x85, 0xa7, 0x21, 0x67, 0x47, 0x23, 0x65, 0xc4, 0xfe, 0x58, 0x04,
    0x91, 0xc0, 0x6a, 0x6e, 0x23, 0x0e, 0x4d, 0x4d, 0x87, 0xe9, 0xfe, 0x71, 0xc6, 0x2b, 0xdf, 0x15};

constexpr std::size_t kTrozo = 1 << 20;
using Flujo = crypto_secretstream_xchacha20poly1305_state;
constexpr std::size_t kClave = crypto_secretstream_xchacha20poly1305_KEYBYTES;
constexpr std::size_t kCabeceraFlujo = crypto_secretstream_xchacha20poly1305_HEADERBYTES;
constexpr std::size_t kSobreTrozo = crypto_secretstream_xchacha20poly1305_ABYTES;

enum Estado : int16_t {
    Exito = 0,
    SinCifrado = 1,
    ParametrosInvalidos = 2,
    EntradaIlegible = 3,
    SalidaNoEscrita = 4,
    RutaLarga = 5,
    SinMemoria = 6,
};

struct Fallo {
    int16_t estado;
    std::string mensaje;
};

// The key and the stream state wiped on every way out.
template <typename T> struct Secreto {
    T valor{};
    Secreto() = default;
    ~Secreto() { sodium_memzero(&valor, sizeof valor); }
    Secreto(const Secreto&) = delete;
    Secreto& operator=(const Secreto&) = delete;
};

void copiar(const std::string& texto, char* destino, size_t tam) {
    if (!destino || tam == 0)
        return;
    const size_t n = texto.size() < tam ? texto.size() : tam - 1;
    std::memcpy(destino, texto.data(), n);
    destino[n] = '\0';
}

// Fills buf as far as the file goes; fewer bytes than asked only at its end.
size_t leerTrozo(int fd, unsigned char* buf, size_t tam, const std::string& ruta) {
    size_t total = 0;
    while (total < tam) {
        const ssize_t n = ::read(fd, buf + total, tam - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw Fallo{EntradaIlegible, "No se pudo leer el archivo " + ruta};
        if (n == 0)
            break;
        total += static_cast<size_t>(n);
    }
    return total;
}

// The output file, created fresh without following a link left at its name,
// readable by its owner only, and removed again unless the whole text was
// written.
class ArchivoSalida {
public:
    explicit ArchivoSalida(std::string ruta)
        : ruta_(std::move(ruta)), fallo_{SalidaNoEscrita,
                                         "No se pudo escribir el archivo " + ruta_},
          fd_(crear(ruta_)) {
        if (fd_.get() < 0)
            throw fallo_;
    }
    ~ArchivoSalida() {
        if (!completo_)
            ::unlink(ruta_.c_str());
    }
    ArchivoSalida(const ArchivoSalida&) = delete;
    ArchivoSalida& operator=(const ArchivoSalida&) = delete;

    int fd() const { return fd_.get(); }
    const Fallo& fallo() const { return fallo_; }
    void cerrar() {
        if (::close(fd_.release()) != 0)
            throw fallo_;
        completo_ = true;
    }

private:
    static int crear(const std::string& ruta) {
        ::unlink(ruta.c_str());
        return ::open(ruta.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }

    std::string ruta_;
    Fallo fallo_;
    rt::Descriptor fd_;
    bool completo_ = false;
};

// Seals a fresh key for the office and starts the stream with it; both
// headers go to the text.
void iniciar(Flujo& flujo, Base64Salida& texto) {
    Secreto<unsigned char[kClave]> clave;
    crypto_secretstream_xchacha20poly1305_keygen(clave.valor);
    unsigned char cabecera[crypto_box_SEALBYTES + kClave + kCabeceraFlujo];
    if (crypto_box_seal(cabecera, clave.valor, kClave, kClaveOficina) != 0 ||
        crypto_secretstream_xchacha20poly1305_init_push(
            &flujo, cabecera + crypto_box_SEALBYTES + kClave, clave.valor) != 0)
        throw Fallo{SinCifrado, "No se pudo encriptar el archivo."};
    texto.agregar(cabecera, sizeof cabecera); // a failed write shows at the next piece
}

void cifrar(int entrada, const std::string& rutaEntrada, Base64Salida& texto,
            const Fallo& falloEscritura) {
    Secreto<Flujo> flujo;
    iniciar(flujo.valor, texto);
    std::vector<unsigned char> claro(kTrozo);
    EscritorEnHilo escritor(texto, kTrozo + kSobreTrozo);
    for (bool ultimo = false; !ultimo;) {
        const size_t n = leerTrozo(entrada, claro.data(), kTrozo, rutaEntrada);
        ultimo = n < kTrozo;
        const unsigned char etiqueta = ultimo ? crypto_secretstream_xchacha20poly1305_TAG_FINAL
                                              : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE;
        unsigned long long largo = 0;
        if (crypto_secretstream_xchacha20poly1305_push(&flujo.valor, escritor.siguiente().data(),
                                                       &largo, claro.data(), n, nullptr, 0,
                                                       etiqueta) != 0)
            throw Fallo{SinCifrado, "No se pudo encriptar el archivo."};
        if (!escritor.entregar(static_cast<size_t>(largo)))
            throw falloEscritura;
    }
    sodium_memzero(claro.data(), claro.size());
    if (!escritor.terminar())
        throw falloEscritura;
}

void encriptar(const char* archivo, char* salida, size_t tamSalida) {
    if (sodium_init() < 0)
        throw Fallo{SinCifrado, "No se pudo iniciar la biblioteca de encriptación."};
    if (!archivo || !*archivo || !salida || tamSalida == 0)
        throw Fallo{ParametrosInvalidos, "Parámetros inválidos para encriptar el archivo."};
    const std::string destino = std::string(archivo) + ".b64";
    if (destino.size() >= tamSalida)
        throw Fallo{RutaLarga, "La ruta del archivo encriptado es demasiado larga."};
    rt::Descriptor entrada(::open(archivo, O_RDONLY | O_CLOEXEC));
    if (entrada.get() < 0)
        throw Fallo{EntradaIlegible, "No se pudo leer el archivo " + std::string(archivo)};
    ArchivoSalida archivoSalida(destino);
    Base64Salida texto(archivoSalida.fd());
    cifrar(entrada.get(), archivo, texto, archivoSalida.fallo());
    if (!texto.terminar())
        throw archivoSalida.fallo();
    archivoSalida.cerrar();
    copiar(destino, salida, tamSalida);
}

} // namespace

extern "C" int16_t filewin(const char* archivo, char* archivoEncriptado,
                           size_t tamArchivoEncriptado, char* mensajeError,
                           size_t tamMensajeError) {
    copiar("", archivoEncriptado, tamArchivoEncriptado);
    copiar("", mensajeError, tamMensajeError);
    try {
        encriptar(archivo, archivoEncriptado, tamArchivoEncriptado);
        return Exito;
    } catch (const Fallo& f) {
        copiar(f.mensaje, mensajeError, tamMensajeError);
        return f.estado;
    } catch (const std::bad_alloc&) {
        copiar("Memoria insuficiente para encriptar el archivo.", mensajeError, tamMensajeError);
        return SinMemoria;
    } catch (...) {
        copiar("No se pudo encriptar el archivo.", mensajeError, tamMensajeError);
        return SinCifrado;
    }
}
