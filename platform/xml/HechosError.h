#pragma once
// What one libxml2 error says, gathered for a reason in the user's language:
// the names and values it is about, read from the error's arguments, from the
// parser's state at the time of the error, and from its message only where
// the arguments lack them.
#include <libxml/xmlerror.h>

#include <optional>
#include <string>
#include <vector>

namespace xml {

// Which of the texts of one error code applies.
enum class Caso {
    Unico,
    ConLista,          // a list of allowed values or expected elements is known
    FaltanHijos,       // child elements missing, not an unexpected one
    FinTemprano,       // the document ends with an element still open
    SinRaiz,           // the document ends before any element
    DespuesDeRaiz,     // something follows the root element
    Codificacion,      // bytes left that the declared encoding cannot read
    NoUtf8,            // bytes that are not UTF-8
    CaracterConCodigo, // a character not allowed, whose code is known
    Ampersand,         // an "&" that starts no reference
    MenorQue,          // a "<" that starts no tag
    Apertura,          // a start tag not ended, or with an attribute written wrong
    Declaracion,       // a fault inside the XML declaration
    Ilegible,          // the declared encoding cannot read the declaration itself
    Enorme,            // a text, comment, value or piece of markup past the parser's limit
    Instruccion,       // a processing instruction without a blank after its name
    Otro               // a text of this code that has no translation
};

struct HechosError {
    int codigo = 0;
    Caso caso = Caso::Unico;
    long linea = 0;
    std::string elemento; // local names, without namespace
    std::string atributo;
    std::optional<std::string> valor; // none when the error gives none
    std::string largo;                // characters of a value too short or too long
    std::string limite;
    std::string cierre;     // the end tag's name of a tag mismatch
    long lineaApertura = 0; // the start tag's line of a tag mismatch
    std::string entidad;
    std::string prefijo; // a namespace prefix never declared
    std::string codificacion;
    std::string bytes;    // the first byte at fault, as 0xNN
    std::string caracter; // U+NNNN
    std::vector<std::string> lista;
    std::string mensaje; // the parser's own text, for an error without a translation
};

HechosError hechosDe(const xmlError& error);

} // namespace xml
