#pragma once
// One row of a field matrix, read once when the structure is loaded so that
// the values of every line are checked without reading the row's texts
// again: the stored texts (for the messages and the document) and what the
// rules take from them (numbers read with Val, type, flags).
#include "validation/TablaTexto.h"

#include <string>

struct CampoRegla {
    // The rules chosen by the type letter compared exactly.
    enum class Clase { Texto, NumeroOFecha, Identidad, SinReglas };

    CampoRegla(const TablaTexto& vEstructura, int fila);

    std::string tipoRegistro;
    std::string nombre;   // as stored: the attribute name
    std::string elemento; // trimmed: the element name
    std::string descripcion;
    std::string tipo;
    std::string tipoRecortado;
    std::string longitud;
    std::string minimo;
    std::string maximo;
    std::string expresion;
    Clase clase;
    double valorLongitud;
    double valorDecimales;
    double valorMinimo;
    double valorMaximo;
    bool obligatorio; // "S" exactly
    bool ilimitado;   // maximum "unbounded" in any case
    bool atributo;    // "S" in any case
    bool cuit;        // a text field named CUIT in any case
    bool seccion;     // its element holds a character-data section
    // The element's tags around the value, the section's marks included.
    std::string apertura;
    std::string cierre;
};
