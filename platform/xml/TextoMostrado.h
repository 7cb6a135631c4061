#pragma once
// How a reason shows a value or a name taken from the document.
#include <cstddef>
#include <string>
#include <string_view>

namespace xml {

// A value or name as a reason shows it: one line, its start when longer than
// maximo characters, bidirectional controls made visible.
std::string mostrado(std::string_view texto, std::size_t maximo = 60);
// Bidirectional controls, which would reorder the text around them, written
// as visible escapes ("[U+202E]"); everything else unchanged.
std::string controlesVisibles(std::string_view texto);

} // namespace xml
