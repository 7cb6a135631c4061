#pragma once
// Loading of a form version's field structure from the reference database
// into the field matrix (11 columns) and the record-type index (3 columns).
// Shared by the flat and the vista validators.
#include "platform/database/Database.h"
#include "validation/TablaTexto.h"

#include <string>

namespace CargaEstructuras {

std::string ConsultaIndicador(const std::string& formulario, const std::string& version);
std::string ConsultaCampos(const std::string& formulario, const std::string& version);

// IndSinPuntoDecimal of the current row: "" when Null, else upper-cased.
std::string LeerIndicador(const db::RecordSet& reg);

// Adds one field-matrix row from the current row of the Estructuras query.
// A Null where the field needs a value is error 94.
void AgregarCampo(const db::RecordSet& reg, TablaTexto& vEstructura);

// Reads the Estructuras query from its current row to its end: one matrix row
// per query row and one index row per run of rows of the same record type
// (exact comparison). Column 2 of the index, the type's first matrix row, is
// filled only when conPrimeraFila is set. Counts and row numbers are 16-bit
// (error 6 beyond 32767); an empty query is error 3021.
void CargarCampos(db::RecordSet& reg, TablaTexto& vEstructura, TablaTexto& vTipos,
                  bool conPrimeraFila);

} // namespace CargaEstructuras
