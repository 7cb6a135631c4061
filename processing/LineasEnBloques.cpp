#include "processing/LineasEnBloques.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

LineasEnBloques::LineasEnBloques(const std::string& ruta, std::stop_token detener)
    : fd_(::open(ruta.c_str(), O_RDONLY | O_CLOEXEC)), detener_(std::move(detener)),
      buf_(kBloque, '\0') {
    if (fd_ < 0)
        rt::raiseFileError(errno, true);
}

LineasEnBloques::~LineasEnBloques() {
    ::close(fd_);
}

bool LineasEnBloques::Siguiente(Linea& linea, std::uint64_t largoMaximo) {
    if (cortada_)
        return false;
    std::uint64_t pos = siguiente_;
    std::string_view bloque = Bloque(pos);
    if (bloque.empty())
        return false;
    linea.inicio = pos;
    bool enBlanco = true;
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
        enBlanco = enBlanco && bloque.find_first_not_of(' ') == std::string_view::npos;
        pos += bloque.size();
        // Beyond the limit only a blank line may still end well (it is
        // skipped); a line of text is known to be too long without its end.
        if (!enBlanco && pos - linea.inicio > largoMaximo) {
            linea.fin = siguiente_ = pos;
            cortada_ = true;
            return true;
        }
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
        if (detener_.stop_requested())
            throw Detenida();
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
