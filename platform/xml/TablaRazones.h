#pragma once
// The reason of a libxml2 error in Spanish, from one table of texts by error
// code; none when the code has no text or the error lacks a fact its text
// names (the caller then shows the parser's own).
#include "platform/xml/HechosError.h"

#include <optional>
#include <string>

namespace xml {

std::optional<std::string> razonEnEspanol(const HechosError& hechos);

} // namespace xml
