#pragma once
// The submission sequence that ends a processing run: head line and header
// record in front of the record file, encryption, and the copy into the
// output folder. Run-time errors go to the calling window's error handler.
#include "platform/database/Database.h"
#include "processing/DatosArchivoFinal.h"
#include "processing/VentanaArchivoFinal.h"

#include <memory>
#include <string>

// reg receives the record set of the form's row, for the window to release.
// vNroMagico receives the control number as soon as it is formed, so the
// window's clean-up can name the header file even after an error.
// vArchivoEncriptado names the encrypted file while it waits outside
// Procesados for its copy, and is emptied once the copy has replaced it: after
// a failed copy the window's clean-up deletes it.
void ArmarArchivoFinal(VentanaArchivoFinal& ventana, std::unique_ptr<db::RecordSet>& reg,
                       const DatosArchivoFinal& datos, std::string& vNroMagico,
                       std::string& vArchivoEncriptado);
