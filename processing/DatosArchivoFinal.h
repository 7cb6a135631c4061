#pragma once
// The values of one run that the window hands to the submission sequence.
#include "platform/runtime/FileSystem.h"

#include <string>

struct DatosArchivoFinal {
    long long registros = 0; // record lines in the record file
    std::string cuit;
    rt::DateTime fechaArchivo; // the chosen data file's modification time
    std::string codformulario; // from the form list's entry
    std::string version;
    std::string sqlFormulario; // the query for the form's row of Formularios
    std::string fileTitle;     // the chosen file's name without its folder
};
