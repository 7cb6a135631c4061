// Any text as a pattern: it compiles or raises 5017 (and a search beyond the
// engine's limits raises 7), never a crash or a hang.
// Input: one byte n, then a value of n % 65 bytes (short, so that no pattern
// can backtrack for long), then the pattern.
#include "fuzz/Invariantes.h"
#include "platform/regex/RegExp.h"
#include "platform/runtime/RuntimeError.h"

#include <algorithm>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    if (largo == 0)
        return 0;
    const char* texto = reinterpret_cast<const char*>(datos) + 1;
    const std::size_t n = std::min<std::size_t>(datos[0] % 65, largo - 1);
    const std::string valor(texto, n);
    const rx::RegExp expresion(std::string_view(texto + n, largo - 1 - n));
    try {
        const bool primera = expresion.Test(valor);
        fuzz::Exigir(expresion.Test(valor) == primera, "dos pruebas iguales dan otro veredicto");
    } catch (const rt::RuntimeError& e) {
        fuzz::Exigir(fuzz::ErrorDeExpresion(e.number()),
                     "el patrón lanza " + std::to_string(e.number()));
    }
    return 0;
}
