#pragma once
// The temporary folder, where a run writes its record file under the chosen
// file's own name: a data file chosen from there would be deleted or
// overwritten by the run, so the windows refuse it.
#include <string>

class CarpetaTemporal {
public:
    // Whether the file lies directly in the temporary folder (links resolved).
    static bool Contiene(const std::string& archivo);
    // The box that refuses such a file.
    static std::string MensajeRechazo();
};
