#pragma once
// A digest of a text given in pieces, of the same kind as Huella's.
#include "platform/xml/Huella.h"

#include <memory>
#include <string_view>

namespace xml {

class DigestoTexto {
public:
    DigestoTexto();
    ~DigestoTexto();
    DigestoTexto(const DigestoTexto&) = delete;
    DigestoTexto& operator=(const DigestoTexto&) = delete;

    void agregar(std::string_view parte);
    // The digest of everything given; the text ends with it.
    Huella::Digesto fin();

private:
    struct Estado;
    std::unique_ptr<Estado> estado_;
};

} // namespace xml
