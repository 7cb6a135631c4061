#include "processing/CopiarArchivo.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/SystemError.h"
#include "platform/ui/Dialogs.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A descriptor closed on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The temporary file in the destination's folder; removed unless renamed.
class Temporal {
public:
    explicit Temporal(const std::string& destino) {
        const std::size_t barra = destino.rfind('/');
        const std::string carpeta = barra == std::string::npos ? "" : destino.substr(0, barra + 1);
        const std::string nombre = destino.substr(carpeta.size());
        ruta_ = carpeta + "." + nombre + ".XXXXXX";
        fd_ = ::mkostemp(ruta_.data(), O_CLOEXEC);
        if (fd_ < 0)
            rt::raiseFileError(errno);
    }
    ~Temporal() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!ruta_.empty())
            ::unlink(ruta_.c_str());
    }
    Temporal(const Temporal&) = delete;
    Temporal& operator=(const Temporal&) = delete;

    int fd() const { return fd_; }
    // Flushes, closes and renames over destino.
    void confirmar(const std::string& destino) {
        const mode_t mascara = ::umask(0);
        ::umask(mascara);
        if (::fchmod(fd_, 0666 & ~mascara) != 0 || ::fsync(fd_) != 0)
            rt::raiseFileError(errno);
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 || ::rename(ruta_.c_str(), destino.c_str()) != 0)
            rt::raiseFileError(errno);
        ruta_.clear();
    }

private:
    std::string ruta_;
    int fd_ = -1;
};

void escribirTodo(int fd, const char* datos, ssize_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, datos, static_cast<std::size_t>(n));
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0)
            rt::raiseFileError(errno);
        datos += w;
        n -= w;
    }
}

void copiarContenido(int origen, int destino) {
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(origen, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            rt::raiseFileError(errno);
        if (n == 0)
            return;
        escribirTodo(destino, buf, n);
        // The copy of a large file does not yield.
        ui::Repintar();
    }
}

// Makes the rename itself durable.
void sincronizarCarpeta(const std::string& destino) {
    const std::size_t barra = destino.rfind('/');
    const std::string carpeta = barra == std::string::npos ? "." : destino.substr(0, barra + 1);
    Descriptor fd(::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

} // namespace

void CopiarArchivo(const std::string& origen, const std::string& destino) {
    Descriptor entrada(::open(origen.c_str(), O_RDONLY | O_CLOEXEC));
    if (entrada.get() < 0 && errno == ENOENT)
        rt::raise(rt::err::FileNotFound);
    if (entrada.get() < 0)
        rt::raiseFileError(errno);
    if (rt::fileExists(destino) && rt::isReadOnly(destino))
        rt::raise(rt::err::PathFileAccess);
    Temporal temporal(destino);
    copiarContenido(entrada.get(), temporal.fd());
    temporal.confirmar(destino);
    sincronizarCarpeta(destino);
}
