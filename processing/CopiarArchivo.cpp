#include "processing/CopiarArchivo.h"

#include "platform/runtime/Descriptor.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/SystemError.h"
#include "platform/ui/Dialogs.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Partes {
    std::string carpeta; // with its trailing "/", or empty
    std::string nombre;
};

Partes partes(const std::string& destino) {
    const std::size_t barra = destino.rfind('/');
    const std::string carpeta = barra == std::string::npos ? "" : destino.substr(0, barra + 1);
    return {carpeta, destino.substr(carpeta.size())};
}

constexpr char kLetras[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kAzar = 6;

// The marker no person would give a file, so the sweep takes only the
// system's own copies, never a user's ".<name>.backup".
std::string prefijoCopia(const std::string& nombre) {
    return "." + nombre + ".copia-nuro-";
}

// The prefix and six letters or digits: the hidden copy of that name.
bool esCopiaOculta(std::string_view entrada, const std::string& prefijo) {
    return entrada.size() == prefijo.size() + kAzar && entrada.starts_with(prefijo) &&
           entrada.find_first_not_of(kLetras, prefijo.size()) == std::string_view::npos;
}

// A copy killed half-way leaves its hidden file behind; the next copy of the
// same name removes such regular files, and nothing else.
void quitarCopiasOcultas(const Partes& p) {
    struct Cerrar {
        void operator()(DIR* d) const { ::closedir(d); }
    };
    std::unique_ptr<DIR, Cerrar> carpeta(::opendir(p.carpeta.empty() ? "." : p.carpeta.c_str()));
    if (!carpeta)
        return; // the copy itself reports a missing folder
    const int fd = ::dirfd(carpeta.get());
    const std::string prefijo = prefijoCopia(p.nombre);
    while (const dirent* e = ::readdir(carpeta.get())) {
        struct stat st {};
        if (esCopiaOculta(e->d_name, prefijo) &&
            ::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ::unlinkat(fd, e->d_name, 0);
    }
}

// The temporary file in the destination's folder, created fresh without
// following a link; removed unless renamed.
class Temporal {
public:
    explicit Temporal(const Partes& p) {
        std::random_device azar;
        std::uniform_int_distribution<int> letra(0, sizeof kLetras - 2);
        for (int intento = 0; intento < 100 && fd_ < 0; ++intento) {
            ruta_ = p.carpeta + prefijoCopia(p.nombre);
            for (std::size_t i = 0; i < kAzar; ++i)
                ruta_ += kLetras[letra(azar)];
            fd_ = ::open(ruta_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
        if (fd_ < 0) {
            ruta_.clear();
            rt::raiseFileError(errno);
        }
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

// In the kernel, without passing through this process; false where the file
// systems do not allow it, with the offsets where the copy got to.
bool copiarEnNucleo(int origen, int destino) {
    for (;;) {
        const ssize_t n = ::copy_file_range(origen, nullptr, destino, nullptr, 1 << 26, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
                      errno == EPERM))
            return false;
        if (n < 0)
            rt::raiseFileError(errno);
        if (n == 0)
            return true;
        ui::Repintar();
    }
}

// The copy of a large file does not yield: the window is repainted between
// pieces instead.
void copiarContenido(int origen, int destino) {
    if (copiarEnNucleo(origen, destino))
        return;
    std::unique_ptr<char[]> buf(new char[1 << 20]);
    for (;;) {
        const ssize_t n = ::read(origen, buf.get(), 1 << 20);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            rt::raiseFileError(errno);
        if (n == 0)
            return;
        escribirTodo(destino, buf.get(), n);
        ui::Repintar();
    }
}

// Makes the rename itself durable.
void sincronizarCarpeta(const Partes& p) {
    rt::Descriptor fd(
        ::open(p.carpeta.empty() ? "." : p.carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

} // namespace

void CopiarArchivo(const std::string& origen, const std::string& destino) {
    rt::Descriptor entrada(::open(origen.c_str(), O_RDONLY | O_CLOEXEC));
    if (entrada.get() < 0 && errno == ENOENT)
        rt::raise(rt::err::FileNotFound);
    if (entrada.get() < 0)
        rt::raiseFileError(errno);
    if (rt::fileExists(destino) && rt::isReadOnly(destino))
        rt::raise(rt::err::PathFileAccess);
    const Partes p = partes(destino);
    quitarCopiasOcultas(p);
    Temporal temporal(p);
    copiarContenido(entrada.get(), temporal.fd());
    temporal.confirmar(destino);
    sincronizarCarpeta(p);
}
