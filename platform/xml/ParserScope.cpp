#include "platform/xml/ParserScope.h"

#include <libxml/globals.h>

#include <mutex>

namespace xml {

namespace {
void silent(void*, const char*, ...) {}

// The entity loader is one for the whole process, while error handlers are
// per thread: parses on two threads at once share one loader setting, which
// the first scope in sets and the last one out restores.
std::mutex cargadorMutex;
int cargadorUsos = 0;
xmlExternalEntityLoader cargadorPrevio = nullptr;
} // namespace

ParserScope::ParserScope(ErrorCollector& collector, xmlExternalEntityLoader loader)
    : genericFunc_(xmlGenericError), genericContext_(xmlGenericErrorContext),
      structuredFunc_(xmlStructuredError), structuredContext_(xmlStructuredErrorContext) {
    xmlInitParser();
    xmlSetGenericErrorFunc(nullptr, silent);
    xmlSetStructuredErrorFunc(&collector, ErrorCollector::onError);
    const std::lock_guard<std::mutex> lock(cargadorMutex);
    if (cargadorUsos++ == 0)
        cargadorPrevio = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(loader);
}

ParserScope::~ParserScope() {
    {
        const std::lock_guard<std::mutex> lock(cargadorMutex);
        if (--cargadorUsos == 0)
            xmlSetExternalEntityLoader(cargadorPrevio);
    }
    xmlSetStructuredErrorFunc(structuredContext_, structuredFunc_);
    xmlSetGenericErrorFunc(genericContext_, genericFunc_);
}

xmlParserInputPtr ParserScope::refuseAll(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

} // namespace xml
