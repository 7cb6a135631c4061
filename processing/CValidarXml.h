#pragma once
// Checks an XML document against its form version's schema from the data
// folder and requires its root element to be in the form's namespace. A
// failing check returns false and keeps the reason in Error(). Made with
// huella, a passing check keeps the schemas it used and the digest of the
// document's reading, so that a copy of the document can be checked to read
// the same.
#include "platform/xml/Huella.h"
#include "platform/xml/SchemaCache.h"

#include <memory>
#include <string>

class CValidarXml {
public:
    CValidarXml() = default;
    explicit CValidarXml(bool conHuella) : conHuella_(conHuella) {}

    bool ValidarXML(const std::string& pPaThXml, const std::string& pFormulario,
                    const std::string& pVersion);
    const std::string& Error() const { return vError; }

    // After a passing check: its schemas, and the digest of the document.
    const xml::SchemaCache* Esquemas() const { return cache_.get(); }
    const xml::Huella::Digesto& Huella() const { return huella_; }

private:
    bool Cargar(const std::string& pPaThXml, const std::string& esquema,
                const std::string& nameSpace);

    std::string vError;
    bool conHuella_ = false;
    std::unique_ptr<xml::SchemaCache> cache_;
    xml::Huella::Digesto huella_{};
};
