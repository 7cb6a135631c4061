#pragma once
// The temporary folder, where a run writes its record file under the chosen
// file's own name: a data file chosen from there would be deleted or
// overwritten by the run, and so would one whose name is that of another work
// file of the run, so the windows refuse both.
#include <string>

class CarpetaTemporal {
public:
    // Whether the file lies directly in the temporary folder (links resolved).
    static bool Contiene(const std::string& archivo);
    // The box that refuses such a file.
    static std::string MensajeRechazo();
    // Whether the file's title is the name of the flat road's XML work file,
    // vista conversion or header file for this form. Names differing in case
    // are other files.
    static bool NombraArchivoDeTrabajo(const std::string& archivo, const std::string& formulario,
                                       const std::string& version);
    // The box that refuses such a name.
    static std::string MensajeNombreDeTrabajo(const std::string& archivo);
};
