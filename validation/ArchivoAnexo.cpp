#include "validation/ArchivoAnexo.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/SystemError.h"

#include <cerrno>
#include <unistd.h>

namespace {

constexpr std::size_t kTamanoBuffer = 1 << 18;

} // namespace

ArchivoAnexo::ArchivoAnexo(const std::string& ruta) {
    // Opened once per run: the file is the run's own from its first line.
    fd_ = rt::createFresh(ruta);
    pendiente_.reserve(kTamanoBuffer);
}

ArchivoAnexo::~ArchivoAnexo() {
    if (fd_ < 0)
        return;
    try {
        Vaciar();
    } catch (...) {
        // A run that already failed keeps its own error.
    }
    ::close(fd_);
}

void ArchivoAnexo::Escribir(std::string_view texto) {
    if (fd_ < 0)
        rt::raise(rt::err::BadFileNumber);
    if (pendiente_.size() + texto.size() > kTamanoBuffer)
        Vaciar();
    if (texto.size() >= kTamanoBuffer) {
        pendiente_.assign(texto);
        Vaciar();
        return;
    }
    pendiente_.append(texto);
}

void ArchivoAnexo::EscribirLinea(std::string_view texto) {
    Escribir(texto);
    Escribir("\r\n");
}

void ArchivoAnexo::Cerrar() {
    if (fd_ < 0)
        return;
    const int fd = fd_;
    try {
        Vaciar();
    } catch (...) {
        fd_ = -1;
        ::close(fd);
        throw;
    }
    fd_ = -1;
    if (::close(fd) != 0)
        rt::raiseWriteError(errno);
}

void ArchivoAnexo::Vaciar() {
    std::size_t hecho = 0;
    while (hecho < pendiente_.size()) {
        const ssize_t n = ::write(fd_, pendiente_.data() + hecho, pendiente_.size() - hecho);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int e = errno;
            pendiente_.clear();
            rt::raiseWriteError(e);
        }
        hecho += static_cast<std::size_t>(n);
    }
    pendiente_.clear();
}
