#pragma once
// Packs the text of a user's XML document into the fixed-length records of
// the record file: blank lines are skipped, the others joined without their
// line ends and cut every 498 bytes, control characters turned into blanks,
// the last record filled up with blanks. The bytes pass unchanged otherwise.
// A line is read in blocks as it is packed, so no line is ever held whole,
// and a line of text is read no further than the record limit.
#include "platform/runtime/Numbers.h"
#include "processing/LineasEnBloques.h"
#include "processing/VentanaArchivoFinal.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

class EmpaquetadorXml {
public:
    explicit EmpaquetadorXml(VentanaArchivoFinal& ventana) : ventana_(ventana) {}

    // The records' text as it is written, without the blanks that fill up
    // the last record.
    using Copia = std::function<void(std::string_view)>;

    // Reads pNombreArchivo and appends the records to the temporary folder's
    // fileTitle as file 3, handing their text to copia too. Run-time errors
    // go to the caller and may leave file 3 open.
    void Empaquetar(const std::string& pNombreArchivo, const std::string& fileTitle,
                    Copia copia = {});

    // The same packing of pNombreArchivo, writing no record and no status:
    // only the text goes to copia. Safe on a thread of its own; once detener
    // is asked to stop, the next block read throws LineasEnBloques::Detenida.
    void Copiar(const std::string& pNombreArchivo, Copia copia, std::stop_token detener = {});

    // Records written by the last packing, the final one included.
    long long v_TotalLineasXml() const { return totalLineasXml_; }

    // Writes every complete block of the pending text; with last, the one
    // record that is left and nothing more.
    void GrabarBloquesXml(const bool& last);

    // Every byte below 32 becomes a blank.
    static std::string LimpiarCadena(std::string_view s);

    // Empty or blanks (code 32) only: the packing skips such a line.
    static bool EnBlanco(LineasEnBloques& entrada, const LineasEnBloques::Linea& linea);

    static constexpr std::size_t kLargoBloque = 498;
    // The text of the most records a run may write.
    static constexpr std::uint64_t kLimiteTexto = std::uint64_t{32767} * kLargoBloque;

private:
    void AgregarLinea(LineasEnBloques& entrada, const LineasEnBloques::Linea& linea);
    // Writes the complete blocks, opening the record file for the first one;
    // it stays open until CerrarRegistros, so a line opens it once.
    void EscribirBloques(bool last);
    void CerrarRegistros();
    // relleno: the blanks at the end that only fill the record up.
    void GrabarRegistro(std::string_view bloque, std::size_t relleno);
    void Estado(const std::string& texto);

    VentanaArchivoFinal& ventana_;
    std::string fileTitle_;
    Copia copia_;
    bool grabar_ = true;
    std::stop_token detener_;
    // Text read and not yet written: fewer than 498 bytes between two blocks
    // of a line.
    std::string v_cadena;
    bool registrosAbiertos_ = false;
    long long totalLineasXml_ = 0;
    rt::Int16 v_Linea;
    rt::Int16 v_tot_lineas;
};
