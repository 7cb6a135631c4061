#pragma once
// The reason of a libxml2 error in Spanish, from one table of texts by error
// code; where the code has no text, or the error lacks a fact its text names,
// the parser's own text inside a Spanish sentence.
#include "platform/xml/HechosError.h"

#include <string>

namespace xml {

std::string razonEnEspanol(const HechosError& hechos);

} // namespace xml
