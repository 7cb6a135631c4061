#pragma once
// Owning handles for the libxml2 objects used by the xml layer.
#include <libxml/xmlreader.h>
#include <libxml/xmlschemas.h>

#include <memory>

namespace xml {

struct ReaderFree {
    void operator()(xmlTextReaderPtr p) const { xmlFreeTextReader(p); }
};
struct SchemaFree {
    void operator()(xmlSchemaPtr p) const { xmlSchemaFree(p); }
};
struct SchemaParserFree {
    void operator()(xmlSchemaParserCtxtPtr p) const { xmlSchemaFreeParserCtxt(p); }
};
struct SchemaValidFree {
    void operator()(xmlSchemaValidCtxtPtr p) const { xmlSchemaFreeValidCtxt(p); }
};

using ReaderPtr = std::unique_ptr<xmlTextReader, ReaderFree>;
using SchemaPtr = std::unique_ptr<xmlSchema, SchemaFree>;
using SchemaParserPtr = std::unique_ptr<xmlSchemaParserCtxt, SchemaParserFree>;
using SchemaValidPtr = std::unique_ptr<xmlSchemaValidCtxt, SchemaValidFree>;

} // namespace xml
