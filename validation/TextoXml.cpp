#include "validation/TextoXml.h"

namespace TextoXml {
namespace {

// Appends the value, replacing each character that `reemplazo` names; the
// runs between such characters go in whole.
template <typename Reemplazo>
void Agregar(std::string& destino, std::string_view valor, std::string_view especiales,
             Reemplazo reemplazo) {
    std::size_t desde = 0;
    for (std::size_t i = valor.find_first_of(especiales); i != std::string_view::npos;
         i = valor.find_first_of(especiales, i + 1)) {
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
    Agregar(destino, valor, "&<>", [](std::string_view v, std::size_t i) -> std::string_view {
        if (v[i] == '&')
            return "&amp;";
        if (v[i] == '<')
            return "&lt;";
        return CierraSeccion(v, i) ? "&gt;" : "";
    });
}

void AgregarSeccion(std::string& destino, std::string_view valor) {
    Agregar(destino, valor, ">", [](std::string_view v, std::size_t i) -> std::string_view {
        return CierraSeccion(v, i) ? "]]><![CDATA[>" : "";
    });
}

void AgregarAtributo(std::string& destino, std::string_view valor) {
    Agregar(destino, valor, "&<\"", [](std::string_view v, std::size_t i) -> std::string_view {
        if (v[i] == '&')
            return "&amp;";
        return v[i] == '<' ? "&lt;" : "&quot;";
    });
}

} // namespace TextoXml
