#include "platform/closedlibs/FilewinLibrary.h"

#include "platform/closedlibs/filewin/filewin.h"

#include <vector>

namespace closedlibs {

namespace {
constexpr std::size_t kRutaMax = 32768;
constexpr std::size_t kMensajeMax = 4096;

std::string hastaNul(const std::vector<char>& buffer) {
    std::string s(buffer.data(), buffer.size());
    s.resize(s.find('\0') == std::string::npos ? s.size() : s.find('\0'));
    return s;
}
} // namespace

FilewinLibrary::FilewinLibrary() : entry_("libfilewin.so", FILEWIN_ENTRADA) {}

FilewinLibrary& FilewinLibrary::instance() {
    static FilewinLibrary library;
    return library;
}

std::int16_t FilewinLibrary::filewin(const std::string& archivo, std::string& vArchivoEncriptado,
                                     std::string& vMensajeError) {
    const Entry fn = entry_.get();
    std::vector<char> ruta(kRutaMax, '\0');
    std::vector<char> mensaje(kMensajeMax, '\0');
    const std::int16_t estado =
        fn(archivo.c_str(), ruta.data(), ruta.size(), mensaje.data(), mensaje.size());
    vArchivoEncriptado = hastaNul(ruta);
    vMensajeError = hastaNul(mensaje);
    return estado;
}

} // namespace closedlibs
