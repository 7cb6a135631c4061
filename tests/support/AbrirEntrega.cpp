#include "tests/support/AbrirEntrega.h"

#include <sodium.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace prueba {

namespace {

constexpr unsigned char kClaveSecretaOficina[crypto_box_SECRETKEYBYTES] = {
    0x80, 0x24, 0xc1, 0x04, 0xc3, 0x59, 0x50, 0x69, 0x78, 0x49, 0x13, 0x5e, 0x96, 0x67, 0xfb, 0x1d,
    0x2c, 0x94, 0x60, 0x93, 0xaf, 0xfd, 0x48, 0x28, 0xca, 0x53, 0xe6, 0xd4, 0x22, 0x7f, 0x9a, 0xfc};

// The stream's pieces: 1 MiB of the file each, the last one shorter.
constexpr std::size_t kTrozo = 1 << 20;
constexpr std::size_t kClave = crypto_secretstream_xchacha20poly1305_KEYBYTES;
constexpr std::size_t kClaveSellada = crypto_box_SEALBYTES + kClave;
constexpr std::size_t kCabeceraFlujo = crypto_secretstream_xchacha20poly1305_HEADERBYTES;
constexpr std::size_t kTrozoCifrado = kTrozo + crypto_secretstream_xchacha20poly1305_ABYTES;

void fallar(const std::string& por) {
    throw std::runtime_error("the submission file does not open: " + por);
}

// The bytes of a base64 text, decoded as far as they are asked for.
class Binario {
public:
    explicit Binario(std::istream& texto) : texto_(texto) {}

    // At least n bytes at hasta(), unless the text ends first.
    std::size_t disponibles(std::size_t n) {
        while (bytes_.size() - pos_ < n && !fin_)
            leer();
        return bytes_.size() - pos_;
    }
    const unsigned char* datos() const { return bytes_.data() + pos_; }
    void consumir(std::size_t n) { pos_ += n; }
    bool fin() const { return fin_ && pos_ == bytes_.size(); }

private:
    void leer() {
        std::string pieza(4 * 65536, '\0');
        texto_.read(pieza.data(), static_cast<std::streamsize>(pieza.size()));
        pieza.resize(static_cast<std::size_t>(texto_.gcount()));
        fin_ = pieza.size() < 4 * 65536;
        pendiente_ += pieza;
        // Padding only ends the text, so whole quads decode on their own.
        const std::size_t cuantos = fin_ ? pendiente_.size() : pendiente_.size() / 4 * 4;
        bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(pos_));
        pos_ = 0;
        const std::size_t antes = bytes_.size();
        bytes_.resize(antes + cuantos / 4 * 3 + 3);
        std::size_t largo = 0;
        const char* resto = nullptr;
        if (sodium_base642bin(bytes_.data() + antes, bytes_.size() - antes, pendiente_.data(),
                              cuantos, nullptr, &largo, &resto,
                              sodium_base64_VARIANT_ORIGINAL) != 0 ||
            resto != pendiente_.data() + cuantos)
            fallar("not base64");
        bytes_.resize(antes + largo);
        pendiente_.erase(0, cuantos);
    }

    std::istream& texto_;
    std::string pendiente_;
    std::vector<unsigned char> bytes_;
    std::size_t pos_ = 0;
    bool fin_ = false;
};

void iniciar(crypto_secretstream_xchacha20poly1305_state& flujo, Binario& binario) {
    if (binario.disponibles(kClaveSellada + kCabeceraFlujo) < kClaveSellada + kCabeceraFlujo)
        fallar("too short");
    unsigned char publica[crypto_box_PUBLICKEYBYTES];
    crypto_scalarmult_base(publica, kClaveSecretaOficina);
    unsigned char clave[kClave];
    if (crypto_box_seal_open(clave, binario.datos(), kClaveSellada, publica,
                             kClaveSecretaOficina) != 0)
        fallar("the key is not sealed for the office");
    const int ok = crypto_secretstream_xchacha20poly1305_init_pull(
        &flujo, binario.datos() + kClaveSellada, clave);
    sodium_memzero(clave, sizeof clave);
    if (ok != 0)
        fallar("bad stream header");
    binario.consumir(kClaveSellada + kCabeceraFlujo);
}

// A fresh file beside the output's name, removed unless it is kept.
class Provisional {
public:
    explicit Provisional(const std::string& destino) : ruta_(destino + ".XXXXXX") {
        const int fd = ::mkstemp(ruta_.data());
        if (fd < 0)
            throw std::runtime_error("cannot write beside " + destino);
        ::close(fd);
    }
    ~Provisional() {
        if (!ruta_.empty())
            std::remove(ruta_.c_str());
    }
    Provisional(const Provisional&) = delete;
    Provisional& operator=(const Provisional&) = delete;

    const std::string& ruta() const { return ruta_; }
    void renombrar(const std::string& destino) {
        if (std::rename(ruta_.c_str(), destino.c_str()) != 0)
            throw std::runtime_error("cannot write " + destino);
        ruta_.clear();
    }

private:
    std::string ruta_;
};

} // namespace

void abrirEntrega(std::istream& base64, std::ostream& claro) {
    if (sodium_init() < 0)
        throw std::runtime_error("sodium_init");
    Binario binario(base64);
    crypto_secretstream_xchacha20poly1305_state flujo;
    iniciar(flujo, binario);
    std::vector<unsigned char> trozo(kTrozo);
    for (bool ultimo = false; !ultimo;) {
        // Every piece but the last is a full one.
        const std::size_t hay = binario.disponibles(kTrozoCifrado + 1);
        const std::size_t n = std::min(hay, kTrozoCifrado);
        ultimo = hay <= kTrozoCifrado;
        unsigned long long largo = 0;
        unsigned char etiqueta = 0;
        if (crypto_secretstream_xchacha20poly1305_pull(&flujo, trozo.data(), &largo, &etiqueta,
                                                       binario.datos(), n, nullptr, 0) != 0)
            fallar("a piece does not open");
        if (ultimo != (etiqueta == crypto_secretstream_xchacha20poly1305_TAG_FINAL))
            fallar(ultimo ? "the file is cut short" : "bytes after the end");
        binario.consumir(n);
        claro.write(reinterpret_cast<const char*>(trozo.data()),
                    static_cast<std::streamsize>(largo));
    }
    if (!binario.fin() || !claro)
        fallar("bytes after the end");
}

std::string abrirEntrega(const std::string& base64) {
    std::istringstream texto(base64);
    std::ostringstream claro;
    abrirEntrega(texto, claro);
    return std::move(claro).str();
}

void abrirArchivo(const std::string& entrada, const std::string& salida) {
    std::ifstream texto(entrada, std::ios::binary);
    if (!texto)
        throw std::runtime_error("cannot read " + entrada);
    Provisional provisional(salida);
    {
        std::ofstream claro(provisional.ruta(), std::ios::binary | std::ios::trunc);
        abrirEntrega(texto, claro);
        claro.close();
        if (!claro)
            throw std::runtime_error("cannot write " + salida);
    }
    provisional.renombrar(salida);
}

} // namespace prueba
