#pragma once
// Packs the text of a user's XML document into the fixed-length records of
// the record file: blank lines are skipped, the others joined without their
// line ends and cut every 498 bytes, control characters turned into blanks,
// the last record filled up with blanks. The bytes pass unchanged otherwise.
#include "platform/runtime/Numbers.h"
#include "processing/VentanaArchivoFinal.h"

#include <cstddef>
#include <string>
#include <string_view>

class EmpaquetadorXml {
public:
    explicit EmpaquetadorXml(VentanaArchivoFinal& ventana) : ventana_(ventana) {}

    // Reads pNombreArchivo as file 1 and appends the records to the temporary
    // folder's fileTitle as file 3. Run-time errors go to the caller and may
    // leave files 1 and 3 open.
    void Empaquetar(const std::string& pNombreArchivo, const std::string& fileTitle);

    // Records written by the last packing, the final one included.
    long long v_TotalLineasXml() const { return totalLineasXml_; }

    // Writes every complete block of the pending text; with last, the one
    // record that is left and nothing more.
    void GrabarBloquesXml(const bool& last);

    // Every byte below 32 becomes a blank.
    static std::string LimpiarCadena(std::string_view s);

    static constexpr std::size_t kLargoBloque = 498;

private:
    void AgregarLinea(const std::string& linea);
    void GrabarRegistro(std::string_view bloque);
    void Estado(const std::string& texto);
    static bool EnBlanco(std::string_view linea);

    VentanaArchivoFinal& ventana_;
    std::string fileTitle_;
    // Text read and not yet written; the bytes before inicio_ are already
    // written, so a long line is cut without moving its rest for each block.
    std::string v_cadena;
    std::size_t inicio_ = 0;
    long long totalLineasXml_ = 0;
    rt::Int16 v_Linea;
    rt::Int16 v_tot_lineas;
};
