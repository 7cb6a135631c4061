#pragma once
// Checks an XML document against its form version's schema from the data
// folder and requires its root element to be in the form's namespace. A
// failing check returns false and keeps the reason in Error().
#include <string>

class CValidarXml {
public:
    bool ValidarXML(const std::string& pPaThXml, const std::string& pFormulario,
                    const std::string& pVersion);
    const std::string& Error() const { return vError; }

private:
    bool Cargar(const std::string& pPaThXml, const std::string& esquema,
                const std::string& nameSpace);

    std::string vError;
};
