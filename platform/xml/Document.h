#pragma once
// A validating load of an XML file. The file is read as a stream, so memory
// stays flat however large it is; it is validated against the schema that the
// attached cache holds for its root element's namespace (a root in a namespace
// without a schema is only checked for being well-formed). Untrusted input:
// no network, no external files, entities are neither loaded nor expanded.
#include "platform/xml/ParseError.h"

#include <string>

struct _xmlSchema;

namespace xml {

class ErrorCollector;
class SchemaCache;

class Document {
public:
    // The schemas used by later loads; nullptr for none. Not owned.
    void schemas(const SchemaCache* cache) { cache_ = cache; }
    // Reads and validates the whole file; false with parseError() set.
    bool load(const std::string& path);

    const ParseError& parseError() const { return error_; }
    bool hasDocumentElement() const { return hasRoot_; }
    // Namespace URI of the root element; empty when it has none.
    const std::string& documentElementNamespaceURI() const { return rootNamespace_; }

private:
    bool fail(const std::string& path, const ErrorCollector& errors);

    const SchemaCache* cache_ = nullptr;
    ParseError error_;
    bool hasRoot_ = false;
    std::string rootNamespace_;
};

} // namespace xml
