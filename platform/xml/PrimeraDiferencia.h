#pragma once
// Where two documents first read differently, walking both readings side by
// side (see Huella): for showing the user the line of a document that a
// transformation changed. Costly; for the failure path only.
#include "platform/xml/Huella.h"

#include <string>
#include <string_view>

namespace xml {

class PrimeraDiferencia {
public:
    // The line of the file original where its reading first differs from that
    // of the text otro; 0 when the readings are equal. mixtos: the elements of
    // mixed content, nullptr for none.
    static long buscar(const std::string& original, std::string_view otro, Huella::Modo modo,
                       const TiposMixtos* mixtos = nullptr);
};

} // namespace xml
