#pragma once
// What the packing of the XML road makes of a document, as its bytes show it.
// The packing joins the kept lines with nothing between them and makes blanks
// of the bytes below 32, so it would change a document written two or four
// bytes a character (UTF-16, UTF-32) or in an encoding whose bytes below 128
// are not ASCII: such a document is refused at once. Where a line break
// separates two pieces of text that the join would glue into one (an
// attribute or a value cut across lines), a text for the user is kept, to
// be shown if the packed document does not read the same. Texts name the
// line as an editor counts it. The file is read in blocks.
#include "platform/runtime/LineCounter.h"
#include "processing/LineasEnBloques.h"

#include <cstdint>
#include <string>
#include <string_view>

class ControlEmpaquetado {
public:
    // False with Error set when the document cannot be packed at all.
    bool Revisar(const std::string& ruta);
    const std::string& Error() const { return error_; }
    // After Revisar: the first place where the join would glue two pieces of
    // text, as a text for the user; empty when there is none.
    const std::string& Aviso() const { return aviso_; }

private:
    // False for a byte-order mark or an encoding declaration of UTF-16 or
    // UTF-32; notes the line of the encoding declaration.
    bool CodificacionAceptable(std::string_view inicio);
    // Reads one line: its NUL bytes (false) and its join with the previous
    // kept line.
    bool RevisarLinea(LineasEnBloques& entrada, const LineasEnBloques::Linea& linea);
    bool Rechazar(std::string texto);

    std::string error_;
    std::string aviso_;
    std::uint64_t lineaEncoding_ = 1;
    // Editor line at which the current position lies.
    rt::LineCounter editor_;
    bool hayAnterior_ = false;
    unsigned char ultimoAnterior_ = 0;
    std::uint64_t lineaAnterior_ = 0;
};
