#pragma once
// The start tag the parser was reading when it stopped: its element and, when
// it stopped inside an attribute's value, that attribute, both by local name.
// The parser keeps a start tag's text from its "<" until the tag is done, so
// what it has read ends inside that tag.
#include <optional>
#include <string>
#include <string_view>

namespace xml {

struct EtiquetaEnCurso {
    std::string elemento;
    std::string atributo; // empty when not inside a value

    // `leido` is the parser's input up to where it stopped; none when it
    // does not end inside a start tag.
    static std::optional<EtiquetaEnCurso> de(std::string_view leido);
};

} // namespace xml
