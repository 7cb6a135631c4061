#pragma once
// For the duration of one parse: libxml2's error output goes to a collector
// instead of stderr, and external entities are resolved only by the given
// loader. Everything is restored on leaving the scope. Scopes on several
// threads at once must give the same loader.
#include "platform/xml/ErrorCollector.h"

#include <libxml/parser.h>

namespace xml {

class ParserScope {
public:
    ParserScope(ErrorCollector& collector, xmlExternalEntityLoader loader);
    ~ParserScope();
    ParserScope(const ParserScope&) = delete;
    ParserScope& operator=(const ParserScope&) = delete;

    // A loader that fetches nothing: a document may not pull in other files.
    static xmlParserInputPtr refuseAll(const char* url, const char* id, xmlParserCtxtPtr ctxt);

private:
    xmlGenericErrorFunc genericFunc_;
    void* genericContext_;
    xmlStructuredErrorFunc structuredFunc_;
    void* structuredContext_;
};

} // namespace xml
