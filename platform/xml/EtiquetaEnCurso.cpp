#include "platform/xml/EtiquetaEnCurso.h"

namespace xml {

namespace {

constexpr std::string_view kBlancos = " \t\r\n";

std::size_t saltarBlancos(std::string_view s, std::size_t p) {
    const std::size_t q = s.find_first_not_of(kBlancos, p);
    return q == std::string_view::npos ? s.size() : q;
}

// The name starting at p, up to any of `fin`; p moves past it.
std::string_view nombre(std::string_view s, std::size_t& p, std::string_view fin) {
    const std::size_t q = std::min(s.find_first_of(fin, p), s.size());
    const std::string_view n = s.substr(p, q - p);
    p = q;
    return n;
}

std::string local(std::string_view qname) {
    const std::size_t dosPuntos = qname.rfind(':');
    return std::string(dosPuntos == std::string_view::npos ? qname : qname.substr(dosPuntos + 1));
}

} // namespace

std::optional<EtiquetaEnCurso> EtiquetaEnCurso::de(std::string_view leido) {
    const std::size_t abre = leido.rfind('<');
    if (abre == std::string_view::npos)
        return std::nullopt;
    // The tag without its "<": name, then name="value" pairs.
    const std::string_view s = leido.substr(abre + 1);
    std::size_t p = 0;
    const std::string_view elemento = nombre(s, p, " \t\r\n/>");
    // An end tag, a comment or a declaration is no start tag.
    if (elemento.empty() || elemento.find_first_of("/!?") != std::string_view::npos)
        return std::nullopt;
    EtiquetaEnCurso etiqueta{local(elemento), {}};
    for (;;) {
        p = saltarBlancos(s, p);
        const std::string_view atributo = nombre(s, p, " \t\r\n=/>");
        p = saltarBlancos(s, p);
        if (atributo.empty() || p >= s.size() || s[p] != '=')
            return etiqueta;
        p = saltarBlancos(s, p + 1);
        if (p >= s.size() || (s[p] != '"' && s[p] != '\''))
            return etiqueta;
        const std::size_t cierra = s.find(s[p], p + 1);
        if (cierra == std::string_view::npos) {
            etiqueta.atributo = local(atributo);
            return etiqueta;
        }
        p = cierra + 1;
    }
}

} // namespace xml
