#pragma once
// The text of a form-list entry and the rule that reads the form code, the
// version and the input type back from it.
#include "platform/database/Database.h"

#include <string>

class EntradaFormulario {
public:
    // Form code + "/" + version + " -> " + description; with conTipo, 60 blanks
    // and the input type letter as stored follow. A Null column adds nothing.
    static std::string Armar(const db::RecordSet& reg, bool conTipo);

    static std::string Formulario(const std::string& entrada);  // characters 1-4
    static std::string Version(const std::string& entrada);     // characters 6-10
    static std::string TipoArchivo(const std::string& entrada); // the last character
};
