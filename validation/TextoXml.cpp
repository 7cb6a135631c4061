#include "validation/TextoXml.h"

namespace TextoXml {
namespace {

// Appends the value, replacing each character that `reemplazo` names; the
// runs between such characters go in whole. `especial` tells the characters
// worth a look.
template <typename Especial, typename Reemplazo>
void Agregar(std::string& destino, std::string_view valor, Especial especial, Reemplazo reemplazo) {
    std::size_t desde = 0;
    for (std::size_t i = 0; i < valor.size(); ++i) {
        if (!especial(valor[i]))
            continue;
        const std::string_view sustituto = reemplazo(valor, i);
        if (sustituto.empty())
            continue;
        destino.append(valor.substr(desde, i - desde)).append(sustituto);
        desde = i + 1;
    }
    destino.append(valor.substr(desde));
}

bool CierraSeccion(std::string_view valor, std::size_t i) {
    return i >= 2 && valor[i - 1] == ']' && valor[i - 2] == ']';
}

} // namespace

void AgregarContenido(std::string& destino, std::string_view valor) {
    const auto especial = [](char c) { return c == '&' || c == '<' || c == '>'; };
    Agregar(destino, valor, especial, [](std::string_view v, std::size_t i) -> std::string_view {
        if (v[i] == '&')
            return "&amp;";
        if (v[i] == '<')
            return "&lt;";
        return CierraSeccion(v, i) ? "&gt;" : "";
    });
}

void AgregarSeccion(std::string& destino, std::string_view valor) {
    std::size_t desde = 0;
    for (std::size_t i = valor.find("]]>"); i != std::string_view::npos;
         i = valor.find("]]>", i + 1)) {
        // "]]" closes this section, ">" opens the next one.
        destino.append(valor.substr(desde, i + 2 - desde)).append("]]><![CDATA[");
        desde = i + 2;
    }
    destino.append(valor.substr(desde));
}

void AgregarAtributo(std::string& destino, std::string_view valor) {
    const auto especial = [](char c) { return c == '&' || c == '<' || c == '"'; };
    Agregar(destino, valor, especial, [](std::string_view v, std::size_t i) -> std::string_view {
        if (v[i] == '&')
            return "&amp;";
        return v[i] == '<' ? "&lt;" : "&quot;";
    });
}

} // namespace TextoXml
