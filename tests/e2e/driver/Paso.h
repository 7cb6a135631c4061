#pragma once
// One line of a driver script: the verb and the rest of the line.
#include <string>

struct Paso {
    int linea = 0;         // line number in the script, from 1
    std::string verbo;     // "menu", "press", ...
    std::string argumento; // the rest of the line, blanks around removed
    std::string texto;     // the line as written, for the echo

    // Steps that act on the window in front and wait until it has settled.
    bool actuaEnVentana() const;
};
