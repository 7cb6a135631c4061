#pragma once
// The character encoding a document declares, and whether it is one in which
// every byte below 128 is that ASCII character (UTF-8, US-ASCII, ISO-8859-n,
// windows-125n), under any name the parser knows it by. The packing of the
// XML road works on bytes, so it keeps only documents in such an encoding.
#include <optional>
#include <string>
#include <string_view>

namespace xml {

class Codificacion {
public:
    // The encoding named in the document's declaration, as written; empty
    // when it names none or the file does not start as a document.
    static std::string declarada(const std::string& path);
    // Whether the parser reads a document declaring nombre as one of those
    // encodings: its decoder must give every byte the character that one of
    // them gives it. The empty name (nothing declared) is UTF-8.
    static bool compatible(const std::string& nombre);
    // Whether the parser's decoder for nombre reads every byte below 128 as
    // that ASCII character, so that CR and LF are those bytes wherever they
    // stand. The empty name (nothing declared) is UTF-8.
    static bool conservaAscii(const std::string& nombre);
    // The line (CR, LF and CR LF each end one) on which the decoder named
    // nombre first refuses the file's bytes, as the parser reads them; 0 when
    // it refuses none or the file or the decoder is missing.
    static long lineaRefusada(const std::string& path, const std::string& nombre);
    // The bytes read by the parser's decoder for nombre, as UTF-8; none when
    // it knows no such decoder or refuses them.
    static std::optional<std::string> texto(const std::string& nombre, std::string_view bytes);
};

} // namespace xml
