#include "processing/EmpaquetadorXml.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/NumberedFiles.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kRegistros = 3;

} // namespace

void EmpaquetadorXml::Empaquetar(const std::string& pNombreArchivo, const std::string& fileTitle,
                                 Copia copia) {
    fileTitle_ = fileTitle;
    copia_ = std::move(copia);
    v_cadena.clear();
    registrosAbiertos_ = false;
    totalLineasXml_ = 0;
    v_Linea = 0;
    {
        LineasEnBloques entrada(pNombreArchivo, detener_);
        LineasEnBloques::Linea linea;
        while (entrada.Siguiente(linea, kLimiteTexto))
            if (!EnBlanco(entrada, linea))
                AgregarLinea(entrada, linea);
    }
    if (!v_cadena.empty()) {
        v_cadena.append(kLargoBloque, ' ');
        GrabarBloquesXml(true);
    }
}

void EmpaquetadorXml::Copiar(const std::string& pNombreArchivo, Copia copia,
                             std::stop_token detener) {
    grabar_ = false;
    detener_ = std::move(detener);
    struct AlSalir {
        EmpaquetadorXml& e;
        ~AlSalir() {
            e.grabar_ = true;
            e.detener_ = {};
        }
    } restablecer{*this};
    Empaquetar(pNombreArchivo, "", std::move(copia));
}

void EmpaquetadorXml::AgregarLinea(LineasEnBloques& entrada, const LineasEnBloques::Linea& linea) {
    // The block count of a line too long for 16 bits overflows before any of
    // its records is written.
    v_tot_lineas = static_cast<long long>((linea.Largo() + kLargoBloque - 1) / kLargoBloque);
    entrada.Recorrer(linea, kLargoBloque, [this](std::string_view trozo) {
        v_cadena += trozo;
        EscribirBloques(false);
        return true;
    });
    CerrarRegistros();
}

void EmpaquetadorXml::GrabarBloquesXml(const bool& last) {
    if (v_cadena.size() < kLargoBloque)
        return;
    EscribirBloques(last);
    CerrarRegistros();
}

void EmpaquetadorXml::EscribirBloques(bool last) {
    while (v_cadena.size() >= kLargoBloque) {
        if (!registrosAbiertos_ && grabar_) {
            rt::Open(rt::tempPath(fileTitle_), rt::OpenMode::Append, kRegistros);
            registrosAbiertos_ = true;
        }
        ++v_Linea;
        Estado("Procesando : " + std::to_string(v_Linea.value()) + " de " +
               std::to_string(v_tot_lineas.value()));
        // The final call brings its text followed by one block of blanks.
        const std::size_t texto = last ? v_cadena.size() - kLargoBloque : kLargoBloque;
        GrabarRegistro(std::string_view(v_cadena).substr(0, kLargoBloque),
                       kLargoBloque - std::min(texto, kLargoBloque));
        if (v_cadena.size() <= kLargoBloque || last)
            v_cadena.clear();
        else
            v_cadena.erase(0, kLargoBloque);
    }
}

void EmpaquetadorXml::CerrarRegistros() {
    if (!registrosAbiertos_)
        return;
    registrosAbiertos_ = false;
    rt::Close(kRegistros);
    Estado("");
}

void EmpaquetadorXml::GrabarRegistro(std::string_view bloque, std::size_t relleno) {
    const std::string limpio = LimpiarCadena(bloque);
    if (grabar_)
        rt::PrintLine(kRegistros, "02" + limpio);
    ++totalLineasXml_;
    if (copia_)
        copia_(std::string_view(limpio).substr(0, limpio.size() - relleno));
}

std::string EmpaquetadorXml::LimpiarCadena(std::string_view s) {
    std::string limpia(s);
    for (char& c : limpia)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
    return limpia;
}

void EmpaquetadorXml::Estado(const std::string& texto) {
    if (!grabar_)
        return;
    ventana_.EtiquetaCaption(texto);
    ventana_.EtiquetaRefresh();
}

bool EmpaquetadorXml::EnBlanco(LineasEnBloques& entrada, const LineasEnBloques::Linea& linea) {
    return entrada.Recorrer(linea, LineasEnBloques::kBloque, [](std::string_view trozo) {
        return trozo.find_first_not_of(' ') == std::string_view::npos;
    });
}
