#pragma once
// The field reader of the validators over one line: each value runs from the
// read position up to its "|" (or the end of the line), with characters
// below code 32 read as blanks. Values are views into the line, or into a
// copy with blanks made only for a line that holds such characters. The read
// position counts characters from 1 in 16 bits (error 6 beyond 32767); it is
// counted only for a line long enough to get there.
#include "platform/runtime/Numbers.h"

#include <cstddef>
#include <string>
#include <string_view>

class LectorCampos {
public:
    // The line must outlive the values read from it.
    void Preparar(std::string_view linea, std::size_t caracteres);
    // Before the character at this 1-based position.
    void Posicionar(int posicion);
    std::string_view ObtenerCampo();
    // The position is past the line's end.
    bool AlFinal() const { return byte_ >= valores_.size(); }
    // The line is long enough for the read position to be counted.
    bool CuentaPosiciones() const { return contar_; }

private:
    std::string_view valores_;
    std::string copia_;
    rt::Int16 posicion_;
    std::size_t byte_ = 0;
    bool contar_ = false;
};
