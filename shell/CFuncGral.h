#pragma once
// The shared function class: value rules, separator counting, file joining,
// control number, output name, and the opening of the reference database.
// Its operations catch no errors (AbriBase excepted): run-time errors go to
// the caller.
#include "platform/runtime/FileSystem.h"

#include <cstdint>
#include <string>
#include <string_view>

class CFuncGral {
public:
    // Appends the lines of pXml to pCabecera (files 6 and 5, one yield per
    // line), then deletes tmp + "/" + pArchivo.
    void Join(const std::string& pXml, const std::string& pCabecera, const std::string& pArchivo);
    // Six digits, "0" + five: the control-number library's result read unsigned.
    std::string GenerarNroMagico(const std::string& pCuit, const rt::DateTime& pfechaHora);
    // Cuts the path in place after the first ".b64" of its file name and one
    // more character; returns the name after the last "/".
    std::string NombreArchivoFinal(std::string& pNombreArchivoSalida);
    // Opens the reference database into BaseDatos, with the read-only fix on
    // error 3051; shows "Base de Datos BDNuro.mdb Corrupta" on any other failure.
    void AbriBase();
    // Number of "|" in the line (16-bit: error 6 at position 32,767 or later).
    std::int16_t TotalSeparador(std::string_view pCadena);
    bool ValidoValor(std::string_view pValor, std::string_view pTipo, std::string_view pLongitud,
                     std::string_view pDecimales, std::string_view pExpresionRegular);
    // ValidoValor with the length and the decimals already read with Val, for
    // callers that check many values against the same field.
    bool ValidoValorLeido(std::string_view pValor, std::string_view pTipo, double longitud,
                          double decimales, std::string_view pExpresionRegular);

private:
    bool ExcedeParteEntera(std::string_view valor, double maximo);
    bool ExcedeParteDecimal(std::string_view valor, double maximo);
};
