#include "processing/ArchivoEspecial.h"

#include "platform/runtime/FileSystem.h"

namespace {

std::string QueEs(rt::FileKind tipo) {
    switch (tipo) {
    case rt::FileKind::Fifo:
        return "una tubería con nombre (FIFO)";
    case rt::FileKind::Socket:
        return "un socket";
    default:
        return "un dispositivo";
    }
}

} // namespace

bool ArchivoEspecial::Es(const std::string& archivo) {
    const std::string titulo = rt::fileTitle(archivo);
    if (titulo.empty() || titulo[0] == '.')
        return false;
    const rt::FileKind tipo = rt::fileKind(archivo);
    return tipo == rt::FileKind::Fifo || tipo == rt::FileKind::Device ||
           tipo == rt::FileKind::Socket;
}

std::string ArchivoEspecial::MensajeRechazo(const std::string& archivo) {
    return "No es un archivo común: " + archivo + " es " + QueEs(rt::fileKind(archivo)) + ".";
}
