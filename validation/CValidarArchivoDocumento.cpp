// The XML document as it grows: appended to one buffer and written out as
// 498-byte records ("02" + block) and as the plain XML work file. The text
// not yet in the XML work file is always the buffer's tail from copiaDesde_,
// so one buffer serves both files.
#include "validation/CValidarArchivo.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "validation/TextoXml.h"

namespace {

constexpr std::size_t kBloque = 498;
const std::string kFinRaiz = "</root>";

} // namespace

void CValidarArchivo::Agregar(std::string_view texto) {
    vXmlBloques.append(texto);
}

void CValidarArchivo::AgregarFinDocumento() {
    finDocumento_ = inicioPendiente_ + (vXmlBloques.size() - escritosBloques_) + kFinRaiz.size();
    Agregar(kFinRaiz);
    Agregar(std::string(kBloque, ' '));
}

void CValidarArchivo::AgregarElemento(std::string_view valor, const CampoRegla& campo) {
    std::string& buffer = vXmlBloques;
    buffer.append(campo.apertura);
    if (campo.seccion)
        TextoXml::AgregarSeccion(buffer, valor);
    else
        TextoXml::AgregarContenido(buffer, valor);
    buffer.append(campo.cierre);
}

// Writes every full block pending; shorter text waits for the next piece.
void CValidarArchivo::GrabarBloques(const std::string& pFormulario, const std::string& pVersion) {
    if (vXmlBloques.size() - escritosBloques_ < kBloque)
        return;
    AbrirSalidas(pFormulario, pVersion);
    while (vXmlBloques.size() - escritosBloques_ >= kBloque)
        GrabarRegistro();
    vXmlBloques.erase(0, escritosBloques_);
    copiaDesde_ -= escritosBloques_;
    escritosBloques_ = 0;
}

void CValidarArchivo::GrabarRegistro() {
    archivoBloques_->Escribir("02");
    archivoBloques_->EscribirLinea(std::string_view(vXmlBloques).substr(escritosBloques_, kBloque));
    archivoXml_->EscribirLinea(std::string_view(vXmlBloques).substr(copiaDesde_));
    copiaDesde_ = vXmlBloques.size();
    lineasXml += 1;
    const std::size_t pendiente = vXmlBloques.size() - escritosBloques_;
    const bool fin =
        pendiente <= kBloque || (finDocumento_ && inicioPendiente_ + kBloque >= *finDocumento_);
    // Once the block holding the document's "</root>" is written, the blanks
    // after it are dropped.
    const std::size_t avance = fin ? pendiente : kBloque;
    escritosBloques_ += avance;
    inicioPendiente_ += avance;
}

// Opened at the first flush that writes and kept open for the run.
void CValidarArchivo::AbrirSalidas(const std::string& pFormulario, const std::string& pVersion) {
    if (!archivoBloques_) {
        if (!ventana_)
            rt::raise(rt::err::ObjectNotSet);
        archivoBloques_ = std::make_unique<ArchivoAnexo>(rt::tempPath(tituloArchivo_));
    }
    if (!archivoXml_)
        archivoXml_ = std::make_unique<ArchivoAnexo>(
            rt::tempPath("F" + pFormulario + "_" + pVersion + ".xml"));
}

void CValidarArchivo::CerrarSalidas() {
    if (archivoBloques_)
        archivoBloques_->Cerrar();
    if (archivoXml_)
        archivoXml_->Cerrar();
}
