#include "platform/xml/SchemaCache.h"

#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/xml/ErrorCollector.h"
#include "platform/xml/ParserScope.h"
#include "platform/xml/UriArchivo.h"
#include "platform/xml/XmlHandles.h"

#include <libxml/schemasInternals.h>

namespace xml {

namespace {

SchemaPtr parseSchema(const std::string& xsdPath) {
    ErrorCollector errors;
    // Schemas may include others from disk, never from the network.
    ParserScope scope(errors, UriArchivo::cargar);
    SchemaParserPtr parser(xmlSchemaNewParserCtxt(UriArchivo::desdeRuta(xsdPath).c_str()));
    if (!parser)
        rt::raise(rt::err::OutOfMemory);
    xmlSchemaSetParserStructuredErrors(parser.get(), ErrorCollector::onError, &errors);
    SchemaPtr schema(xmlSchemaParse(parser.get()));
    if (!schema || errors.hasError()) {
        const std::string why =
            errors.hasError() ? UriArchivo::rutasEnTexto(errors.reason()) : "no es un esquema";
        rt::raise(kSchemaRefused, "El archivo " + xsdPath + " no es un esquema válido: " + why);
    }
    return schema;
}

std::string targetNamespace(const xmlSchema& schema) {
    return schema.targetNamespace ? reinterpret_cast<const char*>(schema.targetNamespace) : "";
}

} // namespace

void SchemaCache::Free::operator()(_xmlSchema* s) const {
    xmlSchemaFree(s);
}

SchemaCache::SchemaCache() = default;
SchemaCache::~SchemaCache() = default;

void SchemaCache::add(const std::string& namespaceURI, const std::string& xsdPath) {
    const std::string path = rt::resolveCase(xsdPath);
    if (!rt::fileExists(path))
        rt::raise(rt::err::FileNotFound);
    SchemaPtr schema = parseSchema(path);
    const std::string target = targetNamespace(*schema);
    if (target != namespaceURI)
        rt::raise(kSchemaRefused, "El espacio de nombres del esquema " + xsdPath + " es \"" +
                                      target + "\" y no \"" + namespaceURI + "\"");
    schemas_[namespaceURI] = std::unique_ptr<_xmlSchema, Free>(schema.release());
    rutas_[namespaceURI] = path;
    mixtos_.vaciar();
    for (const auto& [ns, ruta] : rutas_)
        mixtos_.agregar(ruta);
}

_xmlSchema* SchemaCache::find(const std::string& namespaceURI) const {
    const auto it = schemas_.find(namespaceURI);
    return it == schemas_.end() ? nullptr : it->second.get();
}

} // namespace xml
