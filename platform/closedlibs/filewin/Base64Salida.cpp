#include "platform/closedlibs/filewin/Base64Salida.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <unistd.h>

namespace {

constexpr char kAlfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kBloque = 1 << 20; // text written per write()

// Two output characters for every 12-bit value, so a 3-byte group takes two
// look-ups.
struct Pares {
    std::array<char, 2 * 4096> c{};
    constexpr Pares() {
        for (std::size_t i = 0; i < 4096; ++i) {
            c[2 * i] = kAlfabeto[i >> 6];
            c[2 * i + 1] = kAlfabeto[i & 63];
        }
    }
};
constexpr Pares kPares;

} // namespace

Base64Salida::Base64Salida(int fd) : fd_(fd), texto_(kBloque + 4 * 1024) {}

void Base64Salida::codificar(const unsigned char* datos, std::size_t grupos) {
    char* out = texto_.data() + usado_;
    for (std::size_t g = 0; g < grupos; ++g, datos += 3, out += 4) {
        const std::uint32_t v =
            (std::uint32_t{datos[0]} << 16) | (std::uint32_t{datos[1]} << 8) | datos[2];
        std::memcpy(out, &kPares.c[2 * (v >> 12)], 2);
        std::memcpy(out + 2, &kPares.c[2 * (v & 0xfff)], 2);
    }
    usado_ = static_cast<std::size_t>(out - texto_.data());
}

bool Base64Salida::vaciar() {
    const char* p = texto_.data();
    while (ok_ && usado_ > 0) {
        const ssize_t w = ::write(fd_, p, usado_);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            ok_ = false;
            break;
        }
        p += w;
        usado_ -= static_cast<std::size_t>(w);
    }
    usado_ = 0;
    return ok_;
}

bool Base64Salida::agregar(const unsigned char* datos, std::size_t n) {
    // Bytes left over from the last call complete their group first.
    while (ok_ && restoN_ > 0 && n > 0) {
        if (restoN_ == 1) {
            resto_[1] = *datos++;
            --n;
            restoN_ = 2;
            continue;
        }
        const unsigned char grupo[3] = {resto_[0], resto_[1], *datos++};
        --n;
        restoN_ = 0;
        codificar(grupo, 1);
    }
    while (ok_ && n >= 3) {
        const std::size_t caben = (texto_.size() - usado_) / 4;
        const std::size_t grupos = std::min(n / 3, caben);
        codificar(datos, grupos);
        datos += 3 * grupos;
        n -= 3 * grupos;
        if (usado_ >= kBloque)
            vaciar();
    }
    for (; ok_ && n > 0; --n)
        resto_[restoN_++] = *datos++;
    return ok_;
}

bool Base64Salida::terminar() {
    if (ok_ && restoN_ > 0) {
        const unsigned char a = resto_[0], b = restoN_ > 1 ? resto_[1] : 0;
        char* out = texto_.data() + usado_;
        out[0] = kAlfabeto[a >> 2];
        out[1] = kAlfabeto[((a & 3) << 4) | (b >> 4)];
        out[2] = restoN_ > 1 ? kAlfabeto[(b & 15) << 2] : '=';
        out[3] = '=';
        usado_ += 4;
        restoN_ = 0;
    }
    return vaciar();
}
