#pragma once
// One run of the flat-file validator on fuzzed bytes, as the processing
// window makes it, on a throwaway drive holding the sample forms and the
// tests' forms; then the invariants on what the run left behind.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace fuzz {

struct Forma {
    const char* codigo;
    const char* version;
    const char* tipo; // the input type letter, as the form list gives it
};

// Validates the bytes as a data file of the form and checks: no numbered file
// is left open; every record is "02" + 498 bytes + CR LF; the records' text
// is the XML work file's text, up to the blanks after the document end; a
// vista file's converted lines pass the flat record checks (type, "|" count).
// An accepted document is well-formed and carries every value as text.
void Validar(const std::string& bytes, const Forma& forma);
// The fuzzer's input: the first byte picks the form, the rest is the data file.
int ValidarEntrada(const std::uint8_t* datos, std::size_t largo, std::span<const Forma> formas);

} // namespace fuzz
