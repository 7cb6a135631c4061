#pragma once
// The sample files write the namespace base as a placeholder, replaced when a
// drive is made from them, so that code and data share nuro::kNamespaceBase.
#include "shell/Globales.h"

#include <string>

namespace muestra {

inline const std::string kMarcadorEspacio = "@NAMESPACE_BASE@";

inline std::string reemplazarMarcador(std::string texto) {
    for (std::size_t pos = texto.find(kMarcadorEspacio); pos != std::string::npos;
         pos = texto.find(kMarcadorEspacio, pos + nuro::kNamespaceBase.size()))
        texto.replace(pos, kMarcadorEspacio.size(), nuro::kNamespaceBase);
    return texto;
}

} // namespace muestra
