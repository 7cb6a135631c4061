#include "platform/xml/TextoMostrado.h"

#include "platform/runtime/TextLines.h"

#include <cstdio>

namespace xml {

namespace {

// The code point of a bidirectional control at the start of s (U+061C,
// U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069), else 0.
unsigned controlBidi(std::string_view s) {
    const auto b = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    if (s.size() >= 2 && b(0) == 0xD8 && b(1) == 0x9C)
        return 0x061C;
    if (s.size() < 3 || b(0) != 0xE2 || (b(1) != 0x80 && b(1) != 0x81))
        return 0;
    const unsigned c = 0x2000 + ((b(1) & 0x3Fu) << 6) + (b(2) & 0x3Fu);
    const bool control =
        c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return control ? c : 0;
}

} // namespace

std::string controlesVisibles(std::string_view texto) {
    std::string s;
    s.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size();) {
        if (const unsigned c = controlBidi(texto.substr(i))) {
            char visible[16];
            std::snprintf(visible, sizeof visible, "[U+%04X]", c);
            s += visible;
            i += c == 0x061C ? 2 : 3;
        } else {
            s += texto[i++];
        }
    }
    return s;
}

std::string mostrado(std::string_view texto, std::size_t maximo) {
    std::string s =
        rt::charLength(texto) > maximo ? rt::left(texto, maximo - 1) + "…" : std::string(texto);
    for (char& c : s)
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    return controlesVisibles(s);
}

} // namespace xml
