// Stand-in of the office's encryption library: the file is sealed (libsodium
// sealed box) for the office's public key and written base64-encoded next to
// the input as <input>.b64. Only the holder of the office's secret key can
// open it; the sender cannot read it back.
#include "platform/closedlibs/filewin/filewin.h"

#include <sodium.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

// Public key of the receiving office.
constexpr unsigned char kClaveOficina[crypto_box_PUBLICKEYBYTES] = {
    0xb7, 0xda, 0x8c, 0xa2, 0x56, 0x85, 0xa7, 0x21, 0x67, 0x47, 0x23, 0x65, 0xc4, 0xfe, 0x58, 0x04,
    0x91, 0xc0, 0x6a, 0x6e, 0x23, 0x0e, 0x4d, 0x4d, 0x87, 0xe9, 0xfe, 0x71, 0xc6, 0x2b, 0xdf, 0x15};

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

struct CerrarArchivo {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Archivo = std::unique_ptr<std::FILE, CerrarArchivo>;

void copiar(const std::string& texto, char* destino, size_t tam) {
    if (!destino || tam == 0)
        return;
    const size_t n = texto.size() < tam ? texto.size() : tam - 1;
    std::memcpy(destino, texto.data(), n);
    destino[n] = '\0';
}

std::vector<unsigned char> leer(const std::string& ruta) {
    Archivo f(std::fopen(ruta.c_str(), "rb"));
    std::vector<unsigned char> datos;
    if (!f)
        throw Fallo{EntradaIlegible, "No se pudo leer el archivo " + ruta};
    struct stat st {};
    if (::fstat(::fileno(f.get()), &st) == 0 && st.st_size > 0)
        datos.reserve(static_cast<size_t>(st.st_size));
    unsigned char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0)
        datos.insert(datos.end(), buf, buf + n);
    if (std::ferror(f.get()))
        throw Fallo{EntradaIlegible, "No se pudo leer el archivo " + ruta};
    return datos;
}

// Takes the plain text by value so it is gone once sealed: large files then
// need the sealed bytes alone in memory while they are written out.
std::vector<unsigned char> sellar(std::vector<unsigned char> datos) {
    std::vector<unsigned char> sellado(datos.size() + crypto_box_SEALBYTES);
    if (crypto_box_seal(sellado.data(), datos.data(), datos.size(), kClaveOficina) != 0)
        throw Fallo{SinCifrado, "No se pudo encriptar el archivo."};
    return sellado;
}

// The base64 text is written in pieces of whole 3-byte groups, so padding
// appears only at the very end, as if encoded at once.
void escribir(const std::string& ruta, const std::vector<unsigned char>& sellado) {
    const Fallo fallo{SalidaNoEscrita, "No se pudo escribir el archivo " + ruta};
    Archivo f(std::fopen(ruta.c_str(), "wb"));
    if (!f)
        throw fallo;
    constexpr size_t kTrozo = 3 * 16384;
    std::string texto(sodium_base64_encoded_len(kTrozo, sodium_base64_VARIANT_ORIGINAL), '\0');
    bool escrito = true;
    for (size_t i = 0; escrito && i < sellado.size(); i += kTrozo) {
        const size_t n = std::min(kTrozo, sellado.size() - i);
        sodium_bin2base64(texto.data(), texto.size(), sellado.data() + i, n,
                          sodium_base64_VARIANT_ORIGINAL);
        const size_t largo = std::strlen(texto.c_str());
        escrito = std::fwrite(texto.data(), 1, largo, f.get()) == largo;
    }
    if (!escrito || std::fclose(f.release()) != 0) {
        std::remove(ruta.c_str());
        throw fallo;
    }
}

void encriptar(const char* archivo, char* salida, size_t tamSalida) {
    if (sodium_init() < 0)
        throw Fallo{SinCifrado, "No se pudo iniciar la biblioteca de encriptación."};
    if (!archivo || !*archivo || !salida || tamSalida == 0)
        throw Fallo{ParametrosInvalidos, "Parámetros inválidos para encriptar el archivo."};
    const std::string destino = std::string(archivo) + ".b64";
    if (destino.size() >= tamSalida)
        throw Fallo{RutaLarga, "La ruta del archivo encriptado es demasiado larga."};
    escribir(destino, sellar(leer(archivo)));
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
