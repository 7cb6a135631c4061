#pragma once
// Reads a file for the parser, each lone CR handed over as a LF. libxml2
// reads CR LF and a lone CR as a LF but counts as a line end only the LF
// byte, so in a file whose lines end in CR alone every line it names would be
// 1. To the parser a lone CR and a LF are the same character: the document
// read is the same, and its lines are those of rt::LineCounter. Only for a
// file whose CR and LF bytes are always those characters (an encoding that
// keeps ASCII); otherwise the bytes pass unchanged.
#include <cstddef>
#include <sys/types.h>

namespace xml {

class LectorSaltos {
public:
    LectorSaltos(int fd, bool unificar) : fd_(fd), unificar_(unificar) {}

    // Like read(2): at most len bytes, 0 at the end, -1 on an error.
    ssize_t leer(char* buffer, std::size_t len);
    // libxml2's input callback: context is a LectorSaltos.
    static int leer(void* context, char* buffer, int len);

private:
    ssize_t leerCrudo(char* buffer, std::size_t len);
    void unificar(char* buffer, std::size_t n);

    int fd_;
    bool unificar_;
    int siguiente_ = -1; // a byte read ahead past a CR, not yet handed over
};

} // namespace xml
