#include "platform/xml/ParserScope.h"

#include <libxml/globals.h>

namespace xml {

namespace {
void silent(void*, const char*, ...) {}
} // namespace

ParserScope::ParserScope(ErrorCollector& collector, xmlExternalEntityLoader loader)
    : genericFunc_(xmlGenericError), genericContext_(xmlGenericErrorContext),
      structuredFunc_(xmlStructuredError), structuredContext_(xmlStructuredErrorContext),
      loader_(xmlGetExternalEntityLoader()) {
    xmlInitParser();
    xmlSetGenericErrorFunc(nullptr, silent);
    xmlSetStructuredErrorFunc(&collector, ErrorCollector::onError);
    xmlSetExternalEntityLoader(loader);
}

ParserScope::~ParserScope() {
    xmlSetExternalEntityLoader(loader_);
    xmlSetStructuredErrorFunc(structuredContext_, structuredFunc_);
    xmlSetGenericErrorFunc(genericContext_, genericFunc_);
}

xmlParserInputPtr ParserScope::refuseAll(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

} // namespace xml
