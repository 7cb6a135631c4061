#pragma once
// Checks an XML document against its form version's schema from the data
// folder and requires its root element to be in the form's namespace. A
// failing check returns false and keeps the reason in Error(). Made with
// huella, a check also keeps the digest of the document's reading and, while
// it reads, has the document's packing read back (LecturaDeVuelta), so that
// the records can be shown to read as the document that was validated.
#include "platform/xml/Huella.h"
#include "platform/xml/SchemaCache.h"
#include "processing/LecturaDeVuelta.h"

#include <memory>
#include <string>

class CValidarXml {
public:
    CValidarXml() = default;
    explicit CValidarXml(bool conHuella) : conHuella_(conHuella) {}

    bool ValidarXML(const std::string& pPaThXml, const std::string& pFormulario,
                    const std::string& pVersion);
    const std::string& Error() const { return vError; }

    // After a passing check made with huella: the digest of the document,
    // and the read-back of its packing.
    const xml::Huella::Digesto& Huella() const { return huella_; }
    LecturaDeVuelta* Releida() const { return releida_.get(); }
    // The outcome is known without the read-back: it stops now.
    void DetenerReleida() { releida_.reset(); }
    // The elements of mixed content of the schema last loaded; nullptr before.
    const xml::TiposMixtos* Mixtos() const { return cache_ ? &cache_->mixtos() : nullptr; }

private:
    bool Cargar(const std::string& pPaThXml, const std::string& esquema,
                const std::string& nameSpace);
    // The validating load, with the read-back started first when made with
    // huella.
    bool Leer(const std::string& pPaThXml, const std::string& nameSpace);

    std::string vError;
    bool conHuella_ = false;
    std::unique_ptr<xml::SchemaCache> cache_;
    xml::Huella::Digesto huella_{};
    // Declared after cache_, so it ends first: its threads use the schemas.
    std::unique_ptr<LecturaDeVuelta> releida_;
};
