#pragma once
// The receiving office's side of a submission file: opens what the encryption
// library wrote with the office's test secret key (its public key is built
// into the stand-in library). The only place that reads the file's format;
// the tool nuro_abrir and every test that opens a submission file use it.
#include <iosfwd>
#include <string>

namespace prueba {

// The opened bytes; std::runtime_error when the text does not open whole.
void abrirEntrega(std::istream& base64, std::ostream& claro);
std::string abrirEntrega(const std::string& base64);
// Opens the submission file at entrada into the file salida. The bytes go to a
// fresh name beside salida, renamed over it only once the whole file has
// opened: a failure (std::runtime_error) leaves no output, and whatever stood
// at salida before as it was.
void abrirArchivo(const std::string& entrada, const std::string& salida);

} // namespace prueba
