#pragma once
// A value carried into the document as text, whatever characters it holds:
// escaped for element content, for a character-data section or for an
// attribute value between double quotes. A value without the characters
// that need it is appended unchanged.
#include <string>
#include <string_view>

namespace TextoXml {

// "&" and "<", and the ">" of a "]]>".
void AgregarContenido(std::string& destino, std::string_view valor);
// Inside <![CDATA[ ... ]]>: a "]]>" is split across two sections.
void AgregarSeccion(std::string& destino, std::string_view valor);
// "&", "<" and the double quote.
void AgregarAtributo(std::string& destino, std::string_view valor);

} // namespace TextoXml
