#pragma once
// A validating load of an XML file. The file is read as a stream, so memory
// stays flat however large it is; it is validated against the schema that the
// attached cache holds for its root element's namespace (a root in a namespace
// without a schema is only checked for being well-formed). Untrusted input:
// no network, no external files, entities are neither loaded nor expanded,
// no document type declaration with an internal subset or an external
// identifier, no byte-order mark that contradicts the declared encoding.
// Every line named is one of rt::LineCounter.
#include "platform/xml/ParseError.h"

#include <string>

struct _xmlSchema;

namespace xml {

class ErrorCollector;
class Huella;
class SchemaCache;

class Document {
public:
    // The schemas used by later loads; nullptr for none. Not owned.
    void schemas(const SchemaCache* cache) { cache_ = cache; }
    // Later loads also hand every node to huella, telling it which elements
    // the schemas give mixed content; nullptr for none. Not owned.
    void huella(Huella* huella) { huella_ = huella; }
    // Whether later loads redraw the windows now and then (not on a thread
    // other than the windows').
    void repintar(bool repintar) { repintar_ = repintar; }
    // Reads and validates the whole file; false with parseError() set.
    bool load(const std::string& path);
    // The same for a stream read to its end from where it stands (a pipe),
    // named name; a cache of several schemas is not used. On failure
    // parseError() holds the reason only.
    bool loadStream(int fd, const std::string& name);

    const ParseError& parseError() const { return error_; }
    bool hasDocumentElement() const { return hasRoot_; }
    // Namespace URI of the root element; empty when it has none.
    const std::string& documentElementNamespaceURI() const { return rootNamespace_; }

private:
    // encoding: the one the document declares, in which its source line is read.
    bool fail(const std::string& path, const ErrorCollector& errors, const std::string& encoding);

    const SchemaCache* cache_ = nullptr;
    Huella* huella_ = nullptr;
    bool repintar_ = true;
    ParseError error_;
    bool hasRoot_ = false;
    std::string rootNamespace_;
};

} // namespace xml
