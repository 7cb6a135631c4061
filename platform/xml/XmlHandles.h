#pragma once
// Owning handles for the libxml2 objects used by the xml layer.
#include <libxml/xmlreader.h>
#include <libxml/xmlschemas.h>

#include <memory>

namespace xml {

// No network, keep line numbers past 65535. Without XML_PARSE_NOENT entities
// are not substituted, without XML_PARSE_DTDLOAD no external subset is read,
// and without XML_PARSE_HUGE the parser's limits on entity expansion hold.
inline constexpr int kOpcionesLector = XML_PARSE_NONET | XML_PARSE_BIG_LINES;

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
