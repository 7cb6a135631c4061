#include "processing/LineasEnBloques.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

LineasEnBloques::LineasEnBloques(const std::string& ruta)
    : fd_(::open(ruta.c_str(), O_RDONLY | O_CLOEXEC)), buf_(kBloque, '\0') {
    if (fd_ < 0)
        rt::raiseFileError(errno, true);
}

LineasEnBloques::~LineasEnBloques() {
    ::close(fd_);
}

bool LineasEnBloques::Siguiente(Linea& linea) {
    std::uint64_t pos = siguiente_;
    std::string_view bloque = Bloque(pos);
    if (bloque.empty())
        return false;
    linea.inicio = pos;
    for (; !bloque.empty(); bloque = Bloque(pos)) {
        const void* cr = std::memchr(bloque.data(), '\r', bloque.size());
        if (cr) {
            linea.fin =
                pos + static_cast<std::size_t>(static_cast<const char*>(cr) - bloque.data());
            siguiente_ = linea.fin + 1;
            const std::string_view despues = Bloque(siguiente_);
            if (!despues.empty() && despues.front() == '\n')
                ++siguiente_;
            return true;
        }
        pos += bloque.size();
    }
    linea.fin = siguiente_ = pos;
    return true;
}

std::string_view LineasEnBloques::Leer(std::uint64_t desde, std::uint64_t hasta,
                                       std::size_t maximo) {
    if (desde >= hasta)
        return {};
    const std::string_view bloque = Bloque(desde);
    return bloque.substr(0, static_cast<std::size_t>(
                                std::min<std::uint64_t>({bloque.size(), maximo, hasta - desde})));
}

std::string_view LineasEnBloques::Bloque(std::uint64_t desde) {
    if (desde < bufInicio_ || desde >= bufInicio_ + bufLargo_) {
        ssize_t n;
        do {
            n = ::pread(fd_, buf_.data(), kBloque, static_cast<off_t>(desde));
        } while (n < 0 && errno == EINTR);
        if (n < 0)
            rt::raise(rt::err::DeviceIoError);
        bufInicio_ = desde;
        bufLargo_ = static_cast<std::size_t>(n);
    }
    const std::size_t desplazamiento = static_cast<std::size_t>(desde - bufInicio_);
    return std::string_view(buf_).substr(desplazamiento, bufLargo_ - desplazamiento);
}
