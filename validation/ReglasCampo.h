#pragma once
// The rules a field value must meet according to the type letter of its row
// in the field matrix (text "C", number "N", date "D", identity number "X"),
// each with its message. Shared by the flat and the vista validators; the
// CUIT comparison of a flat record depends on the whole line and stays with
// the flat validator.
#include "validation/CampoRegla.h"

#include <string>
#include <string_view>

namespace ReglasCampo {

// The message of the first rule the value breaks; "" when it meets them all
// (every message holds fixed text, so "" never stands for a failure).
// Any other type letter, lower case included, has no rules.
std::string Verificar(const CampoRegla& campo, std::string_view valor);

// Identity numbers: eleven digits, or DNI/PAS/CI/LE/LC followed by a number.
bool IdentidadBienFormada(std::string_view valor);

} // namespace ReglasCampo
