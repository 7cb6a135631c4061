#pragma once
// The receiving office's test secret key (its public key is built into the
// stand-in encryption library) and the opening of a sealed, base64-encoded
// submission file with it.
#include <sodium.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace prueba {

inline constexpr unsigned char kClaveSecretaOficina[crypto_box_SECRETKEYBYTES] = {
    0x80, 0x24, 0xc1, 0x04, 0xc3, 0x59, 0x50, 0x69, 0x78, 0x49, 0x13, 0x5e, 0x96, 0x67, 0xfb, 0x1d,
    0x2c, 0x94, 0x60, 0x93, 0xaf, 0xfd, 0x48, 0x28, 0xca, 0x53, 0xe6, 0xd4, 0x22, 0x7f, 0x9a, 0xfc};

inline std::string abrirSellado(const std::string& base64) {
    if (sodium_init() < 0)
        throw std::runtime_error("sodium_init");
    std::vector<unsigned char> sellado(base64.size());
    size_t largo = 0;
    if (sodium_base642bin(sellado.data(), sellado.size(), base64.data(), base64.size(), nullptr,
                          &largo, nullptr, sodium_base64_VARIANT_ORIGINAL) != 0 ||
        largo < crypto_box_SEALBYTES)
        throw std::runtime_error("not base64 of a sealed box");
    unsigned char publica[crypto_box_PUBLICKEYBYTES];
    crypto_scalarmult_base(publica, kClaveSecretaOficina);
    std::string claro(largo - crypto_box_SEALBYTES, '\0');
    if (crypto_box_seal_open(reinterpret_cast<unsigned char*>(claro.data()), sellado.data(), largo,
                             publica, kClaveSecretaOficina) != 0)
        throw std::runtime_error("sealed box does not open with the office's key");
    return claro;
}

} // namespace prueba
