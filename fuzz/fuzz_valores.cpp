// The value rules. Input: two bytes (high bit set: that many blanks, up to
// 32,767, go in front of the line), then the line; its first five "\n"-cut
// parts are value, type, length, decimals and expression.
#include "fuzz/Invariantes.h"
#include "platform/regex/RegExp.h"
#include "platform/runtime/Numbers.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/TextLines.h"
#include "shell/CFuncGral.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace {

using fuzz::Exigir;

// The count of "|", or error 6 when one stands at character 32,767 or later.
void Separadores(CFuncGral& f, const std::string& linea) {
    const std::size_t ultima = linea.rfind('|');
    const bool desborda =
        ultima != std::string::npos && rt::charLength(linea.substr(0, ultima)) + 1 >= 32767;
    try {
        const long n = f.TotalSeparador(linea);
        Exigir(!desborda, "TotalSeparador no desborda con un | en el carácter 32.767 o después");
        Exigir(n == std::count(linea.begin(), linea.end(), '|'), "TotalSeparador cuenta mal");
    } catch (const rt::RuntimeError& e) {
        Exigir(desborda && e.number() == rt::err::Overflow,
               "TotalSeparador lanza " + std::to_string(e.number()));
    }
}

// The verdict, or the error number it raised (any other exception escapes).
std::optional<bool> Veredicto(auto prueba, int& error) {
    try {
        return prueba();
    } catch (const rt::RuntimeError& e) {
        error = e.number();
        return std::nullopt;
    }
}

void Valor(CFuncGral& f, const std::array<std::string, 5>& p) {
    const std::string& valor = p[0];
    const std::string& tipo = p[1];
    const std::string& longitud = p[2];
    const std::string& decimales = p[3];
    const std::string& expresion = p[4];
    int error = 0;
    const std::optional<bool> v = Veredicto(
        [&] { return f.ValidoValor(valor, tipo, longitud, decimales, expresion); }, error);
    if (!expresion.empty()) {
        // The expression decides alone; one that does not compile raises 5017.
        int errorRx = 0;
        const std::optional<bool> deLaExpresion =
            Veredicto([&] { return rx::RegExp::Test(expresion, valor); }, errorRx);
        Exigir(v == deLaExpresion && error == errorRx,
               "ValidoValor no da el veredicto de la expresión");
        Exigir(v || fuzz::ErrorDeExpresion(error), "la expresión lanza " + std::to_string(error));
        return;
    }
    Exigir(v.has_value(), "ValidoValor sin expresión lanza " + std::to_string(error));
    if (tipo == "C")
        Exigir(*v == (static_cast<double>(rt::charLength(valor)) <= rt::Val(longitud)),
               "un valor C se juzga por otra cosa que su Longitud");
    else if (tipo == "N" && rt::Val(decimales) == 0)
        Exigir(!*v || (!valor.empty() && valor.find_first_of(".,") == std::string::npos),
               "un N entero vacío o con . o , pasa");
    else if (tipo != "N")
        Exigir(*v, "un tipo sin reglas rechaza un valor");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    if (largo < 2)
        return 0;
    static CFuncGral f;
    const unsigned relleno = datos[0] & 0x80 ? ((datos[0] & 0x7F) << 8) | datos[1] : 0;
    const std::string resto(reinterpret_cast<const char*>(datos) + 2, largo - 2);
    Separadores(f, std::string(relleno, ' ') + resto);

    std::array<std::string, 5> partes;
    std::size_t inicio = 0;
    for (std::string& parte : partes) {
        const std::size_t fin = std::min(resto.find('\n', inicio), resto.size());
        if (inicio < resto.size())
            parte = resto.substr(inicio, fin - inicio);
        inicio = fin + 1;
    }
    // Short values with an expression, so that no pattern can backtrack for long.
    if (!partes[4].empty() && partes[0].size() > 64)
        partes[0].resize(64);
    Valor(f, partes);
    return 0;
}
