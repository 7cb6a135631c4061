#pragma once
// Whether the packing of the XML road keeps a document as it is. The packing
// joins the kept lines with nothing between them and makes blanks of the
// bytes below 32, so it would change a document written two or four bytes a
// character (UTF-16, UTF-32), and one where a line break separates two pieces
// of text that the join would glue into one (an attribute or a value cut
// across lines). Such a document is refused with a text for the user, naming
// the line as an editor counts it. The file is read in blocks.
#include "processing/LineasEnBloques.h"

#include <cstdint>
#include <string>
#include <string_view>

class ControlEmpaquetado {
public:
    // True when the packing keeps the document; false with Error set.
    bool Revisar(const std::string& ruta);
    const std::string& Error() const { return error_; }

private:
    // False for a byte-order mark or an encoding declaration of UTF-16 or
    // UTF-32.
    bool CodificacionAceptable(std::string_view inicio);
    // Reads one line: its NUL bytes and its join with the previous kept line;
    // false when refused.
    bool RevisarLinea(LineasEnBloques& entrada, const LineasEnBloques::Linea& linea);
    bool Rechazar(std::string texto);

    std::string error_;
    // Editor line at which the current position lies (CR LF, CR and LF each
    // end one).
    std::uint64_t lineaEditor_ = 1;
    bool hayAnterior_ = false;
    unsigned char ultimoAnterior_ = 0;
    std::uint64_t lineaAnterior_ = 0;
};
