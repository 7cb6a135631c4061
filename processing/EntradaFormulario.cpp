#include "processing/EntradaFormulario.h"

#include "platform/runtime/TextLines.h"

std::string EntradaFormulario::Armar(const db::RecordSet& reg, bool conTipo) {
    std::string entrada = reg.field("CodFormulario").textOr("") + "/" +
                          reg.field("Version").textOr("") + " -> " +
                          reg.field("Descripcion").textOr("");
    if (conTipo)
        entrada += std::string(60, ' ') + reg.field("TipoArchivoEntrada").textOr("");
    return entrada;
}

std::string EntradaFormulario::Formulario(const std::string& entrada) {
    return rt::mid(entrada, 1, 4);
}

std::string EntradaFormulario::Version(const std::string& entrada) {
    return rt::mid(entrada, 6, 5);
}

std::string EntradaFormulario::TipoArchivo(const std::string& entrada) {
    const std::size_t largo = rt::charLength(entrada);
    return largo == 0 ? std::string() : rt::mid(entrada, largo, 1);
}
