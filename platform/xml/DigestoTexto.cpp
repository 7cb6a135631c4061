#include "platform/xml/DigestoTexto.h"

#include "platform/runtime/RuntimeError.h"

#include <sodium.h>

namespace xml {

static_assert(sizeof(Huella::Digesto) >= crypto_generichash_BYTES_MIN &&
              sizeof(Huella::Digesto) <= crypto_generichash_BYTES_MAX);

struct DigestoTexto::Estado {
    crypto_generichash_state hash;
};

DigestoTexto::DigestoTexto() : estado_(std::make_unique<Estado>()) {
    if (sodium_init() < 0 ||
        crypto_generichash_init(&estado_->hash, nullptr, 0, sizeof(Huella::Digesto)) != 0)
        rt::raise(rt::err::OutOfMemory);
}

DigestoTexto::~DigestoTexto() = default;

void DigestoTexto::agregar(std::string_view parte) {
    crypto_generichash_update(&estado_->hash, reinterpret_cast<const unsigned char*>(parte.data()),
                              parte.size());
}

Huella::Digesto DigestoTexto::fin() {
    Huella::Digesto d{};
    crypto_generichash_final(&estado_->hash, d.data(), d.size());
    return d;
}

} // namespace xml
