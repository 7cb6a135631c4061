#pragma once
// Schemas keyed by the namespace URI they describe. Adding a file that is not
// a schema, or whose target namespace is not the one given, is a run-time
// error; a later add under the same namespace replaces the earlier schema.
#include "platform/xml/TiposMixtos.h"

#include <map>
#include <memory>
#include <string>

struct _xmlSchema;

namespace xml {

// Number of the run-time error raised when a schema cannot be used.
constexpr int kSchemaRefused = 440;

class SchemaCache {
public:
    SchemaCache();
    ~SchemaCache();
    SchemaCache(const SchemaCache&) = delete;
    SchemaCache& operator=(const SchemaCache&) = delete;

    void add(const std::string& namespaceURI, const std::string& xsdPath);
    // The schema registered for the namespace, or nullptr.
    _xmlSchema* find(const std::string& namespaceURI) const;
    std::size_t length() const { return schemas_.size(); }
    // The namespace of the only schema held; nullptr when none or several.
    const std::string* soleNamespace() const {
        return schemas_.size() == 1 ? &schemas_.begin()->first : nullptr;
    }
    // The elements of mixed content that the schemas held declare.
    const TiposMixtos& mixtos() const { return mixtos_; }

private:
    struct Free {
        void operator()(_xmlSchema* s) const;
    };
    std::map<std::string, std::unique_ptr<_xmlSchema, Free>> schemas_;
    std::map<std::string, std::string> rutas_; // schema file by namespace
    TiposMixtos mixtos_;
};

} // namespace xml
