#pragma once
// A submission file as the receiving office reads it once it has opened the
// seal: the head line, the header record and the payload records.
#include <string>
#include <vector>

namespace e2e {

class ArchivoEntrega {
public:
    // The opened text; every line must end in CR LF.
    explicit ArchivoEntrega(const std::string& claro);

    const std::string& head() const { return lineas_.at(0); }
    const std::string& registro01() const { return lineas_.at(1); }
    std::vector<std::string> registros02() const;
    // The records' 498-character texts one after the other, with the blanks
    // that fill up the last one removed.
    std::string documento() const;
    bool lineasConCrLf() const { return conCrLf_; }

private:
    std::vector<std::string> lineas_;
    bool conCrLf_ = true;
};

// A document's text without the blanks, tabs and line ends at its end.
std::string sinBlancosFinales(std::string texto);

// What the XML road packs of a file: lines that are empty or only blanks
// dropped, the others joined without their CR LF or CR ends, every
// character below code 32 turned into a blank.
std::string textoEmpaquetado(const std::string& archivo);

} // namespace e2e
