#include "processing/EmpaquetadorXml.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"

namespace {

constexpr int kEntrada = 1;
constexpr int kRegistros = 3;

} // namespace

void EmpaquetadorXml::Empaquetar(const std::string& pNombreArchivo, const std::string& fileTitle) {
    fileTitle_ = fileTitle;
    v_cadena.clear();
    inicio_ = 0;
    totalLineasXml_ = 0;
    v_Linea = 0;
    rt::Open(pNombreArchivo, rt::OpenMode::Input, kEntrada);
    while (!rt::Eof(kEntrada)) {
        const std::string linea = rt::LineInput(kEntrada);
        if (!EnBlanco(linea))
            AgregarLinea(linea);
    }
    rt::Close(kEntrada);
    if (!v_cadena.empty()) {
        v_cadena.append(kLargoBloque, ' ');
        GrabarBloquesXml(true);
    }
}

void EmpaquetadorXml::AgregarLinea(const std::string& linea) {
    // The block count of a line too long for 16 bits overflows before any of
    // its records is written.
    v_tot_lineas = static_cast<long long>((linea.size() + kLargoBloque - 1) / kLargoBloque);
    v_cadena += linea;
    GrabarBloquesXml(false);
}

void EmpaquetadorXml::GrabarBloquesXml(const bool& last) {
    if (v_cadena.size() - inicio_ < kLargoBloque)
        return;
    rt::Open(rt::tempPath(fileTitle_), rt::OpenMode::Append, kRegistros);
    while (v_cadena.size() - inicio_ >= kLargoBloque) {
        ++v_Linea;
        Estado("Procesando : " + std::to_string(v_Linea.value()) + " de " +
               std::to_string(v_tot_lineas.value()));
        GrabarRegistro(std::string_view(v_cadena).substr(inicio_, kLargoBloque));
        if (v_cadena.size() - inicio_ <= kLargoBloque || last) {
            v_cadena.clear();
            inicio_ = 0;
        } else {
            inicio_ += kLargoBloque;
        }
    }
    v_cadena.erase(0, inicio_);
    inicio_ = 0;
    rt::Close(kRegistros);
    Estado("");
}

void EmpaquetadorXml::GrabarRegistro(std::string_view bloque) {
    rt::PrintLine(kRegistros, "02" + LimpiarCadena(bloque));
    ++totalLineasXml_;
}

std::string EmpaquetadorXml::LimpiarCadena(std::string_view s) {
    std::string limpia(s);
    for (char& c : limpia)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
    return limpia;
}

void EmpaquetadorXml::Estado(const std::string& texto) {
    ventana_.EtiquetaCaption(texto);
    ventana_.EtiquetaRefresh();
}

bool EmpaquetadorXml::EnBlanco(std::string_view linea) {
    return linea.find_first_not_of(' ') == std::string_view::npos;
}
