#include "platform/xml/LectorSaltos.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace xml {

int LectorSaltos::leer(void* context, char* buffer, int len) {
    return static_cast<int>(
        static_cast<LectorSaltos*>(context)->leer(buffer, static_cast<std::size_t>(len)));
}

ssize_t LectorSaltos::leerCrudo(char* buffer, std::size_t len) {
    ssize_t n;
    do
        n = ::read(fd_, buffer, len);
    while (n < 0 && errno == EINTR);
    return n;
}

ssize_t LectorSaltos::leer(char* buffer, std::size_t len) {
    if (len == 0)
        return 0;
    std::size_t n = 0;
    if (siguiente_ >= 0) {
        buffer[n++] = static_cast<char>(siguiente_);
        siguiente_ = -1;
    }
    const ssize_t leidos = leerCrudo(buffer + n, len - n);
    if (leidos < 0 && n == 0)
        return -1;
    n += leidos > 0 ? static_cast<std::size_t>(leidos) : 0;
    if (unificar_)
        unificar(buffer, n);
    return static_cast<ssize_t>(n);
}

// A CR at the end of the buffer needs the next byte, which waits for the
// next call.
void LectorSaltos::unificar(char* buffer, std::size_t n) {
    for (char* p = buffer; (p = static_cast<char*>(std::memchr(p, '\r', buffer + n - p))); ++p) {
        if (p + 1 < buffer + n) {
            if (p[1] != '\n')
                *p = '\n';
            continue;
        }
        char proximo;
        if (leerCrudo(&proximo, 1) == 1) {
            siguiente_ = static_cast<unsigned char>(proximo);
            if (proximo != '\n')
                *p = '\n';
        } else {
            *p = '\n';
        }
    }
}

} // namespace xml
