#include "platform/xml/ErrorCollector.h"

#include "platform/xml/HechosError.h"
#include "platform/xml/TablaRazones.h"

#include <utility>

namespace xml {

namespace {
// libxml2 messages end in a line break; the reason is shown inside a sentence.
std::string trimEnd(const char* message) {
    std::string s = message ? message : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

// The reason in Spanish where there is a text for it, else libxml2's own.
std::string razon(const xmlError& error) {
    if (std::optional<std::string> espanol = razonEnEspanol(hechosDe(error)))
        return std::move(*espanol);
    return trimEnd(error.message);
}
} // namespace

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
    Entry entry{razon(error), error.file ? error.file : "", error.line, error.int2};
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
    first_ = {std::move(reason), std::move(file), line, 0};
}

} // namespace xml
