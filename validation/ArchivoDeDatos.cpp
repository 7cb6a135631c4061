#include "validation/ArchivoDeDatos.h"

#include "platform/runtime/NumberedFiles.h"
#include "platform/runtime/RuntimeError.h"

namespace ArchivoDeDatos {

void Abrir(const std::string& ruta, int numero) {
    rt::Close(numero);
    rt::Open(ruta, rt::OpenMode::Input, numero);
    rt::InputReader(numero).skipByteOrderMark();
}

void Leer(int numero, rt::DataLine& linea) {
    if (!rt::InputReader(numero).nextData(linea))
        rt::raise(rt::err::InputPastEnd);
}

} // namespace ArchivoDeDatos
