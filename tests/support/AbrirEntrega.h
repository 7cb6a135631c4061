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

} // namespace prueba
