#include "processing/CValidarXml.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/xml/Document.h"
#include "platform/xml/SchemaCache.h"
#include "platform/xml/TextoMostrado.h"
#include "shell/Globales.h"
#include "shell/Rutas.h"

#include <exception>

namespace {

std::string leerNameSpace(const std::string& pFormulario, const std::string& pVersion) {
    if (!BaseDatos)
        rt::raise(rt::err::ObjectNotSet);
    auto reg = BaseDatos->openRecordSet("select NameSpace from Formularios where CodFormulario='" +
                                        pFormulario + "' and Version='" + pVersion + "'");
    return reg->field("NameSpace").text();
}

} // namespace

bool CValidarXml::ValidarXML(const std::string& pPaThXml, const std::string& pFormulario,
                             const std::string& pVersion) {
    const std::string esquema = rutas::esquema(pFormulario, pVersion);
    if (!rt::fileExists(esquema)) {
        vError = "Archivo no encontrado " + esquema;
        return false;
    }
    // No row, a Null namespace or a schema the cache refuses go to the caller.
    const std::string nameSpace = leerNameSpace(pFormulario, pVersion);
    return Cargar(pPaThXml, esquema, nameSpace);
}

bool CValidarXml::Cargar(const std::string& pPaThXml, const std::string& esquema,
                         const std::string& nameSpace) {
    releida_.reset();
    cache_ = std::make_unique<xml::SchemaCache>();
    cache_->add(nameSpace, esquema);
    const bool valido = Leer(pPaThXml, nameSpace);
    // A refused document's read-back stops now, before the window's box.
    if (!valido)
        releida_.reset();
    return valido;
}

bool CValidarXml::Leer(const std::string& pPaThXml, const std::string& nameSpace) {
    xml::Document documento;
    try {
        std::unique_ptr<xml::Huella> huella;
        if (conHuella_) {
            huella = std::make_unique<xml::Huella>();
            releida_ = std::make_unique<LecturaDeVuelta>(*cache_, pPaThXml);
        }
        documento.huella(huella.get());
        documento.schemas(cache_.get());
        if (!documento.load(pPaThXml)) {
            vError = "Error : " + documento.parseError().reason + "\r\n\r\n" +
                     "Texto Fuente : " + xml::controlesVisibles(documento.parseError().srcText);
            return false;
        }
        if (documento.documentElementNamespaceURI() != nameSpace) {
            vError = "Error : El NameSpace del Documento debe ser = " + nameSpace;
            return false;
        }
        if (huella)
            huella_ = huella->digesto();
        return true;
    } catch (const LecturaDeVuelta::SinRecursos&) {
        vError = "Error : No se pudo revisar el documento porque el sistema no tiene recursos "
                 "libres (demasiados archivos abiertos o tareas en curso). Cierre otros "
                 "programas y vuelva a procesarlo.";
        return false;
    } catch (const std::exception&) {
        vError = "Error : XML con caracteres inválidos";
        return false;
    }
}
