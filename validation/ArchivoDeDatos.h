#pragma once
// A data file (flat or vista) read through a numbered file: opened after
// closing whatever that number held, a byte-order mark at its start left
// out, and read as bounded data lines.
#include "platform/runtime/TextLines.h"

#include <string>

namespace ArchivoDeDatos {

void Abrir(const std::string& ruta, int numero);
// The next line; like LineInput, 52 when the number is closed and 62 past the end.
void Leer(int numero, rt::DataLine& linea);

} // namespace ArchivoDeDatos
