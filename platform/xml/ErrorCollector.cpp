#include "platform/xml/ErrorCollector.h"

#include "platform/xml/HechosError.h"
#include "platform/xml/TablaRazones.h"

#include <utility>

namespace xml {

void ErrorCollector::onError(void* collector, xmlErrorPtr error) {
    if (collector && error)
        static_cast<ErrorCollector*>(collector)->take(*error);
}

void ErrorCollector::take(const xmlError& error) {
    if (error.level < XML_ERR_ERROR)
        return;
    const bool aside = holding_ && error.domain == XML_FROM_SCHEMASV;
    if (aside ? held_ : has_)
        return;
    // The parser's state, which some reasons read, is that of this error.
    HechosError hechos = hechosDe(error);
    Entry entry{razonEnEspanol(hechos), error.file ? error.file : "", error.line, error.int2,
                std::move(hechos)};
    if (aside) {
        held_ = true;
        heldFirst_ = !has_;
        heldEntry_ = std::move(entry);
        return;
    }
    has_ = true;
    first_ = std::move(entry);
}

void ErrorCollector::releaseValidity() {
    holding_ = false;
    if (held_ && heldFirst_) {
        has_ = true;
        first_ = heldEntry_;
    }
    held_ = false;
}

void ErrorCollector::dropValidity() {
    holding_ = false;
    held_ = false;
}

void ErrorCollector::raise(std::string reason, std::string file, long line) {
    if (has_)
        return;
    has_ = true;
    first_ = {std::move(reason), std::move(file), line, 0, {}};
}

void ErrorCollector::complete(const HechosError& hechos, std::string file) {
    first_.hechos = hechos;
    first_.reason = razonEnEspanol(hechos);
    first_.file = std::move(file);
    first_.line = hechos.linea;
}

} // namespace xml
